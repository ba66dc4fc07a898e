#pragma once

#include <cstdint>

namespace tamsell {

enum PropertySheetAppearanceConstants : int32_t {
    PSA_FLAT = 0,
    PSA_3D = 1,
};

enum PropertySheetBorderStyleConstants : int32_t {
    PSB_NONE = 0,
    PSB_FIXEDSINGLE = 1,
};

enum PropertySheetStyleConstants : int32_t {
    PSS_LIST = 0,
    PSS_CATEGORY = 1,
};

enum PropertySheetItemStyleConstants : int32_t {
    PSIS_TEXT = 0,
    PSIS_LIST = 1,
    PSIS_COMBO = 2,
    PSIS_REFERENCE = 3,
    PSIS_COLOR = 4,
};

// A category's or item's ForeColor that defers to the sheet's.
inline constexpr int32_t SheetForeColorDefault = -1;

} // namespace tamsell
