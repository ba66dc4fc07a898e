#include "orvenly/Variant.h"

#include "DateText.h"
#include "NumberText.h"
#include "orvenly/AutomationError.h"

#include <array>
#include <cmath>
#include <concepts>
#include <limits>

namespace orvenly {

namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };
// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class... F> Overloaded(F...) -> Overloaded<F...>;

[[noreturn]] void raise(int32_t number) {
    throw AutomationError(number);
}

// Strings in the "&H" form fill the width of the target: "&HFFFF" is -1 as an Integer and
// 65535 as a Long; every type wider than Integer takes 32 bits.
constexpr int IntegerRadixWidth = 16;
constexpr int LongRadixWidth = 32;

constexpr double Int64Bound = 0x1p63;

double roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double excess = value - lower;
    if (excess > 0.5 || (excess == 0.5 && std::fmod(lower, 2.0) != 0.0))
        return lower + 1.0;
    return lower;
}

int64_t wholeFromReal(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -Int64Bound && rounded < Int64Bound))
        raise(errors::Overflow);
    return int64_t(rounded);
}

int64_t wholeFromCurrency(Currency value) {
    int64_t quotient = value.scaled / 10000;
    const int64_t remainder = value.scaled % 10000;
    const int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > 10000 || (twice == 10000 && quotient % 2 != 0))
        quotient += remainder < 0 ? -1 : 1;
    return quotient;
}

number_text::ParsedNumber parsedNumber(const QString& text) {
    auto number = number_text::parse(text);
    if (!number)
        raise(errors::TypeMismatch);
    return *number;
}

template <class T> T orOverflow(std::optional<T> value) {
    if (!value)
        raise(errors::Overflow);
    return *value;
}

int64_t wholeFromString(const QString& text, int radixWidth) {
    const auto number = parsedNumber(text);
    return orOverflow(number.radix ? number_text::radixValue(number, radixWidth)
                                   : number_text::roundedToScale(number, 0));
}

double doubleFromString(const QString& text) {
    const auto number = parsedNumber(text);
    if (number.radix)
        return double(orOverflow(number_text::radixValue(number, LongRadixWidth)));
    return orOverflow(number_text::toDouble(number));
}

Currency currencyFromString(const QString& text) {
    const auto number = parsedNumber(text);
    if (number.radix)
        return Currency{orOverflow(number_text::radixValue(number, LongRadixWidth)) * 10000};
    return Currency{orOverflow(number_text::roundedToScale(number, 4))};
}

template <class Target> Target narrowed(int64_t value) {
    if (value < std::numeric_limits<Target>::min() || value > std::numeric_limits<Target>::max())
        raise(errors::Overflow);
    return Target(value);
}

// The value rounded half to even to a whole number, before the target's range is checked.
template <class Storage> int64_t wholeNumber(const Storage& value, int radixWidth) {
    return std::visit(
        Overloaded{
            [](Empty) -> int64_t { return 0; },
            [](Null) -> int64_t { raise(errors::InvalidUseOfNull); },
            [](bool v) -> int64_t { return v ? -1 : 0; },
            [](const std::integral auto& v) -> int64_t { return v; },
            [](const std::floating_point auto& v) -> int64_t { return wholeFromReal(v); },
            [](Currency v) -> int64_t { return wholeFromCurrency(v); },
            [](Date v) -> int64_t { return wholeFromReal(v.days); },
            [radixWidth](const QString& v) -> int64_t { return wholeFromString(v, radixWidth); },
            [](const auto&) -> int64_t { raise(errors::TypeMismatch); },
        },
        value);
}

// Byte arrays hold UTF-16LE code units; an odd last byte becomes a unit of its own.
QString stringFromBytes(const QByteArray& bytes) {
    QString text((bytes.size() + 1) / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto low = uint8_t(bytes[2 * i]);
        const auto high = 2 * i + 1 < bytes.size() ? uint8_t(bytes[2 * i + 1]) : uint8_t(0);
        text[i] = QChar(char16_t(low | high << 8));
    }
    return text;
}

QByteArray bytesFromString(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    return bytes;
}

QString dateString(Date value) {
    if (!date_text::inRange(value.days))
        raise(errors::Overflow);
    return date_text::format(value);
}

bool booleanFromString(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    return doubleFromString(trimmed) != 0.0;
}

} // namespace

Currency Currency::fromDouble(double value) {
    const double scaled = roundHalfEven(value * 10000.0);
    if (!(scaled >= -Int64Bound && scaled < Int64Bound))
        raise(errors::Overflow);
    return Currency{int64_t(scaled)};
}

Variant::Type Variant::type() const {
    // In the order of the alternatives of m_value.
    static constexpr std::array Types{
        Type::Empty,  Type::Null,      Type::Integer, Type::Long,   Type::Single,
        Type::Double, Type::Currency,  Type::Date,    Type::String, Type::Boolean,
        Type::Byte,   Type::ByteArray, Type::Object,
    };
    static_assert(Types.size() == std::variant_size_v<decltype(m_value)>);
    return Types[m_value.index()];
}

bool Variant::isNumeric() const {
    switch (type()) {
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Byte:
    case Type::Boolean:
        return true;
    default:
        return false;
    }
}

QString Variant::toString() const {
    return std::visit(
        Overloaded{
            [](Empty) { return QString(); },
            [](Null) -> QString { raise(errors::InvalidUseOfNull); },
            [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); },
            [](const std::integral auto& v) { return QString::number(v); },
            [](float v) { return number_text::formatSingle(v); },
            [](double v) { return number_text::formatDouble(v); },
            [](Currency v) { return number_text::formatCurrency(v); },
            [](Date v) { return dateString(v); },
            [](const QString& v) { return v; },
            [](const QByteArray& v) { return stringFromBytes(v); },
            [](const auto&) -> QString { raise(errors::TypeMismatch); },
        },
        m_value);
}

int16_t Variant::toInteger() const {
    return narrowed<int16_t>(wholeNumber(m_value, IntegerRadixWidth));
}

int32_t Variant::toLong() const {
    return narrowed<int32_t>(wholeNumber(m_value, LongRadixWidth));
}

uint8_t Variant::toByte() const {
    return narrowed<uint8_t>(wholeNumber(m_value, IntegerRadixWidth));
}

double Variant::toDouble() const {
    return std::visit(Overloaded{
                          [](Empty) { return 0.0; },
                          [](Null) -> double { raise(errors::InvalidUseOfNull); },
                          [](bool v) { return v ? -1.0 : 0.0; },
                          [](const std::integral auto& v) { return double(v); },
                          [](const std::floating_point auto& v) { return double(v); },
                          [](Currency v) { return v.toDouble(); },
                          [](Date v) { return v.days; },
                          [](const QString& v) { return doubleFromString(v); },
                          [](const auto&) -> double { raise(errors::TypeMismatch); },
                      },
                      m_value);
}

float Variant::toSingle() const {
    if (const float* single = std::get_if<float>(&m_value))
        return *single;
    const double value = toDouble();
    if (std::isfinite(value) && std::fabs(value) > double(std::numeric_limits<float>::max()))
        raise(errors::Overflow);
    return float(value);
}

Currency Variant::toCurrency() const {
    return std::visit(Overloaded{
                          [](Empty) { return Currency{}; },
                          [](Null) -> Currency { raise(errors::InvalidUseOfNull); },
                          [](bool v) { return Currency{v ? -10000 : 0}; },
                          [](const std::integral auto& v) { return Currency{int64_t(v) * 10000}; },
                          [](const std::floating_point auto& v) { return Currency::fromDouble(v); },
                          [](Currency v) { return v; },
                          [](Date v) { return Currency::fromDouble(v.days); },
                          [](const QString& v) { return currencyFromString(v); },
                          [](const auto&) -> Currency { raise(errors::TypeMismatch); },
                      },
                      m_value);
}

Date Variant::toDate() const {
    if (const Date* date = std::get_if<Date>(&m_value))
        return *date;
    if (const QString* text = std::get_if<QString>(&m_value)) {
        const auto date = date_text::parse(*text);
        if (!date)
            raise(errors::TypeMismatch);
        return *date;
    }
    const double days = toDouble();
    if (!date_text::inRange(days))
        raise(errors::Overflow);
    return Date{days};
}

bool Variant::toBoolean() const {
    return std::visit(Overloaded{
                          [](Empty) { return false; },
                          [](Null) -> bool { raise(errors::InvalidUseOfNull); },
                          [](bool v) { return v; },
                          [](const std::integral auto& v) { return v != 0; },
                          [](const std::floating_point auto& v) { return v != 0; },
                          [](Currency v) { return v.scaled != 0; },
                          [](Date v) { return v.days != 0; },
                          [](const QString& v) { return booleanFromString(v); },
                          [](const auto&) -> bool { raise(errors::TypeMismatch); },
                      },
                      m_value);
}

QByteArray Variant::toByteArray() const {
    return std::visit(Overloaded{
                          [](Empty) { return QByteArray(); },
                          [](Null) -> QByteArray { raise(errors::InvalidUseOfNull); },
                          [](const QByteArray& v) { return v; },
                          [](const QString& v) { return bytesFromString(v); },
                          [](const auto&) -> QByteArray { raise(errors::TypeMismatch); },
                      },
                      m_value);
}

std::shared_ptr<QObject> Variant::toObject() const {
    if (isNull())
        raise(errors::InvalidUseOfNull);
    if (const auto* object = std::get_if<std::shared_ptr<QObject>>(&m_value))
        return *object;
    raise(errors::TypeMismatch);
}

Variant Variant::convertedTo(Type target) const {
    switch (target) {
    case Type::Empty:
        return {};
    case Type::Null:
        if (!isNull())
            raise(errors::TypeMismatch);
        return Null{};
    case Type::Integer:
        return toInteger();
    case Type::Long:
        return toLong();
    case Type::Single:
        return toSingle();
    case Type::Double:
        return toDouble();
    case Type::Currency:
        return toCurrency();
    case Type::Date:
        return toDate();
    case Type::String:
        return toString();
    case Type::Object:
        return toObject();
    case Type::Boolean:
        return toBoolean();
    case Type::Byte:
        return toByte();
    case Type::ByteArray:
        return toByteArray();
    }
    raise(errors::TypeMismatch);
}

bool Variant::sameTypeAndValue(const Variant& other) const {
    // Alternatives compare by index first; objects by identity, doubles by ==.
    return m_value == other.m_value;
}

} // namespace orvenly
