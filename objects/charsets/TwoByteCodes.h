#pragma once

#include <cstdint>

// Arithmetic between the two-byte codes of JIS, EUC-JP and Shift_JIS. Every step works on
// 8-bit values and wraps; no range check, so any bytes give some result.
namespace orvenly {

constexpr void JisToSjis(uint8_t& j1, uint8_t& j2) {
    j2 = static_cast<uint8_t>(j2 + ((j1 & 1) != 0 ? 0x1F : 0x7D));
    if (j2 >= 0x7F) {
        j2 = static_cast<uint8_t>(j2 + 1);
    }
    j1 = static_cast<uint8_t>(static_cast<uint8_t>(j1 - 0x21) / 2 + 0x81);
    if (j1 > 0x9F) {
        j1 = static_cast<uint8_t>(j1 + 0x40);
    }
}

constexpr void SjisToJis(uint8_t& s1, uint8_t& s2) {
    s1 = static_cast<uint8_t>(s1 <= 0x9F ? s1 - 0x71 : s1 + 0x4F);
    s1 = static_cast<uint8_t>(s1 * 2 + 1);
    if (s2 >= 0x9F) {
        s2 = static_cast<uint8_t>(s2 - 0x7E);
        s1 = static_cast<uint8_t>(s1 + 1);
    } else if (s2 > 0x7F) {
        s2 = static_cast<uint8_t>(s2 - 0x20);
    } else {
        s2 = static_cast<uint8_t>(s2 - 0x1F);
    }
}

constexpr void EucToSjis(uint8_t& e1, uint8_t& e2) {
    e1 &= 0x7F;
    e2 &= 0x7F;
    JisToSjis(e1, e2);
}

constexpr void SjisToEuc(uint8_t& s1, uint8_t& s2) {
    SjisToJis(s1, s2);
    s1 |= 0x80;
    s2 |= 0x80;
}

} // namespace orvenly
