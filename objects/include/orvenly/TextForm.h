#pragma once

#include "orvenly/StringConversion.h"

namespace orvenly {

// The form of a text file's bytes: its charset and whether it starts with a byte-order mark.
struct TextForm {
    StringCharsetTypeConstants charset = SCS_SHIFTJIS;
    bool byteOrderMark = false;

    constexpr TextForm() = default;
    // A charset alone is its form without a mark.
    constexpr TextForm(StringCharsetTypeConstants charset_, bool byteOrderMark_ = false)
        : charset(charset_), byteOrderMark(byteOrderMark_) {}

    friend constexpr bool operator==(const TextForm&, const TextForm&) = default;
};

} // namespace orvenly
