#pragma once

#include <QRect>

class QPainter;
class QPalette;

namespace tamsell {

// The two-pixel sunken frame of a client edge around the inside of box: shadow over dark
// shadow at the top and left, 3-D highlight around 3-D light at the bottom and right.
void drawSunkenFrame(QPainter& painter, const QRect& box, const QPalette& palette);

} // namespace tamsell
