#pragma once

#include "CharsetEngine.h"

#include <algorithm>

namespace orvenly::charsets {

// The bytes of a JIS X 0212 code after 0x8F.
constexpr bool isSupplementByte(uint8_t b) {
    return b >= 0xA1 && b <= 0xFE;
}

// Walks the EUC-JP units that start in [i, stop) of in[0, n) and advances i; a unit that
// starts before stop takes its other bytes from beyond it. Each unit goes to the sink:
//   sink.ascii(p, size): takes the run of 7-bit bytes that starts at p (at most size of
//       them, at least the first) and returns its length;
//   sink.single(b): the one Shift_JIS byte of a unit: a half-width katakana, "?" for a
//       single shift without one or a high byte at the end, the last byte when it is 7-bit;
//   sink.triple(b1, b2): with Supplement, 0x8F and two bytes of 0xA1-0xFE, a JIS X 0212 code;
//   sink.pair(e1, e2): any other high byte and the byte after it, whatever that is (so a
//       high byte before LF takes the LF); EucToSjis gives its Shift_JIS bytes.
// Without Supplement, 0x8F starts a pair like any other high byte, as EucToUnicode reads it.
// The walk works on copies of i and the sink and stores them back at the end: local copies
// can live in registers, where the sink's stores through byte pointers cannot be taken to
// touch them.
template <bool Supplement, typename Sink>
void walkEuc(const uint8_t* in, qsizetype& position, qsizetype stop, qsizetype n, Sink& sink) {
    Sink local = sink;
    qsizetype i = position;
    // Units that start before paired have a second byte.
    const qsizetype paired = std::min(stop, n - 1);
    while (i < paired) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            i += local.ascii(in + i, paired - i);
            continue;
        }
        const uint8_t second = in[i + 1];
        if constexpr (Supplement) {
            if (b == 0x8F && i + 2 < n && isSupplementByte(second) && isSupplementByte(in[i + 2]))
                [[unlikely]] {
                local.triple(second, in[i + 2]);
                i += 3;
                continue;
            }
        }
        i += 2;
        if (b == 0x8E) {
            local.single(second >= 0xA0 && second <= 0xDF ? second : Question);
        } else {
            local.pair(b, second);
        }
    }
    if (i < stop) { // the last byte of the input, alone
        local.single(in[i] < 0x80 ? in[i] : Question);
        ++i;
    }
    position = i;
    sink = local;
}

} // namespace orvenly::charsets
