#include "Edges.h"
#include "SunkenFrame.h"
#include "tamsell/ProgressBar.h"

#include <QPainter>

namespace tamsell {

namespace {

constexpr int FrameWidth = 2;
constexpr int CaptionFlags = Qt::TextSingleLine | Qt::TextExpandTabs;

// Each pixel becomes NOT(pixel XOR colour): the colour itself over the white ground, white
// over caption pixels drawn in that colour.
void fillNotXor(QImage& image, const QRect& box, const QColor& color) {
    const QRect area = box & image.rect();
    const QRgb mix = color.rgb() & 0xFFFFFFu;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] = (~(line[x] ^ mix) & 0xFFFFFFu) | 0xFF000000u;
    }
}

// The filled part of extent pixels, rounded to the nearest pixel.
int filled(int64_t done, int64_t span, int extent) {
    return int((done * extent + span / 2) / span);
}

} // namespace

void ProgressBar::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, picture());
}

QImage ProgressBar::picture() const {
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QRect box = image.rect();
    {
        QPainter painter(&image);
        if (m_borderStyle == pbrFixedSingle) {
            drawSunkenFrame(painter, box, palette());
        } else if (m_borderStyle == pbrLightSingle) {
            const Scheme scheme = Scheme::of(palette());
            painter.fillRect(box, scheme.face);
            drawEdge(painter, box, Edge::SunkenOuter, scheme);
        }
        if (m_borderStyle != pbrNone)
            box.adjust(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
        if (box.isEmpty())
            return image;
        painter.fillRect(box, Qt::white);
        painter.setClipRect(box);
        painter.setFont(font());
        painter.setPen(resolveColor(m_barColor, palette()));
        if (m_orientation == pbrHorizontal)
            drawCaptionAcross(painter, box, Caption());
        else
            drawCaptionUpward(painter, box, Caption());
    }

    const int64_t span = m_range.span();
    const int64_t done = m_range.done();
    const QColor bar = resolveColor(m_barColor, palette());
    const QColor back = resolveColor(m_backColor, palette());
    if (m_orientation == pbrHorizontal) {
        const int width = filled(done, span, box.width());
        fillNotXor(image, QRect(box.left(), box.top(), width, box.height()), bar);
        fillNotXor(image, QRect(box.left() + width, box.top(), box.width() - width, box.height()),
                   back);
    } else {
        const int height = filled(done, span, box.height());
        fillNotXor(image, QRect(box.left(), box.bottom() - height + 1, box.width(), height), bar);
        fillNotXor(image, QRect(box.left(), box.top(), box.width(), box.height() - height), back);
    }
    return image;
}

void ProgressBar::drawCaptionAcross(QPainter& painter, const QRect& box,
                                    const QString& caption) const {
    static constexpr Qt::Alignment Across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const QString shown =
        painter.fontMetrics().elidedText(caption, Qt::ElideRight, box.width(), Qt::TextExpandTabs);
    painter.drawText(box, int(Across[m_captionAlign] | Qt::AlignVCenter) | CaptionFlags, shown);
}

void ProgressBar::drawCaptionUpward(QPainter& painter, const QRect& box,
                                    const QString& caption) const {
    const QSize text = painter.fontMetrics().size(CaptionFlags, caption);
    // Where the text starts, reading upward.
    int start = box.top() + text.width();
    if (m_captionAlign == pbrLeftBottom)
        start = box.top() + box.height();
    else if (m_captionAlign == pbrCenter)
        start = box.top() + (text.width() + box.height()) / 2;
    painter.translate(QPoint(box.left() + (box.width() - text.height()) / 2, start));
    painter.rotate(-90);
    painter.drawText(QRect(QPoint(0, 0), text), int(Qt::AlignLeft | Qt::AlignTop) | CaptionFlags,
                     caption);
}

} // namespace tamsell
