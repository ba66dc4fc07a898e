#include "tamsell/ColorProgressBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace tamsell {

namespace {

int buttonsOf(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

void ColorProgressBar::mousePressEvent(QMouseEvent* event) {
    m_doubleClicked = false;
    emit MouseDown(buttonsOf(event->button()), shiftOf(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
}

void ColorProgressBar::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(buttonsOf(event->buttons()), shiftOf(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
}

void ColorProgressBar::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && !m_doubleClicked &&
                       rect().contains(event->position().toPoint());
    m_doubleClicked = false;
    const QPointer<ColorProgressBar> alive(this);
    emit MouseUp(buttonsOf(event->button()), shiftOf(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
    if (click && alive)
        emit Click();
}

void ColorProgressBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_doubleClicked = true;
    emit DblClick();
}

void ColorProgressBar::keyPressEvent(QKeyEvent* event) {
    const QPointer<ColorProgressBar> alive(this);
    emit KeyDown(event->key(), shiftOf(event->modifiers()));
    if (alive && !event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
}

void ColorProgressBar::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    emit KeyUp(event->key(), shiftOf(event->modifiers()));
}

} // namespace tamsell
