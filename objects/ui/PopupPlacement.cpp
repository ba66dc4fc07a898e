#include "PopupPlacement.h"

#include "orvenly/PopupWindow.h"

#include <algorithm>
#include <optional>

namespace orvenly::popup {

namespace {

bool isScreen(int32_t direction) {
    return (direction & PWD_SCREEN) != 0;
}
bool isRight(int32_t direction) {
    return (direction & PWD_RIGHT) != 0;
}

// Where a pop-up of the given extent starts across the direction, or nothing for an unknown
// alignment. from and to are the source's edges across the direction.
std::optional<int32_t> crossStart(int32_t from, int32_t to, int32_t extent, int32_t align) {
    switch (align) {
    case PWA_TOPLEFT:
    case PWA_ADJUST:
        return from;
    case PWA_CENTER:
        // Division truncates toward zero, so a wider pop-up leans the same way as a narrower
        // one.
        return from + (to - from - extent) / 2;
    case PWA_BOTTOMRIGHT:
        return to - extent;
    default:
        return std::nullopt;
    }
}

} // namespace

Edges sourceRectangle(const QRect& window, const QPoint& pointer, int32_t direction, int32_t x,
                      int32_t y, int32_t cx, int32_t cy) {
    Edges r;
    if (isScreen(direction)) {
        r.left = x != PopupNotGiven ? x : pointer.x();
        r.top = y != PopupNotGiven ? y : pointer.y();
        r.right = cx >= 0 ? r.left + cx : r.left;
        r.bottom = cy >= 0 ? r.top + cy : r.top;
        return r;
    }
    r.left = x != PopupNotGiven ? window.left() + x : window.left();
    r.top = y != PopupNotGiven ? window.top() + y : window.top();
    r.right = cx >= 0 ? r.left + cx : window.x() + window.width();
    r.bottom = cy >= 0 ? r.top + cy : window.y() + window.height();
    return r;
}

QRect placePopup(const Edges& source, const QRect& form, const QRect& screen, int32_t direction,
                 int32_t align) {
    QRect placed = form;
    const int32_t screenRight = screen.x() + screen.width();
    const int32_t screenBottom = screen.y() + screen.height();
    if (isRight(direction)) {
        if (source.right + form.width() > screenRight)
            placed.moveLeft(source.left - form.width());
        else
            placed.moveLeft(source.right);
        if (align == PWA_ADJUST)
            placed.setHeight(std::max(0, source.bottom - source.top));
        if (auto top = crossStart(source.top, source.bottom, form.height(), align))
            placed.moveTop(*top);
    } else {
        if (source.bottom + form.height() > screenBottom)
            placed.moveTop(source.top - form.height());
        else
            placed.moveTop(source.bottom);
        if (align == PWA_ADJUST)
            placed.setWidth(std::max(0, source.right - source.left));
        if (auto left = crossStart(source.left, source.right, form.width(), align))
            placed.moveLeft(*left);
    }
    return placed;
}

QRect disabledRectangle(const Edges& source, const QRect& window, int32_t direction,
                        int32_t xDisable, int32_t yDisable, int32_t cxDisable, int32_t cyDisable) {
    if (isScreen(direction))
        return {};
    Edges r = source;
    if (xDisable != PopupNotGiven) {
        const int32_t width = r.right - r.left;
        r.left = window.left() + xDisable;
        r.right = r.left + width;
    }
    if (yDisable != PopupNotGiven) {
        const int32_t height = r.bottom - r.top;
        r.top = window.top() + yDisable;
        r.bottom = r.top + height;
    }
    if (cxDisable > 0)
        r.right = r.left + cxDisable;
    if (cyDisable > 0)
        r.bottom = r.top + cyDisable;
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

} // namespace orvenly::popup
