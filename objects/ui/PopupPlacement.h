#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

namespace orvenly::popup {

// A rectangle by its edges in screen pixels, right and bottom exclusive. Unlike QRect it
// keeps the edges exactly as computed, even when they cross.
struct Edges {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const Edges&, const Edges&) = default;
};

// The rectangle the pop-up is placed against: a part of the source's window rectangle
// (offsets x, y from its corner, extent cx, cy), or with PWD_SCREEN a rectangle at the
// pointer or at x, y. Arguments equal to PopupNotGiven (x, y) or negative (cx, cy) are not
// given.
Edges sourceRectangle(const QRect& window, const QPoint& pointer, int32_t direction, int32_t x,
                      int32_t y, int32_t cx, int32_t cy);

// Where the pop-up with the geometry form goes against source on a screen whose usable area
// is screen: flipped above or left of the source when it does not fit below or right of it,
// aligned across the direction. PWA_ADJUST also gives it the source's extent; an unknown
// alignment keeps the form's own cross position.
QRect placePopup(const Edges& source, const QRect& form, const QRect& screen, int32_t direction,
                 int32_t align);

// The part of the source where a press only closes the pop-up: none with PWD_SCREEN,
// otherwise the source rectangle moved to xDisable, yDisable (offsets from the window's
// corner) and cut to cxDisable, cyDisable where those are given.
QRect disabledRectangle(const Edges& source, const QRect& window, int32_t direction,
                        int32_t xDisable, int32_t yDisable, int32_t cxDisable, int32_t cyDisable);

} // namespace orvenly::popup
