#include "activity_placement.hpp"

#include <algorithm>
#include <optional>

#include <tessaro/bars/bar_description.hpp>

namespace tessaro::qt_detail {

ActivityPlacement FindActivityPlacement(const ScheduleChart& chart, const std::string& workOrder,
                                        std::string_view activity) {
    ActivityPlacement placement;
    for (const auto& [row, bar] : chart.FindTimeBarsInKeyGroup(workOrder)) {
        const ChartBar& b = chart.Bar(row, bar);
        const std::optional<BarActivity> named = ActivityOfBar(chart, row, bar);
        if (RoleOfBarKind(b.Kind) != BarRole::WorkOrder || !named ||
            std::to_string(named->ScheduleNumber) != activity) {
            continue;
        }
        const int64_t start = b.Start.AbsoluteMinutes();
        const int64_t end = b.End.AbsoluteMinutes();
        if (placement.row == 0) {
            placement = {row, start, end};
            continue;
        }
        if (start < placement.start) {
            placement.row = row;
            placement.start = start;
        }
        placement.end = std::max(placement.end, end);
    }
    return placement;
}

}  // namespace tessaro::qt_detail
