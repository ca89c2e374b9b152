#pragma once

// The lines the chart draws between a work order's activities, read through the control's plan
// queries.

#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

namespace tessaro::qt_detail {

// One line between each pair of the work order's activities next to each other in schedule
// order, both on the chart: from the bar of the earlier one that ends last to the bar of the
// later one that starts first.
std::vector<ScheduleChartView::PrecedenceLine> PrecedenceLinesOf(const Tessaro_Ctrl& control,
                                                                 const std::string& workOrder);

}  // namespace tessaro::qt_detail
