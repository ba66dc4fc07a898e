#include "tamsell/CandidateBox.h"

#include <QEvent>
#include <QFontMetrics>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace tamsell {

namespace {

// Room around the caption that auto size adds: the image's left margin and the text's.
constexpr int CaptionMargins = 7;

} // namespace

QRect CandidateBox::clientRect() const {
    const int border = borderWidth();
    const int bar = m_barShown ? m_scrollBar->width() : 0;
    return QRect(border, border, std::max(width() - 2 * border - bar, 0),
                 std::max(height() - 2 * border, 0));
}

void CandidateBox::layOut() {
    const int border = borderWidth();
    const int pitch = rowPitch();
    if (m_integralHeight && !m_cutting) {
        const int inner = height() - 2 * border;
        // Never below one row, which would leave nothing to see.
        if (inner > pitch && inner % pitch != 0) {
            QScopedValueRollback<bool> cutting(m_cutting, true);
            resize(width(), height() - inner % pitch);
        }
    }
    m_visibleCount = std::max(height() - 2 * border, 0) / pitch;
    const int count = m_items.Count();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool wasShown = m_barShown;
    m_barShown = m_visibleCount < count;
    {
        // The range may move the value; the new top is drawn below.
        QSignalBlocker quiet(m_scrollBar);
        if (m_barShown) {
            m_scrollBar->setGeometry(width() - border - barWidth, border, barWidth,
                                     std::max(height() - 2 * border, 0));
            m_scrollBar->setRange(0, count - m_visibleCount);
            m_scrollBar->setPageStep(std::max(m_visibleCount, 1));
        } else {
            m_scrollBar->setRange(0, 0);
        }
    }
    m_scrollBar->setVisible(m_barShown);
    if (m_barShown != wasShown || m_scrollBar->value() + 1 != m_drawnTop) {
        if (m_autoSize && m_barShown != wasShown)
            fitWidth();
        redrawAll();
    }
}

int CandidateBox::measure(CandidateItem& item) const {
    if (item.m_width < 0) {
        const QFontMetrics metrics(font());
        const QString& caption = item.m_caption;
        item.m_width = caption.contains(QLatin1Char('\t'))
                           ? metrics
                                 .size(Qt::TextSingleLine | Qt::TextExpandTabs, caption,
                                       8 * metrics.averageCharWidth())
                                 .width()
                           : metrics.horizontalAdvance(caption);
    }
    return item.m_width;
}

int CandidateBox::widestCaption() {
    if (!m_widestKnown) {
        m_widest = 0;
        for (const auto& item : m_items)
            m_widest = std::max(m_widest, measure(*item));
        m_widestKnown = true;
    }
    return m_widest;
}

void CandidateBox::fitWidth() {
    // The bar, when there is one, would otherwise cover the ends of the widest captions.
    const int bar = m_barShown ? m_scrollBar->width() : 0;
    setFixedWidth(m_itemHeight + widestCaption() + CaptionMargins + 2 * borderWidth() + bar);
}

int32_t CandidateBox::TopIndex() const {
    return m_scrollBar->value() + 1;
}

void CandidateBox::setTopIndex(int32_t TopIndex) {
    m_scrollBar->setValue(TopIndex - 1);
}

bool CandidateBox::rowShows(int index) const {
    return index >= TopIndex() && index < TopIndex() + m_visibleCount && index <= m_items.Count();
}

void CandidateBox::resizeEvent(QResizeEvent*) {
    layOut();
    redrawAll();
}

void CandidateBox::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
        for (const auto& item : m_items)
            item->m_width = -1;
        m_widestKnown = false;
        if (m_autoSize)
            fitWidth();
        redrawAll();
        break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
        m_stripStale = true;
        redrawAll();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

} // namespace tamsell
