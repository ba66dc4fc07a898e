#pragma once

#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

// Numbers read from and written as text the way the automation runtime does, independent of
// the host locale.
namespace orvenly::number_text {

struct ParsedNumber {
    bool negative = false;
    std::string digits;   // decimal significand without leading or trailing zeros
    int64_t exponent = 0; // value = ±digits × 10^exponent
    bool radix = false;   // "&H" or "&O" form: the value is in bits
    uint64_t bits = 0;    // saturates above 32 bits
};

// Surrounding white space, a sign, decimals and an exponent, or "&H" / "&O" digits.
std::optional<ParsedNumber> parse(const QString& text);

// The decimal value × 10^scale rounded half to even; nothing when it leaves 64 bits.
std::optional<int64_t> roundedToScale(const ParsedNumber& number, int scale);

// The radix value read as a two's-complement number of the given width in bits, as the
// runtime fills the target type; nothing when it has more bits than that.
std::optional<int64_t> radixValue(const ParsedNumber& number, int width);

// The value as a double; nothing when it is too large for one.
std::optional<double> toDouble(const ParsedNumber& number);

// Up to 15 (Double) or 7 (Single) significant digits, exponent form "1E+20" / "1.5E-07" for
// large and small magnitudes, no trailing zeros.
QString formatDouble(double value);
QString formatSingle(float value);
// Up to four decimals without trailing zeros.
QString formatCurrency(Currency value);

} // namespace orvenly::number_text
