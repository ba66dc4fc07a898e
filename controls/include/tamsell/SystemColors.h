#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>

class QPalette;

namespace tamsell {

// Colours travel as 32-bit values: 0x00BBGGRR for a fixed colour, or 0x80000000 plus the
// index of a system colour that follows the current scheme.
namespace syscolor {
inline constexpr uint32_t Flag = 0x80000000u;
inline constexpr uint32_t Window = Flag | 5;
inline constexpr uint32_t WindowFrame = Flag | 6;
inline constexpr uint32_t WindowText = Flag | 8;
inline constexpr uint32_t Highlight = Flag | 13;
inline constexpr uint32_t HighlightText = Flag | 14;
inline constexpr uint32_t ButtonFace = Flag | 15;
inline constexpr uint32_t ButtonShadow = Flag | 16;
inline constexpr uint32_t GrayText = Flag | 17;
inline constexpr uint32_t ButtonText = Flag | 18;
inline constexpr uint32_t Highlight3D = Flag | 20;
inline constexpr uint32_t DarkShadow3D = Flag | 21;
inline constexpr uint32_t Light3D = Flag | 22;
} // namespace syscolor

// True for a fixed colour or a known system colour.
bool isValidColor(uint32_t value);

// The colour a value stands for; system colours come from the palette's active group.
// An invalid value raises 380.
QColor resolveColor(uint32_t value, const QPalette& palette);

// The fixed 0x00BBGGRR value of a colour, system colours translated through the palette.
uint32_t translateColor(uint32_t value, const QPalette& palette);

// 0x00BBGGRR from a QColor and back.
uint32_t toColorValue(const QColor& color);
QColor fromColorValue(uint32_t value);

// A colour as text: "&H", eight hexadecimal digits and "&", as in "&H80000008&". Colour items
// of a property sheet hold their value in this form.
QString colorText(uint32_t value);
// Reads that form, with or without the closing "&", or a decimal number; none unless it names
// a valid colour.
std::optional<uint32_t> parseColorText(const QString& text);

} // namespace tamsell
