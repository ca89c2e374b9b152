#pragma once

#include <chrono>

#include <tessaro/rescheduling/plan_changes.hpp>
#include <tessaro/runtime/chart_time.hpp>

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
    const auto minutes = std::chrono::floor<std::chrono::minutes>(time).time_since_epoch().count();
    const int64_t day = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
    return {static_cast<int32_t>(day + kDaysBeforeEpoch),
            static_cast<int32_t>(minutes - day * 1440)};
}

}  // namespace tessaro
