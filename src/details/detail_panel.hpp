#pragma once

// The detail panel and the work-order grid: the texts of the bar a planner selects, and one grid
// row per work order of its chart row from the bar's start day on.

#include <cstdint>
#include <optional>
#include <string>

#include <tessaro/components/list_grid.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/components/text_box.hpp>

#include "plan/plan_model.hpp"
#include "plan/work_order_selection.hpp"

namespace tessaro {

// The twelve locked text boxes of the panel.
struct DetailBoxes {
    TextBox& WorkOrder;
    TextBox& Status;
    TextBox& SalesOrder;
    TextBox& Customer;
    TextBox& Required;
    TextBox& Promised;
    TextBox& Item;
    TextBox& ActivityStartDate;
    TextBox& ActivityEndDate;
    TextBox& StartTime;
    TextBox& EndTime;
    TextBox& Activity;
};

class DetailPanel {
public:
    DetailPanel(ScheduleChart& chart, const PlanModel& plan, ListGrid& grid, DetailBoxes boxes,
                WorkOrderSelection& selection)
        : chart_(chart), plan_(plan), grid_(grid), boxes_(boxes), selection_(selection) {}

    // Fills the text boxes from a work-order bar's record (a calendar bar redraws the chart);
    // returns the bar's work order, nothing for a bar that is not a work-order bar. A record that
    // does not split raises its error before any box changes.
    std::optional<std::string> ShowBarDetails(int16_t row, int16_t bar);
    // Fills the grid from the bar's chart row and highlights the rows of the work order.
    void ShowWorkOrderGrid(int16_t row, int16_t bar, const std::string& workOrder);
    // Selects the work order of the grid row, brings each of its bars into view and highlights
    // the grid row; an empty grid row only takes the highlight off the selected work order.
    void GridCellClicked(int32_t column, int32_t row);
    // The hint of a work-order or temporary bar; other bars clear it.
    void BarHovered(int16_t row, int16_t bar);

private:
    void FillWorkOrderGrid(int16_t row, int16_t bar);
    bool LocateWorkOrderGridRow(const std::string& workOrder);
    void HighlightGridRow(int32_t column, int32_t row);
    void PaintGridRows(int32_t fromRow, int32_t toRow, int32_t fromColumn, int32_t background,
                       int32_t text);

    ScheduleChart& chart_;
    const PlanModel& plan_;
    ListGrid& grid_;
    DetailBoxes boxes_;
    WorkOrderSelection& selection_;
};

}  // namespace tessaro
