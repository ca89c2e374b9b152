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

}  // namespace tessaro
