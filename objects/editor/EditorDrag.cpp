// Dragging text out of, into and within the box. The object starts the drags itself, so that
// a move within the box is completed at drag end as one change.
#include "orvenly/TextBox.h"
#include "orvenly/TextEditor.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace orvenly {

namespace {

bool ctrlHeld(const QDropEvent& event) {
    return event.modifiers() & Qt::ControlModifier;
}

} // namespace

bool TextEditor::pressForDrag(QMouseEvent& event) {
    m_dragCandidate = false;
    if (event.button() != Qt::LeftButton)
        return false;
    TextBox& box = target();
    const qsizetype at = box.positionAt(event.position().toPoint());
    if (!box.hasSelection() || at < box.selectionStart() || at >= box.selectionEnd())
        return false;
    if (!EnableTextDrag) {
        box.setCursorPosition(at);
        return false;
    }
    m_dragCandidate = true;
    m_dragPressedAt = event.position().toPoint();
    return true;
}

bool TextEditor::moveForDrag(QMouseEvent& event) {
    if (!m_dragCandidate)
        return false;
    if ((event.position().toPoint() - m_dragPressedAt).manhattanLength() >=
        QApplication::startDragDistance()) {
        m_dragCandidate = false;
        runDrag();
    }
    return true;
}

bool TextEditor::releaseForDrag(QMouseEvent& event) {
    if (!m_dragCandidate)
        return false;
    m_dragCandidate = false;
    // The press on the selection was a click: the caret goes under the mouse.
    TextBox& box = target();
    box.setCursorPosition(box.positionAt(event.position().toPoint()));
    return true;
}

void TextEditor::runDrag() {
    m_movePending = false;
    m_dragFromSelf = true;
    m_draggedOver = false;
    GetSel2(m_dragSourceStart, m_dragSourceLast);
    auto* data = new QMimeData;
    data->setText(SelText());
    const Qt::DropAction effect = performDrag(data);
    if (m_target)
        dragEnded(effect);
}

Qt::DropAction TextEditor::performDrag(QMimeData* data) {
    auto* drag = new QDrag(&target());
    drag->setMimeData(data);
    return drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void TextEditor::dragEnded(Qt::DropAction effect) {
    TextBox& box = target();
    Handled = false;
    m_dragFromSelf = false;
    if (!m_draggedOver)
        box.setCursorPosition(box.positionAt(box.viewport()->mapFromGlobal(QCursor::pos())));
    const int s = m_dragSourceStart;
    const int l = m_dragSourceLast;
    if (m_movePending) {
        m_movePending = false;
        const int d = m_dropPosition;
        // Dropped inside its own source: nothing moves.
        if (d >= s && d <= l)
            return;
        const QString text = Text();
        if (d < s) {
            SetSel2(d, l);
            ReplaceSel(text.mid(s, l - s) + text.mid(d, s - d));
        } else {
            SetSel2(s, d);
            ReplaceSel(text.mid(l, d - l) + text.mid(s, l - s));
        }
        SetSelStart(d);
    } else if (effect == Qt::MoveAction) {
        // The text went elsewhere; the source goes even if hovering here moved the caret.
        SetSel2(s, l);
        ClearSel();
    }
}

bool TextEditor::dragOver(QDragMoveEvent& event) {
    if (takeHandled())
        return false;
    if (!EnableTextDrag || !event.mimeData()->hasText()) {
        event.ignore();
        return true;
    }
    m_draggedOver = true;
    const Qt::DropAction action = ctrlHeld(event) ? Qt::CopyAction : Qt::MoveAction;
    if (!(event.possibleActions() & action)) {
        event.ignore();
        return true;
    }
    // The caret follows the mouse; the drop lands there.
    TextBox& box = target();
    box.setCursorPosition(box.positionAt(event.position().toPoint()));
    event.setDropAction(action);
    event.accept();
    return true;
}

bool TextEditor::drop(QDropEvent& event) {
    if (takeHandled())
        return false;
    if (!EnableTextDrag || !event.mimeData()->hasText()) {
        event.ignore();
        return true;
    }
    TextBox& box = target();
    box.setCursorPosition(box.positionAt(event.position().toPoint()));
    if (ctrlHeld(event)) {
        event.setDropAction(Qt::CopyAction);
        ReplaceSel(event.mimeData()->text());
    } else if (m_dragFromSelf) {
        // The move is completed at drag end; the drag itself must delete nothing.
        m_movePending = true;
        m_dropPosition = SelStart();
        event.setDropAction(Qt::CopyAction);
    } else {
        event.setDropAction(Qt::MoveAction);
        ReplaceSel(event.mimeData()->text());
    }
    event.accept();
    return true;
}

} // namespace orvenly
