#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <variant>

class QObject;

namespace orvenly {

// Fixed-point currency: the count of ten-thousandths.
struct Currency {
    int64_t scaled = 0;
    static Currency fromDouble(double value); // rounds half to even; error 6 out of range
    double toDouble() const { return double(scaled) / 10000.0; }
    friend bool operator==(Currency, Currency) = default;
};

// Date as days since 1899-12-30, the time as the fraction.
struct Date {
    double days = 0.0;
    friend bool operator==(Date, Date) = default;
};

struct Empty {
    friend bool operator==(Empty, Empty) = default;
};
struct Null {
    friend bool operator==(Null, Null) = default;
};

// A value of one of the automation types. The numbers of VarType are the conventional ones.
class Variant {
public:
    enum class Type : uint16_t {
        Empty = 0,
        Null = 1,
        Integer = 2,
        Long = 3,
        Single = 4,
        Double = 5,
        Currency = 6,
        Date = 7,
        String = 8,
        Object = 9,
        Boolean = 11,
        Byte = 17,
        ByteArray = 0x2011,
    };

    Variant() = default;
    Variant(Null) : m_value(Null{}) {}
    Variant(Empty) {}
    Variant(int16_t v) : m_value(v) {}
    Variant(int32_t v) : m_value(v) {}
    Variant(float v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(Currency v) : m_value(v) {}
    Variant(Date v) : m_value(v) {}
    Variant(const QString& v) : m_value(v) {}
    Variant(const char16_t* v) : m_value(QString::fromUtf16(v)) {}
    // Without this a string literal would silently become a Boolean.
    Variant(const char* v) : m_value(QString::fromUtf8(v)) {}
    Variant(bool v) : m_value(v) {}
    Variant(uint8_t v) : m_value(v) {}
    Variant(const QByteArray& v) : m_value(v) {}
    Variant(std::shared_ptr<QObject> v) : m_value(std::move(v)) {}
    template <class O>
    requires(!std::is_same_v<O, QObject> && std::is_convertible_v<O*, QObject*>)
        Variant(std::shared_ptr<O> v)
        : m_value(std::shared_ptr<QObject>(std::move(v))) {}
    Variant(std::nullptr_t) : m_value(std::shared_ptr<QObject>()) {} // Nothing

    Type type() const;
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isNumeric() const; // Integer, Long, Single, Double, Currency, Byte, Boolean

    // Conversions with the automation rules: Null raises 94, an impossible conversion 13,
    // a value out of range 6. Rounding to integers is half to even.
    // Numbers print locale-neutrally with "."; dates in the default, host-neutral form
    // "yyyy/MM/dd hh:mm:ss" (date alone at midnight, time alone on day 0).
    QString toString() const;
    int16_t toInteger() const;
    int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    Currency toCurrency() const;
    Date toDate() const;
    bool toBoolean() const;
    uint8_t toByte() const;
    QByteArray toByteArray() const;            // byte array as is; a string gives its UTF-16 bytes
    std::shared_ptr<QObject> toObject() const; // error 13 unless an object (or Nothing)

    // The value changed to another type by the rules above. Anything changes to Empty; only
    // Null changes to Null.
    Variant convertedTo(Type target) const;

    // Same type and equal value; strings compare exactly.
    bool sameTypeAndValue(const Variant& other) const;
    friend bool operator==(const Variant& a, const Variant& b) { return a.sameTypeAndValue(b); }

private:
    std::variant<Empty, Null, int16_t, int32_t, float, double, Currency, Date, QString, bool,
                 uint8_t, QByteArray, std::shared_ptr<QObject>>
        m_value;
};

} // namespace orvenly
