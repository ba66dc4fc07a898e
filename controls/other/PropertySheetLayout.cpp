#include "tamsell/PropertySheet.h"

#include "SheetEditors.h"
#include "SheetLayout.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace tamsell {

int PropertySheet::borderWidth() const {
    if (m_borderStyle == PSB_NONE)
        return 0;
    return m_appearance == PSA_3D ? 2 : 1;
}

QRect PropertySheet::clientRect() const {
    const int border = borderWidth();
    return QRect(border, border, std::max(width() - 2 * border - m_scrollBar->width(), 0),
                 std::max(height() - 2 * border, 0));
}

void PropertySheet::placeScrollBar() {
    const int border = borderWidth();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_scrollBar->setGeometry(width() - border - barWidth, border, barWidth,
                             std::max(height() - 2 * border, 0));
}

void PropertySheet::ensureLayout() {
    if (!m_rowsDirty)
        return;
    m_rowsDirty = false;
    m_layout->rebuild(m_categories, m_style);
    keepSelectionInRows();
    updateScrollBar();
    m_surfaceDirty = true;
}

void PropertySheet::keepSelectionInRows() {
    if (m_selectedItem && m_layout->rowOf(nullptr, m_selectedItem.get()) == 0) {
        // An item that went out of sight leaves its category's header selected, if it shows.
        m_selectedItem.reset();
        if (m_style == PSS_LIST)
            m_selectedCategory.reset();
    }
    if (m_selectedCategory && !m_selectedItem &&
        m_layout->rowOf(m_selectedCategory.get(), nullptr) == 0)
        m_selectedCategory.reset();
}

int PropertySheet::fitRows() const {
    return m_layout->fitRows(clientRect().height());
}

void PropertySheet::updateScrollBar() {
    QScopedValueRollback<bool> updating(m_updating, true);
    const int fit = fitRows();
    const int surplus = m_layout->count() - fit;
    if (surplus > 0) {
        m_scrollBar->setRange(0, surplus);
        m_scrollBar->setPageStep(std::max(fit, 1));
        m_scrollBar->setEnabled(true);
    } else {
        m_scrollBar->setRange(0, 0);
        m_scrollBar->setEnabled(false);
    }
}

int PropertySheet::rowCount() {
    ensureLayout();
    return m_layout->count();
}

int PropertySheet::currentRow() {
    ensureLayout();
    if (!m_selectedCategory && !m_selectedItem)
        return 0;
    return m_layout->rowOf(m_selectedCategory.get(), m_selectedItem.get());
}

int PropertySheet::topRow() const {
    return m_scrollBar->value() + 1;
}

void PropertySheet::scrollTo(int top) {
    QScopedValueRollback<bool> updating(m_updating, true);
    m_scrollBar->setValue(top - 1);
}

void PropertySheet::scrollIntoView(int row) {
    const int fit = std::max(fitRows(), 1);
    if (row < topRow())
        scrollTo(row);
    else if (row > topRow() + fit - 1)
        scrollTo(row - fit + 1);
}

void PropertySheet::scrolled() {
    contentChanged();
    placeEditors();
    if (!m_updating)
        emit Scroll();
}

int PropertySheet::rowAt(int y) const {
    const int offset = y - clientRect().top();
    const int pitch = m_layout->rowPitch();
    // Rounded down, so that points above the client give rows above the top row.
    const int row = offset >= 0 ? offset / pitch : -((-offset + pitch - 1) / pitch);
    return row + topRow();
}

QRect PropertySheet::rowRect(int row) const {
    const QRect client = clientRect();
    const int pitch = m_layout->rowPitch();
    return QRect(client.left(), client.top() + (row - topRow()) * pitch, client.width(), pitch);
}

void PropertySheet::placeEditors() {
    if (!m_editors->isOpen())
        return;
    ensureLayout();
    const int row = m_layout->rowOf(nullptr, m_editors->item().get());
    const bool inView = row > 0 && row >= topRow() && row < topRow() + fitRows();
    const QRect client = clientRect();
    m_editors->place(inView ? rowRect(row) : QRect(), client.left() + m_layout->valueLeft(), client,
                     m_layout->textHeight());
}

void PropertySheet::resizeEvent(QResizeEvent*) {
    placeScrollBar();
    updateScrollBar();
    contentChanged();
    placeEditors();
}

void PropertySheet::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
        m_layout->setFont(font());
        m_rowsDirty = true;
        ensureLayout();
        contentChanged();
        placeEditors();
        if (m_editors->isOpen())
            m_editors->sync();
        break;
    case QEvent::PaletteChange:
        contentChanged();
        break;
    case QEvent::EnabledChange:
        contentChanged();
        if (m_editors->isOpen())
            m_editors->sync();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

} // namespace tamsell
