#include "CharsetEngine.h"
#include "TwoByteCodes.h"
#include "orvenly/AutomationError.h"

#include <platform/Cp932.h>
#include <platform/LargeBuffer.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>

// The 64-byte half-width katakana table, embedded by the build.
extern const unsigned char halfwidthKatakanaTable[];
extern const std::size_t halfwidthKatakanaTable_size;

namespace orvenly::charsets {

namespace cp932 = platform::cp932;

namespace {

// The most one UTF-16 unit can turn into: a three-byte escape and a two-byte code.
constexpr qsizetype MaxJisPerUnit = 5;
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

enum class JisMode { Ascii, Kanji, Katakana };

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

template <typename Unit>
const Unit* appendKatakana(char16_t*& o, const Unit* p, const Unit* end,
                           const Cp932Lookup& lookup) {
    for (; p != end && *p != Esc; ++p) {
        *o++ = lookup.single[static_cast<uint8_t>(jisByte(*p) + 0x80)];
    }
    return p;
}

// The mode an escape selects; p points after ESC. Anything unknown, or a sequence cut
// short by the end, falls back to ASCII.
template <typename Unit> JisMode escapeMode(const Unit* p, const Unit* end) {
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

template <typename Unit> QString decodeJisUnits(const Unit* in, qsizetype n) {
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
        }
        if (p == end) {
            break;
        }
        mode = escapeMode(p + 1, end);
        p = end - p > 3 ? p + 3 : end;
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
        }
    }
    void put(uint8_t b) { *m_out++ = b; }
    void put(uint8_t b1, uint8_t b2) {
        m_out[0] = b1;
        m_out[1] = b2;
        m_out += 2;
    }

private:
    uint8_t* m_out;
    JisMode m_mode = JisMode::Ascii;
};

// Writes the full-width form of the half-width katakana at in[i], merging a voiced or
// semi-voiced sound mark that can combine with it; returns the number of bytes used.
qsizetype putWideKatakana(JisWriter& writer, const unsigned char* table, const uint8_t* in,
                          qsizetype i, qsizetype n) {
    const uint8_t b = in[i];
    const bool symbol = b <= 0xA5 || b == 0xB0 || b == 0xDE || b == 0xDF;
    auto cell = static_cast<uint8_t>(table[b - 0xA1]);
    qsizetype used = 1;
    if (i + 1 < n) {
        const uint8_t next = in[i + 1];
        if (next == 0xDE && ((b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE))) {
            cell = static_cast<uint8_t>(cell + 1);
            used = 2;
        } else if (next == 0xDF && b >= 0xCA && b <= 0xCE) {
            cell = static_cast<uint8_t>(cell + 2);
            used = 2;
        }
    }
    writer.put(symbol ? 0x21 : 0x25, cell);
    return used;
}

void writeJis(JisWriter& writer, const unsigned char* table, const uint8_t* in, qsizetype n,
              qsizetype& lost) {
    for (qsizetype i = 0; i < n; ++i) {
        const uint8_t b = in[i];
        if (cp932::isLeadByte(b) && i + 1 < n && !hasJisRow(b)) {
            writer.enter(JisMode::Ascii);
            writer.put(Question);
            ++lost;
            ++i;
        } else if (cp932::isLeadByte(b) && i + 1 < n) {
            writer.enter(JisMode::Kanji);
            uint8_t s1 = b;
            uint8_t s2 = in[++i];
            SjisToJis(s1, s2);
            writer.put(s1, s2);
        } else if (cp932::isLeadByte(b) || isPlainText(b)) {
            writer.enter(JisMode::Ascii);
            writer.put(b);
        } else if (isKatakana(b) && table != nullptr) {
            writer.enter(JisMode::Kanji);
            i += putWideKatakana(writer, table, in, i, n) - 1;
        } else if (isKatakana(b)) {
            writer.enter(JisMode::Katakana);
            writer.put(b & 0x7F);
        } else {
            writer.enter(JisMode::Ascii);
            writer.put(Question);
            ++lost;
        }
    }
}

} // namespace

QString decodeJis(QStringView jis) {
    return decodeJisUnits(jis.utf16(), jis.size());
}

QString decodeJis(QByteArrayView jis) {
    return decodeJisUnits(bytesOf(jis), jis.size());
}

QByteArray encodeJis(QStringView text, bool narrowFiltering, qsizetype& lost) {
    const unsigned char* table = narrowFiltering ? katakanaTable() : nullptr;
    if (text.isEmpty()) {
        return {};
    }
    QByteArray out = platform::largeBytes(text.size() * MaxJisPerUnit);
    uint8_t* const begin = bytesOf(out);
    JisWriter writer(begin);
    forEachShiftJisPiece(
        text, [&](const uint8_t* sjis, qsizetype n) { writeJis(writer, table, sjis, n, lost); },
        lost);
    cutTo(out, writer.position() - begin);
    return out;
}

} // namespace orvenly::charsets
