#pragma once

#include <QString>
#include <QStringView>

namespace penlark {

// Comparison keys that keep every character in its place: the key of a text has the text's
// length, so a position found in the key is the same position in the text.

// Each UTF-16 unit lower-cased on its own by the simple (one-to-one) case mapping.
QString LowerSameLength(QStringView text);
QString UpperSameLength(QStringView text);

// Lower-cased as above, with the full-width/half-width distinction folded away. A half-width
// katakana and the half-width sound mark after it that make one full-width character (ﾃﾞ デ,
// ﾊﾟ パ, ｳﾞ ヴ) fold to that character followed by ComposedMark, which keeps the length.
inline constexpr char16_t ComposedMark = u'\uFFFF';
QString FoldWidth(QStringView text);

// FoldWidth without the ComposedMark units: the key a pattern is searched by.
QString FoldWidthComposed(QStringView text);

// The length of the stretch of a FoldWidth key from at that matches pattern, a
// FoldWidthComposed key, with the ComposedMark after its last character; -1 when none
// matches there.
qsizetype MatchFolded(QStringView key, qsizetype at, QStringView pattern);

} // namespace penlark
