#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace tamsell {

// A colour that the colour list of a property sheet offers, with the name it shows.
struct NamedColor {
    uint32_t value;
    QString name;
};

// The scheme's colours first, then the basic fixed ones.
const std::vector<NamedColor>& namedColors();

} // namespace tamsell
