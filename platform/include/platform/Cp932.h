#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>

// Code page 932 (Windows Shift_JIS) as Windows converts it.
namespace platform::cp932 {

inline constexpr char16_t ReplacementCharacter = u'\uFFFD';

// 0x81-0x9F and 0xE0-0xFC start a two-byte code.
constexpr bool isLeadByte(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
// 0x40-0x7E and 0x80-0xFC may follow a lead byte.
constexpr bool isTrailByte(uint8_t b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes to UTF-16. A lead byte followed by a byte that cannot be a trail byte gives U+FFFD
// and the following byte is decoded on its own; a lead byte at the end gives U+FFFD; a
// well-formed but undefined two-byte code gives one U+FFFD.
QString decode(QByteArrayView bytes);

// The character of one single-byte code, or of one two-byte code (U+FFFD when undefined).
char16_t decodeByte(uint8_t b);
char16_t decodePair(uint8_t lead, uint8_t trail);

// UTF-16 to bytes. A character without a code becomes "?" (a surrogate pair counts as one
// character); with unmappable given, the number of such characters is stored there. As in
// Windows' best-fit conversion (and iconv's CP932), a few characters without a code of their
// own take that of a look-alike, which reads back as the look-alike: U+301C 〜 (81 60, ～),
// U+2212 − (81 7C), U+2016 ‖, U+2014 —, U+00A2 ¢, U+00A3 £, U+00AC ¬, U+00A5 ¥ (5C), U+203E ‾.
QByteArray encode(QStringView text, qsizetype* unmappable = nullptr);

// The code of one character: 0 when it has none, a byte value below 0x100, or lead << 8 | trail.
// U+0000 has the code 0 as well: the byte 0.
uint16_t encodeChar(char16_t ch);

} // namespace platform::cp932
