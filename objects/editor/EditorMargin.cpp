#include "EditorMargin.h"

#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"
#include "orvenly/TextEditor.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvenly {

EditorMargin::EditorMargin(TextEditor& editor, QWidget* box) : QWidget(box), m_editor(editor) {
    setCursor(Qt::ArrowCursor);
    show();
}

void EditorMargin::place() {
    auto* box = static_cast<TextBox*>(parentWidget());
    const QRect inside = box->contentsRect();
    setGeometry(inside.left(), inside.top(), m_editor.MarginPixels(), box->viewport()->height());
    setVisible(m_editor.MarginPixels() > 0);
}

void EditorMargin::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
}

void EditorMargin::mousePressEvent(QMouseEvent* event) {
    m_editor.m_columnValid = false;
    if (m_editor.takeHandled() || event->button() != Qt::LeftButton)
        return;
    m_editor.startLineSelection(event->position().toPoint().y());
}

void EditorMargin::mouseMoveEvent(QMouseEvent* event) {
    m_editor.Handled = false;
    if (m_editor.m_lineSelecting)
        m_editor.extendLineSelection(event->position().toPoint().y());
}

void EditorMargin::mouseReleaseEvent(QMouseEvent* event) {
    m_editor.Handled = false;
    m_editor.m_columnValid = false;
    if (event->button() == Qt::LeftButton)
        m_editor.endLineSelection();
}

qsizetype TextEditor::lineAtY(int y) const {
    const TextBox& box = target();
    return std::clamp<qsizetype>(box.firstVisibleLine() + y / box.lineHeight(), 0,
                                 tree().lineCount() - 1);
}

void TextEditor::startLineSelection(int y) {
    const qsizetype line = lineAtY(y);
    m_lineSelecting = true;
    m_anchorLine = line;
    select(tree().lineStart(line), pastLine(line));
    flushSelection();
    target().setFocus(Qt::MouseFocusReason);
}

void TextEditor::extendLineSelection(int y) {
    const qsizetype line = lineAtY(y);
    if (line < m_anchorLine)
        select(pastLine(m_anchorLine), tree().lineStart(line));
    else
        select(tree().lineStart(m_anchorLine), pastLine(line));
    flushSelection();
}

void TextEditor::endLineSelection() {
    m_lineSelecting = false;
}

} // namespace orvenly
