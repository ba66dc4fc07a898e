#include "common/CaretReadout.h"

#include <orvenly/TextConversion.h>
#include <orvenly/Unmappable.h>

#include <QList>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace penlark {

using namespace orvenly;

namespace {

bool singleCell(char32_t c) {
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
}

QString charsetTag(StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_SHIFTJIS:
    case SCS_OCTETSTREAM:
        return u"SJIS"_s;
    case SCS_JIS:
        return u"JIS"_s;
    case SCS_EUC:
        return u"EUC"_s;
    case SCS_UTF8:
        return u"UTF-8"_s;
    case SCS_UTF16LE:
        return u"UTF-16LE"_s;
    case SCS_UTF16BE:
        return u"UTF-16BE"_s;
    default:
        return {};
    }
}

// The bytes of one character in JIS without the escape sequences around them.
QByteArray withoutEscapes(const QByteArray& bytes) {
    QByteArray result;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\x1b') {
            result += bytes[i];
            continue;
        }
        // ESC ( B, ESC ( I, ESC $ B, ESC $ @ take three bytes; ESC $ ( D four.
        i += bytes.mid(i, 3) == "\x1b$(" ? 3 : 2;
    }
    return result;
}

} // namespace

namespace {

// The cells the character at i takes from column on, and how many UTF-16 units it has.
std::pair<int, qsizetype> cellsAt(QStringView line, qsizetype i, qsizetype end, int column,
                                  int tabStep) {
    const QChar c = line[i];
    if (c == u'\t')
        return {tabStep > 0 ? (column / tabStep + 1) * tabStep - column : 1, 1};
    if (c.isHighSurrogate() && i + 1 < end && line[i + 1].isLowSurrogate())
        return {2, 2};
    return {singleCell(c.unicode()) ? 1 : 2, 1};
}

} // namespace

int cellColumn(QStringView line, qsizetype position, int tabStep) {
    int column = 0;
    const qsizetype end = std::min(position, line.size());
    for (qsizetype i = 0; i < end;) {
        const auto [cells, units] = cellsAt(line, i, end, column, tabStep);
        column += cells;
        i += units;
    }
    return column;
}

qsizetype cellPosition(QStringView line, int column, int tabStep) {
    int at = 0;
    for (qsizetype i = 0; i < line.size();) {
        const auto [cells, units] = cellsAt(line, i, line.size(), at, tabStep);
        if (at + cells > column)
            return i;
        at += cells;
        i += units;
    }
    return line.size();
}

QString characterCode(QStringView text, TextForm form) {
    if (text.isEmpty() || text[0] == u'\r' || text[0] == u'\n')
        return {};
    const qsizetype length =
        text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate() ? 2 : 1;
    const QString character = text.left(length).toString();
    const char32_t scalar = character.toUcs4().value(0);
    QString unicode = u"U+%1"_s.arg(uint(scalar), 4, 16, QChar(u'0')).toUpper();
    if (findUnmappable(character, form.charset).count > 0 || form.charset == SCS_UNKNOWN)
        return unicode;
    QByteArray bytes = encodeText(character, TextForm(form.charset), SLB_CRLF, false);
    if (form.charset == SCS_JIS)
        bytes = withoutEscapes(bytes);
    return charsetTag(form.charset) + u' ' + QString::fromLatin1(bytes.toHex().toUpper()) +
           u" / "_s + unicode;
}

} // namespace penlark
