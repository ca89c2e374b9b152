#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"
#include "control/host_events.hpp"
#include "rescheduling/change_journal.hpp"
#include "rescheduling/command.hpp"
#include "rescheduling/move_gesture.hpp"
#include "rescheduling/undo_history.hpp"

namespace tessaro {

namespace {

// The work order a selected key names; "" when nothing is selected.
std::string WorkOrderOfKey(const std::string& key) {
    const size_t separator = key.find('$');
    return separator == std::string::npos ? std::string() : key.substr(0, separator);
}

}  // namespace

bool Tessaro_Ctrl::CanUndo() const {
    return History_->CanUndo();
}

bool Tessaro_Ctrl::CanRedo() const {
    return History_->CanRedo();
}

void Tessaro_Ctrl::Undo() {
    HostEventScope scope(*this);
    if (CanUndo()) {
        RemoveTemporaryBar();
        RestoreStep(History_->TakeUndo(), false);
    }
}

void Tessaro_Ctrl::Redo() {
    HostEventScope scope(*this);
    if (CanRedo()) {
        RemoveTemporaryBar();
        RestoreStep(History_->TakeRedo(), true);
    }
}

void Tessaro_Ctrl::BeforeChangingActivity(const BarRecord& record) {
    const ActivityId activity = ActivityId::Of(record);
    Journal_->Touch(activity);
    History_->Capture(ctResSched_, activity, Journal_->Pending());
}

void Tessaro_Ctrl::RestoreStep(const CommandStep& step, bool forward) {
    // The activities' bars as they are now go, and those of the other side of the step come
    // back, each on its row with its key, record, text and kind, in the look the selection
    // gives it now.
    for (const ActivityId& activity : step.Activities) {
        for (const PlacedBar& placed : UndoHistory::BarsOf(ctResSched_, activity)) {
            const auto [row, bar] = ctResSched_.FindTimeBarById(placed.Id, placed.Row);
            if (bar > 0) {
                ctResSched_.RemoveTimeBar(row, bar);
            }
        }
    }
    const std::string selected = WorkOrderOfKey(SelectedBarKey_);
    for (const PlacedBar& placed : forward ? step.After : step.Before) {
        const ChartBar& was = placed.Bar;
        const int16_t row = placed.Row;
        const int16_t bar = ctResSched_.AddTimeBar(row, was.Start.Minute, was.End.Minute,
                                                   was.Start.Day, was.End.Day, was.Key);
        ctResSched_.SetTimeBarColour(row, bar, was.Colour);
        ctResSched_.SetTimeBarStyle(row, bar, was.Style);
        ctResSched_.SetTimeBarText(row, bar, was.Text);
        ctResSched_.SetTimeBarKind(row, bar, was.Kind);
        ctResSched_.SetTimeBarTag(row, bar, was.Tag);
        BarRecord record;
        DisassembleBarRecordText(was.Tag, record);
        ApplySelectionLook(row, bar, record, !selected.empty() && record.work_order_no == selected);
    }
    Journal_->Restore(forward ? step.RecordsAfter : step.RecordsBefore);
}

Observable<int>& Tessaro_Ctrl::PendingChangesChanged() {
    return Events_->PendingChangesChanged;
}

Observable<const std::string&>& Tessaro_Ctrl::SelectedWorkOrderChanged() {
    return Events_->SelectedWorkOrderChanged;
}

Observable<bool>& Tessaro_Ctrl::UndoAvailableChanged() {
    return Events_->UndoAvailableChanged;
}

Observable<bool>& Tessaro_Ctrl::RedoAvailableChanged() {
    return Events_->RedoAvailableChanged;
}

void Tessaro_Ctrl::PublishHostEvents() {
    HostEvents& events = *Events_;
    // A host's handler may call back into the control; what it changes is published by that
    // call's own scope.
    ++events.Depth;
    try {
        if (events.JournalVersion != Journal_->Version()) {
            events.JournalVersion = Journal_->Version();
            events.PendingChangesChanged.Notify(static_cast<int>(Journal_->Pending().Count()));
        }
        if (std::string selected = WorkOrderOfKey(SelectedBarKey_);
            selected != events.SelectedWorkOrder) {
            events.SelectedWorkOrder = std::move(selected);
            events.SelectedWorkOrderChanged.Notify(events.SelectedWorkOrder);
        }
        if (events.UndoAvailable != CanUndo()) {
            events.UndoAvailable = CanUndo();
            events.UndoAvailableChanged.Notify(events.UndoAvailable);
        }
        if (events.RedoAvailable != CanRedo()) {
            events.RedoAvailable = CanRedo();
            events.RedoAvailableChanged.Notify(events.RedoAvailable);
        }
    } catch (...) {
        --events.Depth;
        throw;
    }
    --events.Depth;
}

}  // namespace tessaro
