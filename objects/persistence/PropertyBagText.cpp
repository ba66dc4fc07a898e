#include "orvenly/PropertyBag.h"

#include "orvenly/AutomationError.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string>

// The text form: one "Name = Type value" line per property. Strings are quoted with
// backslash escapes, byte arrays are hexadecimal, floating-point numbers use the shortest
// text that reads back to the same bits.

namespace orvenly {

namespace {

const QString Source = QStringLiteral("OrvenlyCls.PropertyBag");

constexpr int64_t CurrencyScale = 10000;

// Characters that would break a line, hide in an editor or not survive UTF-8.
bool needsEscape(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += text[i];
            out += text[++i];
        } else if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (needsEscape(c) || QChar::isSurrogate(c)) {
            out += QStringLiteral("\\u") +
                   QStringLiteral("%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
        } else {
            out += c;
        }
    }
    return out + u'"';
}

// A name is written bare when it reads back unchanged up to the equals sign.
bool bareName(const QString& name) {
    if (name.front().isSpace() || name.back().isSpace())
        return false;
    return std::ranges::none_of(name, [](QChar c) {
        return c == u'=' || c == u'"' || c == u'\\' || needsEscape(c.unicode()) || c.isSurrogate();
    });
}

template <class T> QString shortest(T value) {
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return QString::fromLatin1(digits, result.ptr - digits);
}

QString currencyText(Currency value) {
    const bool negative = value.scaled < 0;
    const uint64_t magnitude = negative ? 0 - uint64_t(value.scaled) : uint64_t(value.scaled);
    QString text =
        (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / CurrencyScale);
    if (const uint64_t fraction = magnitude % CurrencyScale; fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return text;
}

QString valueText(const Variant& value) {
    switch (value.type()) {
    case Variant::Type::Empty:
        return QStringLiteral("Empty");
    case Variant::Type::Null:
        return QStringLiteral("Null");
    case Variant::Type::Integer:
        return QStringLiteral("Integer %1").arg(value.toInteger());
    case Variant::Type::Long:
        return QStringLiteral("Long %1").arg(value.toLong());
    case Variant::Type::Single:
        return QStringLiteral("Single ") + shortest(value.toSingle());
    case Variant::Type::Double:
        return QStringLiteral("Double ") + shortest(value.toDouble());
    case Variant::Type::Currency:
        return QStringLiteral("Currency ") + currencyText(value.toCurrency());
    case Variant::Type::Date:
        return QStringLiteral("Date ") + shortest(value.toDate().days);
    case Variant::Type::String:
        return QStringLiteral("String ") + quoted(value.toString());
    case Variant::Type::Boolean:
        return value.toBoolean() ? QStringLiteral("Boolean True") : QStringLiteral("Boolean False");
    case Variant::Type::Byte:
        return QStringLiteral("Byte %1").arg(value.toByte());
    case Variant::Type::ByteArray:
        return (QStringLiteral("Bytes ") +
                QString::fromLatin1(value.toByteArray().toHex().toUpper()))
            .trimmed();
    case Variant::Type::Object:
        break;
    }
    throw AutomationError(errors::TypeMismatch, {}, Source);
}

// Reads one line; every failure is reported with the line's number.
class LineParser {
public:
    LineParser(QStringView line, int number) : m_line(line), m_number(number) {}

    QString name() {
        skipSpaces();
        if (peek() == u'"')
            return quotedText();
        const qsizetype equals = m_line.indexOf(u'=', m_at);
        if (equals < 0)
            fail();
        QString bare = m_line.sliced(m_at, equals - m_at).trimmed().toString();
        m_at = equals;
        return bare;
    }

    void equalsSign() {
        skipSpaces();
        if (peek() != u'=')
            fail();
        ++m_at;
    }

    Variant value() {
        skipSpaces();
        const qsizetype start = m_at;
        while (m_at < m_line.size() && !m_line[m_at].isSpace())
            ++m_at;
        const QStringView tag = m_line.sliced(start, m_at - start);
        skipSpaces();
        if (tag == u"String") {
            const QString text = quotedText();
            if (!m_line.sliced(m_at).trimmed().isEmpty())
                fail();
            return text;
        }
        return typed(tag, m_line.sliced(m_at).trimmed());
    }

    [[noreturn]] void fail() const {
        throw AutomationError(errors::InvalidFileFormat,
                              QStringLiteral("Invalid property text at line %1").arg(m_number),
                              Source);
    }

private:
    QChar peek() const { return m_at < m_line.size() ? m_line[m_at] : QChar(); }

    void skipSpaces() {
        while (m_at < m_line.size() && m_line[m_at].isSpace())
            ++m_at;
    }

    QString quotedText() {
        if (peek() != u'"')
            fail();
        ++m_at;
        QString text;
        while (m_at < m_line.size()) {
            const QChar c = m_line[m_at++];
            if (c == u'"')
                return text;
            if (c != u'\\') {
                text += c;
                continue;
            }
            if (m_at >= m_line.size())
                fail();
            const QChar escaped = m_line[m_at++];
            if (escaped == u'n')
                text += u'\n';
            else if (escaped == u'r')
                text += u'\r';
            else if (escaped == u't')
                text += u'\t';
            else if (escaped == u'"' || escaped == u'\\')
                text += escaped;
            else if (escaped == u'u')
                text += QChar(char16_t(hexDigits(4)));
            else
                fail();
        }
        fail();
    }

    uint hexDigits(qsizetype count) {
        if (m_at + count > m_line.size())
            fail();
        bool ok = false;
        const uint value = m_line.sliced(m_at, count).toUInt(&ok, 16);
        if (!ok || !isHex(m_line.sliced(m_at, count)))
            fail();
        m_at += count;
        return value;
    }

    static bool isHex(QStringView text) {
        return std::ranges::all_of(text, [](QChar c) { return isHexDigit(c); });
    }
    static bool isHexDigit(QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    }
    static bool isDigits(QStringView text) {
        return !text.isEmpty() &&
               std::ranges::all_of(text, [](QChar c) { return c >= u'0' && c <= u'9'; });
    }

    Variant typed(QStringView tag, QStringView argument) const {
        if (tag == u"Empty" || tag == u"Null") {
            if (!argument.isEmpty())
                fail();
            return tag == u"Null" ? Variant(Null{}) : Variant();
        }
        if (tag == u"Integer")
            return int16_t(integer(argument, INT16_MIN, INT16_MAX));
        if (tag == u"Long")
            return int32_t(integer(argument, INT32_MIN, INT32_MAX));
        if (tag == u"Byte")
            return uint8_t(integer(argument, 0, UINT8_MAX));
        if (tag == u"Single")
            return floating<float>(argument);
        if (tag == u"Double")
            return floating<double>(argument);
        if (tag == u"Date")
            return Date{floating<double>(argument)};
        if (tag == u"Currency")
            return currency(argument);
        if (tag == u"Boolean" && (argument == u"True" || argument == u"False"))
            return argument == u"True";
        if (tag == u"Bytes" && argument.size() % 2 == 0 && isHex(argument))
            return QByteArray::fromHex(argument.toLatin1());
        fail();
    }

    int64_t integer(QStringView text, int64_t low, int64_t high) const {
        const QStringView digits = text.startsWith(u'-') ? text.sliced(1) : text;
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok);
        if (!isDigits(digits) || !ok || value < low || value > high)
            fail();
        return value;
    }

    template <class T> T floating(QStringView text) const {
        const std::string latin = text.toLatin1().toStdString();
        T value{};
        const auto result = std::from_chars(latin.data(), latin.data() + latin.size(), value);
        if (latin.empty() || result.ec != std::errc() || result.ptr != latin.data() + latin.size())
            fail();
        return value;
    }

    Currency currency(QStringView text) const {
        const bool negative = text.startsWith(u'-');
        if (negative)
            text = text.sliced(1);
        const qsizetype dot = text.indexOf(u'.');
        const QStringView whole = dot < 0 ? text : text.first(dot);
        const QStringView fraction = dot < 0 ? QStringView() : text.sliced(dot + 1);
        if (!isDigits(whole) || (dot >= 0 && (!isDigits(fraction) || fraction.size() > 4)))
            fail();
        bool ok = false;
        const qulonglong units = whole.toULongLong(&ok);
        const uint64_t parts =
            dot < 0 ? 0 : (fraction.toString() + QString(4 - fraction.size(), u'0')).toULongLong();
        const uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
        if (!ok || units > (limit - parts) / CurrencyScale)
            fail();
        const uint64_t magnitude = units * CurrencyScale + parts;
        return Currency{negative ? int64_t(0 - magnitude) : int64_t(magnitude)};
    }

    QStringView m_line;
    int m_number;
    qsizetype m_at = 0;
};

} // namespace

QString PropertyBag::toText() const {
    QString text;
    for (const Entry& entry : m_entries)
        text += (bareName(entry.name) ? entry.name : quoted(entry.name)) + QStringLiteral(" = ") +
                valueText(entry.value) + u'\n';
    return text;
}

PropertyBag PropertyBag::fromText(const QString& text) {
    PropertyBag bag;
    int number = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        LineParser parser(line, number);
        const QString name = parser.name();
        parser.equalsSign();
        const Variant value = parser.value();
        if (name.isEmpty())
            parser.fail();
        bag.store(name, value);
    }
    return bag;
}

} // namespace orvenly
