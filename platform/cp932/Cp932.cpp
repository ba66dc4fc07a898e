#include "platform/Cp932.h"

#include "AsciiRuns.h"
#include "Cp932Tables.h"

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace platform::cp932 {

namespace {

// The first touches of a fresh multi-megabyte buffer can cost more than the conversion itself;
// with huge pages there are 512 times fewer of them (a 64 MB buffer: 30 ms instead of 500).
void adviseHugePages([[maybe_unused]] void* buffer, [[maybe_unused]] size_t size) {
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t HugePage = uintptr_t{2} << 20;
    const auto start = reinterpret_cast<uintptr_t>(buffer);
    const uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const uintptr_t end = (start + size) & ~(HugePage - 1);
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}

} // namespace

char16_t decodeByte(uint8_t b) {
    return tables::singleByte[b];
}

char16_t decodePair(uint8_t lead, uint8_t trail) {
    const uint8_t row = tables::leadRows[lead];
    if (row == tables::NotALeadByte)
        return ReplacementCharacter;
    const char16_t ch = tables::pairs[row][trail];
    return ch == tables::NotATrailByte ? ReplacementCharacter : ch;
}

QString decode(QByteArrayView bytes) {
    const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
    const qsizetype size = bytes.size();
    // Every byte gives at most one unit.
    QString text(size, Qt::Uninitialized);
    auto* const first = reinterpret_cast<char16_t*>(text.data());
    adviseHugePages(first, static_cast<size_t>(size) * sizeof(char16_t));
    char16_t* out = first;
    qsizetype i = 0;
    while (i < size) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            // Only ASCII may start a run of ASCII, so Japanese text pays nothing for the check.
            const qsizetype run = ascii::widenRun(in + i, size - i, out);
            out += run;
            i += run;
        } else if (const uint8_t row = tables::leadRows[b]; row == tables::NotALeadByte) {
            *out++ = tables::singleByte[b];
            ++i;
        } else {
            const char16_t ch =
                i + 1 < size ? tables::pairs[row][in[i + 1]] : tables::NotATrailByte;
            if (ch != tables::NotATrailByte) {
                *out++ = ch;
                i += 2;
            } else {
                // The byte after a broken lead byte is decoded on its own.
                *out++ = ReplacementCharacter;
                ++i;
            }
        }
    }
    text.resize(out - first);
    return text;
}

uint16_t encodeChar(char16_t ch) {
    return tables::encoding[ch];
}

QByteArray encode(QStringView text, qsizetype* unmappable) {
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    // Every unit gives at most two bytes.
    QByteArray bytes(size * 2, Qt::Uninitialized);
    auto* const first = reinterpret_cast<uint8_t*>(bytes.data());
    adviseHugePages(first, static_cast<size_t>(bytes.size()));
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
