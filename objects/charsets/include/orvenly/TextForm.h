#pragma once

#include "orvenly/StringConversion.h"

#include <QString>

namespace orvenly {

// The form a text file was read in, and is written back in: its charset and, for the
// Unicode forms (SCS_UTF8, SCS_UTF16LE, SCS_UTF16BE), whether it starts with a byte-order
// mark. A document keeps the form recogniseForm or decodeText gave it; encodeText writes the
// text back in that form, byte for byte as it was read when the text has not changed (the
// mark included). The mark means nothing for the Japanese charsets and stays false there.
struct TextForm {
    StringCharsetTypeConstants charset = SCS_SHIFTJIS;
    bool byteOrderMark = false;

    constexpr TextForm() = default;
    // A charset alone is its form without a mark.
    constexpr TextForm(StringCharsetTypeConstants formCharset, bool withMark = false)
        : charset(formCharset), byteOrderMark(withMark) {}

    // Whether this is one of the Unicode forms, which hold every character.
    constexpr bool isUnicode() const {
        return charset == SCS_UTF8 || charset == SCS_UTF16LE || charset == SCS_UTF16BE;
    }

    // The form's name as the program shows it: "UTF-8", "UTF-8 (BOM)", "UTF-16 LE",
    // "UTF-16 LE (BOM)", "UTF-16 BE", "UTF-16 BE (BOM)"; for the Japanese charsets "Shift JIS",
    // "JIS", "EUC" and "Octet-Stream"; empty for SCS_UNKNOWN.
    QString name() const;

    friend constexpr bool operator==(const TextForm&, const TextForm&) = default;
};

} // namespace orvenly
