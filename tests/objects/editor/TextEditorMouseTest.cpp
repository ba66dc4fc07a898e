#include "tests/objects/editor/TextEditorTestSupport.h"

#include "orvenly/TextEditor.h"

#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using orvenly::TextEditor;

namespace {

class TextEditorMouseTest : public ShownEditorTest<> {
protected:
    void SetUp() override {
        ShownEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        editor.SetMargin(true);
        editor.SetMarginWidth(3);
        editor.SetText(u"zero\r\none\r\ntwo\r\nthree\r\nfour"_s);
        margin = box.childAt(box.contentsRect().left() + 1, box.contentsRect().top() + 1);
        ASSERT_NE(margin, nullptr);
        ASSERT_NE(margin, box.viewport());
    }
    // A point in the margin on the given line.
    QPoint onLine(int line) const {
        return QPoint(2, box.pointOf(box.storage().lineStart(line)).y() + box.lineHeight() / 2);
    }
    QWidget* margin = nullptr;
};

TEST_F(TextEditorMouseTest, MarginSelectsWholeLinesDownward) {
    QTest::mousePress(margin, Qt::LeftButton, {}, onLine(1));
    EXPECT_EQ(editor.SelText(), u"one\r\n"_s);
    QTest::mouseMove(margin, onLine(3));
    QTest::mouseRelease(margin, Qt::LeftButton, {}, onLine(3));
    EXPECT_EQ(editor.SelText(), u"one\r\ntwo\r\nthree\r\n"_s);
    EXPECT_EQ(box.cursorPosition(), box.selectionEnd());
    // The last line has no break to take.
    QTest::mousePress(margin, Qt::LeftButton, {}, onLine(4));
    QTest::mouseRelease(margin, Qt::LeftButton, {}, onLine(4));
    EXPECT_EQ(editor.SelText(), u"four"_s);
}

TEST_F(TextEditorMouseTest, MarginSelectsWholeLinesUpwardWithTheCaretAtTheTop) {
    QTest::mousePress(margin, Qt::LeftButton, {}, onLine(3));
    QTest::mouseMove(margin, onLine(1));
    QTest::mouseRelease(margin, Qt::LeftButton, {}, onLine(1));
    EXPECT_EQ(editor.SelText(), u"one\r\ntwo\r\nthree\r\n"_s);
    EXPECT_EQ(box.cursorPosition(), box.selectionStart());
    // After the release the mouse no longer extends anything.
    QTest::mouseMove(margin, onLine(4));
    EXPECT_EQ(editor.SelText(), u"one\r\ntwo\r\nthree\r\n"_s);
}

TEST_F(TextEditorMouseTest, TypingDuringALineSelectionIsDiscarded) {
    QTest::mousePress(margin, Qt::LeftButton, {}, onLine(0));
    QTest::keyClicks(&box, u"q"_s);
    QTest::mouseRelease(margin, Qt::LeftButton, {}, onLine(0));
    EXPECT_EQ(editor.Text(), u"zero\r\none\r\ntwo\r\nthree\r\nfour"_s);
}

TEST_F(TextEditorMouseTest, ContextMenuCanBeCancelledOrLeftToTheBox) {
    int raised = 0;
    bool cancel = true;
    QObject::connect(&editor, &TextEditor::ContextMenu,
                     [&](int32_t, int32_t, int32_t, bool& DefaultMenu) {
                         ++raised;
                         if (cancel)
                             DefaultMenu = false;
                     });
    bool menuShown = false;
    bool watched = false;
    // Looks once for the menu, after the event has had its chance to open it.
    auto watchMenu = [&] {
        watched = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuShown = true;
                popup->close();
            }
            watched = true;
        });
    };
    const QPoint at(60, 20);
    watchMenu();
    QContextMenuEvent cancelled(QContextMenuEvent::Mouse, at, box.viewport()->mapToGlobal(at));
    QApplication::sendEvent(box.viewport(), &cancelled);
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched; }));
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(menuShown);

    cancel = false;
    watchMenu();
    QContextMenuEvent shown(QContextMenuEvent::Mouse, at, box.viewport()->mapToGlobal(at));
    QApplication::sendEvent(box.viewport(), &shown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched; }));
    EXPECT_EQ(raised, 2);
    EXPECT_TRUE(menuShown);
}

} // namespace
