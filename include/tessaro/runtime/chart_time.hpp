#pragma once

#include <compare>
#include <cstdint>

#include <tessaro/export.hpp>

namespace tessaro {

// A point on the chart's time axis at minute resolution: a day number (days since 1 January
// 1900) and the minute of that day. Minute may leave 0..1439 during arithmetic; Normalised()
// brings it back.
struct TESSARO_EXPORT ChartTime {
    int32_t Day = 0;
    int32_t Minute = 0;

    // Orders correctly only when both sides are normalised.
    auto operator<=>(const ChartTime&) const = default;

    // Drops the seconds of the minute; negative seconds round down to the earlier minute.
    static ChartTime FromPayloadSeconds(int32_t seconds);

    // Raises overflow (6) when the time lies outside the signed 32-bit payload range.
    int32_t ToPayloadSeconds() const;

    // Raises overflow (6) when carrying the minutes moves the day outside int32.
    ChartTime Normalised() const;

    // Never overflows: computed in 64 bits, also for unnormalised minutes.
    int64_t AbsoluteMinutes() const;
};

// Negative when `to` lies before `from`; raises overflow (6) when the distance leaves int32.
TESSARO_EXPORT int32_t MinutesBetween(const ChartTime& from, const ChartTime& to);

}  // namespace tessaro
