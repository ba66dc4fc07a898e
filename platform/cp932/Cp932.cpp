#include "platform/Cp932.h"

#include "Cp932Tables.h"
#include "platform/AsciiRuns.h"
#include "platform/Cp932Walk.h"
#include "platform/LargeBuffer.h"

namespace platform::cp932 {

char16_t decodeByte(uint8_t b) {
    return tables::singleByte[b];
}

char16_t decodePair(uint8_t lead, uint8_t trail) {
    const uint8_t row = tables::LeadRows[lead];
    if (row == tables::NotALeadByte)
        return ReplacementCharacter;
    const char16_t ch = tables::pairs[row][trail];
    return ch == tables::NotATrailByte ? ReplacementCharacter : ch;
}

namespace {

// Writes the character of each unit the walk hands over.
struct Utf16Writer {
    char16_t* out;

    qsizetype ascii(const uint8_t* in, qsizetype size) {
        const qsizetype run = ascii::widenRun(in, size, out);
        out += run;
        return run;
    }
    void single(uint8_t b) { *out++ = tables::singleByte[b]; }
    void pair(uint8_t lead, uint8_t trail) {
        *out++ = tables::pairs[tables::LeadRows[lead]][trail];
    }
    void broken() { *out++ = ReplacementCharacter; }
};

} // namespace

QString decode(QByteArrayView bytes) {
    const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
    const qsizetype size = bytes.size();
    // Every byte gives at most one unit.
    QString text = largeString(size);
    auto* const first = reinterpret_cast<char16_t*>(text.data());
    Utf16Writer writer{first};
    if (walk(in, size, writer) < size) { // a lead byte at the end
        *writer.out++ = ReplacementCharacter;
    }
    text.resize(writer.out - first);
    return text;
}

uint16_t encodeChar(char16_t ch) {
    return tables::encoding[ch];
}

QByteArray encode(QStringView text, qsizetype* unmappable) {
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    // Every unit gives at most two bytes.
    QByteArray bytes = largeBytes(size * 2);
    auto* const first = reinterpret_cast<uint8_t*>(bytes.data());
    uint8_t* out = first;
    qsizetype missing = 0;
    qsizetype i = 0;
    while (i < size) {
        const char16_t ch = in[i];
        if (ch < 0x80) {
            const qsizetype run = ascii::narrowRun(in + i, size - i, out);
            out += run;
            i += run;
            continue;
        }
        const uint16_t code = tables::encoding[ch];
        if (code == 0) [[unlikely]] {
            // A surrogate pair is one character and so one "?".
            if (QChar::isHighSurrogate(ch) && i + 1 < size && QChar::isLowSurrogate(in[i + 1]))
                ++i;
            *out++ = '?';
            ++missing;
        } else if (code > 0xFF) {
            out[0] = static_cast<uint8_t>(code >> 8);
            out[1] = static_cast<uint8_t>(code);
            out += 2;
        } else {
            *out++ = static_cast<uint8_t>(code);
        }
        ++i;
    }
    bytes.resize(out - first);
    if (unmappable)
        *unmappable = missing;
    return bytes;
}

} // namespace platform::cp932
