#include "NumberFormat.h"

#include <QStringList>
#include <cmath>
#include <vector>

namespace tamsell {

namespace {

// A non-negative number as decimal digits: 0.digits x 10^point. The digits have no leading
// or trailing zeros; none at all is zero.
struct Decimal {
    QString digits;
    int point = 0;

    bool isZero() const { return digits.isEmpty(); }
    // The digit standing for 10^power.
    QChar at(int power) const {
        const int index = point - 1 - power;
        return index >= 0 && index < digits.size() ? digits[index] : QChar('0');
    }
    // The digits before the decimal point, most significant first.
    QString integerDigits() const {
        if (isZero() || point <= 0)
            return {};
        return digits.left(point).leftJustified(point, '0');
    }
};

void trimZeros(Decimal& number) {
    while (number.digits.endsWith('0'))
        number.digits.chop(1);
    if (number.isZero())
        number.point = 0;
}

// 15 significant digits, as the automation types show a double.
Decimal decimalOf(double magnitude) {
    Decimal number;
    if (!(magnitude > 0))
        return number;
    const QString text = QString::number(magnitude, 'e', 14);
    const qsizetype e = text.indexOf('e');
    number.digits = text.left(1) + text.mid(2, e - 2);
    number.point = text.mid(e + 1).toInt() + 1;
    trimZeros(number);
    return number;
}

// Rounds half away from zero to the given count of digits after the decimal point.
void roundTo(Decimal& number, int decimals) {
    const int keep = number.point + decimals;
    if (keep >= number.digits.size())
        return;
    if (keep < 0) {
        number = {};
        return;
    }
    const bool up = number.digits[keep] >= QChar('5');
    number.digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && number.digits[i] == QChar('9'))
            number.digits[i--] = '0';
        if (i < 0) {
            number.digits.prepend('1');
            ++number.point;
        } else {
            number.digits[i] = QChar(number.digits[i].unicode() + 1);
        }
    }
    trimZeros(number);
}

struct Token {
    enum Kind { Zero, Hash, Point, Group, Scale, Percent, Exponent, Text } kind;
    QString text;

    bool isDigit() const { return kind == Zero || kind == Hash; }
};

// Splits at the semicolons that are not quoted or escaped.
QStringList sectionsOf(const QString& pattern) {
    QStringList sections(1);
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && !quoted && i + 1 < pattern.size()) {
            sections.last() += c;
            sections.last() += pattern[++i];
            continue;
        } else if (c == ';' && !quoted) {
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

// The commas of the integer part: between digit places they group, after the last one they
// divide by 1000, before any they are text.
void classifyCommas(std::vector<Token>& tokens) {
    size_t end = 0;
    while (end < tokens.size() && tokens[end].kind != Token::Point &&
           tokens[end].kind != Token::Exponent)
        ++end;
    bool digitBefore = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        if (token.isDigit() && i < end)
            digitBefore = true;
        if (token.kind != Token::Group)
            continue;
        bool digitAfter = false;
        for (size_t j = i + 1; j < end && !digitAfter; ++j)
            digitAfter = tokens[j].isDigit();
        if (i >= end || !digitBefore)
            token = {Token::Text, QStringLiteral(",")};
        else if (!digitAfter)
            token.kind = Token::Scale;
    }
}

std::vector<Token> tokensOf(const QString& section) {
    std::vector<Token> tokens;
    bool point = false;
    bool exponent = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == '"') {
            const qsizetype close = section.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? section.size() : close;
            tokens.push_back({Token::Text, section.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == '\\') {
            if (i + 1 < section.size())
                tokens.push_back({Token::Text, section.mid(++i, 1)});
        } else if (c == '0') {
            tokens.push_back({Token::Zero, {}});
        } else if (c == '#') {
            tokens.push_back({Token::Hash, {}});
        } else if (c == '.' && !point && !exponent) {
            point = true;
            tokens.push_back({Token::Point, {}});
        } else if (c == ',') {
            // Classified once the whole section is known.
            tokens.push_back({Token::Group, {}});
        } else if (c == '%') {
            tokens.push_back({Token::Percent, {}});
        } else if ((c == 'E' || c == 'e') && !exponent && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            exponent = true;
            tokens.push_back({Token::Exponent, section.mid(i, 2)});
            ++i;
        } else {
            tokens.push_back({Token::Text, QString(c)});
        }
    }
    classifyCommas(tokens);
    return tokens;
}

// Writes the digit places of a whole number: the first place also takes the digits that no
// place is left for, a 0 place shows a zero where the number has no digit.
class WholeDigits {
public:
    WholeDigits(QString digits, int places, QString separator)
        : m_digits(std::move(digits)), m_places(places), m_separator(std::move(separator)) {}

    void place(QString& out, Token::Kind kind) {
        const int length = int(m_digits.size());
        const int power = m_places - 1 - m_next;
        if (m_next++ == 0)
            for (int p = length - 1; p >= m_places; --p)
                put(out, m_digits[length - 1 - p], p);
        if (power < length)
            put(out, m_digits[length - 1 - power], power);
        else if (kind == Token::Zero)
            put(out, '0', power);
    }

    // The digits of a number whose pattern has no places before the decimal point.
    void unplaced(QString& out) {
        for (int p = int(m_digits.size()) - 1; p >= 0; --p)
            put(out, m_digits[m_digits.size() - 1 - p], p);
    }

private:
    void put(QString& out, QChar digit, int power) const {
        out += digit;
        if (!m_separator.isEmpty() && power > 0 && power % 3 == 0)
            out += m_separator;
    }

    QString m_digits;
    int m_places;
    QString m_separator;
    int m_next = 0;
};

struct Counts {
    int whole = 0;
    int fraction = 0;
    int exponent = 0;
    int percent = 0;
    int scale = 0;
    bool group = false;
    bool hasExponent = false;
    std::vector<Token::Kind> fractionKinds;
};

Counts countsOf(const std::vector<Token>& tokens) {
    Counts counts;
    enum { Whole, Fraction, Exponent } area = Whole;
    for (const Token& token : tokens) {
        switch (token.kind) {
        case Token::Zero:
        case Token::Hash:
            if (area == Whole)
                ++counts.whole;
            else if (area == Fraction)
                counts.fractionKinds.push_back(token.kind);
            else
                ++counts.exponent;
            break;
        case Token::Point:
            area = Fraction;
            break;
        case Token::Exponent:
            area = Exponent;
            counts.hasExponent = true;
            break;
        case Token::Group:
            counts.group = true;
            break;
        case Token::Scale:
            ++counts.scale;
            break;
        case Token::Percent:
            ++counts.percent;
            break;
        case Token::Text:
            break;
        }
    }
    counts.fraction = int(counts.fractionKinds.size());
    return counts;
}

// One section applied to a magnitude; nonZero tells whether any digit shown is not zero.
QString formatSection(double magnitude, const QString& section, const QLocale& locale,
                      bool& nonZero) {
    const std::vector<Token> tokens = tokensOf(section);
    const Counts counts = countsOf(tokens);
    magnitude *= std::pow(100.0, counts.percent);
    magnitude /= std::pow(1000.0, counts.scale);

    Decimal number = decimalOf(magnitude);
    int exponent = 0;
    if (counts.hasExponent && !number.isZero()) {
        exponent = number.point - counts.whole;
        number.point = counts.whole;
        roundTo(number, counts.fraction);
        // Rounding up may have added a digit before the point.
        exponent += number.point - counts.whole;
        number.point = counts.whole;
    } else {
        roundTo(number, counts.fraction);
    }
    nonZero = !number.isZero();

    // Trailing zeros of # places are left out.
    int fractionShown = counts.fraction;
    while (fractionShown > 0 && counts.fractionKinds[size_t(fractionShown - 1)] == Token::Hash &&
           number.at(-fractionShown) == '0')
        --fractionShown;

    WholeDigits whole(number.integerDigits(), counts.whole,
                      counts.group ? locale.groupSeparator() : QString());
    WholeDigits exponentDigits(exponent == 0 ? QString() : QString::number(std::abs(exponent)),
                               counts.exponent, QString());
    QString out;
    enum { Whole, Fraction, Exponent } area = Whole;
    int fractionIndex = 0;
    for (const Token& token : tokens) {
        switch (token.kind) {
        case Token::Zero:
        case Token::Hash:
            if (area == Whole) {
                whole.place(out, token.kind);
            } else if (area == Fraction) {
                if (fractionIndex < fractionShown)
                    out += number.at(-1 - fractionIndex);
                ++fractionIndex;
            } else {
                exponentDigits.place(out, token.kind);
            }
            break;
        case Token::Point:
            if (counts.whole == 0)
                whole.unplaced(out);
            out += locale.decimalPoint();
            area = Fraction;
            break;
        case Token::Exponent:
            out += token.text[0];
            if (exponent < 0)
                out += '-';
            else if (token.text[1] == '+')
                out += '+';
            area = Exponent;
            break;
        case Token::Percent:
            out += '%';
            break;
        case Token::Text:
            out += token.text;
            break;
        case Token::Group:
        case Token::Scale:
            break;
        }
    }
    return out;
}

// The named formats that tell only whether the number is zero.
struct Choice {
    const char* name;
    const char* yes;
    const char* no;
};
constexpr Choice Choices[] = {
    {"yes/no", "Yes", "No"}, {"true/false", "True", "False"}, {"on/off", "On", "Off"}};

QString generalNumber(double number, const QLocale& locale) {
    QString text = QString::number(number, 'g', 15);
    text.replace('.', locale.decimalPoint());
    text.replace('e', 'E');
    return text;
}

// The pattern a named format stands for, or none.
QString namedPattern(const QString& name) {
    const QString key = name.toLower();
    if (key == QLatin1String("fixed"))
        return QStringLiteral("0.00");
    if (key == QLatin1String("standard"))
        return QStringLiteral("#,##0.00");
    if (key == QLatin1String("percent"))
        return QStringLiteral("0.00%");
    if (key == QLatin1String("scientific"))
        return QStringLiteral("0.00E+00");
    return {};
}

} // namespace

QString formatNumber(double number, const QString& pattern, const QLocale& locale) {
    if (!std::isfinite(number))
        return QString::number(number);
    const QString key = pattern.toLower();
    if (pattern.isEmpty() || key == QLatin1String("general number"))
        return generalNumber(number, locale);
    if (key == QLatin1String("currency"))
        return locale.toCurrencyString(number);
    for (const Choice& choice : Choices)
        if (key == QLatin1String(choice.name))
            return QString::fromLatin1(number != 0 ? choice.yes : choice.no);
    const QString named = namedPattern(pattern);
    const QStringList sections = sectionsOf(named.isEmpty() ? pattern : named);

    QString section = sections[0];
    bool minus = number < 0;
    if (number < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        section = sections[1];
        minus = false;
    } else if (number == 0 && sections.size() > 2 && !sections[2].isEmpty()) {
        section = sections[2];
    }
    bool nonZero = false;
    const QString text = formatSection(std::abs(number), section, locale, nonZero);
    return minus && nonZero ? '-' + text : text;
}

} // namespace tamsell
