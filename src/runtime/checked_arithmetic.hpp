#pragma once

#include <cstdint>
#include <limits>

#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {

// Narrows a wide intermediate to a 16- or 32-bit automation integer; a value outside the target
// width raises the overflow error (6), exactly where the automation runtime would.
template <typename Narrow>
Narrow CheckedNarrow(int64_t value) {
    if (value < std::numeric_limits<Narrow>::min() || value > std::numeric_limits<Narrow>::max()) {
        RaiseRuntimeError(RuntimeError::Overflow);
    }
    return static_cast<Narrow>(value);
}

inline int16_t CheckedInt16(int64_t value) {
    return CheckedNarrow<int16_t>(value);
}
inline int32_t CheckedInt32(int64_t value) {
    return CheckedNarrow<int32_t>(value);
}

// 16-bit and 32-bit sums, differences and products that raise overflow (6) outside their width.
inline int16_t Add16(int16_t a, int16_t b) {
    return CheckedInt16(int64_t{a} + b);
}
inline int16_t Sub16(int16_t a, int16_t b) {
    return CheckedInt16(int64_t{a} - b);
}
inline int32_t Add32(int32_t a, int32_t b) {
    return CheckedInt32(int64_t{a} + b);
}
inline int32_t Sub32(int32_t a, int32_t b) {
    return CheckedInt32(int64_t{a} - b);
}
inline int32_t Mul32(int32_t a, int32_t b) {
    return CheckedInt32(int64_t{a} * b);
}

}  // namespace tessaro
