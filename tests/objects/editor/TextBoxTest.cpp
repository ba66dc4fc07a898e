#include "tests/support/TestSupport.h"

#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextCharFormat>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using orvenly::TextBox;

namespace {

class TextBoxTest : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override {
        box.resize(400, 300);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.setFocus();
    }
    void setText(const QString& text) {
        box.storage().setText(text);
        box.setCursorPosition(0);
    }
    // From the text's left edge, whatever the scrolling.
    int caretX() const { return box.cursorRect().left() + box.horizontalScrollBar()->value(); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&box, key, modifiers);
    }
    void type(const QString& text) { QTest::keyClicks(&box, text); }
    TextBox box;
};

} // namespace

// Every position of half- and full-width text, tabs among it, is found again under its own
// caret, across the edge of a long line's segments too; full-width characters are wider and
// a tab ends at its stop.
TEST_F(TextBoxTest, HitTestingFindsEveryCaretPosition) {
    const QString line = u"ab\tあい漢ｱｲ x\t"_s;
    setText(line + u"\n"_s + u"全角と半角abc"_s + u"\n"_s + QString(5000, u'x') + u"字"_s);
    const qsizetype lines[] = {0, line.size() + 1};
    for (const qsizetype start : lines) {
        for (qsizetype at = start; at < box.storage().lineEnd(box.storage().lineOf(start)); ++at) {
            box.setCursorPosition(at);
            const QRect caret = box.cursorRect();
            EXPECT_EQ(box.positionAt(caret.center() + QPoint(1, 0)), at) << at;
        }
    }
    box.setCursorPosition(3);
    EXPECT_EQ(caretX() - 4, qRound(box.tabStopDistance()));
    box.setCursorPosition(4);
    const int narrow = caretX();
    box.setCursorPosition(5);
    const int wide = caretX() - narrow;
    box.setCursorPosition(7);
    const int half = caretX();
    box.setCursorPosition(8);
    EXPECT_GT(wide, caretX() - half);

    // Across the cut at 4096 characters the caret moves by one character's width.
    const qsizetype longLine = box.storage().lineStart(2);
    box.setCursorPosition(longLine + 4095);
    const int before = caretX();
    box.setCursorPosition(longLine + 4096);
    EXPECT_NEAR(caretX() - before, box.fontMetrics().horizontalAdvance(u'x'), 1);
    EXPECT_EQ(box.positionAt(box.cursorRect().center() + QPoint(1, 0)), longLine + 4096);
}

// Up and Down keep to the x where they began, over lines of different widths; Home, End,
// Shift selection and Ctrl+arrow words by character class.
TEST_F(TextBoxTest, CaretMovesByKeys) {
    setText(u"漢字かなカナabc def\nab\n全角全角全角"_s);
    box.setCursorPosition(4);
    key(Qt::Key_Down);
    EXPECT_EQ(box.cursorPosition(), box.storage().lineEnd(1));
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(box.cursorPosition(), 4);

    box.setCursorPosition(0);
    std::vector<qsizetype> stops;
    for (int i = 0; i < 5; ++i) {
        key(Qt::Key_Right, Qt::ControlModifier);
        stops.push_back(box.cursorPosition());
    }
    EXPECT_EQ(stops, (std::vector<qsizetype>{2, 4, 6, 10, 13}));
    key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(box.cursorPosition(), 10);

    key(Qt::Key_Home);
    key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(box.selectedText(), u"漢字かなカナabc def");
    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(box.cursorPosition(), box.storage().length());
    EXPECT_FALSE(box.hasSelection());
}

// Typed characters undo together; Backspace takes a surrogate pair whole; Insert overwrites
// within a line but not its break; Return breaks the line.
TEST_F(TextBoxTest, EditingKeys) {
    setText(u"x\U0001F600\nyz"_s);
    box.setCursorPosition(3);
    key(Qt::Key_Backspace);
    EXPECT_EQ(box.storage().text(), u"x\nyz");
    type(u"abc"_s);
    key(Qt::Key_Return);
    EXPECT_EQ(box.storage().text(), u"xabc\n\nyz");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.storage().text(), u"xabc\nyz");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.storage().text(), u"x\nyz");

    box.setCursorPosition(3);
    key(Qt::Key_Insert);
    type(u"ABC"_s);
    EXPECT_EQ(box.storage().text(), u"x\nyABC");
    box.setCursorPosition(0);
    type(u"QR"_s);
    EXPECT_EQ(box.storage().text(), u"QR\nyABC"); // the break stays
}

// Double-click selects a run of one character class; a drag selects from press to release.
TEST_F(TextBoxTest, MouseSelects) {
    setText(u"これは漢字テストabc"_s);
    auto pointOf = [this](qsizetype at) {
        box.setCursorPosition(at);
        return box.cursorRect().center() + QPoint(2, 0);
    };
    const QPoint kanji = pointOf(3);
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, kanji);
    EXPECT_EQ(box.selectedText(), u"漢字");
    const QPoint katakana = pointOf(6);
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, katakana);
    EXPECT_EQ(box.selectedText(), u"テスト");

    const QPoint from = pointOf(1);
    const QPoint to = pointOf(10);
    QTest::mousePress(box.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, box.viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &move);
    QTest::mouseRelease(box.viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(box.selectedText(), u"れは漢字テストab");
}

// A preedit is shown but not stored, moves the caret by its cursor attribute and is what the
// input method sees; a commit with a replacement range is one undo step.
TEST_F(TextBoxTest, InputMethodPreeditAndCommit) {
    setText(u"abc\nxyz"_s);
    box.setCursorPosition(3);
    const int before = caretX();
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QInputMethodEvent preedit(u"かんじ"_s, {{QInputMethodEvent::TextFormat, 0, 3, underline},
                                            {QInputMethodEvent::Cursor, 2, 1, {}}});
    QApplication::sendEvent(&box, &preedit);
    EXPECT_EQ(box.storage().text(), u"abc\nxyz");
    EXPECT_GT(caretX(), before + box.fontMetrics().horizontalAdvance(u"かん"_s) - 2);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImSurroundingText).toString(), u"abc");
    EXPECT_EQ(box.inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);
    EXPECT_EQ(box.inputMethodQuery(Qt::ImCursorRectangle).toRect().height(), box.lineHeight());

    QInputMethodEvent commit;
    commit.setCommitString(u"漢字"_s, -2, 2);
    QApplication::sendEvent(&box, &commit);
    EXPECT_EQ(box.storage().text(), u"a漢字\nxyz");
    EXPECT_EQ(box.cursorPosition(), 3);
    box.undo();
    EXPECT_EQ(box.storage().text(), u"abc\nxyz");

    box.setSelection(4, 7);
    QInputMethodEvent replace;
    replace.setCommitString(u"ぜんぶ"_s);
    QApplication::sendEvent(&box, &replace);
    EXPECT_EQ(box.storage().text(), u"abc\nぜんぶ");
    box.undo();
    EXPECT_EQ(box.storage().text(), u"abc\nxyz");
}
