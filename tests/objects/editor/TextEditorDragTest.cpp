#include "tests/objects/editor/TextEditorTestSupport.h"

#include "orvenly/TextEditor.h"

#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using orvenly::TextEditor;

namespace {

// The host's drag loop, played by hand: the drag moves over the box to a point and drops.
class DraggingEditor : public TextEditor {
public:
    QPoint dropAt;
    Qt::KeyboardModifiers modifiers;
    QString dragged;
    // Another program takes the drop with this effect, the box never seeing the drag.
    Qt::DropAction elsewhere = Qt::IgnoreAction;

protected:
    Qt::DropAction performDrag(QMimeData* data) override {
        std::unique_ptr<QMimeData> owned(data);
        dragged = data->text();
        if (elsewhere != Qt::IgnoreAction)
            return elsewhere;
        QWidget* viewport = Target()->viewport();
        const Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(dropAt, allowed, data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(dropAt, allowed, data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(viewport, &move);
        if (!move.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(dropAt, allowed, data, Qt::LeftButton, modifiers);
        drop.setDropAction(move.dropAction());
        QApplication::sendEvent(viewport, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
};

class TextEditorDragTest : public ShownEditorTest<DraggingEditor> {
protected:
    // Viewport point in front of the character at a document position.
    QPoint at(int position) const {
        return box.pointOf(position) + QPoint(1, box.lineHeight() / 2);
    }
    // Presses at from with the real mouse and drags far enough to start a drag to to.
    void dragTo(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        editor.dropAt = to;
        editor.modifiers = modifiers;
        QTest::mousePress(box.viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(box.viewport(), from + QPoint(30, 0));
    }
    // Text from another program dropped at a point: the effect, or none when refused.
    Qt::DropAction dropFromElsewhere(QMimeData& data, QPoint to) {
        const Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(to, allowed, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.viewport(), &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(to, allowed, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.viewport(), &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
};

TEST_F(TextEditorDragTest, MovingTheSelectionWithinTheBoxHappensAtDragEnd) {
    editor.SetText(u"abcXYZ"_s);
    editor.SetSel(0, 3);
    dragTo(at(1), at(6) + QPoint(20, 0));
    EXPECT_EQ(editor.Text(), u"XYZabc"_s);
    EXPECT_EQ(editor.SelStart(), 6);
    // One undo step puts it back.
    editor.Undo();
    EXPECT_EQ(editor.Text(), u"abcXYZ"_s);
}

TEST_F(TextEditorDragTest, DroppingIntoItsOwnSourceChangesNothing) {
    editor.SetText(u"abcXYZ"_s);
    editor.SetSel(0, 3);
    dragTo(at(1), at(2));
    EXPECT_EQ(editor.Text(), u"abcXYZ"_s);
}

TEST_F(TextEditorDragTest, CtrlCopiesAndTextFromElsewhereIsInserted) {
    editor.SetText(u"abcXYZ"_s);
    editor.SetSel(3, 3);
    dragTo(at(4), at(0), Qt::ControlModifier);
    EXPECT_EQ(editor.Text(), u"XYZabcXYZ"_s);

    QMimeData data;
    data.setText(u"new\r\nline"_s);
    EXPECT_EQ(dropFromElsewhere(data, at(0)), Qt::MoveAction);
    EXPECT_EQ(editor.Text(), u"new\r\nlineXYZabcXYZ"_s);
}

TEST_F(TextEditorDragTest, MovingToAnotherProgramDeletesTheSourceCopyingKeepsIt) {
    editor.SetText(u"ab\r\ncdef"_s);
    editor.SetSel(1, 3);
    editor.elsewhere = Qt::CopyAction;
    dragTo(at(1), QPoint(300, 200));
    EXPECT_EQ(editor.dragged, u"b\r\n"_s);
    EXPECT_EQ(editor.Text(), u"ab\r\ncdef"_s);
    editor.SetSel(1, 3);
    editor.elsewhere = Qt::MoveAction;
    dragTo(at(1), QPoint(300, 200));
    EXPECT_EQ(editor.Text(), u"acdef"_s);
}

TEST_F(TextEditorDragTest, AClickOnTheSelectionPutsTheCaretThere) {
    editor.SetText(u"abcdef"_s);
    editor.SetSel(0, 4);
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, at(2));
    EXPECT_EQ(editor.SelLength(), 0);
    EXPECT_EQ(editor.SelStart(), 2);
    EXPECT_TRUE(editor.dragged.isEmpty());
}

TEST_F(TextEditorDragTest, DisabledDraggingRefusesDropsAndHandledLeavesThemToTheBox) {
    editor.SetText(u"abc"_s);
    QMimeData data;
    data.setText(u"x"_s);
    editor.EnableTextDrag = false;
    EXPECT_EQ(dropFromElsewhere(data, at(1)), Qt::IgnoreAction);
    EXPECT_EQ(editor.Text(), u"abc"_s);
    // A client that deals with the drag itself says so; the object resets the flag.
    editor.Handled = true;
    QDragEnterEvent enter(at(1), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &enter);
    EXPECT_FALSE(editor.Handled);
}

} // namespace
