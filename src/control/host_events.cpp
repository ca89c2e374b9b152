#include "control/host_events.hpp"

#include <utility>

namespace tessaro {

void HostEvents::Publish(EntryCounter& entries, const Rescheduler& rescheduling,
                         const WorkOrderSelection& selection) {
    EntryCounter::Quiet quiet(entries);
    const ChangeJournal& journal = rescheduling.Journal();
    if (journalVersion_ != journal.Version()) {
        journalVersion_ = journal.Version();
        PendingChangesChanged.Notify(static_cast<int>(journal.Pending().Count()));
    }
    if (std::string selected = selection.SelectedWorkOrder(); selected != selectedWorkOrder_) {
        selectedWorkOrder_ = std::move(selected);
        SelectedWorkOrderChanged.Notify(selectedWorkOrder_);
    }
    if (undoAvailable_ != rescheduling.CanUndo()) {
        undoAvailable_ = rescheduling.CanUndo();
        UndoAvailableChanged.Notify(undoAvailable_);
    }
    if (const Rescheduler::Refusal& refusal = rescheduling.LastRefusal();
        refusals_ != refusal.Count) {
        refusals_ = refusal.Count;
        ChangeRefused.Notify(refusal.Reason);
    }
    if (redoAvailable_ != rescheduling.CanRedo()) {
        redoAvailable_ = rescheduling.CanRedo();
        RedoAvailableChanged.Notify(redoAvailable_);
    }
}

}  // namespace tessaro
