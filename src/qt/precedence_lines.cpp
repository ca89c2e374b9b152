#include "precedence_lines.hpp"

#include <optional>

namespace tessaro::qt_detail {

std::vector<ScheduleChartView::PrecedenceLine> PrecedenceLinesOf(const Tessaro_Ctrl& control,
                                                                 const std::string& workOrder) {
    std::vector<ScheduleChartView::PrecedenceLine> lines;
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

}  // namespace tessaro::qt_detail
