#include "SunkenFrame.h"

#include "Edges.h"
#include "tamsell/SystemColors.h"

#include <QPainter>
#include <QPalette>

namespace tamsell {

void drawSunkenFrame(QPainter& painter, const QRect& box, const QPalette& palette) {
    Scheme scheme = Scheme::of(palette);
    drawEdge(painter, box, Edge::SunkenOuter, scheme);
    // The inner ring is the same edge one step deeper.
    scheme.shadow = resolveColor(syscolor::DarkShadow3D, palette);
    scheme.highlight = resolveColor(syscolor::Light3D, palette);
    drawEdge(painter, box.adjusted(1, 1, -1, -1), Edge::SunkenOuter, scheme);
}

} // namespace tamsell
