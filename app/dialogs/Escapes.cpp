#include "dialogs/Escapes.h"

#include "dialogs/WidthFolding.h"
#include "platform/Cp932.h"

namespace penlark {

namespace {

int octalDigit(QChar c) {
    return c >= u'0' && c <= u'7' ? c.unicode() - u'0' : -1;
}

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The code page 932 code of one character; a two-byte code counts as its 16-bit value.
int ansiCode(QChar c) {
    return platform::cp932::encodeChar(c.unicode());
}

} // namespace

void EscapeExpander::produce(QStringView text) {
    switch (m_mode) {
    case Case::None:
        m_out += text;
        break;
    case Case::Lower:
        m_out += LowerSameLength(text);
        break;
    case Case::Upper:
        m_out += UpperSameLength(text);
        break;
    }
}

void EscapeExpander::produceCode(int code) {
    const char16_t c = platform::cp932::decodeByte(static_cast<uint8_t>(code));
    // A lead byte alone is no character.
    if (c != platform::cp932::ReplacementCharacter)
        produce(QStringView(&c, 1));
}

void EscapeExpander::verbatim(QStringView text) {
    if (text.isEmpty())
        return;
    if (m_next != Case::None) {
        const QStringView first = text.first(1);
        m_out += m_next == Case::Lower ? LowerSameLength(first) : UpperSameLength(first);
        text = text.sliced(1);
        m_next = Case::None;
    }
    produce(text);
}

void EscapeExpander::literal(QStringView text) {
    m_next = Case::None;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const qsizetype slash = text.indexOf(u'\\', i);
        if (slash < 0) {
            produce(text.sliced(i));
            return;
        }
        produce(text.sliced(i, slash - i));
        if (slash + 1 >= size)
            return;
        const QChar kind = text[slash + 1];
        // How many characters the escape takes; past the end it ends the expansion.
        auto needs = [&](qsizetype count) { return slash + count <= size; };
        i = slash + 2;
        switch (kind.unicode()) {
        case u'\\':
            produce(u"\\");
            break;
        case u't':
            produce(u"\t");
            break;
        case u'n':
            produce(u"\n");
            break;
        case u'r':
            produce(u"\r");
            break;
        case u'f':
            produce(u"\f");
            break;
        case u'v':
            produce(u"\v");
            break;
        case u'a':
            produce(u"\a");
            break;
        case u'e':
            produce(u"\x1B");
            break;
        case u'c': {
            if (!needs(3))
                return;
            const int code = ansiCode(text[slash + 2]) - 64;
            if (code >= 1 && code <= 31)
                produceCode(code);
            i = slash + 3;
            break;
        }
        case u'0':
        case u'1':
        case u'2':
        case u'3': {
            if (!needs(4))
                return;
            const int a = octalDigit(kind);
            const int b = octalDigit(text[slash + 2]);
            const int c = octalDigit(text[slash + 3]);
            if (b >= 0 && c >= 0)
                produceCode(a * 64 + b * 8 + c);
            i = slash + 4;
            break;
        }
        case u'x': {
            if (!needs(4))
                return;
            const int high = hexDigit(text[slash + 2]);
            const int low = hexDigit(text[slash + 3]);
            if (high >= 0 && low >= 0)
                produceCode(high * 16 + low);
            i = slash + 4;
            break;
        }
        case u'l':
        case u'u': {
            const Case one = kind == u'l' ? Case::Lower : Case::Upper;
            if (!needs(3)) {
                m_next = one;
                return;
            }
            const QStringView c = text.sliced(slash + 2, 1);
            m_out += one == Case::Lower ? LowerSameLength(c) : UpperSameLength(c);
            i = slash + 3;
            break;
        }
        case u'L':
            m_mode = Case::Lower;
            break;
        case u'U':
            m_mode = Case::Upper;
            break;
        case u'E':
            m_mode = Case::None;
            break;
        default:
            break;
        }
    }
}

QString ExpandEscapes(QStringView text) {
    EscapeExpander expander;
    expander.literal(text);
    return expander.take();
}

} // namespace penlark
