#include "EditorMargin.h"

#include "orvenly/TextEditor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace orvenly {

EditorMargin::EditorMargin(TextEditor& editor, QWidget* box) : QWidget(box), m_editor(editor) {
    setCursor(Qt::ArrowCursor);
    show();
}

void EditorMargin::place() {
    auto* box = static_cast<QPlainTextEdit*>(parentWidget());
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

namespace {

// First position of the line after block, or the document's end for the last line.
int pastLine(const QTextBlock& block) {
    const QTextBlock next = block.next();
    return next.isValid() ? next.position() : block.position() + block.length() - 1;
}

} // namespace

void TextEditor::startLineSelection(int y) {
    QPlainTextEdit& box = target();
    const QTextBlock line = box.cursorForPosition(QPoint(0, y)).block();
    m_lineSelecting = true;
    m_anchorLine = line.blockNumber();
    select(line.position(), pastLine(line));
    flushSelection();
    box.setFocus(Qt::MouseFocusReason);
}

void TextEditor::extendLineSelection(int y) {
    QPlainTextEdit& box = target();
    const QTextBlock current = box.cursorForPosition(QPoint(0, y)).block();
    const QTextBlock anchor = box.document()->findBlockByNumber(m_anchorLine);
    if (current.blockNumber() < m_anchorLine)
        select(pastLine(anchor), current.position());
    else
        select(anchor.position(), pastLine(current));
    flushSelection();
}

void TextEditor::endLineSelection() {
    m_lineSelecting = false;
}

} // namespace orvenly
