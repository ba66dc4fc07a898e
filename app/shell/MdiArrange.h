#pragma once

class QMdiArea;

namespace penlark {

// Window arrangements of a document area that Qt does not offer itself. Minimised windows
// keep their place in the tilings.

// Every open window the full height of the area, side by side in window order.
void tileSideBySide(QMdiArea& area);
// Every open window the full width of the area, one above the other.
void tileOneAboveTheOther(QMdiArea& area);
// The minimised windows in a row along the bottom edge, from the left.
void arrangeIcons(QMdiArea& area);

} // namespace penlark
