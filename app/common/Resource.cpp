#include "common/Resource.h"

#include <QHash>
#include <QStringView>
#include <cstddef>
#include <exception>

// NOLINTBEGIN(readability-identifier-naming): named by the generator of the data.
extern const unsigned char stringTable[];
extern const std::size_t stringTable_size;
// NOLINTEND(readability-identifier-naming)

namespace penlark {

namespace {

// Both formatters write into a buffer of this many characters.
constexpr qsizetype FormattedLimit = 1024;

// "\n" is a line break and "\\" a backslash; any other backslash stays as it is.
QString unescape(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            if (text[i + 1] == u'n') {
                result += u'\n';
                ++i;
                continue;
            }
            if (text[i + 1] == u'\\') {
                result += u'\\';
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

// Lines of the form "<number><TAB><text>"; blank lines and "#" comments are skipped.
QHash<int32_t, QString> parseTable() {
    const QString source =
        QString::fromUtf8(reinterpret_cast<const char*>(stringTable), qsizetype(stringTable_size));
    QHash<int32_t, QString> table;
    for (QStringView line : QStringView(source).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype tab = line.indexOf(u'\t');
        if (line.isEmpty() || line.startsWith(u'#') || tab < 0)
            continue;
        bool ok = false;
        const int32_t id = line.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, unescape(line.mid(tab + 1)));
    }
    return table;
}

const QHash<int32_t, QString>& table() {
    static const QHash<int32_t, QString> entries = parseTable();
    return entries;
}

const orvenly::Variant* argumentFor(QChar digit, std::initializer_list<orvenly::Variant> args) {
    const auto index = std::size_t(digit.unicode() - u'1');
    return index < args.size() ? args.begin() + index : nullptr;
}

bool isPlaceholderDigit(QChar ch) {
    return ch >= u'1' && ch <= u'9';
}

// An argument that cannot be converted inserts nothing.
QString textOf(const orvenly::Variant& argument) {
    try {
        return argument.toString();
    } catch (const std::exception&) {
        return {};
    }
}

QString resourceArgument(const orvenly::Variant& argument) {
    using Type = orvenly::Variant::Type;
    switch (argument.type()) {
    case Type::Integer:
    case Type::Long:
    case Type::Byte:
        return LoadResString(argument.toLong());
    default:
        return textOf(argument);
    }
}

} // namespace

QString LoadResString(int32_t id) {
    return table().value(id);
}

QString FormatResString(int32_t id, std::initializer_list<orvenly::Variant> args) {
    const QString templ = LoadResString(id);
    QString result;
    for (qsizetype i = 0; i < templ.size(); ++i) {
        if (templ[i] != u'%') {
            result += templ[i];
            continue;
        }
        // A "%" without a digit is copied and the next character is scanned normally, so
        // the second of "%%" may start a placeholder.
        if (i + 1 >= templ.size() || !isPlaceholderDigit(templ[i + 1])) {
            result += u'%';
            continue;
        }
        ++i;
        if (const orvenly::Variant* argument = argumentFor(templ[i], args))
            result += resourceArgument(*argument);
    }
    result.truncate(FormattedLimit);
    return result;
}

QString FormatString(const QString& templ, std::initializer_list<orvenly::Variant> args) {
    QString result;
    for (qsizetype i = 0; i < templ.size(); ++i) {
        if (templ[i] != u'%') {
            result += templ[i];
            continue;
        }
        if (i + 1 >= templ.size()) {
            result += u'%';
            break;
        }
        const QChar next = templ[++i];
        if (isPlaceholderDigit(next)) {
            if (const orvenly::Variant* argument = argumentFor(next, args))
                result += textOf(*argument);
        } else if (next == u'n') {
            result += QStringLiteral("\r\n");
        } else if (next == u'%') {
            result += u'%';
        } else {
            result += u'%';
            result += next;
        }
    }
    result.truncate(FormattedLimit);
    return result;
}

} // namespace penlark
