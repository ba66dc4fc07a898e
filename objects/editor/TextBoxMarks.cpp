#include "MarkColor.h"
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QPainter>
#include <QPainterPath>

namespace orvenly {

namespace {

using namespace Qt::StringLiterals;

constexpr char16_t FullWidthSpace = u'\u3000';

// The shapes of the marks, scaled to the font.
class MarkShapes {
public:
    MarkShapes(QPainter& painter, const QFontMetricsF& metrics, qreal top)
        : m_painter(painter), m_metrics(metrics),
          m_middle(top + (metrics.ascent() + metrics.descent()) / 2),
          m_head(std::max<qreal>(2, std::round(metrics.ascent() / 5))) {}

    // A square outline in the middle of the cell.
    void square(qreal left, qreal right) {
        const qreal side = std::round((right - left) * 0.6);
        const qreal x = std::round((left + right - side) / 2);
        const qreal y = std::round(m_middle - side / 2);
        m_painter.drawRect(QRectF(x + 0.5, y + 0.5, side - 1, side - 1));
    }

    // An arrow across the cell, pointing right.
    void arrow(qreal left, qreal right) {
        const qreal from = std::round(left) + 2;
        const qreal to = std::round(right) - 2;
        if (to - from < m_head)
            return;
        const qreal y = std::round(m_middle) + 0.5;
        QPainterPath path;
        path.moveTo(from, y);
        path.lineTo(to, y);
        path.moveTo(to - m_head, y - m_head);
        path.lineTo(to, y);
        path.lineTo(to - m_head, y + m_head);
        m_painter.drawPath(path);
    }

    // A bent arrow down and to the left in a half-width cell after `left`.
    void lineEnd(qreal left) {
        const qreal width = std::max<qreal>(m_metrics.averageCharWidth(), 2 * m_head + 2);
        const qreal x0 = std::round(left) + 2.5;
        const qreal x1 = std::round(left + width) - 0.5;
        const qreal top = std::round(m_middle - m_metrics.ascent() / 3) + 0.5;
        const qreal bottom = std::round(m_middle + m_metrics.ascent() / 5) + 0.5;
        QPainterPath path;
        path.moveTo(x1, top);
        path.lineTo(x1, bottom);
        path.lineTo(x0, bottom);
        path.moveTo(x0 + m_head, bottom - m_head);
        path.lineTo(x0, bottom);
        path.lineTo(x0 + m_head, bottom + m_head);
        m_painter.drawPath(path);
    }

    void endOfFile(qreal left, qreal top) {
        m_painter.drawText(QPointF(left + 2, top + m_metrics.ascent()),
                           QString::fromUtf16(EndOfFileMark));
    }

private:
    QPainter& m_painter;
    const QFontMetricsF& m_metrics;
    qreal m_middle;
    qreal m_head;
};

} // namespace

// The cells come from the layout, so that marks sit where the characters are; only the
// characters within [left, right) are looked at, whatever the length of the segment.
void TextBox::paintMarks(QPainter& painter, const QTextLayout& layout, qsizetype position,
                         QPointF origin, qreal left, qreal right, bool lineEnd) const {
    if (!m_marks)
        return;
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    const QColor plain =
        markColor(palette().color(group, QPalette::Text), palette().color(group, QPalette::Base));
    const QColor selected = markColor(palette().color(group, QPalette::HighlightedText),
                                      palette().color(group, QPalette::Highlight));
    auto penFor = [&](qsizetype at) {
        return QPen(at >= selectionStart() && at < selectionEnd() ? selected : plain, 0);
    };
    const QTextLine line = layout.lineAt(0);
    const QString text = layout.text();
    // The layout's positions count an input method's preedit too.
    const int preeditAt = layout.preeditAreaPosition();
    const auto preeditLength = static_cast<int>(layout.preeditAreaText().size());
    auto inLayout = [&](int i) { return preeditAt >= 0 && i >= preeditAt ? i + preeditLength : i; };
    auto inText = [&](int i) {
        if (preeditAt < 0 || i < preeditAt)
            return i;
        return std::max(preeditAt, i - preeditLength);
    };
    const QFontMetricsF metrics(font());
    MarkShapes shapes(painter, metrics, origin.y());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);

    if (m_marks & (Mark::FullWidthSpace | Mark::Tab)) {
        const int from = std::max(0, inText(line.xToCursor(left - origin.x())) - 1);
        const int to =
            std::min(static_cast<int>(text.size()), inText(line.xToCursor(right - origin.x())) + 1);
        for (int i = from; i < to; ++i) {
            const bool space = text[i] == FullWidthSpace && (m_marks & Mark::FullWidthSpace);
            const bool tab = text[i] == u'\t' && (m_marks & Mark::Tab);
            if (!space && !tab)
                continue;
            const qreal cellLeft = origin.x() + line.cursorToX(inLayout(i));
            const qreal cellRight = origin.x() + line.cursorToX(inLayout(i) + 1);
            painter.setPen(penFor(position + i));
            if (space)
                shapes.square(cellLeft, cellRight);
            else
                shapes.arrow(cellLeft, cellRight);
        }
    }
    if (lineEnd) {
        const qsizetype end = position + text.size();
        const qreal x = origin.x() + line.cursorToX(inLayout(static_cast<int>(text.size())));
        painter.setPen(penFor(end));
        if (end < m_tree->length() && (m_marks & Mark::LineEnd))
            shapes.lineEnd(x);
        else if (end == m_tree->length() && (m_marks & Mark::EndOfFile))
            shapes.endOfFile(x, origin.y());
    }
    painter.restore();
}

} // namespace orvenly
