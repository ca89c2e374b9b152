#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {

// Raises overflow (6), naming the row, when the row cannot take that many more bars: a chart row
// holds at most 32767.
inline void CheckRowRoom(const ScheduleChart& chart, int32_t row, std::size_t added) {
    if (chart.TimeBarCount(static_cast<int16_t>(row)) + added >
        static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        RaiseRuntimeError(RuntimeError::Overflow, "A chart row holds at most 32767 bars; row " +
                                                      std::to_string(row) + " would hold more.");
    }
}

}  // namespace tessaro
