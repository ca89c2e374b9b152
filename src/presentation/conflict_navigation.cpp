#include "conflict_navigation.hpp"

namespace tessaro::qt_detail {

std::optional<ConflictStop> FindNextConflict(ChartBarIndex& index, const ScheduleChart& chart,
                                             std::pair<int, int64_t> from, bool backwards) {
    const int rows = chart.RowCount();
    if (rows == 0) {
        return std::nullopt;
    }
    // Rows in order from the cursor's, once round, the cursor's row again at the end.
    std::optional<std::pair<int, std::pair<int64_t, int64_t>>> found;
    for (int step = 0; step <= rows && !found; ++step) {
        int row = from.first == 0 ? (backwards ? rows : 1) : from.first;
        row = ((row - 1 + (backwards ? -step : step)) % rows + rows) % rows + 1;
        const auto& zones = index.conflicts(chart, static_cast<int16_t>(row)).zones;
        if (zones.empty()) {
            continue;
        }
        const bool cursorRow = from.first != 0 && row == from.first;
        const bool wrapped = step == rows;
        if (!backwards) {
            for (const auto& zone : zones) {
                if (!cursorRow || (step == 0 ? zone.first > from.second : wrapped)) {
                    found = {row, zone};
                    break;
                }
            }
        } else {
            for (auto zone = zones.rbegin(); zone != zones.rend(); ++zone) {
                if (!cursorRow || (step == 0 ? zone->first < from.second : wrapped)) {
                    found = {row, *zone};
                    break;
                }
            }
        }
    }
    if (!found) {
        return std::nullopt;
    }
    ConflictStop stop{found->first, found->second.first, found->second.second, 0};
    // The earliest overlapping bar of the zone is the one clicked.
    int64_t firstStart = 0;
    const auto& conflicts = index.conflicts(chart, static_cast<int16_t>(stop.row));
    index.row(chart, static_cast<int16_t>(stop.row))
        .forEachIn(stop.start, stop.end, [&](const RowBarIndex::Entry& entry) {
            if (entry.end > stop.start && entry.start < stop.end && conflicts.contains(entry.bar) &&
                (stop.firstBar == 0 || entry.start < firstStart)) {
                stop.firstBar = entry.bar;
                firstStart = entry.start;
            }
        });
    return stop;
}

}  // namespace tessaro::qt_detail
