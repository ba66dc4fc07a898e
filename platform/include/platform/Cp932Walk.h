#pragma once

#include "platform/Cp932.h"

#include <QtGlobal>
#include <array>
#include <cstdint>

namespace platform::cp932 {

namespace walking {

inline constexpr uint8_t Lead = 1;
inline constexpr uint8_t Trail = 2;

// What each byte may be, as one lookup: the walk tests trail bytes of running text, where
// branches on the two ranges would be mispredicted half of the time.
inline constexpr std::array<uint8_t, 256> ByteRoles = [] {
    std::array<uint8_t, 256> roles{};
    for (unsigned b = 0; b < roles.size(); ++b) {
        roles[b] = static_cast<uint8_t>((isLeadByte(static_cast<uint8_t>(b)) ? Lead : 0) |
                                        (isTrailByte(static_cast<uint8_t>(b)) ? Trail : 0));
    }
    return roles;
}();

} // namespace walking

// Walks bytes as code page 932 reads them and hands each unit to the sink:
//   sink.ascii(p, size): takes the run of 7-bit bytes that starts at p (at most size of
//       them, at least the first) and returns its length;
//   sink.single(b): a byte from 0x80 up that is no lead byte;
//   sink.pair(lead, trail): a two-byte code, defined or not;
//   sink.broken(): a lead byte followed by a byte that cannot be a trail byte; that byte is
//       read again on its own.
// A lead byte that ends the bytes may yet get its trail byte: the walk stops before it and
// returns the number of bytes walked, size - 1 then, else size.
// The walk works on a copy of the sink and stores it back at the end: a local copy can live
// in registers, where the sink's stores through byte pointers cannot be taken to touch it.
template <typename Sink> qsizetype walk(const uint8_t* in, qsizetype size, Sink& sink) {
    Sink local = sink;
    qsizetype i = 0;
    // Units that start before the last byte have a second byte to look at.
    while (i + 1 < size) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            i += local.ascii(in + i, size - i);
        } else if ((walking::ByteRoles[b] & walking::Lead) == 0) {
            local.single(b);
            ++i;
        } else if ((walking::ByteRoles[in[i + 1]] & walking::Trail) != 0) [[likely]] {
            local.pair(b, in[i + 1]);
            i += 2;
        } else {
            local.broken();
            ++i;
        }
    }
    if (i < size) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            i += local.ascii(in + i, 1);
        } else if ((walking::ByteRoles[b] & walking::Lead) == 0) {
            local.single(b);
            ++i;
        }
    }
    sink = local;
    return i;
}

} // namespace platform::cp932
