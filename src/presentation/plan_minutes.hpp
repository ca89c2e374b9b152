#pragma once

// The plan's times (system clock) as the chart's absolute minutes and back: the chart's day 0 is
// 1 January 1900.

#include <chrono>
#include <cstdint>

#include <tessaro/rescheduling/plan_changes.hpp>

namespace tessaro::qt_detail {

inline constexpr int64_t kChartMinutesBeforeEpoch = int64_t{25567} * 1440;

inline PlanTime PlanTimeOfMinute(int64_t absoluteMinute) {
    return PlanTime{std::chrono::minutes{absoluteMinute - kChartMinutesBeforeEpoch}};
}

// To the minute, seconds dropped towards the past.
inline int64_t MinuteOfPlanTime(PlanTime time) {
    return std::chrono::floor<std::chrono::minutes>(time).time_since_epoch().count() +
           kChartMinutesBeforeEpoch;
}

}  // namespace tessaro::qt_detail
