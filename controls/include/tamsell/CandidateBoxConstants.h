#pragma once

#include <cstdint>

namespace tamsell {

enum CandidateBoxTextCompareModeConstants : int32_t {
    CBTCM_BINARY = 0,
    CBTCM_CASE_INSENSITIVE = 1,
    CBTCM_TEXT = 0,
};

enum CandidateBoxSortKeyConstants : int32_t {
    CBSK_CUSTUM = -2,
    CBSK_KEY = -1,
    CBSK_CAPTION = 0,
    CBSK_ITEMDATA = 1,
    CBSK_IMAGE = 2,
};

enum CandidateBoxSortOrderConstants : int32_t {
    CBSO_ASCENDING = 0,
    CBSO_DESCENDING = 1,
};

} // namespace tamsell
