#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tamsell {

// A colour that the colour list of a property sheet offers, with the name it shows.
struct NamedColor {
    uint32_t value;
    QString name;
};

// The scheme's colours first, then the basic fixed ones.
const std::vector<NamedColor>& namedColors();

// A colour item's text: "&H" and eight hexadecimal digits and "&", as in "&H80000008&".
QString colorText(uint32_t value);
// Reads that form, with or without the closing "&", or a decimal number; none unless it
// names a valid colour.
std::optional<uint32_t> parseColorText(const QString& text);

} // namespace tamsell
