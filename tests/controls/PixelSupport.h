#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// Whether any pixel of the band has exactly that colour, as solid text leaves some.
inline bool holdsColour(const QImage& image, const QRect& band, const QColor& colour) {
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}
