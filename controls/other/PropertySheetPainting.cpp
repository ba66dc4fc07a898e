#include "tamsell/PropertySheet.h"

#include "../used/Edges.h"
#include "SheetLayout.h"
#include "tamsell/SystemColors.h"

#include <QPainter>

namespace tamsell {

namespace {

constexpr int GlyphBox = 8;
constexpr int GlyphBar = 5;
// Where header captions begin, right of the glyph column.
constexpr int HeaderIndent = 3;
constexpr int CaptionIndent = 2;
constexpr int ValueIndent = 2;
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

} // namespace

QColor PropertySheet::textColor(int32_t own, bool enabled) const {
    if (!enabled)
        return resolveColor(syscolor::GrayText, palette());
    return resolveColor(own == SheetForeColorDefault ? m_foreColor : uint32_t(own), palette());
}

void PropertySheet::drawSurface() {
    ensureLayout();
    m_surfaceDirty = false;
    const QRect client = clientRect();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = client.size() * ratio;
    if (m_surface.size() != pixels) {
        m_surface = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_surface.setDevicePixelRatio(ratio);
    }
    m_surface.fill(resolveColor(syscolor::Window, palette()));
    if (client.isEmpty())
        return;
    QPainter painter(&m_surface);
    const int pitch = m_layout->rowPitch();
    const int shown =
        m_integralHeight ? fitRows() : (client.height() + pitch - 1) / std::max(pitch, 1);
    const int selected = currentRow();
    const std::vector<SheetRow>& rows = m_layout->rows();
    for (int r = 0; r < shown; ++r) {
        const size_t index = size_t(topRow() - 1) + size_t(r);
        if (index >= rows.size())
            break;
        const SheetRow& row = rows[index];
        if (row.item)
            drawItem(painter, row, r * pitch, int(index) + 1 == selected);
        else
            drawHeader(painter, row, r * pitch);
    }
}

void PropertySheet::drawHeader(QPainter& painter, const SheetRow& row, int y) const {
    const SheetCategory& category = *row.category;
    const int width = clientRect().width();
    const int pitch = m_layout->rowPitch();
    const bool selected = m_selectedCategory == row.category && !m_selectedItem;
    painter.fillRect(0, y, width, pitch - 1,
                     resolveColor(selected ? syscolor::Highlight : syscolor::Window, palette()));
    if (m_style == PSS_CATEGORY)
        drawGlyph(painter, category, y);
    const int left = m_layout->glyphWidth() + HeaderIndent;
    painter.setFont(m_layout->boldFont());
    painter.setPen(textColor(category.ForeColor(), category.Enabled() && isEnabled()));
    painter.drawText(QRect(left, y + 1, width - left, m_layout->textHeight()), TextFlags,
                     category.Caption());
    painter.fillRect(0, y + pitch - 1, width, 1, resolveColor(syscolor::ButtonShadow, palette()));
}

void PropertySheet::drawGlyph(QPainter& painter, const SheetCategory& category, int y) const {
    const int offset = (m_layout->textHeight() - 6) / 2;
    const int x = offset;
    const int top = y + offset;
    const QColor ink = resolveColor(syscolor::WindowText, palette());
    painter.setPen(ink);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(x, top, GlyphBox - 1, GlyphBox - 1);
    // A plus while expanded, a minus while collapsed.
    const int middle = GlyphBar / 2 + 2;
    if (category.Expanded())
        painter.fillRect(x + middle, top + 2, 1, GlyphBar, ink);
    painter.fillRect(x + 2, top + middle, GlyphBar, 1, ink);
}

void PropertySheet::drawItem(QPainter& painter, const SheetRow& row, int y, bool selected) const {
    const SheetItem& item = *row.item;
    const int width = clientRect().width();
    const int pitch = m_layout->rowPitch();
    const int t = m_layout->textHeight();
    const int glyph = m_layout->glyphWidth();
    const int valueLeft = m_layout->valueLeft();
    const QColor window = resolveColor(syscolor::Window, palette());
    painter.fillRect(0, y, glyph, pitch - 1, window);
    painter.fillRect(glyph, y, width - glyph, pitch - 1,
                     selected ? resolveColor(syscolor::Highlight, palette()) : window);
    const bool enabled = item.Enabled() && row.category->Enabled() && isEnabled();
    painter.setFont(m_layout->font());
    painter.setPen(textColor(item.ForeColor(), enabled));
    const int captionLeft = glyph + CaptionIndent;
    painter.drawText(QRect(captionLeft, y + 1, valueLeft - 1 - captionLeft, t), TextFlags,
                     item.Caption());
    const QString text = item.Text();
    int x = valueLeft + ValueIndent;
    if (item.Style() == PSIS_COLOR) {
        if (const std::optional<uint32_t> color = parseColorText(text)) {
            const QRect swatch(x, y + 3, t - 4, t - 4);
            painter.fillRect(swatch, resolveColor(*color, palette()));
            painter.setPen(resolveColor(syscolor::WindowText, palette()));
            painter.drawRect(swatch.adjusted(0, 0, -1, -1));
            painter.setPen(textColor(item.ForeColor(), enabled));
            x += t - 1;
        }
    }
    painter.drawText(QRect(x, y + 1, width - x, t), TextFlags, text);
    const QColor grid = resolveColor(syscolor::ButtonShadow, palette());
    painter.fillRect(valueLeft - 1, y, 1, pitch, grid);
    painter.fillRect(0, y + pitch - 1, width, 1, grid);
}

void PropertySheet::paintEvent(QPaintEvent*) {
    if (m_redraw && m_surfaceDirty)
        drawSurface();
    QPainter painter(this);
    const QRect client = clientRect();
    if (m_surface.isNull())
        painter.fillRect(client, resolveColor(syscolor::Window, palette()));
    else
        painter.drawImage(client.topLeft(), m_surface);
    if (m_borderStyle == PSB_FIXEDSINGLE) {
        if (m_appearance == PSA_3D)
            drawClientEdge(painter, rect(), palette());
        else
            drawFlatFrame(painter, rect(), palette());
    }
}

} // namespace tamsell
