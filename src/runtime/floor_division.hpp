#pragma once

#include <cstdint>

namespace tessaro {

// Rounds towards negative infinity, so that moments before an origin land on the previous day or
// minute. The divisor must be positive.
inline int64_t FloorDiv(int64_t value, int64_t divisor) {
    int64_t quotient = value / divisor;
    if (value % divisor < 0) {
        --quotient;
    }
    return quotient;
}

// The remainder that matches FloorDiv: always 0..divisor-1 for a positive divisor.
inline int64_t FloorMod(int64_t value, int64_t divisor) {
    return value - FloorDiv(value, divisor) * divisor;
}

}  // namespace tessaro
