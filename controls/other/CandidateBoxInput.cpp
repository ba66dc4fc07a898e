#include "tamsell/CandidateBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace tamsell {

void CandidateBox::MoveFocus(int32_t Diff, bool Absolute, bool WrapAction) {
    const int count = m_items.Count();
    if (count == 0)
        return;
    int64_t target = Absolute ? int64_t(Diff) : int64_t(m_focusIndex) + Diff;
    if (!Absolute && WrapAction && m_wrap) {
        if (target < 1)
            target = count;
        else if (target > count)
            target = 1;
    }
    target = std::clamp<int64_t>(target, 1, count);
    m_items.Item(int(target))->setSelected(true);
}

void CandidateBox::keyPressEvent(QKeyEvent* event) {
    const int page = m_visibleCount - 1;
    switch (event->key()) {
    case Qt::Key_Up:
        MoveFocus(-1, false, true);
        break;
    case Qt::Key_Down:
        MoveFocus(1, false, true);
        break;
    case Qt::Key_PageUp:
        MoveFocus(-page, false, false);
        break;
    case Qt::Key_PageDown:
        MoveFocus(page, false, false);
        break;
    case Qt::Key_Home:
        MoveFocus(1, true, false);
        break;
    case Qt::Key_End:
        MoveFocus(m_items.Count(), true, false);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CandidateBox::selectAt(int y) {
    const int offset = y - clientRect().top();
    const int h = m_itemHeight;
    // Above the client the rows count in item heights, rounded toward zero.
    const int row = offset >= 0 ? offset / rowPitch() : (offset - h) / h;
    MoveFocus(row + TopIndex(), true, false);
}

void CandidateBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    selectAt(event->position().toPoint().y());
}

void CandidateBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        selectAt(event->position().toPoint().y());
}

void CandidateBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    selectAt(event->position().toPoint().y());
    emit DblClick();
}

void CandidateBox::wheelEvent(QWheelEvent* event) {
    if (m_barShown)
        QApplication::sendEvent(m_scrollBar, event);
}

void CandidateBox::focusInEvent(QFocusEvent* event) {
    m_hasFocus = true;
    if (rowShows(m_focusIndex))
        redrawRows(m_focusIndex, m_focusIndex);
    QWidget::focusInEvent(event);
}

void CandidateBox::focusOutEvent(QFocusEvent* event) {
    m_hasFocus = false;
    if (rowShows(m_focusIndex))
        redrawRows(m_focusIndex, m_focusIndex);
    QWidget::focusOutEvent(event);
}

} // namespace tamsell
