#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/ascii.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"

namespace tessaro {

namespace {

constexpr int32_t kTemporaryBarColour = 9894550;  // RGB(150, 250, 150)
constexpr int32_t kTemporaryStyleFlags = 25;

BarRecord RecordOf(const ScheduleChart& chart, int16_t row, int16_t bar) {
    BarRecord record;
    DisassembleBarRecordText(chart.TimeBarTag(row, bar), record);
    return record;
}

// "WO1007$3": the work order and the schedule number of an activity.
std::string ConflictEntry(const BarRecord& record) {
    return record.work_order_no + "$" + std::to_string(record.rsscheduleno);
}

}  // namespace

void Tessaro_Ctrl::TempBarCreation(int16_t ItemID, int16_t BarID) {
    const int16_t r = ItemID;
    const ChartBar chosen = ctResSched_.Bar(r, BarID);
    std::string number;
    int16_t position = 0;
    int16_t count = 0;
    DisassembleBarKey(chosen.Key, number, position, count);
    const BarRecord record = RecordOf(ctResSched_, r, BarID);

    // The span of the activity: every work-order bar of the row with the same work order and
    // schedule number, the chosen bar included, gaps and other bars between them too.
    tessaro::WorkOrderSpan span{chosen.Start.Day, chosen.End.Day, 0, 0};
    span.StartMinute = static_cast<int16_t>(chosen.Start.Minute);
    span.EndMinute = static_cast<int16_t>(chosen.End.Minute);
    WorkOrderSpan_ = span;
    ForEachWorkOrderBar(ctResSched_, r, [&](int16_t index, const BarRecord& other) {
        if (other.work_order_no == record.work_order_no &&
            other.rsscheduleno == record.rsscheduleno) {
            const ChartBar& times = ctResSched_.Bar(r, index);
            ExtendWorkOrderSpan(times.Start.Day, times.End.Day, times.Start.Minute,
                                times.End.Minute);
        }
    });

    TempBarKey_ = "T$" + std::to_string(count);
    TempBarItem_ = r;
    ctResSched_.RedrawChart();
    const int16_t style = ctResSched_.AddBarStyle(kTemporaryStyleFlags, 0);
    const int16_t temporary =
        ctResSched_.AddUnkeyedTimeBar(r, WorkOrderSpan_.StartMinute, WorkOrderSpan_.EndMinute,
                                      WorkOrderSpan_.StartDay, WorkOrderSpan_.EndDay);
    ctResSched_.SetTimeBarColour(r, temporary, kTemporaryBarColour);
    ctResSched_.SetTimeBarText(
        r, temporary,
        record.rsscheduleno != 0 ? std::to_string(record.rsscheduleno) : record.work_order_no);
    ctResSched_.SetTimeBarKind(r, temporary, TemporaryBarKind);
    ctResSched_.SetTimeBarStyle(r, temporary, style);
    ctResSched_.SetTimeBarTag(r, temporary, ctResSched_.TimeBarTag(r, BarID));
    ctResSched_.SetTimeBarKey(r, temporary, TempBarKey_);
}

void Tessaro_Ctrl::miCopy_Click() {
    RemoveTemporaryBar();
    const int16_t r = ctResSched_.FindTimeBarRow(ClickedBarKey_);
    const int16_t b = ctResSched_.FindTimeBarInRow(ClickedBarKey_, r);
    ClickedBarKey_.clear();
    if (b == 0 || ctResSched_.TimeBarKind(r, b) != WorkOrderBarKind) {
        return;
    }
    TempBarActive_ = -1;
    TempBarCreation(r, b);
    SourceBarIndex_ = b;
    SourceItem_ = r;
    ctResSched_.RedrawChart();
}

std::string Tessaro_Ctrl::ConflictTimeBars(int16_t& ItemID, int16_t& BarID) {
    return SearchConflicts(ItemID, BarID, false);
}

std::string Tessaro_Ctrl::CheckConflictTest(int16_t& ItemID, int16_t& BarID) {
    return SearchConflicts(ItemID, BarID, true);
}

std::string Tessaro_Ctrl::SearchConflicts(int16_t& ItemID, int16_t& BarID, bool ownActivityOnly) {
    CmbConflictTB_.Clear();
    lstConflictWorkOrders_.Clear();
    lstConflictHidden_.Clear();

    const int16_t r = ItemID;
    const BarRecord checked = RecordOf(ctResSched_, r, BarID);
    const std::string checkedKey = ctResSched_.TimeBarKey(r, BarID);

    // The bars whose overlaps are searched: the work order's bars on the row, or only those of
    // the checked activity.
    ForEachWorkOrderBar(ctResSched_, r, [&](int16_t index, const BarRecord& other) {
        if (other.work_order_no == checked.work_order_no &&
            (!ownActivityOnly || other.rsscheduleno == checked.rsscheduleno)) {
            CmbConflictTB_.AddItem(ctResSched_.TimeBarKey(r, index));
        }
    });

    lstConflictWorkOrders_.AddItem(ConflictEntry(checked));
    lstConflictHidden_.AddItem(checkedKey);
    for (int32_t j = 0; j < CmbConflictTB_.ListCount(); ++j) {
        BarID = ctResSched_.FindTimeBarInRow(CmbConflictTB_.List(j), r);
        int16_t searchRow = r;
        for (int16_t c = ctResSched_.FirstConflictingTimeBar(r, BarID, searchRow); c >= 1;
             c = ctResSched_.NextConflictingTimeBar(r, BarID, searchRow)) {
            if (ctResSched_.TimeBarKind(r, c) != WorkOrderBarKind) {
                continue;
            }
            const std::string entry = ConflictEntry(RecordOf(ctResSched_, r, c));
            if (IsNewConflictEntry(entry)) {
                lstConflictWorkOrders_.AddItem(entry);
                lstConflictHidden_.AddItem(ctResSched_.TimeBarKey(r, c));
            }
        }
    }

    const bool noConflict = lstConflictWorkOrders_.ListCount() == 1;
    if (noConflict || ownActivityOnly) {
        lstConflictWorkOrders_.Clear();
        lstConflictHidden_.Clear();
    }
    return noConflict ? checkedKey : std::string();
}

bool Tessaro_Ctrl::IsNewConflictEntry(const std::string& entry) {
    const std::string_view wanted = TrimSpaces(entry);
    for (const std::string& item : lstConflictWorkOrders_.Items()) {
        if (TrimSpaces(item) == wanted) {
            return false;
        }
    }
    return true;
}

}  // namespace tessaro
