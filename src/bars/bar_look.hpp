#pragma once

// How a work-order bar shows its status letter, its two host flags and its selection.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

// The colour table entry of a status text, compared by character code: texts sorting before "D"
// (the empty text included) 0, "D" 1, "F" 2, "G" 3, "E" 5, anything else 4.
int32_t StatusColourIndex(std::string_view status);

// The colour table entry that activity time type 8 shows, whatever the status.
inline constexpr int32_t kSpecialActivityColourIndex = 6;
inline constexpr int16_t kSpecialActivityTimeType = 8;

// The place (0..5) in the style tables of the pair (chkflag, Execute_online); nothing for a pair
// outside the six known ones.
std::optional<int32_t> StylePairIndex(int16_t firstKey, int16_t secondKey);

}  // namespace tessaro
