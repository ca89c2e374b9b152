#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/ascii.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "rescheduling/change_journal.hpp"
#include "rescheduling/move_gesture.hpp"

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

    // One copy at a time: an earlier one ends with its temporary bar.
    RemoveTemporaryBar();
    MoveGesture& gesture = *Gesture_;

    // The span of the activity: every work-order bar of the row with the same work order and
    // schedule number, the chosen bar included, gaps and other bars between them too.
    tessaro::WorkOrderSpan span{chosen.Start.Day, chosen.End.Day, 0, 0};
    span.StartMinute = static_cast<int16_t>(chosen.Start.Minute);
    span.EndMinute = static_cast<int16_t>(chosen.End.Minute);
    gesture.WorkOrderSpan = span;
    ForEachWorkOrderBar(ctResSched_, r, [&](int16_t index, const BarRecord& other) {
        if (other.work_order_no == record.work_order_no &&
            other.rsscheduleno == record.rsscheduleno) {
            const ChartBar& times = ctResSched_.Bar(r, index);
            ExtendWorkOrderSpan(times.Start.Day, times.End.Day, times.Start.Minute,
                                times.End.Minute);
        }
    });
    const tessaro::WorkOrderSpan& copied = gesture.WorkOrderSpan;

    ctResSched_.RedrawChart();
    const int16_t temporary = ctResSched_.AddUnkeyedTimeBar(r, copied.StartMinute, copied.EndMinute,
                                                            copied.StartDay, copied.EndDay);
    ctResSched_.SetTimeBarColour(r, temporary, kTemporaryBarColour);
    ctResSched_.SetTimeBarText(
        r, temporary,
        record.rsscheduleno != 0 ? std::to_string(record.rsscheduleno) : record.work_order_no);
    ctResSched_.SetTimeBarKind(r, temporary, TemporaryBarKind);
    ctResSched_.SetTimeBarStyle(r, temporary, TemporaryBarStyle());
    ctResSched_.SetTimeBarTag(r, temporary, chosen.Tag);
    std::string temporaryKey = "T$" + std::to_string(count);
    ctResSched_.SetTimeBarKey(r, temporary, temporaryKey);

    // Where the activity stands before its first change is what its record is measured against.
    const ActivityId activity = ActivityId::Of(record);
    Journal_->Touch(activity);
    gesture.BeginCopy(
        {activity, chosen.Tag, chosen.Style, BarHandle{r, ctResSched_.TimeBarId(r, temporary)}},
        std::move(temporaryKey), r, BarID);
}

int16_t Tessaro_Ctrl::TemporaryBarStyle() {
    // One style serves every temporary bar while it keeps the look it was made with; a chart
    // that has only so many styles is not filled by Copy after Copy.
    if (TemporaryBarStyle_ > 0 && TemporaryBarStyle_ <= ctResSched_.StyleCount() &&
        ctResSched_.Style(TemporaryBarStyle_) == BarStyle{kTemporaryStyleFlags}) {
        return TemporaryBarStyle_;
    }
    TemporaryBarStyle_ = ctResSched_.AddBarStyle(kTemporaryStyleFlags, 0);
    return TemporaryBarStyle_;
}

void Tessaro_Ctrl::miCopy_Click() {
    MoveGesture& gesture = *Gesture_;
    gesture.DropDrag();
    RemoveTemporaryBar();
    const auto [r, b] = ctResSched_.FindTimeBarById(gesture.ClickedBar.Id, gesture.ClickedBar.Row);
    gesture.ClickedBarKey.clear();
    gesture.ClickedBar = {};
    if (b == 0 || ctResSched_.TimeBarKind(r, b) != WorkOrderBarKind) {
        return;
    }
    TempBarCreation(r, b);
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
