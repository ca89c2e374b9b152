#include "frame_bars.hpp"

#include <algorithm>

#include <tessaro/bars/bar_description.hpp>

namespace tessaro::qt_detail {

void FindFrameBars(ChartBarIndex& index, const ScheduleChart& chart, int firstRow, int lastRow,
                   int64_t from, int64_t to, FrameBars& found) {
    found.clear();
    for (int row = firstRow; row <= lastRow; ++row) {
        const auto r = static_cast<int16_t>(row);
        const RowConflicts& conflicts = index.conflicts(chart, r);
        found.row.clear();
        index.row(chart, r).forEachIn(
            from, to, [&](const RowBarIndex::Entry& entry) { found.row.push_back(entry.bar); });
        // Later bars lie on top of earlier ones, as hit testing expects.
        std::sort(found.row.begin(), found.row.end());
        for (const int16_t bar : found.row) {
            if (RoleOfBarKind(chart.Bar(r, bar).Kind) == BarRole::Calendar) {
                found.calendarBlocks.push_back({r, bar, false});
            } else {
                found.others.push_back(
                    {r, bar, !conflicts.bars.empty() && conflicts.contains(bar)});
            }
        }
    }
}

}  // namespace tessaro::qt_detail
