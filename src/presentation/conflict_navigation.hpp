#pragma once

// Where F8 goes: the next overlap of work-order bars after a place on the chart.

#include <cstdint>
#include <optional>
#include <utility>

#include <tessaro/components/schedule_chart.hpp>

#include "bar_index.hpp"

namespace tessaro::qt_detail {

struct ConflictStop {
    int row = 0;
    // The overlap's span, absolute minutes, half open.
    int64_t start = 0;
    int64_t end = 0;
    // Its earliest overlapping bar, 0 when none is found.
    int16_t firstBar = 0;
};

// The next overlap (by row, then time) after `from` (a row and a minute; row 0 starts before the
// first row, or after the last one going backwards), wrapping round at the end; nullopt when the
// chart has no overlap.
std::optional<ConflictStop> FindNextConflict(ChartBarIndex& index, const ScheduleChart& chart,
                                             std::pair<int, int64_t> from, bool backwards);

}  // namespace tessaro::qt_detail
