#pragma once

#include <array>
#include <cstdint>

namespace tessaro {

// The work-order bar colours and styles the control gives each status letter and pair of host
// flags. Colours are RGB numbers: red + 256 * green + 65536 * blue.
using ColourTable = std::array<int32_t, 7>;
using StyleTable = std::array<int16_t, 6>;

}  // namespace tessaro
