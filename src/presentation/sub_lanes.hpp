#pragma once

// Overlapping work-order bars of a row laid side by side: each bar gets a lane of the row, the
// lowest one free at its start, so no bar is painted over another. A row keeps its height and
// splits it between its lanes: the rows stay one height, so scrolling, the resource list and the
// pages of an export line up as before, and a row without overlaps looks as it always did.

#include <cstdint>
#include <utility>
#include <vector>

#include <QRect>

#include <tessaro/components/schedule_chart.hpp>

namespace tessaro::qt_detail {

struct RowLanes {
    // By the bar's place in its row (1-based, index 0 unused); 0 for bars outside the lanes.
    std::vector<uint8_t> laneOf;
    int count = 1;

    int laneOfBar(int bar) const {
        return bar > 0 && bar < static_cast<int>(laneOf.size()) ? laneOf[bar] : 0;
    }
    // How many lanes the bar's overlapping group splits the row into: a bar that overlaps
    // nothing keeps the whole row, whatever other bars of the row do.
    std::vector<uint8_t> lanesOf;
    int lanesOfBar(int bar) const {
        return bar > 0 && bar < static_cast<int>(lanesOf.size()) ? lanesOf[bar] : 1;
    }
};

// The most lanes a row is split into; further overlapping bars share the last lane.
inline constexpr int kMaximumLanes = 8;

// Lanes for half-open spans given in any order: a span takes the lowest lane whose bars all end
// by its start, in start order (earlier bars stay on top). The result is by position in spans.
std::vector<uint8_t> AssignLanes(const std::vector<std::pair<int64_t, int64_t>>& spans,
                                 int& laneCount);

// The lanes of the row's work-order bars; every other bar keeps lane 0 and the whole row.
RowLanes LanesOfRow(const ScheduleChart& chart, int16_t row);

// The part of a work-order bar's rect (as it is painted without lanes) its lane takes.
QRect LaneRect(const QRect& barRect, int lane, int laneCount);

}  // namespace tessaro::qt_detail
