#pragma once

// Where an activity's work-order bars are on the chart now.

#include <cstdint>
#include <string>
#include <string_view>

#include <tessaro/components/schedule_chart.hpp>

namespace tessaro::qt_detail {

struct ActivityPlacement {
    // The row of its earliest bar; 0 when none of its bars is on the chart (start and end then
    // mean nothing).
    int row = 0;
    int64_t start = 0;  // the earliest start, absolute minutes
    int64_t end = 0;    // the latest end
};

// The work-order bars of workOrder whose schedule number, written out, is `activity`.
ActivityPlacement FindActivityPlacement(const ScheduleChart& chart, const std::string& workOrder,
                                        std::string_view activity);

}  // namespace tessaro::qt_detail
