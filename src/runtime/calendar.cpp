#include <tessaro/runtime/calendar.hpp>

#include "runtime/checked_arithmetic.hpp"

#include "runtime/floor_division.hpp"

namespace tessaro {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days from 1 January 1970 to 1 January 1900 in the civil-days algorithm below.
constexpr int64_t kDayNumberOffset = 25567;

// Counting years from March puts the leap day at the end of the year, which makes the day of
// the year a closed formula of the month; 400-year eras repeat exactly.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{static_cast<int32_t>(year), static_cast<int32_t>(month),
                     static_cast<int32_t>(day)};
}

}  // namespace

bool IsLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
    static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    if (month == 2 && IsLeapYear(year)) {
        return 29;
    }
    return kDays[month - 1];
}

int32_t DayNumber(int32_t year, int32_t month, int32_t day) {
    return static_cast<int32_t>(DaysFromCivil(year, month, day) + kDayNumberOffset);
}

CivilDate DateFromDayNumber(int32_t day) {
    return CivilFromDays(int64_t{day} - kDayNumberOffset);
}

}  // namespace tessaro
