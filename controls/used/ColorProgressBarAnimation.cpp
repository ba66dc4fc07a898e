#include "tamsell/ColorProgressBar.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace tamsell {

void ColorProgressBar::setValue(int32_t Value) {
    if (m_animating)
        return;
    Value = m_range.clamped(Value);
    const int from = lastColumn(m_range.value);
    const int to = lastColumn(Value);
    if (m_animate && to != from) {
        if (!animate(from, to))
            return;
        // Min or Max may have moved while events ran.
        Value = m_range.clamped(Value);
    }
    m_range.value = Value;
    update();
    emit Change();
}

bool ColorProgressBar::animate(int from, int to) {
    const QPointer<ColorProgressBar> alive(this);
    m_animating = true;
    m_from = from;
    m_to = to;
    // The marks of the whole span first, then one column a step.
    update();
    for (m_done = 1; m_done <= std::abs(to - from); ++m_done) {
        updateColumn(to > from ? from + m_done : from + 1 - m_done);
        emit Scrolling();
        // Nothing of the control may be touched once it is gone.
        if (!alive || !pause())
            return false;
    }
    m_animating = false;
    return true;
}

bool ColorProgressBar::pause() {
    const QPointer<ColorProgressBar> alive(this);
    if (m_wait == 0) {
        QCoreApplication::processEvents();
        return !alive.isNull();
    }
    QEventLoop loop;
    QTimer::singleShot(m_wait, &loop, &QEventLoop::quit);
    m_pause = &loop;
    loop.exec();
    if (!alive)
        return false;
    m_pause = nullptr;
    return true;
}

} // namespace tamsell
