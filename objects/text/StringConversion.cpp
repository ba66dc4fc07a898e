#include "orvenly/StringConversion.h"

#include "TwoByteCodes.h"
#include "orvenly/AutomationError.h"

#include <platform/Cp932.h>

#include <QStringView>
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

// The 64-byte half-width katakana table, embedded by the build.
extern const unsigned char halfwidthKatakanaTable[];
extern const std::size_t halfwidthKatakanaTable_size;

namespace orvenly {

namespace cp932 = platform::cp932;

namespace {

constexpr uint8_t Esc = 0x1B;
constexpr uint8_t Question = 0x3F;
// The most one UTF-16 unit can turn into: in JIS a three-byte escape and a two-byte code, in
// EUC-JP a two-byte code.
constexpr qsizetype MaxJisPerUnit = 5;
constexpr qsizetype MaxEucPerUnit = 2;
// Conversions through Shift_JIS go piece by piece, so that no Shift_JIS copy of a whole
// document is made.
constexpr qsizetype EncodePiece = 8192;  // UTF-16 units
constexpr qsizetype DecodePiece = 16384; // EUC-JP bytes
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

bool isKatakana(uint8_t b) {
    return b >= 0xA1 && b <= 0xDF;
}

// TAB, LF, CR and the printable 7-bit range pass through both encoders unchanged.
bool isPlainText(uint8_t b) {
    return b == 0x09 || b == 0x0A || b == 0x0D || (b >= 0x20 && b <= 0x7E);
}

// The outputs run to tens of megabytes and are written once from the start; on huge pages
// their first touches cost a small fraction of the page faults.
void adviseHugePages([[maybe_unused]] void* buffer, [[maybe_unused]] std::size_t size) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t end = (start + size) & ~(HugePage - 1);
    if (end > first) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#endif
}

QByteArray largeBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    adviseHugePages(bytes.data(), static_cast<std::size_t>(size));
    return bytes;
}
QString largeString(qsizetype size) {
    QString text(size, Qt::Uninitialized);
    adviseHugePages(text.data(), static_cast<std::size_t>(size) * sizeof(char16_t));
    return text;
}

uint8_t* bytesOf(QByteArray& array) {
    return reinterpret_cast<uint8_t*>(array.data());
}
const uint8_t* bytesOf(QByteArrayView view) {
    return reinterpret_cast<const uint8_t*>(view.data());
}
char16_t* unitsOf(QString& text) {
    return reinterpret_cast<char16_t*>(text.data());
}

// Cuts an encoder's output, sized for the worst case, and gives the slack back.
void cutTo(QByteArray& output, qsizetype size) {
    output.truncate(size);
    output.squeeze();
}

// ---- Charset recognition ----

enum class ByteKind : uint8_t {
    Escape,      // ESC
    Undecided,   // 0x80, 0xA0: a Shift_JIS trail byte, otherwise no text
    ShiftJis,    // lead bytes that EUC-JP never uses
    Euc,         // 0xFD, 0xFE
    Binary,      // control codes no text holds, DEL, 0xFF
    Control,     // text controls and 0x20-0x3F: break an open character of either
    Trail,       // 0x40-0x7E: a Shift_JIS trail byte, not EUC-JP
    SingleShift, // 0x8E
    Kana,        // 0xA1-0xDF
    High,        // 0xE0-0xFC
};

constexpr std::array<ByteKind, 256> makeByteKinds() {
    std::array<ByteKind, 256> kinds{};
    for (int b = 0; b < 256; ++b) {
        ByteKind kind = ByteKind::Binary;
        if (b == Esc) {
            kind = ByteKind::Escape;
        } else if (b == 0x80 || b == 0xA0) {
            kind = ByteKind::Undecided;
        } else if (b == 0x8E) {
            kind = ByteKind::SingleShift;
        } else if (b >= 0x81 && b <= 0x9F) {
            kind = ByteKind::ShiftJis;
        } else if (b == 0xFD || b == 0xFE) {
            kind = ByteKind::Euc;
        } else if ((b >= 0x09 && b <= 0x0D) || b == 0x1A || (b >= 0x20 && b <= 0x3F)) {
            kind = ByteKind::Control;
        } else if (b >= 0x40 && b <= 0x7E) {
            kind = ByteKind::Trail;
        } else if (b >= 0xA1 && b <= 0xDF) {
            kind = ByteKind::Kana;
        } else if (b >= 0xE0 && b <= 0xFC) {
            kind = ByteKind::High;
        }
        kinds[static_cast<std::size_t>(b)] = kind;
    }
    return kinds;
}

constexpr std::array<ByteKind, 256> ByteKinds = makeByteKinds();

// ---- Line breaks ----

struct BreakCounts {
    qsizetype crLf = 0;
    qsizetype cr = 0;
    qsizetype lf = 0;
};

#ifdef __SSE2__
// Bit pairs set for the units up to CR among the eight at p.
unsigned breakCandidates(const char16_t* p) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Saturating subtraction leaves zero exactly for the units up to CR.
    const __m128i low =
        _mm_cmpeq_epi16(_mm_subs_epu16(units, _mm_set1_epi16(u'\r')), _mm_setzero_si128());
    return static_cast<unsigned>(_mm_movemask_epi8(low));
}
#endif

// Length of the run of characters above CR at the start of in[0, n): characters that the
// line-break rewrite keeps as they are.
qsizetype plainRun(const char16_t* in, qsizetype n) {
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 8 <= n; i += 8) {
        if (const unsigned mask = breakCandidates(in + i); mask != 0) {
            return i + std::countr_zero(mask) / 2;
        }
    }
#endif
    while (i < n && in[i] > u'\r') {
        ++i;
    }
    return i;
}

// Length of the run of characters above CR that ends at in[n - 1].
qsizetype plainRunBefore(const char16_t* in, qsizetype n) {
    qsizetype i = n;
#ifdef __SSE2__
    for (; i >= 8; i -= 8) {
        if (const unsigned mask = breakCandidates(in + i - 8); mask != 0) {
            return 8 - (std::bit_width(mask) + 1) / 2 + (n - i);
        }
    }
#endif
    while (i > 0 && in[i - 1] > u'\r') {
        --i;
    }
    return n - i;
}

struct BreakScan {
    BreakCounts counts;
    bool hasNul = false;
};

BreakScan scanBreaks(const char16_t* in, qsizetype n) {
    BreakScan scan;
    for (qsizetype i = plainRun(in, n); i < n; i += plainRun(in + i, n - i)) {
        const char16_t c = in[i++];
        if (c == u'\r' && i < n && in[i] == u'\n') {
            ++scan.counts.crLf;
            ++i;
        } else if (c == u'\r') {
            ++scan.counts.cr;
        } else if (c == u'\n') {
            ++scan.counts.lf;
        } else if (c == u'\0') {
            scan.hasNul = true;
        }
    }
    return scan;
}

// Rewrites in[0, n) into out[0, size) from the back, every break as CR LF and NUL as "?".
// out may be in itself: size leaves room for the lone CR and LF, so the writer never
// overtakes the reader.
void rewriteBreaks(const char16_t* in, qsizetype n, char16_t* out, qsizetype size) {
    qsizetype i = n;
    qsizetype o = size;
    while (i > 0) {
        const qsizetype run = plainRunBefore(in, i);
        i -= run;
        o -= run;
        std::memmove(out + o, in + i, static_cast<std::size_t>(run) * sizeof(char16_t));
        if (i == 0) {
            break;
        }
        const char16_t c = in[--i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\n' && i > 0 && in[i - 1] == u'\r') {
                --i;
            }
            out[--o] = u'\n';
            out[--o] = u'\r';
        } else {
            out[--o] = c == u'\0' ? u'?' : c;
        }
    }
}

StringLineBreakCodeConstants dominantBreak(const BreakCounts& counts) {
    if (counts.crLf == 0 && counts.cr == 0 && counts.lf == 0) {
        return SLB_UNKNOWN;
    }
    if (counts.crLf >= counts.lf && counts.crLf >= counts.cr) {
        return SLB_CRLF;
    }
    return counts.lf >= counts.cr ? SLB_LF : SLB_CR;
}

// ---- JIS decoding, shared by the string form (one character per byte) and raw bytes ----

enum class JisMode { Ascii, Kanji, Katakana };

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

template <typename Unit> QString decodeJis(const Unit* in, qsizetype n) {
    const Cp932Lookup& lookup = cp932Lookup();
    // Every segment decodes to at most as many characters as it has units.
    QString out = largeString(n);
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

// ---- Encoding through Shift_JIS ----

// Where the piece of text that starts at start ends: near EncodePiece units on, but never
// before a low surrogate (a pair is one character) nor before a half-width sound mark (it
// may merge with the katakana before it).
qsizetype pieceEnd(QStringView text, qsizetype start) {
    qsizetype stop = std::min(text.size(), start + EncodePiece);
    while (stop < text.size() &&
           (text[stop].isLowSurrogate() || text[stop] == u'\uFF9E' || text[stop] == u'\uFF9F')) {
        ++stop;
    }
    return stop;
}

// Hands the code page 932 bytes of the text to sink piece by piece; every piece holds whole
// characters.
template <typename Sink> void forEachShiftJisPiece(QStringView text, Sink&& sink) {
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype stop = pieceEnd(text, start);
        const QByteArray sjis = cp932::encode(text.sliced(start, stop - start));
        sink(bytesOf(sjis), sjis.size());
        start = stop;
    }
}

// ---- JIS encoding ----

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

void writeJis(JisWriter& writer, const unsigned char* table, const uint8_t* in, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i) {
        const uint8_t b = in[i];
        if (cp932::isLeadByte(b) && i + 1 < n) {
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
        }
    }
}

QByteArray encodeJis(QStringView text, bool narrowFiltering) {
    const unsigned char* table = narrowFiltering ? katakanaTable() : nullptr;
    if (text.isEmpty()) {
        return {};
    }
    QByteArray out = largeBytes(text.size() * MaxJisPerUnit);
    uint8_t* const begin = bytesOf(out);
    JisWriter writer(begin);
    forEachShiftJisPiece(
        text, [&](const uint8_t* sjis, qsizetype n) { writeJis(writer, table, sjis, n); });
    cutTo(out, writer.position() - begin);
    return out;
}

// ---- EUC-JP ----

// Copies the 7-bit bytes at the start of in[0, n) to out and returns how many there were;
// out must have room for n bytes.
qsizetype copyAsciiRun(const uint8_t* in, qsizetype n, uint8_t* out) {
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 16 <= n; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), chunk);
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(chunk));
        if (high != 0) {
            return i + std::countr_zero(high);
        }
    }
#endif
    for (; i < n && in[i] < 0x80; ++i) {
        out[i] = in[i];
    }
    return i;
}

// EucToSjis as tables: the first byte depends on the first alone, the second on the
// second and the parity of the first.
struct EucPairTables {
    std::array<uint8_t, 256> lead;
    std::array<std::array<uint8_t, 256>, 2> trail;
};

constexpr EucPairTables makeEucPairTables() {
    EucPairTables tables{};
    for (std::size_t b = 0; b < 256; ++b) {
        for (std::size_t parity = 0; parity < 2; ++parity) {
            auto first = static_cast<uint8_t>(0xA2 + parity);
            auto second = static_cast<uint8_t>(b);
            EucToSjis(first, second);
            tables.trail[parity][b] = second;
        }
        auto first = static_cast<uint8_t>(b);
        uint8_t second = 0xA1;
        EucToSjis(first, second);
        tables.lead[b] = first;
    }
    return tables;
}

constexpr EucPairTables EucPairs = makeEucPairTables();

constexpr bool eucPairTablesMatch() {
    for (unsigned code = 0; code < 0x10000; ++code) {
        auto first = static_cast<uint8_t>(code >> 8);
        auto second = static_cast<uint8_t>(code);
        EucToSjis(first, second);
        if (first != EucPairs.lead[code >> 8] ||
            second != EucPairs.trail[code >> 8 & 1][code & 0xFF]) {
            return false;
        }
    }
    return true;
}
static_assert(eucPairTablesMatch());

// Writes the Shift_JIS bytes for the EUC-JP units that start in [i, stop) and advances i; a
// pair that starts before stop takes its second byte from beyond it.
uint8_t* eucToSjis(const uint8_t* in, qsizetype& i, qsizetype stop, qsizetype n, uint8_t* o) {
    // Units that start before paired have a second byte.
    const qsizetype paired = std::min(stop, n - 1);
    while (i < paired) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            const qsizetype run = copyAsciiRun(in + i, paired - i, o);
            o += run;
            i += run;
            continue;
        }
        uint8_t second = in[i + 1];
        i += 2;
        if (b == 0x8E) {
            *o++ = second >= 0xA0 && second <= 0xDF ? second : Question;
        } else {
            o[0] = EucPairs.lead[b];
            o[1] = EucPairs.trail[b & 1][second];
            o += 2;
        }
    }
    if (i < stop) { // the last byte of the input, alone
        *o++ = in[i] < 0x80 ? in[i] : Question;
        ++i;
    }
    return o;
}

char16_t* appendDecoded(char16_t* o, const uint8_t* sjis, const uint8_t* end) {
    const QString text = cp932::decode(QByteArrayView(sjis, end - sjis));
    std::memcpy(o, text.constData(), static_cast<std::size_t>(text.size()) * sizeof(char16_t));
    return o + text.size();
}

QString decodeEuc(const uint8_t* in, qsizetype n) {
    // Each EUC-JP byte gives at most one Shift_JIS byte and that at most one character.
    QString out = largeString(n);
    char16_t* const begin = unitsOf(out);
    char16_t* o = begin;
    QByteArray pending; // Shift_JIS bytes not decoded yet
    qsizetype kept = 0;
    for (qsizetype i = 0; i < n;) {
        const qsizetype stop = std::min(n, i + DecodePiece);
        pending.resize(kept + stop - i + 1);
        uint8_t* const sjis = bytesOf(pending);
        const uint8_t* const end = eucToSjis(in, i, stop, n, sjis + kept);
        // The decoder may pair the last byte with the next piece's first; after a byte
        // below 0x40, which is never a trail byte, it starts afresh.
        const uint8_t* cut = end;
        while (i < n && cut != sjis && cut[-1] >= 0x40) {
            --cut;
        }
        o = appendDecoded(o, sjis, cut);
        kept = end - cut;
        std::memmove(sjis, cut, static_cast<std::size_t>(kept));
    }
    out.truncate(o - begin); // the slack stays, as for JIS
    return out;
}

uint8_t* sjisToEuc(const uint8_t* in, qsizetype n, uint8_t* o) {
    for (qsizetype i = 0; i < n; ++i) {
        const uint8_t b = in[i];
        if (cp932::isLeadByte(b) && i + 1 < n) {
            uint8_t s1 = b;
            uint8_t s2 = in[++i];
            SjisToEuc(s1, s2);
            o[0] = s1;
            o[1] = s2;
            o += 2;
        } else if (isPlainText(b)) {
            *o++ = b;
        } else if (isKatakana(b)) {
            o[0] = 0x8E;
            o[1] = b;
            o += 2;
        } else {
            *o++ = Question;
        }
    }
    return o;
}

} // namespace

const StringConversion& StringConversion::instance() {
    static const StringConversion shared;
    return shared;
}

StringCharsetTypeConstants StringConversion::AnalyzingCharset(const QByteArray& UnknownStream,
                                                              int32_t Limit) const {
    if (Limit < 0) {
        return SCS_UNKNOWN;
    }
    const uint8_t* in = bytesOf(UnknownStream);
    const qsizetype n = std::min(UnknownStream.size(), qsizetype{Limit} + 1);
    bool sjisPending = false;
    bool sjisBroken = false;
    bool eucOpen = false;
    bool eucAfterSS2 = false;
    bool eucBroken = false;
    for (qsizetype i = 0; i < n; ++i) {
        switch (ByteKinds[in[i]]) {
        case ByteKind::Escape:
            return SCS_JIS;
        case ByteKind::Undecided:
            return sjisPending ? SCS_SHIFTJIS : SCS_OCTETSTREAM;
        case ByteKind::ShiftJis:
            return SCS_SHIFTJIS;
        case ByteKind::Euc:
            return eucAfterSS2 ? SCS_OCTETSTREAM : SCS_EUC;
        case ByteKind::Binary:
            return SCS_OCTETSTREAM;
        case ByteKind::Control:
            sjisBroken = sjisBroken || sjisPending;
            eucBroken = eucBroken || eucOpen || eucAfterSS2;
            break;
        case ByteKind::Trail:
            sjisPending = false;
            eucBroken = eucBroken || eucOpen || eucAfterSS2;
            break;
        case ByteKind::SingleShift:
            eucBroken = eucBroken || eucOpen || eucAfterSS2;
            sjisPending = !sjisPending;
            eucAfterSS2 = true;
            eucOpen = true;
            break;
        case ByteKind::Kana:
            sjisPending = false;
            eucAfterSS2 = false;
            eucOpen = !eucOpen;
            break;
        case ByteKind::High:
            eucBroken = eucBroken || eucAfterSS2;
            sjisPending = !sjisPending;
            eucOpen = !eucOpen;
            break;
        }
        if (sjisBroken || eucBroken) {
            if (sjisBroken && eucBroken) {
                return SCS_OCTETSTREAM;
            }
            return sjisBroken ? SCS_EUC : SCS_SHIFTJIS;
        }
    }
    return SCS_UNKNOWN;
}

StringLineBreakCodeConstants StringConversion::ConvertBreakCode(QString& UnknownString) const {
    const qsizetype n = UnknownString.size();
    const BreakScan scan = scanBreaks(QStringView(UnknownString).utf16(), n);
    const qsizetype size = n + scan.counts.cr + scan.counts.lf;
    if (size == n && !scan.hasNul) {
        return dominantBreak(scan.counts);
    }
    if (UnknownString.isDetached() && UnknownString.capacity() >= size) {
        // Decoded text usually has room to grow in place.
        UnknownString.resize(size);
        char16_t* text = unitsOf(UnknownString);
        rewriteBreaks(text, n, text, size);
    } else {
        QString rewritten = largeString(size);
        rewriteBreaks(QStringView(UnknownString).utf16(), n, unitsOf(rewritten), size);
        UnknownString = std::move(rewritten);
    }
    return dominantBreak(scan.counts);
}

QString StringConversion::JisToUnicode(const QString& JIS) const {
    const QStringView text(JIS);
    return decodeJis(text.utf16(), text.size());
}

QString StringConversion::JisToUnicode(QByteArrayView JIS) const {
    return decodeJis(bytesOf(JIS), JIS.size());
}

QString StringConversion::UnicodeToJis(const QString& UNICODE, bool NarrowFiltering) const {
    return QString::fromLatin1(encodeJis(UNICODE, NarrowFiltering));
}

QByteArray StringConversion::UnicodeToJisBytes(const QString& UNICODE, bool NarrowFiltering) const {
    return encodeJis(UNICODE, NarrowFiltering);
}

QString StringConversion::EucToUnicode(const QByteArray& Euc) const {
    return decodeEuc(bytesOf(Euc), Euc.size());
}

QByteArray StringConversion::UnicodeToEuc(const QString& UNICODE) const {
    if (UNICODE.isEmpty()) {
        return {};
    }
    QByteArray out = largeBytes(UNICODE.size() * MaxEucPerUnit);
    uint8_t* const begin = bytesOf(out);
    uint8_t* o = begin;
    forEachShiftJisPiece(UNICODE,
                         [&o](const uint8_t* sjis, qsizetype n) { o = sjisToEuc(sjis, n, o); });
    cutTo(out, o - begin);
    return out;
}

} // namespace orvenly
