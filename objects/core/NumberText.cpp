#include "NumberText.h"

#include <charconv>
#include <limits>

namespace orvenly::number_text {

namespace {

constexpr uint64_t RadixSaturated = uint64_t(1) << 32;
// Far beyond any exponent a double can hold, small enough to add lengths to safely.
constexpr int64_t ExponentLimit = 1'000'000'000;
// Above 10^19 nothing fits in 64 bits.
constexpr int64_t Int64Digits = 19;

int digitValue(QChar ch, int base) {
    const char16_t c = ch.unicode();
    int value = base;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

std::optional<ParsedNumber> parseRadix(QStringView text) {
    if (text.size() < 2)
        return std::nullopt;
    const char16_t prefix = text[0].toUpper().unicode();
    const int base = prefix == u'H' ? 16 : prefix == u'O' ? 8 : 0;
    if (base == 0)
        return std::nullopt;
    ParsedNumber number;
    number.radix = true;
    for (QChar ch : text.mid(1)) {
        const int digit = digitValue(ch, base);
        if (digit < 0)
            return std::nullopt;
        number.bits = std::min(number.bits * uint64_t(base) + uint64_t(digit), RadixSaturated);
    }
    return number;
}

bool isDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

std::optional<ParsedNumber> parseDecimal(QStringView text) {
    ParsedNumber number;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        number.negative = text[i++] == u'-';
    for (; i < text.size() && isDigit(text[i]); ++i)
        number.digits += char(text[i].unicode());
    qsizetype fractionDigits = 0;
    if (i < text.size() && text[i] == u'.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++fractionDigits)
            number.digits += char(text[i].unicode());
    }
    if (number.digits.empty())
        return std::nullopt;

    int64_t exponent = 0;
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        if (i == text.size() || !isDigit(text[i]))
            return std::nullopt;
        for (; i < text.size() && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i].unicode() - u'0'), ExponentLimit);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != text.size())
        return std::nullopt;

    number.exponent = exponent - fractionDigits;
    const auto first = number.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        number.digits.clear();
        number.exponent = 0;
        number.negative = false;
        return number;
    }
    const auto last = number.digits.find_last_not_of('0');
    number.exponent += int64_t(number.digits.size() - 1 - last);
    number.digits = number.digits.substr(first, last - first + 1);
    return number;
}

template <class Real> QString formatReal(Real value, int precision) {
    // Negative zero prints as zero.
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return QString::fromLatin1(buffer, result.ptr - buffer).toUpper();
}

} // namespace

std::optional<ParsedNumber> parse(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'&'))
        return parseRadix(QStringView(trimmed).mid(1));
    return parseDecimal(trimmed);
}

std::optional<int64_t> roundedToScale(const ParsedNumber& number, int scale) {
    const auto length = int64_t(number.digits.size());
    const int64_t shift = number.exponent + scale;
    if (length == 0)
        return 0;
    if (length + shift > Int64Digits)
        return std::nullopt;

    uint64_t magnitude = 0;
    const int64_t kept = std::min(length, length + shift);
    for (int64_t i = 0; i < kept; ++i)
        magnitude = magnitude * 10 + uint64_t(number.digits[size_t(i)] - '0');
    for (int64_t i = 0; i < shift; ++i)
        magnitude *= 10;
    // A first dropped digit of 5 with nothing after it is an exact half (trailing zeros are
    // gone): round to even.
    if (kept >= 0 && kept < length) {
        const char first = number.digits[size_t(kept)];
        const bool more = kept + 1 < length;
        if (first > '5' || (first == '5' && (more || magnitude % 2 == 1)))
            ++magnitude;
    }

    const uint64_t limit =
        uint64_t(std::numeric_limits<int64_t>::max()) + (number.negative ? 1 : 0);
    if (magnitude > limit)
        return std::nullopt;
    if (!number.negative)
        return int64_t(magnitude);
    return magnitude == limit ? std::numeric_limits<int64_t>::min() : -int64_t(magnitude);
}

std::optional<int64_t> radixValue(const ParsedNumber& number, int width) {
    const uint64_t span = uint64_t(1) << width;
    if (number.bits >= span)
        return std::nullopt;
    if (number.bits >= span / 2)
        return int64_t(number.bits) - int64_t(span);
    return int64_t(number.bits);
}

std::optional<double> toDouble(const ParsedNumber& number) {
    if (number.digits.empty())
        return 0.0;
    // The decimal exponent of the leading digit decides between overflow and underflow.
    const int64_t magnitude = int64_t(number.digits.size()) + number.exponent;
    const double zero = number.negative ? -0.0 : 0.0;
    if (magnitude > 400)
        return std::nullopt;
    if (magnitude < -400)
        return zero;
    const std::string text = number.digits + 'e' + std::to_string(number.exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return magnitude > 0 ? std::nullopt : std::optional<double>(zero);
    return number.negative ? -value : value;
}

QString formatDouble(double value) {
    return formatReal(value, 15);
}

QString formatSingle(float value) {
    return formatReal(value, 7);
}

QString formatCurrency(Currency value) {
    const uint64_t magnitude =
        value.scaled < 0 ? uint64_t(0) - uint64_t(value.scaled) : uint64_t(value.scaled);
    QString text = QString::number(magnitude / 10000);
    if (value.scaled < 0)
        text.prepend(u'-');
    if (const uint64_t fraction = magnitude % 10000) {
        QString decimals = QString::number(fraction).rightJustified(4, u'0');
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return text;
}

} // namespace orvenly::number_text
