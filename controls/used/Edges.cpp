#include "Edges.h"

#include "tamsell/SystemColors.h"

#include <QPainter>
#include <QPalette>

namespace tamsell {

Scheme Scheme::of(const QPalette& palette) {
    return {resolveColor(syscolor::ButtonFace, palette),
            resolveColor(syscolor::ButtonShadow, palette),
            resolveColor(syscolor::Highlight3D, palette), resolveColor(syscolor::Light3D, palette),
            resolveColor(syscolor::ButtonText, palette)};
}

void drawEdge(QPainter& painter, const QRect& box, Edge edge, const Scheme& scheme) {
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QColor& topLeft = edge == Edge::RaisedInner ? scheme.highlight : scheme.shadow;
    const QColor& bottomRight = edge == Edge::RaisedInner ? scheme.shadow : scheme.highlight;
    painter.fillRect(QRect(box.left(), box.top(), box.width() - 1, 1), topLeft);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height() - 1), topLeft);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
}

namespace {

void drawFrame(QPainter& painter, const QRect& box, const QColor& topLeft,
               const QColor& bottomRight) {
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
}

} // namespace

void drawClientEdge(QPainter& painter, const QRect& box, const QPalette& palette) {
    drawFrame(painter, box, resolveColor(syscolor::ButtonShadow, palette),
              resolveColor(syscolor::Highlight3D, palette));
    drawFrame(painter, box.adjusted(1, 1, -1, -1), resolveColor(syscolor::DarkShadow3D, palette),
              resolveColor(syscolor::Light3D, palette));
}

void drawFlatFrame(QPainter& painter, const QRect& box, const QPalette& palette) {
    const QColor frame = resolveColor(syscolor::WindowFrame, palette);
    drawFrame(painter, box, frame, frame);
}

void drawEtchedColumn(QPainter& painter, int x, int top, int length, const Scheme& scheme) {
    painter.fillRect(QRect(x, top, 1, length), scheme.shadow);
    painter.fillRect(QRect(x + 1, top, 1, length), scheme.highlight);
}

void drawEtchedRow(QPainter& painter, int left, int y, int length, const Scheme& scheme) {
    painter.fillRect(QRect(left, y, length, 1), scheme.shadow);
    painter.fillRect(QRect(left, y + 1, length, 1), scheme.highlight);
}

void drawArrow(QPainter& painter, int x, int y, const QColor& color) {
    painter.fillRect(QRect(x - 2, y - 1, 5, 1), color);
    painter.fillRect(QRect(x - 1, y, 3, 1), color);
    painter.fillRect(QRect(x, y + 1, 1, 1), color);
}

void drawEmbossedArrow(QPainter& painter, int x, int y, const Scheme& scheme) {
    drawArrow(painter, x + 1, y + 1, scheme.highlight);
    drawArrow(painter, x, y, scheme.shadow);
}

} // namespace tamsell
