#include "tamsell/ProgressRange.h"

#include "PropertyRules.h"

#include <algorithm>
#include <limits>

namespace tamsell {

bool ProgressRange::setMax(int32_t v) {
    requireValid(v != std::numeric_limits<int32_t>::min());
    if (v == max)
        return false;
    max = v;
    min = std::min(min, v - 1);
    value = std::min(value, v);
    return true;
}

bool ProgressRange::setMin(int32_t v) {
    requireValid(v != std::numeric_limits<int32_t>::max());
    if (v == min)
        return false;
    min = v;
    max = std::max(max, v + 1);
    value = std::max(value, v);
    return true;
}

} // namespace tamsell
