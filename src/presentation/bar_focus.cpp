#include "bar_focus.hpp"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

#include <tessaro/bars/chart_conventions.hpp>

namespace tessaro::qt_detail {
namespace {

// A bar's place in its row's time order: start, end, then index, so equal spans keep an order.
using TimeOrder = std::tuple<int64_t, int64_t, int>;

TimeOrder OrderOf(const ScheduleChart& chart, int row, int bar) {
    const ChartBar& b = chart.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    return {b.Start.AbsoluteMinutes(), b.End.AbsoluteMinutes(), bar};
}

bool IsWorkOrderBar(const ScheduleChart& chart, int row, int bar) {
    return chart.TimeBarKind(static_cast<int16_t>(row), static_cast<int16_t>(bar)) ==
           WorkOrderBarKind;
}

// The work-order bars of the row in time order.
std::vector<TimeOrder> WorkOrderBarsOf(const ScheduleChart& chart, int row) {
    std::vector<TimeOrder> bars;
    const int count = chart.TimeBarCount(static_cast<int16_t>(row));
    for (int bar = 1; bar <= count; ++bar) {
        if (IsWorkOrderBar(chart, row, bar)) {
            bars.push_back(OrderOf(chart, row, bar));
        }
    }
    std::sort(bars.begin(), bars.end());
    return bars;
}

bool HasWorkOrderBar(const ScheduleChart& chart, int row) {
    const int count = chart.TimeBarCount(static_cast<int16_t>(row));
    for (int bar = 1; bar <= count; ++bar) {
        if (IsWorkOrderBar(chart, row, bar)) {
            return true;
        }
    }
    return false;
}

// The first row from `row` on, one step of `direction` at a time, that has a work-order bar;
// 0 past the chart's edge.
int RowWithBars(const ScheduleChart& chart, int row, int direction) {
    for (; row >= 1 && row <= chart.RowCount(); row += direction) {
        if (HasWorkOrderBar(chart, row)) {
            return row;
        }
    }
    return 0;
}

BarFocus NearestTo(const ScheduleChart& chart, int row, BarFocus from) {
    const ChartBar& b = chart.Bar(static_cast<int16_t>(from.row), static_cast<int16_t>(from.bar));
    return NearestWorkOrderBar(chart, row, b.Start.AbsoluteMinutes(), b.End.AbsoluteMinutes());
}

}  // namespace

BarFocus FirstWorkOrderBar(const ScheduleChart& chart) {
    const int row = RowWithBars(chart, 1, 1);
    if (row == 0) {
        return {};
    }
    return {row, std::get<2>(WorkOrderBarsOf(chart, row).front())};
}

BarFocus NearestWorkOrderBar(const ScheduleChart& chart, int row, int64_t start, int64_t end) {
    if (row < 1 || row > chart.RowCount()) {
        return {};
    }
    BarFocus best;
    std::tuple<int64_t, int64_t, TimeOrder> bestDistance{};
    for (const TimeOrder& order : WorkOrderBarsOf(chart, row)) {
        const auto [barStart, barEnd, bar] = order;
        const int64_t gap = std::max<int64_t>(0, std::max(start, barStart) - std::min(end, barEnd));
        const std::tuple<int64_t, int64_t, TimeOrder> distance{gap, std::abs(barStart - start),
                                                               order};
        if (!best || distance < bestDistance) {
            best = {row, bar};
            bestDistance = distance;
        }
    }
    return best;
}

BarFocus StepBarFocus(const ScheduleChart& chart, BarFocus from, FocusStep step, int pageRows) {
    const std::vector<TimeOrder> row = WorkOrderBarsOf(chart, from.row);
    const TimeOrder here = OrderOf(chart, from.row, from.bar);
    const auto onRow = [&](const TimeOrder& order) {
        return BarFocus{from.row, std::get<2>(order)};
    };
    switch (step) {
        case FocusStep::Previous: {
            const auto before = std::lower_bound(row.begin(), row.end(), here);
            return before == row.begin() ? from : onRow(*std::prev(before));
        }
        case FocusStep::Next: {
            const auto after = std::upper_bound(row.begin(), row.end(), here);
            return after == row.end() ? from : onRow(*after);
        }
        case FocusStep::RowStart:
            return row.empty() ? from : onRow(row.front());
        case FocusStep::RowEnd:
            return row.empty() ? from : onRow(row.back());
        case FocusStep::Up:
        case FocusStep::Down: {
            const int direction = step == FocusStep::Up ? -1 : 1;
            const int target = RowWithBars(chart, from.row + direction, direction);
            return target == 0 ? from : NearestTo(chart, target, from);
        }
        case FocusStep::PageUp:
        case FocusStep::PageDown: {
            const int direction = step == FocusStep::PageUp ? -1 : 1;
            const int page = std::max(1, pageRows);
            const int landing =
                std::clamp(from.row + direction * page, 1, std::max<int>(1, chart.RowCount()));
            // Beyond the landing row first; short of it when the chart ends without bars.
            int target = RowWithBars(chart, landing, direction);
            if (target == 0 || target == from.row) {
                target = RowWithBars(chart, landing, -direction);
            }
            return target == 0 || target == from.row ? from : NearestTo(chart, target, from);
        }
    }
    return from;
}

}  // namespace tessaro::qt_detail
