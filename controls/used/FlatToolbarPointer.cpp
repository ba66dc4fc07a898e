#include "tamsell/FlatToolbar.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

namespace tamsell {

namespace {

// Width of the arrow part that an independent drop-down button reacts to.
constexpr int ArrowHitWidth = 10;

bool onArrowPart(const ButtonObject& button, int x) {
    return button.ExStyle() == FTBS_EX_INDEPENDENTDROPDOWN &&
           x >= button.Left() + button.Width() - ArrowHitWidth;
}

} // namespace

std::shared_ptr<ButtonObject> FlatToolbar::HitTest(int x, int y) const {
    for (const auto& button : m_buttons)
        if (button->hasContent() && button->Enabled() && button->Visible() &&
            isInside(*button, QPoint(x, y)))
            return button;
    return nullptr;
}

bool FlatToolbar::isInside(const ButtonObject& button, const QPoint& point) const {
    return point.x() >= button.Left() && point.x() < button.Left() + button.Width() &&
           point.y() >= button.Top() && point.y() < button.Top() + button.Height();
}

void FlatToolbar::startTracking() {
    if (m_tracking || !m_current)
        return;
    m_tracking = true;
    m_savedToolTip = toolTip();
    setToolTip(m_current->ToolTip());
    const std::shared_ptr<ButtonObject> button = m_current;
    emit MouseEnter(button.get());
}

void FlatToolbar::stopTracking() {
    if (!m_tracking)
        return;
    m_tracking = false;
    setToolTip(m_savedToolTip);
    const std::shared_ptr<ButtonObject> button = m_current;
    emit MouseLeave(button.get());
}

void FlatToolbar::setCurrent(std::shared_ptr<ButtonObject> button) {
    if (button != m_current)
        m_lastState = -1;
    m_current = std::move(button);
}

void FlatToolbar::forgetButton(const ButtonObject& button) {
    if (m_current.get() != &button)
        return;
    stopTracking();
    setCurrent(nullptr);
}

void FlatToolbar::mouseMoveEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    if (event->buttons() == Qt::NoButton) {
        // Once for the button being left, once more for a neighbour being entered.
        for (int pass = 0; pass < 2; ++pass) {
            if (!m_current)
                setCurrent(HitTest(m_pointer.x(), m_pointer.y()));
            if (!m_current)
                return;
            if (isInside(*m_current, m_pointer)) {
                paintButton(*m_current, PaintState::Hot);
                startTracking();
                return;
            }
            paintButton(*m_current, PaintState::Normal);
            stopTracking();
            setCurrent(nullptr);
        }
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && m_current)
        paintButton(*m_current, isInside(*m_current, m_pointer) ? PaintState::Pressed
                                                                : PaintState::PressedOutside);
}

void FlatToolbar::leaveEvent(QEvent* event) {
    // Without a button held the pointer no longer reaches us: it is outside every button.
    if (m_current && QGuiApplication::mouseButtons() == Qt::NoButton) {
        m_pointer = QPoint(-1, -1);
        paintButton(*m_current, PaintState::Normal);
        stopTracking();
        setCurrent(nullptr);
    }
    QWidget::leaveEvent(event);
}

void FlatToolbar::mousePressEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        pressAt(m_pointer);
}

void FlatToolbar::pressAt(const QPoint& point) {
    std::shared_ptr<ButtonObject> hit = HitTest(point.x(), point.y());
    if (m_current && m_current != hit) {
        paintButton(*m_current, PaintState::Normal);
        stopTracking();
    }
    setCurrent(hit);
    if (!hit) {
        m_dragging = true;
        emit Drag(point.x(), point.y());
        return;
    }
    if (hit->Style() == FTBS_DROPDOWN) {
        paintButton(*hit, PaintState::Pressed);
        startTracking();
        dropDown(hit);
        paintButton(*hit, PaintState::Normal);
    } else if (onArrowPart(*hit, point.x())) {
        paintButton(*hit, PaintState::ArrowPressed);
        startTracking();
        emit DropDown(hit.get());
        paintButton(*hit, PaintState::Automatic);
    } else {
        paintButton(*hit, PaintState::Pressed);
        startTracking();
        return;
    }
    if (m_current == hit) {
        stopTracking();
        setCurrent(nullptr);
    }
}

void FlatToolbar::dropDown(const std::shared_ptr<ButtonObject>& button) {
    emit DropDown(button.get());
    QMenu* menu = button->DropMenu();
    if (!menu)
        return;
    const QPoint at = m_style == FTS_VERTICAL
                          ? QPoint(button->Left() + button->Width(), button->Top())
                          : QPoint(button->Left(), button->Top() + button->Height());
    menu->exec(mapToGlobal(at));
}

void FlatToolbar::mouseReleaseEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    // A drag from an empty place ends with its release, whatever the pointer is over then.
    if (m_dragging) {
        m_dragging = false;
        return;
    }
    if (!m_current)
        return;
    const std::shared_ptr<ButtonObject> button = m_current;
    paintButton(*button, PaintState::Normal);
    stopTracking();
    setCurrent(nullptr);
    if (!isInside(*button, m_pointer) || onArrowPart(*button, m_pointer.x()))
        return;
    switch (button->Style()) {
    case FTBS_COMMAND:
    case FTBS_RADIO:
        button->setValue(FTBV_PRESSED);
        break;
    case FTBS_CHECK:
        button->setValue(button->Value() == FTBV_UNPRESSED ? FTBV_PRESSED : FTBV_UNPRESSED);
        break;
    default:
        break;
    }
}

void FlatToolbar::mouseDoubleClickEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    // Over a button the second click presses it again; elsewhere it is a double click.
    if (m_current || HitTest(m_pointer.x(), m_pointer.y()))
        pressAt(m_pointer);
    else
        emit DblClick();
}

} // namespace tamsell
