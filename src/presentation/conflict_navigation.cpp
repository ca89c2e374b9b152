#include "conflict_navigation.hpp"

#include <algorithm>
#include <iterator>

#include "plan_minutes.hpp"

namespace tessaro::qt_detail {

namespace {

// The overlap's earliest overlapping bar: the one F8 clicks.
int16_t FirstOverlappingBar(ChartBarIndex& index, const ScheduleChart& chart, int row,
                            int64_t start, int64_t end) {
    int16_t first = 0;
    int64_t firstStart = 0;
    const auto& conflicts = index.conflicts(chart, static_cast<int16_t>(row));
    index.row(chart, static_cast<int16_t>(row))
        .forEachIn(start, end, [&](const RowBarIndex::Entry& entry) {
            if (entry.end > start && entry.start < end && conflicts.contains(entry.bar) &&
                (first == 0 || entry.start < firstStart)) {
                first = entry.bar;
                firstStart = entry.start;
            }
        });
    return first;
}

}  // namespace

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
    stop.firstBar = FirstOverlappingBar(index, chart, stop.row, stop.start, stop.end);
    return stop;
}

std::vector<PlanStop> CollectPlanStops(ChartBarIndex& index, const ScheduleChart& chart,
                                       const std::vector<PlanConflict>& conflicts) {
    std::vector<PlanStop> stops;
    for (int row = 1; row <= chart.RowCount(); ++row) {
        for (const auto& [start, end] : index.conflicts(chart, static_cast<int16_t>(row)).zones) {
            stops.push_back({row, start, end, 0, 0});
        }
    }
    for (const PlanConflict& conflict : conflicts) {
        if (conflict.Kind == ConflictKind::Overlap || conflict.Row < 1 ||
            conflict.Row > chart.RowCount()) {
            continue;
        }
        stops.push_back({conflict.Row, MinuteOfPlanTime(conflict.Start),
                         MinuteOfPlanTime(conflict.End),
                         conflict.Kind == ConflictKind::Precedence ? 1 : 2,
                         static_cast<int16_t>(conflict.Bar)});
    }
    std::sort(stops.begin(), stops.end(),
              [](const PlanStop& a, const PlanStop& b) { return a.key() < b.key(); });
    return stops;
}

std::optional<PlanStop> NextPlanStop(ChartBarIndex& index, const ScheduleChart& chart,
                                     const std::vector<PlanStop>& stops,
                                     std::tuple<int, int64_t, int> from, bool backwards) {
    if (stops.empty()) {
        return std::nullopt;
    }
    const auto after = std::upper_bound(
        stops.begin(), stops.end(), from,
        [](const std::tuple<int, int64_t, int>& key, const PlanStop& s) { return key < s.key(); });
    const auto before = std::lower_bound(
        stops.begin(), stops.end(), from,
        [](const PlanStop& s, const std::tuple<int, int64_t, int>& key) { return s.key() < key; });
    PlanStop stop = backwards ? (before == stops.begin() ? stops.back() : *std::prev(before))
                              : (after == stops.end() ? stops.front() : *after);
    if (stop.kind == 0) {
        stop.bar = FirstOverlappingBar(index, chart, stop.row, stop.start, stop.end);
    }
    return stop;
}

std::optional<ConflictStop> StepConflictCursor(ConflictCursor& cursor, ChartBarIndex& index,
                                               const ScheduleChart& chart,
                                               const std::vector<PlanConflict>* conflicts,
                                               BarFocus clicked, bool backwards) {
    if (chart.RowCount() == 0) {
        return std::nullopt;
    }
    std::pair<int, int64_t> from = cursor.at;
    int fromKind = cursor.kind;
    if (from.first == 0 && clicked.row >= 1 && clicked.row <= chart.RowCount() &&
        clicked.bar >= 1 && clicked.bar <= chart.TimeBarCount(static_cast<int16_t>(clicked.row))) {
        from = {clicked.row,
                chart.Bar(static_cast<int16_t>(clicked.row), static_cast<int16_t>(clicked.bar))
                    .Start.AbsoluteMinutes()};
        fromKind = -1;
    }
    std::optional<ConflictStop> found;
    if (conflicts != nullptr) {
        // From a click, stops at the clicked bar's start are passed going either way.
        const int kind = fromKind >= 0 ? fromKind : (backwards ? -1 : 3);
        const std::vector<PlanStop> stops = CollectPlanStops(index, chart, *conflicts);
        if (const std::optional<PlanStop> stop =
                NextPlanStop(index, chart, stops, {from.first, from.second, kind}, backwards)) {
            found = ConflictStop{stop->row, stop->start, stop->end, stop->bar};
            fromKind = stop->kind;
        }
    } else {
        found = FindNextConflict(index, chart, from, backwards);
        fromKind = 0;
    }
    if (found) {
        cursor = {{found->row, found->start}, fromKind};
    }
    return found;
}

}  // namespace tessaro::qt_detail
