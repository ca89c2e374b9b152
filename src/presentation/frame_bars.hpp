#pragma once

// The bars of one frame, found by a single walk over the rows in sight and shared by the passes
// that paint them. The lists keep their memory from frame to frame.

#include <cstdint>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>

#include "bar_index.hpp"

namespace tessaro::qt_detail {

struct FrameBar {
    int16_t row = 0;
    int16_t bar = 0;
    // Overlaps another work-order bar of its row.
    bool conflicting = false;
};

struct FrameBars {
    // Row by row, later bars after earlier ones: they lie on top, as hit testing expects.
    std::vector<FrameBar> calendarBlocks;
    std::vector<FrameBar> others;
    // One row's bars while they are put in order.
    std::vector<int16_t> row;

    void clear() {
        calendarBlocks.clear();
        others.clear();
    }
};

// Puts the bars of rows firstRow..lastRow that meet the minutes [from, to] into `found`, calendar
// blocks apart from the others, with whether each overlaps another work-order bar of its row.
void FindFrameBars(ChartBarIndex& index, const ScheduleChart& chart, int firstRow, int lastRow,
                   int64_t from, int64_t to, FrameBars& found);

}  // namespace tessaro::qt_detail
