#include "platform/FontResolver.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>

namespace {

using namespace Qt::StringLiterals;

// The font database needs a GUI application; the test program creates one at most once.
bool haveGuiApplication() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "test_platform";
        static char* argv[] = {name, nullptr};
        // Kept for the life of the process (Qt holds it): tearing Qt down at exit is not
        // worth the risk.
        new QGuiApplication(argc, argv);
    }
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

class FontResolver : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(haveGuiApplication()); }

    static bool installed(const QString& family) {
        return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
    }
};

TEST_F(FontResolver, InstalledFaceIsKeptInItsInstalledSpelling) {
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString& face = families.constLast();
    EXPECT_EQ(platform::displayFamily(face), face);
    EXPECT_EQ(platform::displayFamily(face.toUpper()), face);
}

TEST_F(FontResolver, MissingFaceFallsBackToAJapaneseMonospaceFace) {
    const QString missing = u"ＭＳ ゴシック"_s;
    if (installed(missing))
        GTEST_SKIP() << "the face is installed here";

    const QString family = platform::displayFamily(missing);
    EXPECT_TRUE(installed(family)) << family.toStdString();
    EXPECT_EQ(platform::displayFamily(QString()), family);
    EXPECT_EQ(platform::displayFamily(u"No Such Face 1234"_s), family);
    if (installed(u"IPAGothic"_s)) {
        EXPECT_EQ(family, u"IPAGothic"_s);
        EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese));
    }
}

TEST_F(FontResolver, FontKeepsFractionalSizesAndIgnoresUnusableOnes) {
    const QFont font = platform::displayFont(u"ＭＳ ゴシック"_s, 10.5);
    EXPECT_EQ(font.family(), platform::displayFamily(u"ＭＳ ゴシック"_s));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 10.5);

    EXPECT_GT(platform::displayFont(u"ＭＳ ゴシック"_s, 0.0).pointSizeF(), 0.0);
    EXPECT_GT(platform::displayFont(u"ＭＳ ゴシック"_s, -3.0).pointSizeF(), 0.0);
}

} // namespace
