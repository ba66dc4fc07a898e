#pragma once

#include <QtGlobal>
#include <array>
#include <cstdint>

namespace orvenly::charsets {

namespace utf8 {

// The sequence a lead byte starts: its length (0 for a byte that starts none), the range of
// its second byte (narrower after E0, ED, F0 and F4, which would otherwise make overlong
// forms, surrogates or code points past U+10FFFF), and the bits of the lead that the code
// point keeps.
struct Lead {
    uint8_t length;
    uint8_t secondLow;
    uint8_t secondHigh;
    uint8_t bits;
};

inline constexpr std::array<Lead, 256> Leads = [] {
    std::array<Lead, 256> leads{};
    for (unsigned b = 0xC2; b <= 0xF4; ++b) {
        Lead& lead = leads[b];
        lead.secondLow = 0x80;
        lead.secondHigh = 0xBF;
        if (b <= 0xDF) {
            lead.length = 2;
            lead.bits = static_cast<uint8_t>(b & 0x1F);
        } else if (b <= 0xEF) {
            lead.length = 3;
            lead.bits = static_cast<uint8_t>(b & 0x0F);
        } else {
            lead.length = 4;
            lead.bits = static_cast<uint8_t>(b & 0x07);
        }
    }
    leads[0xE0].secondLow = 0xA0;
    leads[0xED].secondHigh = 0x9F;
    leads[0xF0].secondLow = 0x90;
    leads[0xF4].secondHigh = 0x8F;
    return leads;
}();

} // namespace utf8

// Walks UTF-8 bytes and hands each unit to the sink:
//   sink.ascii(p, size): takes the run of 7-bit bytes that starts at p (at most size of
//       them, at least the first) and returns its length;
//   sink.character(c): a well-formed sequence of two to four bytes, its code point;
//   sink.malformed(): the longest start of a well-formed sequence that the next byte does
//       not continue, or a byte that starts none: one replacement character.
// A well-formed start of a sequence that the bytes end in may yet be completed: the walk
// stops before it and returns the number of bytes walked.
template <typename Sink> qsizetype walkUtf8(const uint8_t* in, qsizetype size, Sink& sink) {
    Sink local = sink;
    qsizetype i = 0;
    while (i < size) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            i += local.ascii(in + i, size - i);
            continue;
        }
        const utf8::Lead lead = utf8::Leads[b];
        if (lead.length == 0) {
            local.malformed();
            ++i;
            continue;
        }
        // Kana and kanji take three bytes: checked at once when they are all there.
        if (lead.length == 3 && i + 3 <= size) {
            const uint8_t second = in[i + 1];
            const uint8_t third = in[i + 2];
            if (second >= lead.secondLow && second <= lead.secondHigh && (third & 0xC0) == 0x80) {
                local.character(char32_t{lead.bits} << 12 | char32_t{second & 0x3Fu} << 6 |
                                (third & 0x3Fu));
                i += 3;
                continue;
            }
        }
        char32_t c = lead.bits;
        qsizetype k = 1;
        for (; k < lead.length && i + k < size; ++k) {
            const uint8_t next = in[i + k];
            const uint8_t low = k == 1 ? lead.secondLow : 0x80;
            const uint8_t high = k == 1 ? lead.secondHigh : 0xBF;
            if (next < low || next > high) {
                break;
            }
            c = c << 6 | (next & 0x3F);
        }
        if (k == lead.length) {
            local.character(c);
        } else if (i + k == size) {
            break; // cut by the end of the bytes
        } else {
            local.malformed();
        }
        i += k;
    }
    sink = local;
    return i;
}

} // namespace orvenly::charsets
