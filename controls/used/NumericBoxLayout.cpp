#include "NumericBoxLayout.h"

#include <algorithm>
#include <cmath>

namespace tamsell::numericbox {

int twips(int value, double dpi) {
    return int(std::lround(value * dpi / 1440.0));
}

Layout arrange(const LayoutInput& in) {
    const auto tw = [&](int value) { return twips(value, in.dpi); };
    const int innerWidth = in.inner.width();
    const int innerHeight = in.inner.height();
    const int w = (in.length + in.whiteSpace) * in.digitWidth;
    const int u = in.unitWidth;

    Layout out;
    int x = w;
    int frameWidth = innerWidth;
    int unitInLeft = 0;
    if (in.unitStyle == nbsIn) {
        x += tw(60);
        unitInLeft = x - tw(30);
        x += u + (in.style == nbsIn ? tw(30) : tw(60));
        if (in.style == nbsIn) {
            out.spin = QRect(x, tw(30), innerWidth - x - tw(30), innerHeight - tw(60));
        } else {
            frameWidth = x;
            out.spin = QRect(x, 0, innerWidth - x, innerHeight);
        }
    } else if (in.style == nbsIn) {
        x += tw(90);
        const int s = in.unitEmpty ? 0 : u + tw(30);
        if (!in.unitEmpty)
            out.unitOut.moveLeft(innerWidth - u);
        frameWidth = innerWidth - s;
        out.spin = QRect(x, tw(30), innerWidth - x - s - tw(30), innerHeight - tw(60));
    } else {
        x += tw(120);
        frameWidth = x;
        if (!in.unitEmpty) {
            x += tw(30);
            out.unitOut.moveLeft(x);
            x += u + tw(30);
        }
        out.spin = QRect(x, 0, innerWidth - x, innerHeight);
    }
    out.spin.setWidth(std::max(0, out.spin.width()));
    out.spin.setHeight(std::max(0, out.spin.height()));

    out.frame = QRect(0, 0, std::max(0, frameWidth), innerHeight);
    // The text sits centred in the frame's inside; the outer label a little lower, where its
    // base line meets the field's.
    const int top = (innerHeight - 2 * in.frame - in.fieldHeight) / 2;
    out.field = QRect(in.frame, in.frame + top, w, in.fieldHeight);
    out.unitIn = QRect(in.frame + unitInLeft, in.frame + top, u, in.fieldHeight);
    out.unitOut = QRect(out.unitOut.left(), top + tw(30), u, in.fieldHeight);
    return out;
}

int naturalWidth(const LayoutInput& in, int spinWidth) {
    LayoutInput wide = in;
    wide.inner.setWidth(0);
    const Layout zero = arrange(wide);
    // With no room, the spin arrows' width is what the parts before them leave missing.
    const int used = in.style == nbsIn ? zero.spin.left() + twips(30, in.dpi) : zero.spin.left();
    const int unitAfter = in.unitStyle == nbsOut && in.style == nbsIn && !in.unitEmpty
                              ? in.unitWidth + twips(30, in.dpi)
                              : 0;
    return used + unitAfter + spinWidth;
}

} // namespace tamsell::numericbox
