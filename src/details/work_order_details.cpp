#include <algorithm>
#include <string>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "rescheduling/move_gesture.hpp"

namespace tessaro {

namespace {

constexpr int32_t kWhite = 16777215;  // RGB(255, 255, 255)
constexpr int32_t kBlue = 16711680;   // RGB(0, 0, 255)
constexpr int16_t kFalse = 0;

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

void Tessaro_Ctrl::BarSelected(int16_t row, int16_t bar) {
    const int32_t kind = ctResSched_.TimeBarKind(row, bar);
    std::string workOrder;
    if (kind == CalendarBarKind) {
        ctResSched_.RedrawChart();
    } else if (kind == WorkOrderBarKind) {
        BarRecord record;
        DisassembleBarRecordText(ctResSched_.TimeBarTag(row, bar), record);
        TxtWONo_.SetText(record.work_order_no);
        TxtWOStatus_.SetText(record.flag);
        TxtOrdNo_.SetText(record.sdesc3);
        TxtCustNo_.SetText(record.sdesc4);
        TxtReqDt_.SetText(record.ReqdDate);
        TxtPromisedDt_.SetText(record.schdate);
        TxtItemNo_.SetText(record.item_code);
        TxtActStartDate_.SetText(record.wo_start_date);
        TxtactEndDate_.SetText(record.wo_end_date);
        TxtWOStTime_.SetText(record.fromdate);
        TxtWOEndTime_.SetText(record.todate);
        TxtWOAct_.SetText(std::to_string(record.rsscheduleno));
        Gesture_->PasteArmed = kFalse;
        Gesture_->MovePending = kFalse;
        Gesture_->ResizePending = kFalse;
        workOrder = record.work_order_no;
    }
    FillWorkOrderGrid(row, bar);
    if (workOrder.empty()) {
        return;
    }
    const int32_t rows = vaSpread_.GridRowCount();
    for (int32_t g = 1; g <= rows; ++g) {
        if (vaSpread_.CellText(1, g) == workOrder) {
            PaintGridRows(g, g, 1, kBlue, kWhite);
        }
    }
}

void Tessaro_Ctrl::PaintGridRows(int32_t fromRow, int32_t toRow, int32_t fromColumn,
                                 int32_t background, int32_t text) {
    vaSpread_.SetGridCurrentRow(fromRow);
    vaSpread_.SetGridBlockEndRow(toRow);
    vaSpread_.SetGridCurrentColumn(fromColumn);
    vaSpread_.SetGridBlockEndColumn(vaSpread_.GridColumnCount());
    vaSpread_.SetGridBlockMode(true);
    vaSpread_.SetGridBackColour(background);
    vaSpread_.SetGridForeColour(text);
    vaSpread_.SetGridBlockMode(false);
}

void Tessaro_Ctrl::FillWorkOrderGrid(int16_t row, int16_t bar) {
    const int32_t columns = vaSpread_.GridColumnCount();
    const int32_t gridRows = vaSpread_.GridRowCount();
    vaSpread_.SetGridCurrentRow(1);
    vaSpread_.SetGridBlockEndRow(gridRows);
    vaSpread_.SetGridCurrentColumn(1);
    vaSpread_.SetGridBlockEndColumn(columns);
    vaSpread_.SetGridBlockMode(true);
    vaSpread_.SetGridAction(12);
    vaSpread_.SetGridBackColour(kWhite);
    vaSpread_.SetGridForeColour(kBlue);
    vaSpread_.SetGridBlockMode(false);
    vaSpread_.SetGridCurrentRow(1);

    // One grid row per work order of the row from the chosen bar's start day on, in the order
    // each first qualifies, as many as the grid has rows; a later bar of a listed work order
    // overwrites its row.
    const int32_t fromDay = ctResSched_.TimeBarStartDay(row, bar);
    ForEachWorkOrderBar(ctResSched_, row, [&](int16_t index, const BarRecord& record) {
        const bool found = LocateWorkOrderGridRow(record.work_order_no);
        if (!found || ctResSched_.TimeBarStartDay(row, index) < fromDay) {
            return;
        }
        for (int32_t column = 1; column <= std::min(columns, 13); ++column) {
            vaSpread_.SetGridCurrentColumn(column);
            vaSpread_.SetGridCellText(GridCell(record, column));
        }
    });
    vaSpread_.SetGridCurrentColumn(1);
}

bool Tessaro_Ctrl::LocateWorkOrderGridRow(const std::string& workOrder) {
    const int32_t rows = vaSpread_.GridRowCount();
    for (int32_t g = 1; g <= rows; ++g) {
        vaSpread_.SetGridCurrentRow(g);
        vaSpread_.SetGridCurrentColumn(1);
        const std::string& text = vaSpread_.GridCellText();
        if (text.empty() || text == workOrder) {
            return true;
        }
    }
    return false;
}

void Tessaro_Ctrl::HighlightGridRow(int32_t column, int32_t row) {
    PaintGridRows(1, vaSpread_.GridRowCount(), 1, kWhite, kBlue);
    PaintGridRows(row, row, column, kBlue, kWhite);
}

void Tessaro_Ctrl::GridCellClicked(int32_t /*column*/, int32_t row) {
    vaSpread_.SetGridCurrentRow(row);
    vaSpread_.SetGridCurrentColumn(1);
    const std::string workOrder = vaSpread_.GridCellText();
    DeselectOtherWorkOrder(workOrder);
    if (workOrder.empty()) {
        return;
    }
    HighlightGridRow(1, row);
    // Every bar of the work order, whatever its activity: one selection reaches them all, and
    // each is brought into view.
    bool selected = false;
    for (const auto& [r, b] : ctResSched_.FindTimeBarsInKeyGroup(workOrder)) {
        if (ctResSched_.TimeBarKind(r, b) != WorkOrderBarKind) {
            continue;
        }
        if (!selected) {
            BarSelection(r, b, true);
            selected = true;
        }
        ctResSched_.ShowTimeBar(r, b);
    }
}

void Tessaro_Ctrl::BarChosen(int16_t row, int16_t bar) {
    Gesture_->EndRowChange();
    if (ctResSched_.TimeBarKind(row, bar) != WorkOrderBarKind) {
        return;
    }
    Gesture_->PasteArmed = kFalse;
    Gesture_->ResizePending = kFalse;
    Gesture_->MovePending = kFalse;
    BarRecord chosen;
    DisassembleBarRecordText(ctResSched_.TimeBarTag(row, bar), chosen);
    DeselectOtherWorkOrder(chosen.work_order_no);
    // Only the bars of the chosen activity take the highlight.
    for (const auto& [r, b] : ctResSched_.FindTimeBarsInKeyGroup(chosen.work_order_no)) {
        if (ctResSched_.TimeBarKind(r, b) != WorkOrderBarKind) {
            continue;
        }
        BarRecord record;
        DisassembleBarRecordText(ctResSched_.TimeBarTag(r, b), record);
        if (record.work_order_no == chosen.work_order_no &&
            record.rsscheduleno == chosen.rsscheduleno) {
            ApplySelectionLook(r, b, record, true);
            SelectedBarKey_ = ctResSched_.TimeBarKey(r, b);
        }
    }
}

void Tessaro_Ctrl::BarHovered(int16_t row, int16_t bar) {
    const int32_t kind = ctResSched_.TimeBarKind(row, bar);
    if (kind != WorkOrderBarKind && kind != TemporaryBarKind) {
        ctResSched_.SetHintText("");
        return;
    }
    BarRecord record;
    DisassembleBarRecordText(ctResSched_.TimeBarTag(row, bar), record);
    ctResSched_.SetHintText(kind == WorkOrderBarKind ? record.work_order_no + "$" + record.sdesc4 +
                                                           "$" + record.item_code
                                                     : record.work_order_no);
}

}  // namespace tessaro
