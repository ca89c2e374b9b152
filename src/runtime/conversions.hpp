#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <tessaro/runtime/calendar.hpp>

namespace tessaro {

// Raises type mismatch (13) unless the text is an optionally signed decimal number with blanks
// only around it ("1e3", "0x10", "1,000", "- 3" and "" are rejected); a fraction rounds half to
// even (12.5 -> 12, 13.5 -> 14); raises overflow (6) outside -32768..32767.
int16_t TextToInt16(std::string_view text);

// Same rules as TextToInt16; raises overflow (6) outside the signed 32-bit range.
int32_t TextToInt32(std::string_view text);

// Raises type mismatch (13) unless the text is month/day/year or ISO 8601 (year-month-day) with
// an optional time of day; 1- and 2-digit years 0..29 mean 20xx and 30..99 mean 19xx.
DateTime TextToDate(std::string_view text);

}  // namespace tessaro
