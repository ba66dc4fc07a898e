#include "orvenly/TextConversion.h"

#include "CharsetEngine.h"
#include "TwoByteCodes.h"

#include <platform/Cp932.h>

#include <QChar>
#include <algorithm>
#include <cstring>
#include <optional>

namespace orvenly {

using namespace charsets;
namespace cp932 = platform::cp932;

namespace {

std::optional<TextForm> markedForm(QByteArrayView sample) {
    for (const StringCharsetTypeConstants charset : {SCS_UTF8, SCS_UTF16LE, SCS_UTF16BE}) {
        if (sample.startsWith(byteOrderMark(charset))) {
            return TextForm(charset, true);
        }
    }
    return std::nullopt;
}

// Characters that no text holds: NUL, the control codes but BEL, BS, TAB, LF, VT, FF, CR,
// SUB (an old end-of-file mark) and ESC, DEL and the C1 controls, noncharacters.
bool isTextCharacter(char16_t c) {
    if (c < 0x20) {
        return (c >= 0x07 && c <= 0x0D) || c == 0x1A || c == Esc;
    }
    return !(c >= 0x7F && c <= 0x9F) && c != 0xFFFE && c != 0xFFFF;
}

// UTF-16 without a mark: text with characters from U+0001 to U+00FF (ASCII, line breaks) has
// a zero byte in each of them, all on one side of the units; binary data has zeros on both
// sides and decodes to what no text holds.
std::optional<TextForm> unmarkedUtf16(QByteArrayView sample, bool cut) {
    if (std::memchr(sample.data(), 0, static_cast<std::size_t>(sample.size())) == nullptr) {
        return std::nullopt;
    }
    if (!cut && sample.size() % 2 != 0) {
        return std::nullopt; // a whole file of an odd length
    }
    const uint8_t* in = bytesOf(sample);
    const qsizetype units = sample.size() / 2;
    qsizetype zerosLow = 0;  // of the even bytes: the low byte of a big-endian unit
    qsizetype zerosHigh = 0; // of the odd bytes
    for (qsizetype k = 0; k < units; ++k) {
        zerosLow += in[2 * k] == 0 ? 1 : 0;
        zerosHigh += in[2 * k + 1] == 0 ? 1 : 0;
    }
    if (zerosLow == zerosHigh) {
        return std::nullopt;
    }
    // Zeros in the odd bytes are the high bytes of little-endian units.
    const bool bigEndian = zerosLow > zerosHigh;
    for (qsizetype k = 0; k < units; ++k) {
        const auto c = static_cast<char16_t>(bigEndian ? in[2 * k] << 8 | in[2 * k + 1]
                                                       : in[2 * k + 1] << 8 | in[2 * k]);
        if (!isTextCharacter(c)) {
            return std::nullopt;
        }
        if (!QChar::isSurrogate(c)) {
            continue;
        }
        const bool last = k + 1 == units;
        const char16_t next =
            last ? 0
                 : static_cast<char16_t>(bigEndian ? in[2 * k + 2] << 8 | in[2 * k + 3]
                                                   : in[2 * k + 3] << 8 | in[2 * k + 2]);
        if (QChar::isHighSurrogate(c) && last && cut) {
            break; // the pair's other half lies beyond the sample
        }
        if (!QChar::isHighSurrogate(c) || !QChar::isLowSurrogate(next)) {
            return std::nullopt;
        }
        ++k;
    }
    return TextForm(bigEndian ? SCS_UTF16BE : SCS_UTF16LE);
}

// The bytes of a well-formed UTF-8 sequence that starts with lead: the range of its second
// byte, and its length; length 0 for a byte that starts none.
struct Utf8Lead {
    uint8_t secondLow;
    uint8_t secondHigh;
    int length;
};

constexpr Utf8Lead utf8Lead(uint8_t b) {
    if (b >= 0xC2 && b <= 0xDF) {
        return {0x80, 0xBF, 2};
    }
    if (b == 0xE0) {
        return {0xA0, 0xBF, 3};
    }
    if (b == 0xED) {
        return {0x80, 0x9F, 3}; // not the surrogates
    }
    if (b >= 0xE1 && b <= 0xEF) {
        return {0x80, 0xBF, 3};
    }
    if (b == 0xF0) {
        return {0x90, 0xBF, 4};
    }
    if (b >= 0xF1 && b <= 0xF3) {
        return {0x80, 0xBF, 4};
    }
    if (b == 0xF4) {
        return {0x80, 0x8F, 4};
    }
    return {0, 0, 0};
}

// Bytes that recognition takes for binary data.
constexpr bool isBinaryByte(uint8_t b) {
    return b <= 0x06 || (b >= 0x0E && b <= 0x19) || (b >= 0x1C && b <= 0x1F) || b == 0x7F;
}

// Text may hold a few control codes beyond TAB and the line breaks (a bell in a manual page, a
// form feed, a terminal's own escape sequence); data with more than one in four bytes of
// them is not text.
bool isMostlyControls(QByteArrayView sample) {
    const uint8_t* in = bytesOf(sample);
    qsizetype controls = 0;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        const uint8_t b = in[i];
        const bool control = b == 0x07 || b == 0x08 || b == 0x0B || b == 0x0C || b == 0x1A ||
                             (b == Esc && !isJisEscape(sample, i));
        controls += control ? 1 : 0;
    }
    return controls * 4 > sample.size();
}

// Whether the sample reads as code page 932 text: every lead byte with a trail byte that makes
// a defined code, and no single byte that only Windows' mapping gives a character.
bool isCp932Text(QByteArrayView sample, bool cut) {
    const uint8_t* in = bytesOf(sample);
    const qsizetype n = sample.size();
    for (qsizetype i = 0; i < n; ++i) {
        const uint8_t b = in[i];
        if (b < 0x80 || isKatakana(b)) {
            continue;
        }
        if (!cp932::isLeadByte(b)) {
            return false;
        }
        if (i + 1 == n) {
            return cut;
        }
        if (cp932::decodePair(b, in[++i]) == cp932::ReplacementCharacter) {
            return false;
        }
    }
    return true;
}

// Whether the sample reads as EUC-JP text as decodeText reads it: every code complete and
// defined, JIS X 0212 included.
bool isEucText(QByteArrayView sample, bool cut) {
    const uint8_t* in = bytesOf(sample);
    const qsizetype n = sample.size();
    const auto isCodeByte = [](uint8_t b) { return b >= 0xA1 && b <= 0xFE; };
    for (qsizetype i = 0; i < n;) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        const qsizetype length = b == 0x8F ? 3 : 2;
        if (i + length > n) {
            return cut;
        }
        bool defined = false;
        if (b == 0x8E) {
            defined = isKatakana(in[i + 1]);
        } else if (b == 0x8F) {
            defined = isCodeByte(in[i + 1]) && isCodeByte(in[i + 2]) &&
                      supplementCharacter(in[i + 1], in[i + 2]) != cp932::ReplacementCharacter;
        } else if (isCodeByte(b) && isCodeByte(in[i + 1])) {
            uint8_t s1 = b;
            uint8_t s2 = in[i + 1];
            EucToSjis(s1, s2);
            defined = cp932::decodePair(s1, s2) != cp932::ReplacementCharacter;
        }
        if (!defined) {
            return false;
        }
        i += length;
    }
    return true;
}

// Whether the sample reads as UTF-8 text, by the rule that TextConversion.h states.
bool isUtf8Text(QByteArrayView sample, bool cut) {
    const uint8_t* in = bytesOf(sample);
    const qsizetype n = sample.size();
    bool telling = false; // a sequence that legacy text does not make
    for (qsizetype i = 0; i < n;) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            if (isBinaryByte(b)) {
                return false;
            }
            ++i;
            continue;
        }
        const Utf8Lead lead = utf8Lead(b);
        if (lead.length == 0) {
            return false;
        }
        const qsizetype available = std::min<qsizetype>(lead.length, n - i);
        for (qsizetype k = 1; k < available; ++k) {
            const uint8_t low = k == 1 ? lead.secondLow : 0x80;
            const uint8_t high = k == 1 ? lead.secondHigh : 0xBF;
            if (in[i + k] < low || in[i + k] > high) {
                return false;
            }
        }
        if (available < lead.length) {
            return cut && telling; // cut by the sample's end, not by the file's
        }
        // Two bytes of C2-DF and A1-BF are also Shift_JIS half-width katakana and EUC-JP
        // kanji; any other sequence is not.
        telling = telling || lead.length > 2 || in[i + 1] < 0xA1;
        i += lead.length;
    }
    return telling;
}

} // namespace

namespace charsets {

StringCharsetTypeConstants recogniseLegacy(QByteArrayView sample, bool cut) {
    if (isMostlyControls(sample)) {
        return SCS_OCTETSTREAM;
    }
    const StringCharsetTypeConstants charset = recogniseCharset(sample, true);
    if (charset == SCS_SHIFTJIS && !isCp932Text(sample, cut) && isEucText(sample, cut)) {
        return SCS_EUC;
    }
    return charset;
}

} // namespace charsets

TextForm recogniseForm(QByteArrayView bytes, int32_t limit) {
    if (limit < 0 || bytes.isEmpty()) {
        return SCS_UNKNOWN;
    }
    const bool cut = bytes.size() > qsizetype{limit} + 1;
    const QByteArrayView sample = bytes.first(std::min(bytes.size(), qsizetype{limit} + 1));
    if (const auto marked = markedForm(sample)) {
        return *marked;
    }
    if (const auto utf16 = unmarkedUtf16(sample, cut)) {
        return *utf16;
    }
    if (!isMostlyControls(sample) && isUtf8Text(sample, cut)) {
        return SCS_UTF8;
    }
    return recogniseLegacy(sample, cut);
}

} // namespace orvenly
