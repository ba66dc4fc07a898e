#include "CharsetEngine.h"
#include "Jisx0212Tables.h"
#include "TwoByteCodes.h"

#include <platform/AsciiRuns.h>
#include <platform/Cp932.h>
#include <platform/LargeBuffer.h>

#include <QChar>
#include <algorithm>

namespace orvenly::charsets {

namespace cp932 = platform::cp932;

namespace {

// The most one UTF-16 unit can turn into: a JIS X 0212 code.
constexpr qsizetype MaxEucJpPerUnit = 3;

} // namespace

char16_t supplementCharacter(uint8_t b1, uint8_t b2) {
    const char16_t c = jisx0212::characters[(b1 - 0xA1) * jisx0212::Rows + (b2 - 0xA1)];
    return c != 0 ? c : cp932::ReplacementCharacter;
}

uint16_t supplementCode(char16_t c) {
    // ￤ is IBM FA 55 in code page 932, beyond the 94 rows; EUC-JP-MS writes it as its
    // look-alike ¦ of JIS X 0212, which reads back as ¦.
    if (c == u'\uFFE4') {
        return 0xA2C3;
    }
    const jisx0212::Code* end = jisx0212::codes + jisx0212::CodeCount;
    const jisx0212::Code* found =
        std::lower_bound(jisx0212::codes, end, c, [](const jisx0212::Code& entry, char16_t wanted) {
            return entry.character < wanted;
        });
    return found != end && found->character == c ? found->code : 0;
}

uint8_t* putEucJp(char16_t c, uint8_t* out) {
    // The two-byte forms first, as UnicodeToEuc writes them: a character of JIS X 0208 (or
    // of the rows code page 932 adds within the 94) never takes its JIS X 0212 code.
    const uint16_t code = cp932::encodeChar(c);
    if (code > 0xFF && hasJisRow(static_cast<uint8_t>(code >> 8))) {
        auto s1 = static_cast<uint8_t>(code >> 8);
        auto s2 = static_cast<uint8_t>(code);
        SjisToEuc(s1, s2);
        out[0] = s1;
        out[1] = s2;
        return out + 2;
    }
    if ((code == 0 && c == 0) || (code > 0 && code <= 0xFF)) {
        const auto b = static_cast<uint8_t>(code);
        if (holdsByte(b, SCS_EUC)) {
            *out = b;
            return out + 1;
        }
        if (isKatakana(b)) {
            out[0] = 0x8E;
            out[1] = b;
            return out + 2;
        }
    }
    if (const uint16_t supplement = QChar::isSurrogate(c) ? 0 : supplementCode(c)) {
        out[0] = 0x8F;
        out[1] = static_cast<uint8_t>(supplement >> 8);
        out[2] = static_cast<uint8_t>(supplement);
        return out + 3;
    }
    return out;
}

QByteArray encodeEucJp(QStringView text, qsizetype& lost) {
    const char16_t* in = text.utf16();
    const qsizetype n = text.size();
    QByteArray bytes = platform::largeBytes(n * MaxEucJpPerUnit);
    uint8_t* const begin = bytesOf(bytes);
    uint8_t* out = begin;
    for (qsizetype i = 0; i < n;) {
        const qsizetype run = cp932::ascii::narrowRun(in + i, n - i, out);
        out += run;
        i += run;
        if (i == n) {
            break;
        }
        const char16_t c = in[i++];
        uint8_t* const next = putEucJp(c, out);
        if (next == out) {
            *out++ = Question;
            ++lost;
            // A surrogate pair is one character, and so one "?".
            if (QChar::isHighSurrogate(c) && i < n && QChar::isLowSurrogate(in[i])) {
                ++i;
            }
        } else {
            out = next;
        }
    }
    cutTo(bytes, out - begin);
    return bytes;
}

} // namespace orvenly::charsets
