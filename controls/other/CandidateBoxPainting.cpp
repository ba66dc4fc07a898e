#include "tamsell/CandidateBox.h"

#include "../used/Edges.h"
#include "tamsell/SystemColors.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace tamsell {

namespace {

// Where images and captions stand in a row of item height h.
constexpr int ImageLeft = 2;
constexpr int HighlightGap = 3; // the highlight starts at h + 3
constexpr int CaptionGap = 5;   // the caption at h + 5

} // namespace

void CandidateBox::prepareStrip() {
    if (!m_stripStale)
        return;
    m_stripStale = false;
    m_strip = QImage();
    if (m_picture.isNull())
        return;
    m_strip = m_picture.convertToFormat(QImage::Format_ARGB32);
    if (m_useMaskColor) {
        const QRgb mask = resolveColor(m_maskColor, palette()).rgb() & 0xFFFFFF;
        for (int y = 0; y < m_strip.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_strip.scanLine(y));
            for (int x = 0; x < m_strip.width(); ++x)
                if ((line[x] & 0xFFFFFF) == mask)
                    line[x] = 0;
        }
    }
}

void CandidateBox::redrawAll() {
    m_bufferStale = true;
    update(clientRect());
}

void CandidateBox::redrawRows(int first, int last) {
    if (m_bufferStale) {
        update(clientRect());
        return;
    }
    first = std::max(first, TopIndex());
    last = std::min({last, TopIndex() + m_visibleCount - 1, m_items.Count()});
    if (first > last)
        return;
    prepareStrip();
    QPainter painter(&m_buffer);
    const QRect client = clientRect();
    const int pitch = rowPitch();
    for (int index = first; index <= last; ++index)
        drawRow(painter, *m_items.Item(index), (index - m_drawnTop) * pitch);
    update(QRect(client.left(), client.top() + (first - m_drawnTop) * pitch, client.width(),
                 (last - first + 1) * pitch));
}

void CandidateBox::drawRow(QPainter& painter, const CandidateItem& item, int y) const {
    const int h = m_itemHeight;
    const int w = clientRect().width();
    const QPalette& colors = palette();
    painter.fillRect(0, y, w, rowPitch(), resolveColor(m_backColor, colors));
    if (item.ImageBackColor() != -1)
        painter.fillRect(ImageLeft, y, h, h, resolveColor(uint32_t(item.ImageBackColor()), colors));
    if (item.Image() != 0 && !m_strip.isNull())
        painter.drawImage(QPoint(ImageLeft, y), m_strip, QRect(h * (item.Image() - 1), 0, h, h));
    const bool selected = item.Selected();
    const QColor background = resolveColor(selected ? syscolor::Highlight : m_backColor, colors);
    QColor text = resolveColor(selected ? syscolor::HighlightText : m_foreColor, colors);
    if (!isEnabled())
        text = resolveColor(syscolor::GrayText, colors);
    painter.fillRect(h + HighlightGap, y, w - h - HighlightGap, h, background);
    painter.setPen(text);
    const QFontMetrics metrics(font());
    const int top = y + (h - metrics.height()) / 2;
    const QString& caption = item.m_caption;
    if (caption.contains(QLatin1Char('\t'))) {
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setWrapMode(QTextOption::NoWrap);
        option.setTabStopDistance(8 * metrics.averageCharWidth());
        painter.drawText(QRectF(h + CaptionGap, top, w, metrics.height()), caption, option);
    } else {
        painter.drawText(h + CaptionGap, top + metrics.ascent(), caption);
    }
    if (m_hasFocus && item.Index() == m_focusIndex)
        drawFocusRect(painter, y, background);
}

void CandidateBox::drawFocusRect(QPainter& painter, int y, const QColor& background) const {
    // Dotted, every other pixel inverted, as focus rectangles are drawn.
    const int left = m_itemHeight + HighlightGap;
    const int right = clientRect().width() - 1;
    const int bottom = y + m_itemHeight - 1;
    const QColor inverted(background.rgb() ^ 0xFFFFFF);
    auto dot = [&](int x, int yy) {
        if ((x + yy) % 2 == 0)
            painter.fillRect(x, yy, 1, 1, inverted);
    };
    for (int x = left; x <= right; ++x) {
        dot(x, y);
        if (bottom != y)
            dot(x, bottom);
    }
    for (int yy = y + 1; yy < bottom; ++yy) {
        dot(left, yy);
        if (right != left)
            dot(right, yy);
    }
}

void CandidateBox::scrolled(int value) {
    const int newTop = value + 1;
    const int pitch = rowPitch();
    const QRect client = clientRect();
    const int shift = pitch * (m_drawnTop - newTop);
    const qreal ratio = m_buffer.devicePixelRatio();
    // Rows fall on whole device pixels only at whole ratios; otherwise everything is drawn.
    if (m_bufferStale || shift == 0 || std::abs(shift) >= client.height() ||
        ratio != std::floor(ratio)) {
        redrawAll();
        return;
    }
    // Move the drawn rows, then draw only what the move uncovered.
    const int lines = int(std::abs(shift) * ratio);
    const qsizetype stride = m_buffer.bytesPerLine();
    uchar* bits = m_buffer.bits();
    const int height = m_buffer.height();
    if (shift < 0)
        std::memmove(bits, bits + lines * stride, size_t((height - lines) * stride));
    else
        std::memmove(bits + lines * stride, bits, size_t((height - lines) * stride));
    m_drawnTop = newTop;
    QPainter painter(&m_buffer);
    prepareStrip();
    const QColor back = resolveColor(m_backColor, palette());
    const int wholeRows = m_visibleCount * pitch;
    // What lies below the last whole row stays empty, whatever moved there.
    painter.fillRect(0, wholeRows, client.width(), client.height() - wholeRows, back);
    const int bandTop = shift < 0 ? client.height() + shift : 0;
    const int bandBottom = shift < 0 ? client.height() : shift;
    painter.fillRect(0, bandTop, client.width(), bandBottom - bandTop, back);
    const int first = newTop + bandTop / pitch;
    const int last =
        std::min({newTop + (bandBottom - 1) / pitch, newTop + m_visibleCount - 1, m_items.Count()});
    for (int index = first; index <= last; ++index)
        drawRow(painter, *m_items.Item(index), (index - newTop) * pitch);
    painter.end();
    scroll(0, shift, client);
    if (wholeRows < client.height())
        update(QRect(client.left(), client.top() + wholeRows, client.width(),
                     client.height() - wholeRows));
}

void CandidateBox::paintEvent(QPaintEvent* event) {
    const QRect client = clientRect();
    if (m_bufferStale) {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = client.size() * ratio;
        if (m_buffer.size() != pixels) {
            m_buffer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            m_buffer.setDevicePixelRatio(ratio);
        }
        m_buffer.fill(resolveColor(m_backColor, palette()));
        m_bufferStale = false;
        m_drawnTop = TopIndex();
        prepareStrip();
        QPainter painter(&m_buffer);
        const int last = std::min(m_drawnTop + m_visibleCount - 1, m_items.Count());
        for (int index = m_drawnTop; index <= last; ++index)
            drawRow(painter, *m_items.Item(index), (index - m_drawnTop) * rowPitch());
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    if (!client.isEmpty())
        painter.drawImage(client.topLeft(), m_buffer);
    drawClientEdge(painter, rect(), palette());
}

} // namespace tamsell
