#pragma once

#include <QString>
#include <QStringList>

namespace penlark {

// A size in points as the size list shows it: up to four decimals, no trailing zeros.
QString sizeText(double points);

// The sizes offered for an outline face: the pixel heights 10 to 18 in steps of 2, 20 to 36
// in steps of 4, 40 to 72 in steps of 8 and 80 to 144 in steps of 16, in points at dpi.
QStringList outlineSizes(double dpi);

} // namespace penlark
