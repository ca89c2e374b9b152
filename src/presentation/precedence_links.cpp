#include "precedence_links.hpp"

#include <optional>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/bars/chart_conventions.hpp>

#include "guarded_call.hpp"

namespace tessaro::qt_detail {

std::vector<LinkLine> PrecedenceLinksOf(const Tessaro_Ctrl& control, const std::string& workOrder) {
    std::vector<LinkLine> lines;
    std::optional<PlanActivity> earlier;
    for (const int32_t number : control.WorkOrderActivities(workOrder)) {
        std::optional<PlanActivity> later = control.Activity({workOrder, number});
        if (!later || later->Bars.empty()) {
            continue;
        }
        if (earlier) {
            const ActivityBar* last = &earlier->Bars.front();
            for (const ActivityBar& bar : earlier->Bars) {
                last = bar.End > last->End ? &bar : last;
            }
            const ActivityBar* first = &later->Bars.front();
            for (const ActivityBar& bar : later->Bars) {
                first = bar.Start < first->Start ? &bar : first;
            }
            lines.push_back(
                {last->Row, last->Bar, first->Row, first->Bar, later->Start < earlier->End});
        }
        earlier = std::move(later);
    }
    return lines;
}

const std::vector<LinkLine>& SelectedLinks::of(const ScheduleChart& chart, int row, int bar,
                                               const Source& source) {
    std::string workOrder;
    if (source && row >= 1 && row <= chart.RowCount() && bar >= 1 &&
        bar <= chart.TimeBarCount(static_cast<int16_t>(row)) &&
        chart.TimeBarKind(static_cast<int16_t>(row), static_cast<int16_t>(bar)) ==
            WorkOrderBarKind) {
        // A bar whose record does not read names no work order: it links nothing.
        runGuarded(
            [&] {
                if (const std::optional<BarActivity> named = ActivityOfBar(
                        chart, static_cast<int16_t>(row), static_cast<int16_t>(bar))) {
                    workOrder = named->WorkOrder;
                }
            },
            [](int, const QString&, const QString&) {});
    }
    if (dirty_ || workOrder != workOrder_) {
        lines_.clear();
        workOrder_ = workOrder;
        dirty_ = false;
        if (!workOrder.empty()) {
            lines_ = source(workOrder);
        }
    }
    return lines_;
}

}  // namespace tessaro::qt_detail
