#include "tests/app/shell/FakeDocumentHost.h"

#include "orvenly/TextEditor.h"
#include "shell/ChildWindow.h"
#include "shell/cFloatEditorProperty.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

using namespace Qt::StringLiterals;
using namespace orvenly;
using penlark::cFloatEditorProperty;
using penlark::ChildWindow;

class FloatEditorProperty : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath(u"memo.txt"_s);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("first\nsecond\n");
        file.close();
        ASSERT_TRUE(document.LoadDocument(path, true, SCS_EUC, SLB_LF));
        ASSERT_FALSE(document.Editor().Modify());
    }

    QComboBox& charsets() { return *window.findChild<QComboBox*>(u"cboCharset"_s); }
    QComboBox& breaks() { return *window.findChild<QComboBox*>(u"cboBreak"_s); }
    QLineEdit& fileName() { return *window.findChild<QLineEdit*>(u"txtFileName"_s); }

    // The host's members are widgets: the application comes first.
    const bool widgets = haveWidgets();
    FakeDocumentHost host;
    QTemporaryDir dir;
    QString path;
    ChildWindow document{host};
    cFloatEditorProperty window;
};

TEST_F(FloatEditorProperty, IsAToolWindowWithTheEnumerationValuesAsItemData) {
    EXPECT_EQ(window.windowTitle(), u"プロパティ"_s);
    EXPECT_EQ(window.windowType(), Qt::Tool);
    ASSERT_EQ(charsets().count(), 9);
    EXPECT_EQ(charsets().itemText(2), u"EUC [euc-jp]"_s);
    EXPECT_EQ(charsets().itemData(2).toInt(), SCS_EUC);
    // The Unicode forms with a byte-order mark carry its flag beside their charset.
    EXPECT_EQ(charsets().itemText(4), u"UTF-8 (BOM) [utf-8]"_s);
    EXPECT_EQ(charsets().itemData(4).toInt(), SCS_UTF8 + 0x100);
    ASSERT_EQ(breaks().count(), 3);
    EXPECT_EQ(breaks().itemText(0), u"CR + LF [Windows]"_s);
    EXPECT_EQ(breaks().itemData(0).toInt(), SLB_CRLF);
}

TEST_F(FloatEditorProperty, ShowsTheTargetWithoutTouchingIt) {
    window.SetTarget(&document);
    EXPECT_EQ(window.Target(), &document);
    EXPECT_EQ(fileName().text(), document.FullPath());
    EXPECT_EQ(charsets().currentText(), u"EUC [euc-jp]"_s);
    EXPECT_EQ(breaks().currentText(), u"LF [Unix]"_s);
    // Filling the lists is no choice of the user's.
    EXPECT_FALSE(document.Editor().Modify());
    EXPECT_EQ(document.Charset(), SCS_EUC);
}

TEST_F(FloatEditorProperty, ChoosingACharsetOrBreakCodeChangesTheDocumentAndMarksItModified) {
    window.SetTarget(&document);
    charsets().setCurrentIndex(0);
    EXPECT_EQ(document.Charset(), SCS_SHIFTJIS);
    EXPECT_TRUE(document.Editor().Modify());
    EXPECT_EQ(document.BreakCode(), SLB_LF);

    breaks().setCurrentIndex(1);
    EXPECT_EQ(document.BreakCode(), SLB_CR);
    // Nothing is converted: the text waits for the next save.
    EXPECT_EQ(document.Editor().Text(), u"first\r\nsecond\r\n"_s);
}

TEST_F(FloatEditorProperty, OctetStreamShowsNoCharset) {
    document.SetCharset(SCS_OCTETSTREAM);
    window.SetTarget(&document);
    EXPECT_EQ(charsets().currentIndex(), -1);
    EXPECT_EQ(breaks().currentText(), u"LF [Unix]"_s);
}

TEST_F(FloatEditorProperty, TheSameTargetAgainChangesNothingUntilAskedToUpdate) {
    window.SetTarget(&document);
    document.SetBreakCode(SLB_CRLF);
    window.SetTarget(&document);
    EXPECT_EQ(breaks().currentText(), u"LF [Unix]"_s);
    window.UpdateProperties();
    EXPECT_EQ(breaks().currentText(), u"CR + LF [Windows]"_s);
}

TEST_F(FloatEditorProperty, NoTargetClearsTheWindowAndIgnoresTheLists) {
    window.SetTarget(&document);
    window.SetTarget(nullptr);
    EXPECT_EQ(window.Target(), nullptr);
    EXPECT_TRUE(fileName().text().isEmpty());
    EXPECT_EQ(charsets().currentIndex(), -1);
    charsets().setCurrentIndex(0);
    EXPECT_EQ(document.Charset(), SCS_EUC);
}

TEST_F(FloatEditorProperty, ForgetsADocumentThatGoesAway) {
    auto other = std::make_unique<ChildWindow>(host);
    window.SetTarget(other.get());
    other.reset();
    EXPECT_EQ(window.Target(), nullptr);
    window.UpdateProperties();
    EXPECT_TRUE(fileName().text().isEmpty());
}

TEST_F(FloatEditorProperty, EscEnterAndTheCloseBoxHideIt) {
    const std::pair<QWidget*, Qt::Key> presses[] = {{&fileName(), Qt::Key_Escape},
                                                    {&charsets(), Qt::Key_Return},
                                                    {&breaks(), Qt::Key_Enter},
                                                    {&window, Qt::Key_Escape}};
    for (const auto& [target, key] : presses) {
        window.show();
        QTest::keyClick(target, key);
        EXPECT_TRUE(window.isHidden()) << target->objectName().toStdString() << " " << key;
    }
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(window.isHidden());
    // Hidden, not gone: it keeps its target for the next showing.
    window.SetTarget(&document);
    window.show();
    EXPECT_EQ(fileName().text(), document.FullPath());
}

} // namespace
