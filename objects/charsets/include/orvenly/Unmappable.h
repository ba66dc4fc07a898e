#pragma once

#include "orvenly/StringConversion.h"

#include <QString>
#include <QStringView>

namespace orvenly {

// The characters of a text that a charset cannot hold: those that encodeText writes as "?".
// A few characters without a code of their own are written as a look-alike's code (U+301C 〜
// as that of U+FF5E ～) and so are not counted. A surrogate pair counts as one character; a
// lone surrogate and U+FFFD (which stands for bytes that could not be read) are never held.
struct Unmappable {
    qsizetype count = 0;
    // The first one: its position in the text (-1 when there is none), its line counted
    // from 1 (CR LF, CR and LF each end a line) and the character itself.
    qsizetype first = -1;
    qsizetype line = 0;
    char32_t character = 0;
};

Unmappable findUnmappable(QStringView text, StringCharsetTypeConstants charset);

// The text with every character the charset cannot hold replaced by one "?".
QString replaceUnmappable(QStringView text, StringCharsetTypeConstants charset);

} // namespace orvenly
