#pragma once

// What a host hears: the control's events, and the state they last reported, so that each is
// raised once after the outermost entry that changed it, never from inside a command.

#include <cstdint>
#include <string>

#include <tessaro/components/observable.hpp>

#include "plan/work_order_selection.hpp"
#include "rescheduling/rescheduler.hpp"
#include "runtime/entry_counter.hpp"

namespace tessaro {

class HostEvents {
public:
    Observable<int> PendingChangesChanged;
    Observable<const std::string&> SelectedWorkOrderChanged;
    Observable<bool> UndoAvailableChanged;
    Observable<bool> RedoAvailableChanged;
    Observable<const std::string&> ChangeRefused;

    // Raises each event whose state differs from what it last reported. A host's handler may
    // call back into the control; what that call changes is published by its own entry.
    void Publish(EntryCounter& entries, const Rescheduler& rescheduling,
                 const WorkOrderSelection& selection);

private:
    uint64_t journalVersion_ = 0;
    std::string selectedWorkOrder_;
    bool undoAvailable_ = false;
    bool redoAvailable_ = false;
    uint64_t refusals_ = 0;
};

}  // namespace tessaro
