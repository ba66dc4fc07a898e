#include "tests/support/TestSupport.h"

#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextCharFormat>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

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

// Tab types a tab unless the box is told to pass the focus on; the keys the box edits with
// are its own before a window's shortcuts; a read-only box moves and copies but never edits.
TEST_F(TextBoxTest, TabShortcutsAndReadOnly) {
    setText(u"ab"_s);
    key(Qt::Key_Tab);
    EXPECT_EQ(box.storage().text(), u"\tab");
    EXPECT_TRUE(box.hasFocus());
    box.setTabChangesFocus(true);
    key(Qt::Key_Tab);
    EXPECT_EQ(box.storage().text(), u"\tab");

    for (const auto& [keyCode, modifiers, owned] :
         {std::tuple{Qt::Key_Z, Qt::ControlModifier, true},
          {Qt::Key_Home, Qt::NoModifier, true},
          {Qt::Key_A, Qt::NoModifier, true},
          {Qt::Key_G, Qt::ControlModifier, false},
          {Qt::Key_F3, Qt::NoModifier, false}}) {
        QKeyEvent override(QEvent::ShortcutOverride, keyCode, modifiers,
                           keyCode == Qt::Key_A ? u"a"_s : QString());
        override.ignore();
        QApplication::sendEvent(&box, &override);
        EXPECT_EQ(override.isAccepted(), owned) << keyCode;
    }

    setText(u"abc"_s);
    box.setReadOnly(true);
    type(u"x"_s);
    key(Qt::Key_Delete);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.storage().text(), u"abc");
    key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(box.selectedText(), u"abc");
    EXPECT_FALSE(box.testAttribute(Qt::WA_InputMethodEnabled));
}

// A screen reader reads the line at the caret and follows the selection.
TEST_F(TextBoxTest, AccessibleTextIsTheStorage) {
    setText(u"一行目\n二行目です"_s);
    box.setSelection(4, 6);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 9);
    EXPECT_EQ(text->cursorPosition(), 6);
    int start = 0, end = 0;
    EXPECT_EQ(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
              u"二行目です");
    EXPECT_EQ(start, 4);
    EXPECT_EQ(text->textBeforeOffset(6, QAccessible::LineBoundary, &start, &end), u"一行目");
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(4, 6));
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

namespace {

// The extent of what is painted in one line of the viewport, apart from the background.
QRect paintedIn(const QImage& image, const TextBox& box, qsizetype line) {
    const QRgb base = box.palette().color(QPalette::Base).rgb();
    const int top = static_cast<int>(line) * box.lineHeight();
    QRect found;
    for (int y = top; y < top + box.lineHeight(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != base)
                found |= QRect(x, y, 1, 1);
    return found;
}

} // namespace

// Each mark is painted in its own cell at both sizes, a full-width space's square, a tab's
// arrow, the bent arrow after a line's last character and [EOF] after the text's; with the
// marks off the text of spaces paints nothing. Neither the text nor a copy holds a mark.
TEST_F(TextBoxTest, MarksArePaintedInTheirCells) {
    const QString text = u" \u3000 \n \t \n  "_s;
    for (const int points : {12, 20}) {
        box.setFont(QFont(u"IPAGothic"_s, points));
        setText(text);
        box.clearFocus(); // no caret
        auto xOf = [this](qsizetype at) {
            box.setCursorPosition(at);
            return box.cursorRect().left();
        };
        const int space[] = {xOf(1), xOf(2)};
        const int tab[] = {xOf(5), xOf(6)};
        const int ends[] = {xOf(3), xOf(7), xOf(10)};
        auto painted = [this](TextBox::Marks marks) {
            box.setMarks(marks);
            const QImage image = box.viewport()->grab().toImage();
            return std::vector<QRect>{paintedIn(image, box, 0), paintedIn(image, box, 1),
                                      paintedIn(image, box, 2)};
        };
        const std::vector<QRect> none = painted({});
        EXPECT_TRUE(none[0].isNull() && none[1].isNull() && none[2].isNull()) << points;

        const std::vector<QRect> square = painted(TextBox::Mark::FullWidthSpace);
        EXPECT_GT(square[0].width(), (space[1] - space[0]) / 3) << points;
        EXPECT_GE(square[0].left(), space[0]) << points;
        EXPECT_LT(square[0].right(), space[1]) << points;
        EXPECT_TRUE(square[1].isNull() && square[2].isNull()) << points;

        const std::vector<QRect> arrow = painted(TextBox::Mark::Tab);
        EXPECT_GE(arrow[1].left(), tab[0]) << points;
        EXPECT_LT(arrow[1].right(), tab[1]) << points;
        EXPECT_TRUE(arrow[0].isNull() && arrow[2].isNull()) << points;

        const std::vector<QRect> breaks = painted(TextBox::Mark::LineEnd);
        EXPECT_GE(breaks[0].left(), ends[0]) << points;
        EXPECT_GE(breaks[1].left(), ends[1]) << points;
        EXPECT_LT(breaks[0].right(), ends[0] + box.fontMetrics().averageCharWidth() + 2) << points;
        EXPECT_TRUE(breaks[2].isNull()) << points;

        const std::vector<QRect> end = painted(TextBox::Mark::EndOfFile);
        EXPECT_GE(end[2].left(), ends[2]) << points;
        EXPECT_TRUE(end[0].isNull() && end[1].isNull()) << points;
    }

    setText(u"a\tb\u3000c\nd"_s);
    box.setMarks(TextBox::Mark::FullWidthSpace | TextBox::Mark::Tab | TextBox::Mark::LineEnd |
                 TextBox::Mark::EndOfFile);
    box.setSelection(0, 6);
    box.viewport()->grab();
    box.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"a\tb\u3000c\n");
    EXPECT_EQ(box.storage().text(), u"a\tb\u3000c\nd");

    // Scrolled to the right end, the mark after the widest line is whole.
    setText(QString(400, u' '));
    box.setMarks(TextBox::Mark::EndOfFile);
    box.clearFocus();
    box.viewport()->grab();
    box.horizontalScrollBar()->setValue(box.horizontalScrollBar()->maximum());
    const QImage scrolled = box.viewport()->grab().toImage();
    const QRect mark = paintedIn(scrolled, box, 0);
    EXPECT_GT(mark.width(), box.fontMetrics().averageCharWidth());
    EXPECT_LT(mark.right(), scrolled.width() - 2);
}

// A composition is shown where its text goes in: a caret that the program moves takes it along,
// and a click ends it (here, with no input method to commit it, it is dropped) before the caret
// moves.
TEST_F(TextBoxTest, CompositionStaysAtTheCaret) {
    setText(u"abc\nxyz"_s);
    box.setCursorPosition(1);
    const int atOne = caretX();
    box.setCursorPosition(0);
    const QRect plain = paintedIn(box.viewport()->grab().toImage(), box, 1);
    auto compose = [this] {
        box.setCursorPosition(box.storage().text().size());
        QInputMethodEvent preedit(u"かんじ"_s, {});
        QApplication::sendEvent(&box, &preedit);
        return paintedIn(box.viewport()->grab().toImage(), box, 1);
    };
    EXPECT_GT(compose().right(), plain.right());
    box.setCursorPosition(1);
    EXPECT_EQ(paintedIn(box.viewport()->grab().toImage(), box, 1), plain);
    EXPECT_GT(caretX(), atOne + box.fontMetrics().horizontalAdvance(u"かんじ"_s) - 2);
    QInputMethodEvent commit;
    commit.setCommitString(u"漢字"_s);
    QApplication::sendEvent(&box, &commit);
    EXPECT_EQ(box.storage().text(), u"a漢字bc\nxyz");

    EXPECT_GT(compose().right(), plain.right());
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {},
                      box.pointOf(1) + QPoint(1, box.lineHeight() / 2));
    EXPECT_EQ(box.cursorPosition(), 1);
    EXPECT_EQ(caretX(), atOne);
    EXPECT_EQ(paintedIn(box.viewport()->grab().toImage(), box, 1), plain);
    EXPECT_EQ(box.storage().text(), u"a漢字bc\nxyz");
}

// The line numbers take room right of the client's strip, a digit more from line 100 on, and
// none when hidden; a click on a number selects its line with its break, a drag or a Shift
// click whole lines from there.
TEST_F(TextBoxTest, LineNumberMargin) {
    const int frame = box.contentsRect().left();
    EXPECT_EQ(box.viewport()->x(), frame);
    box.setLineNumbersVisible(true);
    setText(QString(98, u'\n'));
    const int twoDigits = box.viewport()->x();
    EXPECT_GT(twoDigits, frame + 2 * box.fontMetrics().horizontalAdvance(u'9'));
    box.storage().insert(0, u"\n"_s);
    const int threeDigits = box.viewport()->x();
    EXPECT_GE(threeDigits - twoDigits, box.fontMetrics().horizontalAdvance(u'9'));
    box.setLeftMargin(10);
    EXPECT_EQ(box.viewport()->x(), threeDigits + 10);
    box.setLineNumbersVisible(false);
    EXPECT_EQ(box.viewport()->x(), frame + 10);
    box.setLineNumbersVisible(true);

    setText(u"first\nsecond\nthird"_s);
    QWidget* numbers = box.childAt(box.viewport()->x() - 2, box.viewport()->y() + 1);
    ASSERT_NE(numbers, nullptr);
    const auto onLine = [&](int line) { return QPoint(2, line * box.lineHeight() + 2); };
    QTest::mousePress(numbers, Qt::LeftButton, {}, onLine(1));
    EXPECT_EQ(box.selectedText(), u"second\n");
    const auto dragTo = [&](int line) {
        QMouseEvent move(QEvent::MouseMove, onLine(line), numbers->mapToGlobal(onLine(line)),
                         Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(numbers, &move);
    };
    dragTo(2);
    EXPECT_EQ(box.selectedText(), u"second\nthird");
    dragTo(0);
    EXPECT_EQ(box.selectedText(), u"first\nsecond\n");
    EXPECT_EQ(box.cursorPosition(), 0);
    QTest::mouseRelease(numbers, Qt::LeftButton, {}, onLine(0));
    QTest::mousePress(numbers, Qt::LeftButton, Qt::ShiftModifier, onLine(2));
    EXPECT_EQ(box.selectedText(), u"second\nthird");
}

// Typing and caret moves repaint their own lines; a new break repaints from its line down.
TEST_F(TextBoxTest, RepaintsOnlyWhatChanged) {
    setText(u"one\ntwo\nthree\nfour\nfive"_s);
    QCoreApplication::processEvents();
    struct Painted : QObject {
        QRegion region;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                region += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } painted;
    box.viewport()->installEventFilter(&painted);
    const int line = box.lineHeight();
    auto paintedAfter = [&](const std::function<void()>& action) {
        QCoreApplication::processEvents();
        painted.region = QRegion();
        action();
        QCoreApplication::processEvents();
        return painted.region.boundingRect();
    };
    box.setCursorPosition(5);
    QRect area = paintedAfter([&] { key(Qt::Key_Right); });
    EXPECT_EQ(area.top(), line);
    EXPECT_EQ(area.height(), line);
    area = paintedAfter([&] { type(u"x"_s); });
    EXPECT_EQ(area.top(), line);
    EXPECT_EQ(area.height(), line);
    area = paintedAfter([&] { key(Qt::Key_Return); });
    EXPECT_EQ(area.top(), line);
    EXPECT_GE(area.bottom(), 5 * line);
}
