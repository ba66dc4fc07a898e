#include "tamsell/PropertySheet.h"

#include "SheetEditors.h"
#include "SheetLayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace tamsell {

void PropertySheet::SelectRow(int n, bool toggle) {
    if (n == 0) {
        select(nullptr, nullptr);
        return;
    }
    ensureLayout();
    if (n < 1 || n > m_layout->count())
        return;
    const SheetRow row = m_layout->rows()[size_t(n - 1)];
    if (row.item) {
        row.item->setSelected(true);
        return;
    }
    row.category->setSelected(true);
    if (toggle)
        toggleExpanded(*row.category);
}

void PropertySheet::toggleExpanded(SheetCategory& category) {
    category.setExpanded(!category.Expanded());
}

void PropertySheet::openEditors() {
    if (!m_redraw)
        return;
    const std::shared_ptr<SheetItem> item = m_selectedItem;
    if (item && m_editors->item() == item)
        return;
    emit Click();
    if (!item || m_selectedItem != item)
        return;
    const auto category = item->Category();
    if (!item->Enabled() || !category || !category->Enabled() || !isEnabled())
        return;
    m_editors->open(item);
    placeEditors();
}

void PropertySheet::closeEditors() {
    m_editors->close();
}

void PropertySheet::navigate(int key) {
    closeEditors();
    setFocus();
    moveByKey(key);
    openEditors();
}

void PropertySheet::moveByKey(int key) {
    const int count = rowCount();
    const int current = currentRow();
    if (count == 0)
        return;
    if (key == Qt::Key_Home || key == Qt::Key_End) {
        SelectRow(key == Qt::Key_Home ? 1 : count);
        return;
    }
    if (current == 0) {
        SelectRow(1);
        return;
    }
    const bool onHeader = m_style == PSS_CATEGORY && !m_selectedItem && m_selectedCategory;
    const int page = std::max(fitRows() - 1, 1);
    switch (key) {
    case Qt::Key_Left:
        if (onHeader && m_selectedCategory->Expanded()) {
            toggleExpanded(*m_selectedCategory);
            return;
        }
        [[fallthrough]];
    case Qt::Key_Up:
        if (current > 1)
            SelectRow(current - 1);
        return;
    case Qt::Key_Right:
        if (onHeader && !m_selectedCategory->Expanded()) {
            toggleExpanded(*m_selectedCategory);
            return;
        }
        [[fallthrough]];
    case Qt::Key_Down:
        if (current < count)
            SelectRow(current + 1);
        return;
    case Qt::Key_PageUp:
        SelectRow(std::max(current - page, 1));
        return;
    case Qt::Key_PageDown:
        SelectRow(std::min(current + page, count));
        return;
    default:
        return;
    }
}

void PropertySheet::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        navigate(event->key());
        return;
    case Qt::Key_F4:
        m_editors->toggleList();
        return;
    default:
        if (!m_editors->type(event))
            QWidget::keyPressEvent(event);
    }
}

void PropertySheet::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    const QRect client = clientRect();
    if (!client.contains(at))
        return;
    const int row = rowAt(at.y());
    if (row < 1 || row > rowCount())
        return;
    const bool header = !m_layout->rows()[size_t(row - 1)].item;
    const bool onGlyph =
        m_style == PSS_CATEGORY && header && at.x() - client.left() < m_layout->glyphWidth();
    if (row != currentRow() || onGlyph)
        closeEditors();
    SelectRow(row, onGlyph);
    m_dragging = true;
}

void PropertySheet::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int y = event->position().toPoint().y();
    const QRect client = clientRect();
    const int current = currentRow();
    int target = rowAt(y);
    if (y < client.top())
        target = current - 1;
    else if (y >= client.top() + fitRows() * m_layout->rowPitch())
        target = current + 1;
    target = std::clamp(target, 1, std::max(rowCount(), 1));
    if (target == current || rowCount() == 0)
        return;
    closeEditors();
    SelectRow(target);
}

void PropertySheet::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    openEditors();
}

void PropertySheet::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const QRect client = clientRect();
    const int row = rowAt(at.y());
    if (!client.contains(at) || row < 1 || row != currentRow())
        return;
    if (m_selectedItem) {
        if (m_editors->item() == m_selectedItem)
            m_editors->doubleClicked();
        return;
    }
    // A header opens or closes; on the box itself the press has done that already.
    if (m_style == PSS_CATEGORY && m_selectedCategory &&
        at.x() - client.left() >= m_layout->glyphWidth())
        toggleExpanded(*m_selectedCategory);
}

void PropertySheet::wheelEvent(QWheelEvent* event) {
    QApplication::sendEvent(m_scrollBar, event);
}

} // namespace tamsell
