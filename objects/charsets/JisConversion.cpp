#include "CharsetEngine.h"
#include "TwoByteCodes.h"
#include "orvenly/AutomationError.h"

#include <platform/Cp932.h>
#include <platform/LargeBuffer.h>

#include <QChar>

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>

// The 64-byte half-width katakana table, embedded by the build.
// NOLINTBEGIN(readability-identifier-naming): named by the generator of the data.
extern const unsigned char halfwidthKatakanaTable[];
extern const std::size_t halfwidthKatakanaTable_size;
// NOLINTEND(readability-identifier-naming)

namespace orvenly {

namespace charsets {

namespace cp932 = platform::cp932;

namespace {

// The most one UTF-16 unit can turn into: a four-byte escape (ESC $ ( D) and a two-byte code.
constexpr qsizetype MaxJisPerUnit = 6;
constexpr std::size_t KatakanaTableSize = 64;

// Rows 0 to 62 of the table hold the cell bytes for the half-width bytes 0xA1 to 0xDF.
const unsigned char* katakanaTable() {
    static const unsigned char* const table = [] {
        if (halfwidthKatakanaTable_size != KatakanaTableSize) {
            throw AutomationError(errors::InvalidArgument,
                                  QStringLiteral("半角カナ変換テーブルが壊れています。"),
                                  QStringLiteral("StringConversion"));
        }
        return halfwidthKatakanaTable;
    }();
    return table;
}

enum class JisMode { Ascii, Kanji, Katakana, Supplement };

// ---- Decoding, shared by the string form (one character per byte) and raw bytes ----

uint8_t jisByte(uint8_t b) {
    return b;
}
// A character of the string form stands for the byte of its code point.
uint8_t jisByte(char16_t c) {
    return c <= 0xFF ? static_cast<uint8_t>(c) : Question;
}

// Code page 932 for every single byte and every byte pair, filled once from the platform
// layer so that the decoding loops make no call per character.
struct Cp932Lookup {
    std::array<char16_t, 256> single;
    std::array<char16_t, 65536> pairs;
};

const Cp932Lookup& cp932Lookup() {
    static const std::unique_ptr<const Cp932Lookup> lookup = [] {
        auto table = std::make_unique<Cp932Lookup>();
        for (std::size_t b = 0; b < table->single.size(); ++b) {
            table->single[b] = cp932::decodeByte(static_cast<uint8_t>(b));
        }
        for (std::size_t code = 0; code < table->pairs.size(); ++code) {
            table->pairs[code] =
                cp932::decodePair(static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code));
        }
        return table;
    }();
    return *lookup;
}

const uint8_t* findEscape(const uint8_t* p, const uint8_t* end) {
    const void* found = std::memchr(p, Esc, static_cast<std::size_t>(end - p));
    return found != nullptr ? static_cast<const uint8_t*>(found) : end;
}
const char16_t* findEscape(const char16_t* p, const char16_t* end) {
    const qsizetype at = QStringView(p, end - p).indexOf(QChar(Esc));
    return at < 0 ? end : p + at;
}

// Each segment decoder writes the segment that starts at p and returns where it ended: at
// the next ESC or at the end.
const char16_t* appendAscii(char16_t*& o, const char16_t* p, const char16_t* end) {
    const char16_t* escape = findEscape(p, end);
    // An empty segment may come with null pointers, which memcpy must not see.
    if (escape != p)
        std::memcpy(o, p, static_cast<std::size_t>(escape - p) * sizeof(char16_t));
    o += escape - p;
    return escape;
}
// Raw bytes outside the escapes read as code page 932, as they would if the caller decoded
// the whole file first; ESC is never a trail byte, so splitting there changes nothing.
const uint8_t* appendAscii(char16_t*& o, const uint8_t* p, const uint8_t* end) {
    for (; p != end && *p < 0x80 && *p != Esc; ++p) {
        *o++ = *p;
    }
    if (p == end || *p == Esc) {
        return p;
    }
    const uint8_t* escape = findEscape(p, end);
    const QString rest = cp932::decode(QByteArrayView(p, escape - p));
    if (!rest.isEmpty())
        std::memcpy(o, rest.constData(), static_cast<std::size_t>(rest.size()) * sizeof(char16_t));
    o += rest.size();
    return escape;
}

char16_t kanji(uint8_t j1, uint8_t j2, const Cp932Lookup& lookup) {
    JisToSjis(j1, j2);
    return lookup.pairs[static_cast<std::size_t>(j1 << 8 | j2)];
}

template <typename Unit>
const Unit* appendKanji(char16_t*& o, const Unit* p, const Unit* end, const Cp932Lookup& lookup) {
    for (; end - p >= 2 && p[0] != Esc && p[1] != Esc; p += 2) {
        *o++ = kanji(jisByte(p[0]), jisByte(p[1]), lookup);
    }
    if (p != end && *p != Esc) { // an odd run: the last byte is padded with 0x00
        *o++ = kanji(jisByte(*p), 0, lookup);
        ++p;
    }
    return p;
}

// JIS X 0212, as EUC-JP's three-byte codes hold it; an odd byte at the end of a run has no
// character.
template <typename Unit>
const Unit* appendSupplement(char16_t*& o, const Unit* p, const Unit* end) {
    for (; end - p >= 2 && p[0] != Esc && p[1] != Esc; p += 2) {
        const uint8_t b1 = jisByte(p[0]);
        const uint8_t b2 = jisByte(p[1]);
        const bool inRange = b1 >= 0x21 && b1 <= 0x7E && b2 >= 0x21 && b2 <= 0x7E;
        *o++ = inRange ? supplementCharacter(b1 | 0x80, b2 | 0x80) : cp932::ReplacementCharacter;
    }
    if (p != end && *p != Esc) {
        *o++ = cp932::ReplacementCharacter;
        ++p;
    }
    return p;
}

template <typename Unit>
const Unit* appendKatakana(char16_t*& o, const Unit* p, const Unit* end,
                           const Cp932Lookup& lookup) {
    for (; p != end && *p != Esc; ++p) {
        *o++ = lookup.single[static_cast<uint8_t>(jisByte(*p) + 0x80)];
    }
    return p;
}

// Whether the escape that p points after is ESC $ ( D, which selects JIS X 0212.
template <typename Unit> bool isSupplementEscape(const Unit* p, const Unit* end) {
    return end - p >= 3 && p[0] == '$' && p[1] == '(' && p[2] == 'D';
}

// The mode an escape selects; p points after ESC. Anything unknown, or a sequence cut
// short by the end, falls back to ASCII. Only the full reading knows JIS X 0212.
template <typename Unit> JisMode escapeMode(const Unit* p, const Unit* end, bool full) {
    if (full && isSupplementEscape(p, end)) {
        return JisMode::Supplement;
    }
    if (end - p < 2) {
        return JisMode::Ascii;
    }
    if (p[0] == '$' && (p[1] == 'B' || p[1] == '@')) {
        return JisMode::Kanji;
    }
    if (p[0] == '(' && p[1] == 'I') {
        return JisMode::Katakana;
    }
    return JisMode::Ascii;
}

template <typename Unit> QString decodeJisUnits(const Unit* in, qsizetype n, bool full) {
    const Cp932Lookup& lookup = cp932Lookup();
    // Every segment decodes to at most as many characters as it has units.
    QString out = platform::largeString(n);
    char16_t* const begin = unitsOf(out);
    char16_t* o = begin;
    const Unit* p = in;
    const Unit* const end = in + n;
    JisMode mode = JisMode::Ascii;
    for (;;) {
        switch (mode) {
        case JisMode::Ascii:
            p = appendAscii(o, p, end);
            break;
        case JisMode::Kanji:
            p = appendKanji(o, p, end, lookup);
            break;
        case JisMode::Katakana:
            p = appendKatakana(o, p, end, lookup);
            break;
        case JisMode::Supplement:
            p = appendSupplement(o, p, end);
            break;
        }
        if (p == end) {
            break;
        }
        mode = escapeMode(p + 1, end, full);
        const qsizetype escapeLength = mode == JisMode::Supplement ? 4 : 3;
        p = end - p > escapeLength ? p + escapeLength : end;
    }
    // The slack stays: line-break conversion usually follows and grows the text in place.
    out.truncate(o - begin);
    return out;
}

// ---- Encoding ----

class JisWriter {
public:
    explicit JisWriter(uint8_t* o) : m_out(o) {}

    uint8_t* position() const { return m_out; }

    void enter(JisMode mode) {
        if (m_mode == mode) {
            return;
        }
        m_mode = mode;
        *m_out++ = Esc;
        switch (mode) {
        case JisMode::Ascii:
            put('(', 'B');
            break;
        case JisMode::Kanji:
            put('$', 'B');
            break;
        case JisMode::Katakana:
            put('(', 'I');
            break;
        case JisMode::Supplement:
            put('$', '(');
            put('D');
            break;
        }
    }
    void put(uint8_t b) { *m_out++ = b; }
    void put(uint8_t b1, uint8_t b2) {
        m_out[0] = b1;
        m_out[1] = b2;
        m_out += 2;
    }
    void lose(qsizetype& lost) {
        enter(JisMode::Ascii);
        put(Question);
        ++lost;
    }

private:
    uint8_t* m_out;
    JisMode m_mode = JisMode::Ascii;
};

constexpr char16_t VoicedMark = u'\uFF9E';
constexpr char16_t SemiVoicedMark = u'\uFF9F';

// Writes the full-width form of the half-width katakana b (Shift_JIS 0xA1-0xDF), merging the
// sound mark next when it can combine with it; returns whether the mark was used.
bool putWideKatakana(JisWriter& writer, const unsigned char* table, uint8_t b, char16_t next) {
    const bool symbol = b <= 0xA5 || b == 0xB0 || b == 0xDE || b == 0xDF;
    auto cell = static_cast<uint8_t>(table[b - 0xA1]);
    bool merged = false;
    if (next == VoicedMark && ((b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE))) {
        cell = static_cast<uint8_t>(cell + 1);
        merged = true;
    } else if (next == SemiVoicedMark && b >= 0xCA && b <= 0xCE) {
        cell = static_cast<uint8_t>(cell + 2);
        merged = true;
    }
    writer.put(symbol ? 0x21 : 0x25, cell);
    return merged;
}

// Writes the text character by character through its code page 932 code. The full form
// writes the JIS X 0212 characters after ESC $ ( D and keeps the control codes but ESC, SO
// and SI (which would switch the character sets); the plain one writes "?" for both.
void writeJis(JisWriter& writer, const unsigned char* table, QStringView text, bool full,
              qsizetype& lost) {
    const char16_t* in = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        const uint16_t code = cp932::encodeChar(c);
        if (c < 0x80 || (code != 0 && code < 0x80)) {
            const auto b = static_cast<uint8_t>(c < 0x80 ? c : code);
            if (isPlainText(b) || (full && holdsByte(b, SCS_JIS))) {
                writer.enter(JisMode::Ascii);
                writer.put(b);
            } else {
                writer.lose(lost);
            }
        } else if (code > 0xFF && hasJisRow(static_cast<uint8_t>(code >> 8))) {
            writer.enter(JisMode::Kanji);
            auto s1 = static_cast<uint8_t>(code >> 8);
            auto s2 = static_cast<uint8_t>(code);
            SjisToJis(s1, s2);
            writer.put(s1, s2);
        } else if (code <= 0xFF && isKatakana(static_cast<uint8_t>(code)) && table != nullptr) {
            writer.enter(JisMode::Kanji);
            if (putWideKatakana(writer, table, static_cast<uint8_t>(code),
                                i + 1 < n ? in[i + 1] : 0)) {
                ++i;
            }
        } else if (code <= 0xFF && isKatakana(static_cast<uint8_t>(code))) {
            writer.enter(JisMode::Katakana);
            writer.put(static_cast<uint8_t>(code & 0x7F));
        } else if (const uint16_t supplement =
                       full && !QChar::isSurrogate(c) ? supplementCode(c) : 0) {
            writer.enter(JisMode::Supplement);
            writer.put(static_cast<uint8_t>(supplement >> 8 & 0x7F),
                       static_cast<uint8_t>(supplement & 0x7F));
        } else {
            writer.lose(lost);
            // A surrogate pair is one character, and so one "?".
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
                ++i;
            }
        }
    }
}

QByteArray encodeJisText(QStringView text, bool narrowFiltering, bool full, qsizetype& lost) {
    const unsigned char* table = narrowFiltering ? katakanaTable() : nullptr;
    if (text.isEmpty()) {
        return {};
    }
    QByteArray out = platform::largeBytes(text.size() * MaxJisPerUnit);
    uint8_t* const begin = bytesOf(out);
    JisWriter writer(begin);
    writeJis(writer, table, text, full, lost);
    cutTo(out, writer.position() - begin);
    return out;
}

} // namespace

QString decodeJis(QStringView jis) {
    return decodeJisUnits(jis.utf16(), jis.size(), false);
}

QString decodeJis(QByteArrayView jis) {
    return decodeJisUnits(bytesOf(jis), jis.size(), false);
}

QByteArray encodeJis(QStringView text, bool narrowFiltering, qsizetype& lost) {
    return encodeJisText(text, narrowFiltering, false, lost);
}

QString decodeJisFull(QByteArrayView jis) {
    return decodeJisUnits(bytesOf(jis), jis.size(), true);
}

QByteArray encodeJisFull(QStringView text, bool narrowFiltering, qsizetype& lost) {
    return encodeJisText(text, narrowFiltering, true, lost);
}

} // namespace charsets

bool hasHalfWidthKatakana(QByteArrayView jis) {
    using namespace charsets;
    const uint8_t* p = bytesOf(jis);
    const uint8_t* const end = p + jis.size();
    JisMode mode = JisMode::Ascii;
    for (;;) {
        const uint8_t* const escape = findEscape(p, end);
        if (mode == JisMode::Katakana && escape != p) {
            return true;
        }
        if (mode == JisMode::Ascii) {
            // Bytes with bit 7 set read as code page 932: a katakana byte alone is one.
            for (const uint8_t* q = p; q < escape; ++q) {
                if (cp932::isLeadByte(*q)) {
                    ++q;
                } else if (isKatakana(*q)) {
                    return true;
                }
            }
        }
        if (escape == end) {
            return false;
        }
        mode = escapeMode(escape + 1, end, true);
        const qsizetype escapeLength = mode == JisMode::Supplement ? 4 : 3;
        p = end - escape > escapeLength ? escape + escapeLength : end;
    }
}

} // namespace orvenly
