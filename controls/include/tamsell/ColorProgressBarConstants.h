#pragma once

#include <cstdint>

namespace tamsell {

enum ColorProgressBarAppearanceConstanrs : int32_t {
    cpaFlat = 0,
    cpa3D = 1,
};

enum ColorProgressBarBorderStyleConstanrs : int32_t {
    cpbNone = 0,
    cpbFixedSingle = 1,
};

enum ColorProgressBarOrientationConstants : int32_t {
    cpoHorizontal = 0,
    cpoVertical = 1,
};

} // namespace tamsell
