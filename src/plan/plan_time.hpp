#pragma once

#include <algorithm>
#include <chrono>

#include <tessaro/rescheduling/plan_changes.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "runtime/checked_arithmetic.hpp"
#include "runtime/floor_division.hpp"

namespace tessaro {

// The chart's day 0 is 1 January 1900, 25,567 days before the system clock's epoch.
inline PlanTime PlanTimeOf(ChartTime time) {
    constexpr int64_t kDaysBeforeEpoch = 25567;
    return std::chrono::sys_days{std::chrono::days{int64_t{time.Day} - kDaysBeforeEpoch}} +
           std::chrono::minutes{time.Minute};
}

// The chart time of a plan time, to the minute (seconds are dropped towards the past).
inline ChartTime ChartTimeOf(PlanTime time) {
    constexpr int64_t kDaysBeforeEpoch = 25567;
    const int64_t minutes =
        std::chrono::floor<std::chrono::minutes>(time).time_since_epoch().count();
    return {static_cast<int32_t>(FloorDiv(minutes, 1440) + kDaysBeforeEpoch),
            static_cast<int32_t>(FloorMod(minutes, 1440))};
}

// The time `minutes` later (earlier when negative), normalised; raises overflow (6) past the
// chart's days.
inline ChartTime MinutesLater(ChartTime time, int64_t minutes) {
    const int64_t absolute = time.AbsoluteMinutes() + minutes;
    return {CheckedInt32(FloorDiv(absolute, 1440)), static_cast<int32_t>(FloorMod(absolute, 1440))};
}

// Whether the half-open spans [aStart, aEnd) and [bStart, bEnd) share a minute: spans that only
// touch do not.
inline bool SpansMeet(ChartTime aStart, ChartTime aEnd, ChartTime bStart, ChartTime bEnd) {
    return std::max(aStart, bStart) < std::min(aEnd, bEnd);
}

}  // namespace tessaro
