// The box's own context menu, and text dropped on it from elsewhere.
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace orvenly {

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const bool editable = !m_readOnly;
    menu.addAction(QStringLiteral("元に戻す(&U)"), this, &TextBox::undo)
        ->setEnabled(editable && m_tree->canUndo());
    menu.addAction(QStringLiteral("やり直し(&R)"), this, &TextBox::redo)
        ->setEnabled(editable && m_tree->canRedo());
    menu.addSeparator();
    menu.addAction(QStringLiteral("切り取り(&T)"), this, &TextBox::cut)
        ->setEnabled(editable && hasSelection());
    menu.addAction(QStringLiteral("コピー(&C)"), this, &TextBox::copy)->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("貼り付け(&P)"), this, &TextBox::paste)
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(QStringLiteral("削除(&D)"), this, [this] { removeOrSelected(0, 0); })
        ->setEnabled(editable && hasSelection());
    menu.addSeparator();
    menu.addAction(QStringLiteral("すべて選択(&A)"), this, &TextBox::selectAll)
        ->setEnabled(!m_tree->isEmpty());
    menu.exec(event->globalPos());
}

void TextBox::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TextBox::dragMoveEvent(QDragMoveEvent* event) {
    if (m_readOnly || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    // The caret follows the mouse; the drop lands there.
    setCursorPosition(positionAt(event->position().toPoint()));
    event->acceptProposedAction();
}

void TextBox::dropEvent(QDropEvent* event) {
    if (m_readOnly || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    setCursorPosition(positionAt(event->position().toPoint()));
    insertText(event->mimeData()->text());
    event->acceptProposedAction();
}

} // namespace orvenly
