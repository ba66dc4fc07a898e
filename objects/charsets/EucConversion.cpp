#include "CharsetEngine.h"
#include "EucWalk.h"
#include "TwoByteCodes.h"

#include <platform/AsciiRuns.h>
#include <platform/Cp932.h>
#include <platform/LargeBuffer.h>

#include <array>
#include <cstddef>
#include <cstring>

namespace orvenly::charsets {

namespace cp932 = platform::cp932;

namespace {

// The most one UTF-16 unit can turn into: a two-byte code.
constexpr qsizetype MaxEucPerUnit = 2;
// Decoding goes piece by piece, so that no Shift_JIS copy of a whole document is made.
constexpr qsizetype DecodePiece = 16384; // EUC-JP bytes

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

char16_t* appendDecoded(char16_t* o, const uint8_t* sjis, const uint8_t* end) {
    const QString text = cp932::decode(QByteArrayView(sjis, end - sjis));
    if (!text.isEmpty())
        std::memcpy(o, text.constData(), static_cast<std::size_t>(text.size()) * sizeof(char16_t));
    return o + text.size();
}

// Writes the Shift_JIS bytes of the EUC-JP units it is handed. A JIS X 0212 character has
// none: the bytes before it are decoded (a lead byte left open there loses its trail byte),
// and it follows them in the text.
struct ShiftJisWriter {
    uint8_t* out;
    uint8_t* pending; // where the bytes not decoded yet begin
    char16_t* text;

    qsizetype ascii(const uint8_t* in, qsizetype size) {
        const qsizetype run = platform::cp932::ascii::copyRun(in, size, out);
        out += run;
        return run;
    }
    void single(uint8_t b) { *out++ = b; }
    void pair(uint8_t e1, uint8_t e2) {
        out[0] = EucPairs.lead[e1];
        out[1] = EucPairs.trail[e1 & 1][e2];
        out += 2;
    }
    void triple(uint8_t b1, uint8_t b2) {
        text = appendDecoded(text, pending, out);
        out = pending;
        *text++ = supplementCharacter(b1, b2);
    }
};

template <bool Supplement> QString decodeEucUnits(QByteArrayView euc) {
    const uint8_t* in = bytesOf(euc);
    const qsizetype n = euc.size();
    // Each EUC-JP byte gives at most one Shift_JIS byte and that at most one character.
    QString out = platform::largeString(n);
    char16_t* const begin = unitsOf(out);
    char16_t* o = begin;
    QByteArray pending; // Shift_JIS bytes not decoded yet
    qsizetype kept = 0;
    for (qsizetype i = 0; i < n;) {
        const qsizetype stop = std::min(n, i + DecodePiece);
        pending.resize(kept + stop - i + 1);
        uint8_t* const sjis = bytesOf(pending);
        ShiftJisWriter writer{sjis + kept, sjis, o};
        walkEuc<Supplement>(in, i, stop, n, writer);
        o = writer.text;
        const uint8_t* const end = writer.out;
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
    out.truncate(o - begin); // the slack stays: line-break conversion grows the text in place
    return out;
}

} // namespace

QString decodeEuc(QByteArrayView euc) {
    return decodeEucUnits<false>(euc);
}

QString decodeEucJp(QByteArrayView euc) {
    return decodeEucUnits<true>(euc);
}

uint8_t* sjisToEuc(const uint8_t* in, qsizetype n, uint8_t* out, qsizetype& lost) {
    for (qsizetype i = 0; i < n; ++i) {
        const uint8_t b = in[i];
        if (cp932::isLeadByte(b) && i + 1 < n && !hasJisRow(b)) {
            *out++ = Question;
            ++lost;
            ++i;
        } else if (cp932::isLeadByte(b) && i + 1 < n) {
            uint8_t s1 = b;
            uint8_t s2 = in[++i];
            SjisToEuc(s1, s2);
            out[0] = s1;
            out[1] = s2;
            out += 2;
        } else if (isPlainText(b)) {
            *out++ = b;
        } else if (isKatakana(b)) {
            out[0] = 0x8E;
            out[1] = b;
            out += 2;
        } else {
            *out++ = Question;
            ++lost;
        }
    }
    return out;
}

QByteArray encodeEuc(QStringView text, qsizetype& lost) {
    if (text.isEmpty()) {
        return {};
    }
    QByteArray out = platform::largeBytes(text.size() * MaxEucPerUnit);
    uint8_t* const begin = bytesOf(out);
    uint8_t* o = begin;
    forEachShiftJisPiece(
        text, [&](const uint8_t* sjis, qsizetype n) { o = sjisToEuc(sjis, n, o, lost); }, lost);
    cutTo(out, o - begin);
    return out;
}

} // namespace orvenly::charsets
