#pragma once

#include "tamsell/NumericBox.h"

#include <QRect>

namespace tamsell::numericbox {

// What the arrangement depends on, in pixels of the control.
struct LayoutInput {
    QSize inner;          // the control's client area
    int frame = 2;        // width of the field frame's border
    int fieldHeight = 12; // height of the text line
    int length = 5;
    int whiteSpace = 0;
    int digitWidth = 0; // width of the digit "5"
    int unitWidth = 0;  // width of the unit caption
    bool unitEmpty = true;
    NumericBoxStyleConstants style = nbsOut;
    NumericBoxStyleConstants unitStyle = nbsOut;
    double dpi = 96;
};

// Where the parts go. The field and the inner unit label are in the coordinates of the field's
// frame; the frame, the outer label and the spin arrows in those of the control.
struct Layout {
    QRect frame;
    QRect field;
    QRect unitIn;
    QRect unitOut;
    QRect spin;
};

// The measures of the arrangement are given in twips (1/1440 inch) and taken at the screen's
// resolution.
int twips(int value, double dpi);

Layout arrange(const LayoutInput& in);

// The width that shows the whole field, the unit and spin arrows of the given width.
int naturalWidth(const LayoutInput& in, int spinWidth);

} // namespace tamsell::numericbox
