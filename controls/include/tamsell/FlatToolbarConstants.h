#pragma once

#include <cstdint>

namespace tamsell {

enum FlatToolbarStyleConstants : int32_t {
    FTS_HORIZONTAL = 0,
    FTS_RECT = 1,
    FTS_VERTICAL = 2,
};

enum FlatToolbarBorderStyleConstants : int32_t {
    FTB_NONE = 0,
    FTB_FIXEDSINGLE = 1,
};

enum FlatToolbarButtonStyleConstants : int32_t {
    FTBS_COMMAND = 0,
    FTBS_DROPDOWN = 1,
    FTBS_CHECK = 2,
    FTBS_RADIO = 3,
    FTBS_SEPARATOR = 4,
    FTBS_PLACEHOLDER = 5,
    FTBS_SEPARATORBREAK = 6,
};

enum FlatToolbarButtonExtendStyleConstants : int32_t {
    FTBS_EX_NONE = 0,
    FTBS_EX_INHERENTDROPDOWN = 1,
    FTBS_EX_INDEPENDENTDROPDOWN = 2,
};

enum FlatToolbarButtonValueConstants : int32_t {
    FTBV_UNPRESSED = 0,
    FTBV_PRESSED = 1,
    FTBV_MIXEDSTATE = 2,
};

} // namespace tamsell
