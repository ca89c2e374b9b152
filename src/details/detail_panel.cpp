#include <algorithm>

#include <tessaro/bars/bar_kinds.hpp>

#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "details/detail_panel.hpp"

namespace tessaro {

namespace {

constexpr int32_t kWhite = 16777215;  // RGB(255, 255, 255)
constexpr int32_t kBlue = 16711680;   // RGB(0, 0, 255)

// The thirteen grid cells of a work order, column by column.
std::string GridCell(const BarRecord& record, int32_t column) {
    switch (column) {
        case 1:
            return record.work_order_no;
        case 2:
            return record.flag;
        case 3:
            return record.item_code;
        case 4:
            return record.wo_start_date;
        case 5:
            return record.fromdate;
        case 6:
            return record.wo_end_date;
        case 7:
            return record.todate;
        case 8:
            return record.sdesc3;
        case 9:
            return record.sdesc4;
        case 10:
            return record.ReqdDate;
        case 11:
            return record.schdate;
        case 12:
            return std::to_string(record.rsscheduleno);
        default:
            return std::to_string(record.timeindays1);
    }
}

}  // namespace

std::optional<std::string> DetailPanel::ShowBarDetails(int16_t row, int16_t bar) {
    const int32_t kind = chart_.TimeBarKind(row, bar);
    if (kind == CalendarBarKind) {
        chart_.RedrawChart();
    }
    if (kind != WorkOrderBarKind) {
        return std::nullopt;
    }
    const BarRecord record = *plan_.RecordOf(row, bar);
    boxes_.WorkOrder.SetText(record.work_order_no);
    boxes_.Status.SetText(record.flag);
    boxes_.SalesOrder.SetText(record.sdesc3);
    boxes_.Customer.SetText(record.sdesc4);
    boxes_.Required.SetText(record.ReqdDate);
    boxes_.Promised.SetText(record.schdate);
    boxes_.Item.SetText(record.item_code);
    boxes_.ActivityStartDate.SetText(record.wo_start_date);
    boxes_.ActivityEndDate.SetText(record.wo_end_date);
    boxes_.StartTime.SetText(record.fromdate);
    boxes_.EndTime.SetText(record.todate);
    boxes_.Activity.SetText(std::to_string(record.rsscheduleno));
    return record.work_order_no;
}

void DetailPanel::ShowWorkOrderGrid(int16_t row, int16_t bar, const std::string& workOrder) {
    FillWorkOrderGrid(row, bar);
    if (workOrder.empty()) {
        return;
    }
    const int32_t rows = grid_.GridRowCount();
    for (int32_t g = 1; g <= rows; ++g) {
        if (grid_.CellText(1, g) == workOrder) {
            PaintGridRows(g, g, 1, kBlue, kWhite);
        }
    }
}

void DetailPanel::PaintGridRows(int32_t fromRow, int32_t toRow, int32_t fromColumn,
                                int32_t background, int32_t text) {
    grid_.SetGridCurrentRow(fromRow);
    grid_.SetGridBlockEndRow(toRow);
    grid_.SetGridCurrentColumn(fromColumn);
    grid_.SetGridBlockEndColumn(grid_.GridColumnCount());
    grid_.SetGridBlockMode(true);
    grid_.SetGridBackColour(background);
    grid_.SetGridForeColour(text);
    grid_.SetGridBlockMode(false);
}

void DetailPanel::FillWorkOrderGrid(int16_t row, int16_t bar) {
    const int32_t columns = grid_.GridColumnCount();
    const int32_t gridRows = grid_.GridRowCount();
    grid_.SetGridCurrentRow(1);
    grid_.SetGridBlockEndRow(gridRows);
    grid_.SetGridCurrentColumn(1);
    grid_.SetGridBlockEndColumn(columns);
    grid_.SetGridBlockMode(true);
    grid_.SetGridAction(12);
    grid_.SetGridBackColour(kWhite);
    grid_.SetGridForeColour(kBlue);
    grid_.SetGridBlockMode(false);
    grid_.SetGridCurrentRow(1);

    // One grid row per work order of the row from the chosen bar's start day on, in the order
    // each first qualifies, as many as the grid has rows; a later bar of a listed work order
    // overwrites its row.
    const int32_t fromDay = chart_.TimeBarStartDay(row, bar);
    plan_.ForEachWorkOrderBar(row, [&](int16_t index, const BarRecord& record) {
        const bool found = LocateWorkOrderGridRow(record.work_order_no);
        if (!found || chart_.TimeBarStartDay(row, index) < fromDay) {
            return;
        }
        for (int32_t column = 1; column <= std::min(columns, 13); ++column) {
            grid_.SetGridCurrentColumn(column);
            grid_.SetGridCellText(GridCell(record, column));
        }
    });
    grid_.SetGridCurrentColumn(1);
}

bool DetailPanel::LocateWorkOrderGridRow(const std::string& workOrder) {
    const int32_t rows = grid_.GridRowCount();
    for (int32_t g = 1; g <= rows; ++g) {
        grid_.SetGridCurrentRow(g);
        grid_.SetGridCurrentColumn(1);
        const std::string& text = grid_.GridCellText();
        if (text.empty() || text == workOrder) {
            return true;
        }
    }
    return false;
}

void DetailPanel::HighlightGridRow(int32_t column, int32_t row) {
    PaintGridRows(1, grid_.GridRowCount(), 1, kWhite, kBlue);
    PaintGridRows(row, row, column, kBlue, kWhite);
}

void DetailPanel::GridCellClicked(int32_t /*column*/, int32_t row) {
    grid_.SetGridCurrentRow(row);
    grid_.SetGridCurrentColumn(1);
    const std::string workOrder = grid_.GridCellText();
    selection_.DeselectOtherWorkOrder(workOrder);
    if (workOrder.empty()) {
        return;
    }
    HighlightGridRow(1, row);
    // Every bar of the work order, whatever its activity: one selection reaches them all, and
    // each is brought into view.
    bool selected = false;
    for (const auto& [r, b] : chart_.FindTimeBarsInKeyGroup(workOrder)) {
        if (chart_.TimeBarKind(r, b) != WorkOrderBarKind) {
            continue;
        }
        if (!selected) {
            selection_.BarSelection(r, b);
            selected = true;
        }
        chart_.ShowTimeBar(r, b);
    }
}

void DetailPanel::BarHovered(int16_t row, int16_t bar) {
    const int32_t kind = chart_.TimeBarKind(row, bar);
    if (kind != WorkOrderBarKind && kind != TemporaryBarKind) {
        chart_.SetHintText("");
        return;
    }
    const BarRecord record = *plan_.RecordOf(row, bar);
    chart_.SetHintText(kind == WorkOrderBarKind
                           ? record.work_order_no + "$" + record.sdesc4 + "$" + record.item_code
                           : record.work_order_no);
}

}  // namespace tessaro
