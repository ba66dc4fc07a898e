#include "tests/objects/editor/TextEditorTestSupport.h"

#include "orvenly/AutomationError.h"
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"
#include "orvenly/TextEditor.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using orvenly::AutomationError;
using orvenly::TextEditor;

namespace {

class TextEditorTest : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(haveWidgets());
        box.resize(400, 300);
        editor.Load(&box);
    }
    orvenly::TextBox box;
    TextEditor editor;
};

TEST_F(TextEditorTest, LoadRefusesNothingAndObjectsThatAreNotTextBoxes) {
    QLineEdit line;
    for (QObject* wrong : {static_cast<QObject*>(nullptr), static_cast<QObject*>(&line)}) {
        try {
            editor.Load(wrong);
            FAIL() << "no error";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.number(), 35610);
            EXPECT_EQ(error.description(), u"オブジェクトが不正です。"_s);
            EXPECT_EQ(error.source(), u"OrvenlyCls.TextEditor"_s);
        }
    }
    // The earlier target stays.
    EXPECT_EQ(editor.Target(), &box);
}

TEST_F(TextEditorTest, MembersFailWithoutTarget) {
    TextEditor idle;
    try {
        (void)idle.SelStart();
        FAIL() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.number(), 91);
    }
}

TEST_F(TextEditorTest, TextKeepsCrLfAndTurnsLoneBreaksIntoLines) {
    editor.SetText(u"a\rb\nc\r\nd"_s);
    EXPECT_EQ(box.storage().lineCount(), 4);
    EXPECT_EQ(editor.Text(), u"a\r\nb\r\nc\r\nd"_s);
    // Characters the box would turn into others come back as they went in.
    editor.SetText(u"x\u00a0y"_s);
    EXPECT_EQ(editor.Text(), u"x\u00a0y"_s);
    editor.SetText(QString());
    EXPECT_EQ(editor.Text(), QString());
}

TEST_F(TextEditorTest, PositionsCountCrLfAsTwoCharacters) {
    editor.SetText(u"あいa"_s);
    editor.SetSel(1, 1);
    EXPECT_EQ(editor.SelStart(), 1);
    EXPECT_EQ(editor.SelText(), u"い"_s);

    editor.SetText(u"ab\r\ncd\r\n\r\nef"_s);
    editor.SetSel2(1, 5);
    EXPECT_EQ(editor.SelText(), u"b\r\nc"_s);
    EXPECT_EQ(editor.SelEnd(), 5);
    EXPECT_EQ(editor.SelLength(), 4);
    int32_t start = 0;
    int32_t length = 0;
    editor.GetSel(start, length);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(length, 4);
    // Between CR and LF is before the break.
    editor.SetSelStart(3);
    EXPECT_EQ(editor.SelStart(), 2);
    editor.SetSelStart(8);
    QCoreApplication::processEvents();
    EXPECT_EQ(box.storage().lineOf(box.cursorPosition()), 2);
    editor.SetSelStart(10);
    EXPECT_EQ(editor.SelText(), QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(box.storage().lineOf(box.cursorPosition()), 3);
    // Beyond the end is the end.
    editor.SetSelStart(1000);
    EXPECT_EQ(editor.SelStart(), 12);
}

// Selections set through the members reach the box lazily, but always before anything else
// reaches it, and the members' edits and undo work on them meanwhile.
TEST_F(TextEditorTest, MemberSelectionsReachTheBoxBeforeItsNextEvent) {
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    editor.SetText(u"abc\r\ndef\r\nghi"_s);
    editor.SetSel(5, 2);
    EXPECT_EQ(editor.SelText(), u"de"_s);
    QTest::keyClicks(&box, u"X"_s);
    EXPECT_EQ(editor.Text(), u"abc\r\nXf\r\nghi"_s);

    editor.SetSel(0, 1);
    editor.ReplaceSel(u"12"_s);
    editor.SetSel(10, 3);
    editor.ReplaceSel(u"\r\n"_s);
    EXPECT_EQ(editor.Text(), u"12bc\r\nXf\r\n\r\n"_s);
    EXPECT_EQ(editor.SelStart(), 12);
    QCoreApplication::processEvents();
    EXPECT_EQ(box.cursorPosition(), 9);
    editor.Undo();
    EXPECT_EQ(editor.Text(), u"12bc\r\nXf\r\nghi"_s);

    // A run of far jumps leaves the last one shown.
    QString text;
    for (int i = 0; i < 500; ++i)
        text += u"line\r\n"_s;
    editor.SetText(text);
    for (int line : {400, 20, 250, 480})
        editor.SetSelStart(line * 6);
    EXPECT_GT(editor.TopIndex(), 400);
    EXPECT_LE(editor.TopIndex(), 481);
}

TEST_F(TextEditorTest, SelLengthKeepsTheStartAndRefusesNegativeValues) {
    editor.SetText(u"one\r\ntwo"_s);
    editor.SetSelStart(2);
    editor.SetSelLength(4);
    EXPECT_EQ(editor.SelText(), u"e\r\nt"_s);
    editor.SetSelLength(0);
    EXPECT_EQ(editor.SelStart(), 2);
    EXPECT_EQ(editor.SelLength(), 0);
    EXPECT_THROW(editor.SetSelLength(-1), AutomationError);
}

TEST_F(TextEditorTest, InflateSelClampsAtTheStart) {
    editor.SetText(u"abcdef"_s);
    editor.SetSel2(2, 3);
    editor.InflateSel(5, 1);
    EXPECT_EQ(editor.SelText(), u"abcd"_s);
    editor.SetSel2(2, 3);
    editor.InflateSel(0, -5);
    EXPECT_EQ(editor.SelStart(), 2);
    EXPECT_EQ(editor.SelLength(), 0);
}

TEST_F(TextEditorTest, ReplaceSelUndoAndModify) {
    editor.SetText(u"abc"_s);
    EXPECT_FALSE(editor.Modify());
    EXPECT_FALSE(editor.CanUndo());
    editor.SetSel(1, 1);
    editor.ReplaceSel(u"X\r\nY"_s);
    EXPECT_EQ(editor.Text(), u"aX\r\nYc"_s);
    EXPECT_TRUE(editor.Modify());
    EXPECT_TRUE(editor.CanUndo());
    editor.Undo();
    EXPECT_EQ(editor.Text(), u"abc"_s);

    editor.ClearModify();
    EXPECT_FALSE(editor.Modify());
    editor.SetSel(0, 1);
    editor.ReplaceSel(u"Z"_s, false);
    EXPECT_EQ(editor.Text(), u"Zbc"_s);
    // Nothing earlier is left to undo across a change that cannot be undone.
    EXPECT_FALSE(editor.CanUndo());
    editor.SetSel(0, 1);
    editor.ClearSel();
    EXPECT_EQ(editor.Text(), u"bc"_s);
    editor.ClearUndo();
    EXPECT_FALSE(editor.CanUndo());
}

TEST_F(TextEditorTest, MetricsMarginAndTabStops) {
    QFont font(u"Monospace"_s);
    font.setPixelSize(14);
    editor.SetFont(font);
    const QFontMetrics metrics(font);
    EXPECT_EQ(editor.AverageCharWidth(), metrics.averageCharWidth());
    EXPECT_EQ(editor.LineHeight(), metrics.height());
    EXPECT_EQ(editor.MarginPixels(), 0);
    editor.SetMargin(true);
    const int width = editor.AverageCharWidth();
    EXPECT_EQ(editor.MarginPixels(), int(std::nearbyint(1.5 * width)));
    EXPECT_EQ(box.viewport()->geometry().left() - box.contentsRect().left(), editor.MarginPixels());
    editor.SetTabStep(4);
    EXPECT_DOUBLE_EQ(box.tabStopDistance(), 4.0 * width);
    // A font change on the box itself is followed.
    font.setPixelSize(28);
    box.setFont(font);
    EXPECT_EQ(editor.LineHeight(), QFontMetrics(font).height());
    editor.SetMargin(false);
    EXPECT_EQ(box.viewport()->geometry().left(), box.contentsRect().left());
}

TEST_F(TextEditorTest, MarginRoundsHalvesToEven) {
    // 1.5 times 7 is 10.5, which rounds to 10; 1.5 times 5 is 7.5, which rounds to 8.
    EXPECT_EQ(std::nearbyint(1.5 * 7), 10.0);
    EXPECT_EQ(std::nearbyint(1.5 * 5), 8.0);
    editor.SetMarginWidth(2.5f);
    editor.SetMargin(true);
    EXPECT_EQ(editor.MarginPixels(), int(std::nearbyint(2.5 * double(editor.AverageCharWidth()))));
}

TEST_F(TextEditorTest, SecondEditorOnAServedBoxLeavesItsHandlingAlone) {
    {
        TextEditor second;
        second.Load(&box);
        EXPECT_EQ(second.Target(), &box);
        second.SetText(u"shared"_s);
    }
    // The first one still serves the box after the second has gone.
    editor.SetMargin(true);
    EXPECT_GT(box.viewport()->geometry().left(), box.contentsRect().left());
    editor.Unload();
    EXPECT_EQ(editor.Target(), nullptr);
    EXPECT_EQ(box.viewport()->geometry().left(), box.contentsRect().left());
    TextEditor third;
    third.Load(&box);
    third.SetMargin(true);
    EXPECT_GT(box.viewport()->geometry().left(), box.contentsRect().left());
}

} // namespace

namespace {

TEST_F(TextEditorTest, PastedCrLfIsOneLineBreak) {
    QGuiApplication::clipboard()->setText(u"x\r\ny\rz"_s);
    editor.SetText(u"ab"_s);
    editor.SetSelStart(1);
    editor.Paste();
    EXPECT_EQ(editor.Text(), u"ax\r\ny\r\nzb"_s);
    // The host's clipboard takes the line break as LF.
    editor.SetSel(0, 4);
    editor.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"ax\n"_s);
}

} // namespace

namespace {

TEST_F(TextEditorTest, CaretCoordinateAndTopIndexCountCellsAndLines) {
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QString text;
    for (int i = 0; i < 100; ++i)
        text += u"line %1\r\n"_s.arg(i, 2, 10, QLatin1Char('0'));
    editor.SetText(text);
    EXPECT_EQ(editor.TopIndex(), 1);
    // Each line is 9 characters with its CR LF.
    int32_t x = -1;
    int32_t y = -1;
    editor.SetSelStart(3 * 9);
    ASSERT_TRUE(editor.GetCurrentCoordinate(x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 3);
    editor.SetMargin(true);
    editor.SetSelStart(3 * 9 + 7);
    ASSERT_TRUE(editor.GetCurrentCoordinate(x, y));
    const int32_t seventh = x;
    EXPECT_GE(seventh, 5);
    EXPECT_LE(seventh, 8);
    // Far down the box scrolls; the line still counts from the top of the text.
    editor.SetSelStart(90 * 9 + 7);
    EXPECT_GT(editor.TopIndex(), 1);
    ASSERT_TRUE(editor.GetCurrentCoordinate(x, y));
    EXPECT_EQ(x, seventh);
    EXPECT_EQ(y, 90);
}

} // namespace
