#include "tests/objects/editor/TextEditorTestSupport.h"

#include "orvenly/TextEditor.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using orvenly::TextEditor;

namespace {

class TextEditorKeysTest : public ShownEditorTest<> {
protected:
    void key(Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&box, code, modifiers);
    }
};

TEST_F(TextEditorKeysTest, EnterTruncatesTheWhiteSpaceAroundTheBreakAndIndents) {
    editor.SetText(u"  foo    bar"_s);
    editor.SetSelStart(7);
    key(Qt::Key_Return);
    EXPECT_EQ(editor.Text(), u"  foo\r\n  bar"_s);
    EXPECT_EQ(editor.SelStart(), 9);
}

TEST_F(TextEditorKeysTest, EnterOnALineOfSpacesMovesThemToTheNewLine) {
    editor.SetText(u"x\r\n    \r\ny"_s);
    editor.SetSelStart(6);
    key(Qt::Key_Return);
    // Three spaces before the caret move, the one after it follows them.
    EXPECT_EQ(editor.Text(), u"x\r\n\r\n    \r\ny"_s);
    EXPECT_EQ(editor.SelStart(), 8);
}

TEST_F(TextEditorKeysTest, EnterFollowsEachSettingAlone) {
    editor.AutoTruncate = false;
    editor.SetText(u"\tab  cd"_s);
    editor.SetSelStart(5);
    key(Qt::Key_Return);
    EXPECT_EQ(editor.Text(), u"\tab  \r\n\tcd"_s);

    editor.AutoTruncate = true;
    editor.AutoIndent = false;
    editor.SetText(u"\tab  cd"_s);
    editor.SetSelStart(4);
    key(Qt::Key_Return);
    EXPECT_EQ(editor.Text(), u"\tab\r\ncd"_s);

    editor.AutoTruncate = false;
    editor.SetText(u"  ab"_s);
    editor.SetSelStart(4);
    key(Qt::Key_Return);
    EXPECT_EQ(box.storage().lineCount(), 2);
    EXPECT_EQ(editor.Text(), u"  ab\r\n"_s);
}

TEST_F(TextEditorKeysTest, TabIndentsAndShiftTabUnindentsExactlyTheSelectedLines) {
    editor.SetText(u"one\r\n\ttwo\r\nthree\r\nfour"_s);
    // Three whole lines with the last one's CR LF.
    editor.SetSel2(0, 17);
    key(Qt::Key_Tab);
    EXPECT_EQ(editor.Text(), u"\tone\r\n\t\ttwo\r\n\tthree\r\nfour"_s);
    EXPECT_EQ(editor.SelStart(), 0);
    EXPECT_EQ(editor.SelText(), u"\tone\r\n\t\ttwo\r\n\tthree\r\n"_s);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor.Text(), u"one\r\n\ttwo\r\nthree\r\nfour"_s);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor.Text(), u"one\r\ntwo\r\nthree\r\nfour"_s);
    // One undo step takes the whole block back.
    editor.Undo();
    EXPECT_EQ(editor.Text(), u"one\r\n\ttwo\r\nthree\r\nfour"_s);
}

TEST_F(TextEditorKeysTest, BlockIndentToTheEndKeepsTheLastLinesOwnTab) {
    editor.SetText(u"a\r\nb\t"_s);
    editor.SetSel2(0, 5);
    key(Qt::Key_Tab);
    EXPECT_EQ(editor.Text(), u"\ta\r\n\tb\t"_s);
}

TEST_F(TextEditorKeysTest, ShiftTabAtTheCaretDeletesOneBlank) {
    editor.SetText(u"x\r\n b"_s);
    editor.SetSelStart(3);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor.Text(), u"x\r\nb"_s);
    editor.SetText(u"a b"_s);
    editor.SetSelStart(2);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor.Text(), u"ab"_s);
    // Nothing else is deleted, and no tab is typed.
    editor.SetSelStart(1);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor.Text(), u"ab"_s);
    key(Qt::Key_Tab);
    EXPECT_EQ(editor.Text(), u"a\tb"_s);
}

TEST_F(TextEditorKeysTest, CtrlYDeletesTheCaretsLine) {
    editor.SetText(u"one\r\ntwo\r\nthree"_s);
    editor.SetSelStart(6);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), u"one\r\nthree"_s);
    editor.SetSelStart(8);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), u"one\r\n"_s);
    editor.SetSel(1, 1);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), u"oe\r\n"_s);
}

TEST_F(TextEditorKeysTest, CtrlBackspaceAndCtrlDeleteDeleteToTheWordBoundary) {
    editor.SetText(u"alpha beta gamma"_s);
    editor.SetSelStart(8);
    key(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), u"alpha ta gamma"_s);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), u"alpha gamma"_s);
    editor.SetSel(0, 2);
    key(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), u"pha gamma"_s);
}

TEST_F(TextEditorKeysTest, UpAndDownReturnToTheColumnWhereTheMovementBegan) {
    editor.SetText(u"abcdefgh\r\nab\r\n\r\nabcdefgh"_s);
    editor.SetSelStart(6);
    key(Qt::Key_Down);
    EXPECT_EQ(editor.SelStart(), 12);
    key(Qt::Key_Down);
    EXPECT_EQ(editor.SelStart(), 14);
    key(Qt::Key_Down);
    EXPECT_EQ(editor.SelStart(), 22);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(editor.SelStart(), 6);
    // A typed character forgets the column.
    key(Qt::Key_Down);
    QTest::keyClicks(&box, u"z"_s);
    EXPECT_EQ(editor.SelStart(), 13);
    key(Qt::Key_Up);
    EXPECT_EQ(editor.SelStart(), 3);
}

TEST_F(TextEditorKeysTest, EscapeCollapsesTheSelectionOntoItsStart) {
    editor.SetText(u"abcdef"_s);
    editor.SetSel(1, 3);
    key(Qt::Key_Escape);
    EXPECT_EQ(editor.SelStart(), 1);
    EXPECT_EQ(editor.SelLength(), 0);
}

TEST_F(TextEditorKeysTest, HandledSkipsTheObjectsHandlingOnce) {
    editor.SetText(u"  ab"_s);
    editor.SetSelStart(4);
    editor.Handled = true;
    key(Qt::Key_Return);
    EXPECT_FALSE(editor.Handled);
    EXPECT_EQ(editor.Text(), u"  ab\r\n"_s);
}

} // namespace
