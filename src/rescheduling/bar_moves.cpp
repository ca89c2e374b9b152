#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/checked_arithmetic.hpp>
#include <tessaro/runtime/value_rollback.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "rescheduling/change_journal.hpp"
#include "rescheduling/command.hpp"
#include "rescheduling/move_gesture.hpp"

namespace tessaro {

namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// A row change notification for a drop outside every row carries this source row.
constexpr int16_t kNoRow = -1;

// Whether an edge drag of the temporary bar may stand: only an edge moved inward to another day
// does. An edge moved within its day, a stretch, and an edge dragged past the other edge go back.
bool EdgeDragStands(const BarDrag& drag, const ChartBar& now) {
    if (now.End < now.Start) {
        return false;
    }
    if (now.Start.Day == drag.Start.Day && now.Start.Minute != drag.Start.Minute) {
        return false;
    }
    if (now.Start.Day < drag.Start.Day) {
        return false;
    }
    if (now.End.Day == drag.End.Day && now.End.Minute != drag.End.Minute) {
        return false;
    }
    return now.End.Day <= drag.End.Day;
}

}  // namespace

void Tessaro_Ctrl::BarChanging(int16_t row, int16_t bar, int16_t mode) {
    if (mode < 1 || mode > 3) {
        return;
    }
    const ChartBar& times = ctResSched_.Bar(row, bar);
    // Minutes of a chart bar always fit 16 bits; the check keeps the origin honest all the same.
    CheckedInt16(times.Start.Minute);
    CheckedInt16(times.End.Minute);
    Gesture_->BeginDrag({{row, ctResSched_.TimeBarId(row, bar)}, mode, times.Start, times.End});
}

void Tessaro_Ctrl::BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) {
    MoveGesture& gesture = *Gesture_;
    gesture.EndRowChange();
    const int32_t kind = ctResSched_.TimeBarKind(sourceRow, bar);
    const uint64_t id = ctResSched_.TimeBarId(sourceRow, bar);
    if (kind == CalendarBarKind) {
        // A calendar belongs to its resource.
        ctResSched_.CancelRowChange();
        gesture.MovePending = kFalse;
        return;
    }
    if (kind == WorkOrderBarKind || (kind == TemporaryBarKind && !gesture.IsTemporaryBar(id))) {
        // A work-order bar changes rows only through the temporary bar of a Copy.
        ctResSched_.CancelRowChange();
        gesture.PasteArmed = kFalse;
        gesture.MovePending = kFalse;
        return;
    }
    const bool otherRow = sourceRow != kNoRow && sourceRow != targetRow;
    if (otherRow) {
        gesture.MovePending = kTrue;
        gesture.TempBarActive = kTrue;
        gesture.PasteArmed = kFalse;
        if (kind == TemporaryBarKind) {
            gesture.BeginRowChange(ctResSched_.RowColumnText(sourceRow, 1),
                                   ctResSched_.RowColumnText(targetRow, 1));
        }
    }
}

void Tessaro_Ctrl::BarChanged(int16_t row, int16_t bar) {
    MoveGesture& gesture = *Gesture_;
    if (gesture.Reverting) {
        return;
    }
    const ChartBar& changed = ctResSched_.Bar(row, bar);
    const int32_t kind = changed.Kind;
    const uint64_t id = ctResSched_.TimeBarId(row, bar);

    if (const std::optional<BarDrag> drag = gesture.EndDragOf(id)) {
        // The planner's own drag of this bar ends here.
        if (!gesture.IsTemporaryBar(id)) {
            // Nothing could record it: a work-order bar moves only with its activity's copy or
            // by Pack, and a calendar is the resource's.
            if (kind == WorkOrderBarKind || kind == CalendarBarKind || kind == TemporaryBarKind) {
                RestoreDraggedBar(row, bar, drag->Start, drag->End);
            }
            return;
        }
        gesture.SeeTemporaryBarOn(row);
        if (drag->Mode == 1) {
            if (gesture.PackInProgress == kFalse) {
                ApplyTemporaryBarMove();
            }
            return;
        }
        if (!EdgeDragStands(*drag, changed)) {
            RestoreDraggedBar(row, bar, drag->Start, drag->End);
            return;
        }
        // The copy stays pending, shortened; it is recorded when it is applied.
        gesture.LastChangeKey =
            ChangeKey(gesture.Copy()->Activity.WorkOrder, gesture.Copy()->Activity.ScheduleNo);
        return;
    }

    // The control's own writes (Pack, a paste placing the temporary bar) or the host's.
    if (kind == WorkOrderBarKind && gesture.PackInProgress != kFalse) {
        BarRecord record;
        DisassembleBarRecordText(changed.Tag, record);
        Journal_->Record(record, gesture.PasteMethod);
        return;
    }
    if (gesture.IsTemporaryBar(id) && !gesture.Placing) {
        gesture.SeeTemporaryBarOn(row);
        if (gesture.MovePending != kFalse && gesture.PackInProgress == kFalse) {
            ApplyTemporaryBarMove();
        }
    }
}

void Tessaro_Ctrl::RestoreDraggedBar(int16_t row, int16_t bar, ChartTime start, ChartTime end) {
    ValueRollback<bool> reverting(Gesture_->Reverting, true);
    ctResSched_.MoveTimeBar(row, bar, start.Minute, end.Minute, start.Day, end.Day);
}

void Tessaro_Ctrl::BarClick(int16_t row, int16_t bar) {
    const int32_t kind = ctResSched_.TimeBarKind(row, bar);
    if (kind == CalendarBarKind) {
        ctResSched_.RedrawChart();
    } else if (kind == WorkOrderBarKind) {
        Gesture_->MovePending = kFalse;
        Gesture_->ResizePending = kFalse;
        Gesture_->PasteArmed = kFalse;
    }
}

void Tessaro_Ctrl::BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) {
    if (!confirmed) {
        return;
    }
    const int32_t kind = ctResSched_.TimeBarKind(row, bar);
    if (Gesture_->IsTemporaryBar(ctResSched_.TimeBarId(row, bar))) {
        miIgnore_Click();
        return;
    }
    // The change set has no way to carry a removed activity or calendar, so neither goes.
    if (kind == WorkOrderBarKind || kind == CalendarBarKind) {
        return;
    }
    ctResSched_.RemoveTimeBar(row, bar);
}

void Tessaro_Ctrl::GestureFlagsSet() {
    Gesture_->MovePending = kTrue;
    Gesture_->TempBarActive = kTrue;
    Gesture_->PasteArmed = kTrue;
}

void Tessaro_Ctrl::ApplyTemporaryBarMove() {
    Command command(*this);
    MoveGesture& gesture = *Gesture_;
    if (const CopiedActivity* copy = gesture.Copy()) {
        const auto [row, bar] =
            ctResSched_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
        if (bar > 0) {
            const ChartBar temporary = ctResSched_.Bar(row, bar);
            RebuildMovedActivity(row, temporary.Start.Day, temporary.Start.Minute,
                                 temporary.End.Day, temporary.End.Minute);
        }
    }
    RemoveTemporaryBar();
}

void Tessaro_Ctrl::RebuildMovedActivity(int16_t row, int32_t startDay, int32_t startMinute,
                                        int32_t endDay, int32_t endMinute) {
    MoveGesture& gesture = *Gesture_;
    const CopiedActivity& copy = *gesture.Copy();
    BarRecord record;
    DisassembleBarRecordText(copy.SourceTag, record);

    // Everything that can fail is done before the chart changes.
    const ChartTime start = ChartTime{startDay, startMinute}.Normalised();
    const ChartTime end = ChartTime{endDay, endMinute}.Normalised();
    ChangeJournal::CheckRecordable(record, start, end);
    record.StartMinute = CheckedInt16(start.Minute);
    record.EndMinute = CheckedInt16(end.Minute);
    CheckedInt16(int64_t{ctResSched_.TimeBarCount(row)} + 1);
    std::string tag;
    AssembleBarRecordText(tag, record);
    std::string key;
    AssembleBarKey(key, record.work_order_no, RegisterWorkOrderSubActivity(record.work_order_no),
                   9);

    // The activity's old bars, wherever they are, by identity: they go once the new one stands.
    std::vector<std::pair<int16_t, uint64_t>> old;
    for (const auto& [r, b] : ctResSched_.FindTimeBarsInKeyGroup(record.work_order_no)) {
        const ChartBar& candidate = ctResSched_.Bar(r, b);
        if (candidate.Kind != WorkOrderBarKind) {
            continue;
        }
        BarRecord other;
        DisassembleBarRecordText(candidate.Tag, other);
        if (ActivityId::Of(other) == copy.Activity) {
            old.emplace_back(r, ctResSched_.TimeBarId(r, b));
        }
    }

    BeforeChangingActivity(record);
    const int16_t rebuilt =
        ctResSched_.AddTimeBar(row, start.Minute, end.Minute, start.Day, end.Day, key);
    ctResSched_.SetTimeBarColour(row, rebuilt, -1);
    // The rebuilt bar keeps the look of the bar it was copied from, in its normal form.
    if (copy.SourceStyle != 0) {
        ctResSched_.SetTimeBarStyle(row, rebuilt, copy.SourceStyle);
    }
    ApplySelectionLook(row, rebuilt, record, false);
    ctResSched_.SetTimeBarText(row, rebuilt, ".");
    ctResSched_.SetTimeBarKind(row, rebuilt, WorkOrderBarKind);
    ctResSched_.SetTimeBarTag(row, rebuilt, std::move(tag));
    ctResSched_.SetTimeBarKey(row, rebuilt, key);

    for (const auto& [r, id] : old) {
        const auto [foundRow, foundBar] = ctResSched_.FindTimeBarById(id, r);
        if (foundBar > 0) {
            ctResSched_.RemoveTimeBar(foundRow, foundBar);
        }
    }
    Journal_->Record(record, gesture.PasteMethod);

    gesture.TempBarActive = kFalse;
    gesture.MovePending = kFalse;
    gesture.TempBarItem = -1;
    gesture.TempBarIndex = -1;
    gesture.WorkOrderSpan = {};
}

void Tessaro_Ctrl::RemoveTemporaryBar() {
    MoveGesture& gesture = *Gesture_;
    if (const CopiedActivity* copy = gesture.Copy()) {
        const auto [row, bar] =
            ctResSched_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
        if (bar > 0) {
            ctResSched_.RemoveTimeBar(row, bar);
        }
        gesture.EndCopy();
    } else if (!gesture.TempBarKey.empty()) {
        gesture.EndCopy();
    }
}

}  // namespace tessaro
