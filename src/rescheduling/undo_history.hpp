#pragma once

// The planner's commands as steps that can be taken back and done again. A step keeps, for every
// activity its command changed, the activity's bars before and after (each with its row, times,
// key, record and look) and the change records before and after, so that undoing it puts the
// chart and rescheduling() back together, and redoing it brings both forward together.

#include <vector>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/rescheduling/pending_changes.hpp>

#include "rescheduling/activity.hpp"

namespace tessaro {

struct PlacedBar {
    int16_t Row = 0;
    uint64_t Id = 0;
    ChartBar Bar;
};

struct CommandStep {
    std::vector<ActivityId> Activities;
    std::vector<PlacedBar> Before;
    std::vector<PlacedBar> After;
    PendingChangeMap RecordsBefore;
    PendingChangeMap RecordsAfter;
};

class UndoHistory {
public:
    // A command opens; opens inside it belong to the outermost one.
    void Open();
    // The activity is about to change in the open command: its bars and the records as they are
    // now are kept, once per command.
    void Capture(const ScheduleChart& chart, const ActivityId& activity,
                 const PendingChangeMap& records);
    // The outermost close makes one step of what the command changed; a new step drops what could
    // be redone. Returns whether it made one.
    bool Close(const ScheduleChart& chart, const PendingChangeMap& records);
    bool CommandOpen() const { return depth_ > 0; }

    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // Hands out the step to take back (or to do again) and keeps it on the other side.
    const CommandStep& TakeUndo();
    const CommandStep& TakeRedo();
    void Clear();

    // The work-order bars of the activity on the chart now, in row order, then bar order.
    static std::vector<PlacedBar> BarsOf(const ScheduleChart& chart, const ActivityId& activity);

private:
    int depth_ = 0;
    CommandStep open_;
    std::vector<CommandStep> done_;
    std::vector<CommandStep> undone_;
};

}  // namespace tessaro
