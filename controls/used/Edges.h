#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

namespace tamsell {

// The 3-D colours of the current scheme that flat controls draw with.
struct Scheme {
    QColor face;
    QColor shadow;
    QColor highlight;
    QColor light;
    QColor text;

    static Scheme of(const QPalette& palette);
};

enum class Edge { RaisedInner, SunkenOuter };

// A one-pixel frame around the inside of box: raised is lit at the top and left, sunken at the
// bottom and right.
void drawEdge(QPainter& painter, const QRect& box, Edge edge, const Scheme& scheme);

// Etched lines: shadow first, then highlight one pixel further right (or down).
void drawEtchedColumn(QPainter& painter, int x, int top, int length, const Scheme& scheme);
void drawEtchedRow(QPainter& painter, int left, int y, int length, const Scheme& scheme);

// The sunken two-pixel edge around list-like controls: shadow and dark shadow at the top and
// left, lit at the bottom and right.
void drawClientEdge(QPainter& painter, const QRect& box, const QPalette& palette);
// A one-pixel frame in the window-frame colour.
void drawFlatFrame(QPainter& painter, const QRect& box, const QPalette& palette);

// The small downward triangle of drop-down buttons, its tip one pixel below (x, y).
void drawArrow(QPainter& painter, int x, int y, const QColor& color);
// The same, greyed out as disabled text is.
void drawEmbossedArrow(QPainter& painter, int x, int y, const Scheme& scheme);

} // namespace tamsell
