#pragma once

#include <cstdint>

namespace tamsell {

enum ProgressBarBorderStyleConstants : int32_t {
    pbrNone = 0,
    pbrFixedSingle = 1,
    pbrLightSingle = 2,
};

enum ProgressBarOrientationConstants : int32_t {
    pbrHorizontal = 0,
    pbrVertical = 1,
};

// What the caption shows: a percentage, the value, the ratio done, or only FormatString.
enum ProgressBarNotationConstanrts : int32_t {
    pbrParcentage = 0,
    pbrValue = 1,
    pbrRatio = 2,
    pbrHide = 3,
};

// Where the caption stands: left (horizontal) or bottom (vertical), centre, right or top.
enum ProgressBarCaptionAlignConstants : int32_t {
    pbrLeftBottom = 0,
    pbrCenter = 1,
    pbrRightTop = 2,
};

} // namespace tamsell
