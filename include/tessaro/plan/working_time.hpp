#pragma once

// A resource's working time as its calendar blocks leave it: where a bar may go so that no minute
// of it lies in a block, and how many minutes of a window the resource works and is booked.

#include <cstdint>
#include <utility>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// Half-open spans of absolute minutes, in start order, none meeting another.
using MinuteSpans = std::vector<std::pair<int64_t, int64_t>>;

// The row's calendar blocks, merged where they meet or touch.
TESSARO_EXPORT MinuteSpans NonWorkingSpans(const ScheduleChart& chart, int16_t row);

// How far a snap looks either way for working time before it leaves a start where it is.
inline constexpr int64_t kSnapReach = 14 * 1440;

// The start nearest to `start` at which a bar of `minutes` lies wholly outside the blocks; the
// later one where two are as near. `start` itself when it already does, and when no such start
// lies within `reach` (a bar longer than every working stretch around it stays where it is put).
TESSARO_EXPORT int64_t NearestWorkingStart(const MinuteSpans& blocks, int64_t start,
                                           int64_t minutes, int64_t reach = kSnapReach);

// What a resource has to do in a window against the time it works there.
struct ResourceLoad {
    // The work-order bars' minutes inside the window; overlapping bars count each.
    int64_t BookedMinutes = 0;
    // The window's minutes outside calendar blocks.
    int64_t WorkingMinutes = 0;

    // Booked against working time; 0 with nothing booked, above 1 when overbooked, and booked
    // time with no working time at all counts as fully over.
    double Ratio() const {
        if (BookedMinutes == 0) {
            return 0.0;
        }
        return WorkingMinutes == 0
                   ? 2.0
                   : static_cast<double>(BookedMinutes) / static_cast<double>(WorkingMinutes);
    }
};

// The load of the row's resource in [from, to) (absolute minutes).
TESSARO_EXPORT ResourceLoad LoadOfRow(const ScheduleChart& chart, int16_t row, int64_t from,
                                      int64_t to);

}  // namespace tessaro
