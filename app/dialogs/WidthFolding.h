#pragma once

#include <QString>
#include <QStringView>

namespace penlark {

// Comparison keys that keep every character in its place: the key of a text has the text's
// length, so a position found in the key is the same position in the text.

// Each UTF-16 unit lower-cased on its own by the simple (one-to-one) case mapping.
QString LowerSameLength(QStringView text);
QString UpperSameLength(QStringView text);

// Lower-cased as above, with the full-width/half-width distinction folded away.
QString FoldWidth(QStringView text);

} // namespace penlark
