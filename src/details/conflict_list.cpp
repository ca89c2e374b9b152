#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"

namespace tessaro {

void Tessaro_Ctrl::lstConflictWorkOrders_DblClick() {
    const int32_t entry = lstConflictWorkOrders_.ListIndex();
    if (entry < 0 || entry >= lstConflictHidden_.ListCount()) {
        return;
    }
    const std::string key = lstConflictHidden_.List(entry);
    int16_t row = 1;
    int16_t bar = ctResSched_.RowCount() >= 1 ? ctResSched_.FindTimeBarInRow(key, 1) : 0;
    if (bar == 0) {
        row = ctResSched_.FindTimeBarRow(key);
        bar = ctResSched_.FindTimeBarInRow(key, row);
    }
    // The listed bar may have gone since the conflict query.
    if (bar == 0) {
        return;
    }
    BarRecord record;
    DisassembleBarRecordText(ctResSched_.TimeBarTag(row, bar), record);
    DeselectOtherWorkOrder(record.work_order_no);
    BarSelection(row, bar, true);
}

}  // namespace tessaro
