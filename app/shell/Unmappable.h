#pragma once

#include "orvenly/StringConversion.h"

#include <QString>
#include <QStringView>

namespace penlark {

// The characters of a text that a charset cannot hold: those that would not read back as
// themselves once written. A surrogate pair counts as one character.
struct Unmappable {
    qsizetype count = 0;
    // Position of the first one in the text, -1 when there is none.
    qsizetype first = -1;
};

Unmappable findUnmappable(QStringView text, orvenly::StringCharsetTypeConstants charset);

// The text with every character the charset cannot hold replaced by one "?".
QString replaceUnmappable(QStringView text, orvenly::StringCharsetTypeConstants charset);

} // namespace penlark
