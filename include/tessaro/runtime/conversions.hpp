#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <tessaro/export.hpp>
#include <tessaro/runtime/calendar.hpp>

namespace tessaro {

// A text value that may be Null, as payload attributes and grid cells hand it over.
using NullableText = std::optional<std::string>;

// Raises type mismatch (13) unless the text is an optionally signed decimal number with blanks
// only around it ("1e3", "0x10", "1,000", "- 3" and "" are rejected); a fraction rounds half to
// even (12.5 -> 12, 13.5 -> 14); raises overflow (6) outside -32768..32767.
TESSARO_EXPORT int16_t TextToInt16(std::string_view text);

// Same rules as TextToInt16; raises overflow (6) outside the signed 32-bit range.
TESSARO_EXPORT int32_t TextToInt32(std::string_view text);

// Raises invalid use of Null (94) for a missing value, otherwise as TextToInt16.
TESSARO_EXPORT int16_t NullableToInt16(const NullableText& value);

// Raises invalid use of Null (94) for a missing value, otherwise as TextToInt32.
TESSARO_EXPORT int32_t NullableToInt32(const NullableText& value);

// Raises invalid use of Null (94) for a missing value; the reference lives as long as `value`.
TESSARO_EXPORT const std::string& NullableToText(const NullableText& value);

// Raises type mismatch (13) unless the text is month/day/year or ISO 8601 (year-month-day) with
// an optional time of day; 1- and 2-digit years 0..29 mean 20xx and 30..99 mean 19xx.
TESSARO_EXPORT DateTime TextToDate(std::string_view text);

}  // namespace tessaro
