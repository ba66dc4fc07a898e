#pragma once

#include <QtGlobal>
#include <array>
#include <cstdint>

// The tables of the direct conversions between Shift_JIS, EUC-JP and UTF-8: what each unit of
// the input turns into, made once from the engine's own conversions.
namespace orvenly::charsets {

// The charsets on either side: Shift_JIS and EUC-JP into each other; either of them into
// UTF-8 from Shift_JIS, out of UTF-8.
enum class Charset { ShiftJis, Euc, Utf8 };

// The bytes one unit of the input turns into, at most three, in a word that is stored whole.
struct Output {
    static constexpr uint8_t SizeMask = 0x03;
    // The unit's last Shift_JIS byte is a lead byte still waiting for its trail byte.
    static constexpr uint8_t LeadLeftOpen = 0x80;

    std::array<uint8_t, 3> bytes{};
    uint8_t meta = 0; // the number of bytes, and the flags

    uint8_t size() const { return meta & SizeMask; }
    void append(const uint8_t* p, qsizetype n) {
        for (qsizetype k = 0; k < n; ++k) {
            bytes.at(size()) = p[k];
            ++meta;
        }
    }
    void append(const Output& other) { append(other.bytes.data(), other.size()); }
};

// Written for a character the target cannot hold: a byte that no other output holds (NUL
// is written as "?"). Each piece of output is searched for it once and "?" put in its place,
// which costs less than a check for every unit.
inline constexpr uint8_t LostMark = 0x00;
static_assert(sizeof(Output) == 4);

// The output of every unit that the code page 932 walk hands over, as decoding, the
// line-break conversion and encoding for the target would give it.
struct ShiftJisOutputs {
    std::array<Output, 256> single;    // a byte of its own, 7-bit bytes included
    Output broken;                     // U+FFFD for a lead byte without its trail byte
    std::array<Output, 0x10000> pairs; // lead << 8 | trail
};

// The output of every EUC-JP unit that starts with a byte from 0x80 up, e1 << 8 | e2 (a pair,
// or a single shift and its byte): its Shift_JIS bytes as the code page 932 walk reads them
// after a complete unit, and whether they leave a lead byte open. EucToSjis yields no CR or
// LF, so these units hold no line break. And of every JIS X 0212 code, 0x8F b1 b2, at
// (b1 - 0xA1) * 94 + b2 - 0xA1.
struct EucOutputs {
    std::array<Output, 0x10000> pairs;
    std::array<Output, std::size_t{94} * 94> triples;
};

// The output of every character of the basic plane that UTF-8 input holds, of all beyond it
// (which no Japanese charset holds), and of a sequence that is not well-formed (U+FFFD).
struct CodePointOutputs {
    std::array<Output, 0x10000> basic;
    Output beyond;
    Output malformed;
};

// Each table is made on first use. EUC-JP is not turned into UTF-8 here: one of its units can
// make more than three bytes of UTF-8.
const ShiftJisOutputs& shiftJisOutputs(Charset target);
const EucOutputs& eucOutputs(Charset target);
const CodePointOutputs& codePointOutputs(Charset target);

} // namespace orvenly::charsets
