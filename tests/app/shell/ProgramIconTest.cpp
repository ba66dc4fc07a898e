#include "shell/ProgramIcon.h"

#include "tests/support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

// The icon comes from the program's own resources in every size a desktop asks for.
TEST(ProgramIconTest, ShipsEverySize) {
    ASSERT_TRUE(haveWidgets());
    const QIcon icon = penlark::ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48, 256})
        EXPECT_EQ(icon.pixmap(size, size).width(), size);
}

// Desktops list the editor from this entry and offer it for text files.
TEST(ProgramIconTest, DesktopEntryStartsTheProgramWithFiles) {
    QFile file(QStringLiteral(PENLARK_SOURCE_DIR "/resources/penlark.desktop"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    EXPECT_EQ(lines.value(0), QStringLiteral("[Desktop Entry]"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Exec=penlark %F")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Icon=penlark")));
    EXPECT_TRUE(lines.contains(QStringLiteral("MimeType=text/plain;")));
}
