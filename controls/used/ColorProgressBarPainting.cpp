#include "SunkenFrame.h"
#include "tamsell/ColorProgressBar.h"
#include "tamsell/SystemColors.h"

#include <QPaintEvent>
#include <QPainter>

namespace tamsell {

namespace {

// One channel of the gradient at column of last + 1 columns.
int blend(int low, int high, int column, int last) {
    if (last <= 0)
        return low;
    return ((last - column) * low + column * high + last / 2) / last;
}

} // namespace

int ColorProgressBar::frameWidth() const {
    if (m_borderStyle == cpbNone)
        return 0;
    return m_appearance == cpa3D ? 2 : 1;
}

QRect ColorProgressBar::inner() const {
    const int frame = frameWidth();
    return rect().adjusted(frame, frame, -frame, -frame);
}

int ColorProgressBar::lastColumn(int32_t value) const {
    const int64_t span = m_range.span();
    const int64_t width = std::max(inner().width(), 0);
    return int(((int64_t(value) - m_range.min) * width + span / 2) / span) - 1;
}

QColor ColorProgressBar::gradientAt(int column) const {
    const QColor low = resolveColor(m_minColor, palette());
    const QColor high = resolveColor(m_maxColor, palette());
    const int last = inner().width() - 1;
    return QColor(blend(low.red(), high.red(), column, last),
                  blend(low.green(), high.green(), column, last),
                  blend(low.blue(), high.blue(), column, last));
}

QColor ColorProgressBar::emptyAt(int column) const {
    if (!m_halfTransparent)
        return resolveColor(m_backColor, palette());
    const QColor lit = gradientAt(column);
    return QColor(qRound(lit.red() / 2.7), qRound(lit.green() / 2.7), qRound(lit.blue() / 2.7));
}

QColor ColorProgressBar::colorOf(int column) const {
    if (m_animating) {
        if (m_to > m_from && column > m_from && column <= m_to)
            return column <= m_from + m_done ? gradientAt(column)
                                             : resolveColor(m_plusColor, palette());
        if (m_to < m_from && column > m_to && column <= m_from)
            return column > m_from - m_done ? emptyAt(column)
                                            : resolveColor(m_minusColor, palette());
    }
    return column <= lastColumn(m_range.value) ? gradientAt(column) : emptyAt(column);
}

void ColorProgressBar::updateColumn(int column) {
    const QRect box = inner();
    update(QRect(box.left() + column, box.top(), 1, box.height()));
}

void ColorProgressBar::drawFrame(QPainter& painter) const {
    if (m_borderStyle == cpbNone)
        return;
    if (m_appearance == cpa3D) {
        drawSunkenFrame(painter, rect(), palette());
        return;
    }
    painter.setPen(resolveColor(syscolor::WindowFrame, palette()));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorProgressBar::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    drawFrame(painter);
    const QRect box = inner();
    const QRect dirty = event->rect() & box;
    for (int x = dirty.left(); x <= dirty.right(); ++x)
        painter.fillRect(QRect(x, box.top(), 1, box.height()), colorOf(x - box.left()));
}

} // namespace tamsell
