#pragma once

// The lines the chart draws between the selected work order's activities: read through the
// control's plan queries, and kept for the clicked bar's work order until the chart changes or
// another work order is clicked.

#include <functional>
#include <string>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "chart_painter.hpp"

namespace tessaro::qt_detail {

// One line between each pair of the work order's activities next to each other in schedule
// order, both on the chart: from the bar of the earlier one that ends last to the bar of the
// later one that starts first.
std::vector<LinkLine> PrecedenceLinksOf(const Tessaro_Ctrl& control, const std::string& workOrder);

class SelectedLinks {
public:
    using Source = std::function<std::vector<LinkLine>(const std::string& workOrder)>;

    // After a change of the chart the lines are asked for again.
    void markDirty() { dirty_ = true; }

    // The lines of the work order of the bar (row, bar): none for a bar that does not exist or
    // is no work-order bar, or without a source. The source is asked only when the work order
    // or the chart changed.
    const std::vector<LinkLine>& of(const ScheduleChart& chart, int row, int bar,
                                    const Source& source);

private:
    std::vector<LinkLine> lines_;
    std::string workOrder_;
    bool dirty_ = true;
};

}  // namespace tessaro::qt_detail
