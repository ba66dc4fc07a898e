#pragma once

#include <QLocale>
#include <QString>

namespace tamsell {

// Formats a number by a pattern of the automation Format function's number formats:
//  - the named formats "General Number", "Currency", "Fixed", "Standard", "Percent",
//    "Scientific", "Yes/No", "True/False" and "On/Off" (case-insensitive);
//  - patterns of up to three sections "positive;negative;zero" built from 0 (digit or zero),
//    # (digit or nothing), . (decimal point), , (thousands separator between digits, or
//    divide by 1000 before the decimal point), % (times 100), E+ E- e+ e- (exponent), quoted
//    text, \ (next character as is) and any other character as itself.
// The number is taken at 15 significant digits and rounded half away from zero. The decimal
// point and thousands separator come from locale.
QString formatNumber(double number, const QString& pattern, const QLocale& locale = QLocale());

} // namespace tamsell
