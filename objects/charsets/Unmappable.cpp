#include "orvenly/Unmappable.h"

#include "CharsetEngine.h"

#include <platform/Cp932.h>

#include <QChar>
#include <algorithm>
#include <array>
#include <cstdint>

namespace orvenly {

namespace cp932 = platform::cp932;

namespace charsets {

bool holdsUnit(char16_t c, StringCharsetTypeConstants charset) {
    if (QChar::isSurrogate(c)) {
        return false;
    }
    if (isUnicode(charset)) {
        return c != cp932::ReplacementCharacter;
    }
    const uint16_t code = cp932::encodeChar(c);
    // Code 0 is both NUL's own and "none".
    const bool inCp932 = (code != 0 || c == 0) && c != cp932::ReplacementCharacter;
    if (charset != SCS_JIS && charset != SCS_EUC) {
        return inCp932;
    }
    // The JIS and EUC-JP encoders write "?" for single bytes other than these.
    const auto low = static_cast<uint8_t>(code);
    const bool inRows = inCp932 && (code > 0xFF ? hasJisRow(static_cast<uint8_t>(code >> 8))
                                                : holdsByte(low, charset) || isKatakana(low));
    return inRows || supplementCode(c) != 0;
}

qsizetype countUnicodeLost(QStringView text) {
    const char16_t* const units = text.utf16();
    const qsizetype n = text.size();
    qsizetype count = 0;
    qsizetype i = 0;
    while (i < n) {
#ifdef __SSE2__
        // Skips eight units at a time while none is a surrogate or U+FFFD.
        const __m128i flip = _mm_set1_epi16(static_cast<short>(0x8000));
        const __m128i surrogateSpan = _mm_set1_epi16(static_cast<short>(0x0800 ^ 0x8000));
        for (; i + 8 <= n; i += 8) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
            const __m128i offset = _mm_sub_epi16(chunk, _mm_set1_epi16(static_cast<short>(0xD800)));
            const __m128i wanted =
                _mm_or_si128(_mm_cmplt_epi16(_mm_xor_si128(offset, flip), surrogateSpan),
                             _mm_cmpeq_epi16(chunk, _mm_set1_epi16(static_cast<short>(0xFFFD))));
            if (_mm_movemask_epi8(wanted) != 0) {
                break;
            }
        }
#endif
        for (const qsizetype stop = std::min(n, i + 8); i < stop; ++i) {
            const char16_t c = units[i];
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(units[i + 1])) {
                ++i;
            } else if (QChar::isSurrogate(c) || c == cp932::ReplacementCharacter) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace charsets

namespace {

// One bit per UTF-16 unit, set for those the charset holds: a table small enough to stay in
// the first-level cache while a long text is checked.
using HeldUnits = std::array<uint64_t, 0x10000 / 64>;

HeldUnits makeHeldUnits(StringCharsetTypeConstants charset) {
    HeldUnits held{};
    for (unsigned c = 0; c < 0x10000; ++c) {
        if (charsets::holdsUnit(static_cast<char16_t>(c), charset)) {
            held[c / 64] |= uint64_t{1} << (c % 64);
        }
    }
    return held;
}

const HeldUnits& heldUnits(StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_JIS: {
        static const HeldUnits jis = makeHeldUnits(SCS_JIS);
        return jis;
    }
    case SCS_EUC: {
        static const HeldUnits euc = makeHeldUnits(SCS_EUC);
        return euc;
    }
    case SCS_UTF8:
    case SCS_UTF16LE:
    case SCS_UTF16BE: {
        static const HeldUnits unicode = makeHeldUnits(SCS_UTF8);
        return unicode;
    }
    default: {
        static const HeldUnits cp932 = makeHeldUnits(SCS_SHIFTJIS);
        return cp932;
    }
    }
}

// Calls lost(position, length) for each character the charset cannot hold.
template <typename Lost>
void forEachLost(QStringView text, StringCharsetTypeConstants charset, Lost lost) {
    const HeldUnits& held = heldUnits(charset);
    const char16_t* const units = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i];
        if ((held[c / 64] >> (c % 64) & 1) != 0) [[likely]] {
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(units[i + 1])) {
            // Beyond the basic plane: in the Unicode forms alone.
            if (!charsets::isUnicode(charset)) {
                lost(i, 2);
            }
            ++i;
        } else {
            lost(i, 1);
        }
    }
}

qsizetype lineAt(QStringView text, qsizetype position) {
    const QStringView before = text.first(position);
    // Every LF ends a line, and so does every CR not followed by LF.
    return before.count(u'\n') + before.count(u'\r') - before.count(u"\r\n") + 1;
}

} // namespace

Unmappable findUnmappable(QStringView text, StringCharsetTypeConstants charset) {
    Unmappable found;
    forEachLost(text, charset, [&](qsizetype at, qsizetype length) {
        if (found.count++ == 0) {
            found.first = at;
            found.character =
                length == 2 ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
        }
    });
    if (found.count > 0) {
        found.line = lineAt(text, found.first);
    }
    return found;
}

QString replaceUnmappable(QStringView text, StringCharsetTypeConstants charset) {
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;
    forEachLost(text, charset, [&](qsizetype at, qsizetype length) {
        result += text.sliced(copied, at - copied);
        result += u'?';
        copied = at + length;
    });
    result += text.sliced(copied);
    return result;
}

} // namespace orvenly
