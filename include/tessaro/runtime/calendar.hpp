#pragma once

#include <compare>
#include <cstdint>

#include <tessaro/export.hpp>

namespace tessaro {

// A date of the proleptic Gregorian calendar (1900 is not a leap year, 2000 is).
struct CivilDate {
    int32_t Year;
    int32_t Month;
    int32_t Day;

    bool operator==(const CivilDate&) const = default;
};

// A day number (days since 1 January 1900) and the second of that day, 0..86399.
struct DateTime {
    int32_t Day = 0;
    int32_t SecondOfDay = 0;

    auto operator<=>(const DateTime&) const = default;
};

// The day number of 1 January 2000, where payload seconds count from.
inline constexpr int32_t kDayOf2000 = 36524;

// Years divisible by 100 are leap years only when also divisible by 400.
TESSARO_EXPORT bool IsLeapYear(int32_t year);

// Returns 0 when month is outside 1..12.
TESSARO_EXPORT int32_t DaysInMonth(int32_t year, int32_t month);

// Negative before 1900; a day past the end of the month counts on into the next month.
// Month must be 1..12.
TESSARO_EXPORT int32_t DayNumber(int32_t year, int32_t month, int32_t day);

// Exact inverse of DayNumber for every valid date, including dates before 1900.
TESSARO_EXPORT CivilDate DateFromDayNumber(int32_t day);

}  // namespace tessaro
