#pragma once

#include <cstdint>

namespace tamsell {

// Where a progress bar stands: Min < Max and Min <= Value <= Max after every change.
struct ProgressRange {
    int32_t min = 0;
    int32_t max = 100;
    int32_t value = 100;

    // Max := v moves min below it and value into range; Min := v moves max above it. Each
    // returns whether anything changed. A bound that leaves no room for the other (the
    // smallest 32-bit number as Max, the largest as Min) raises 380.
    bool setMax(int32_t v);
    bool setMin(int32_t v);
    int32_t clamped(int32_t v) const { return v < min ? min : v > max ? max : v; }

    // Max - Min and Value - Min, which need more than 32 bits.
    int64_t span() const { return int64_t(max) - min; }
    int64_t done() const { return int64_t(value) - min; }
};

} // namespace tamsell
