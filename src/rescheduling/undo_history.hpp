#pragma once

// The planner's commands as steps that can be taken back and done again. A step keeps only what
// its command changed: for every activity it touched, the activity's bars before and after (each
// with its row, its place in the row, times, key, record and look) and the activity's change
// record before and after with its place in the list, so that undoing it puts the chart and
// rescheduling() back together, and redoing it brings both forward together.

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>

#include "plan/activity.hpp"
#include "rescheduling/change_journal.hpp"

namespace tessaro {

struct PlacedBar {
    int16_t Row = 0;
    // Its index in the row: Pack follows a row's order, so a bar goes back to its place.
    int16_t Index = 0;
    uint64_t Id = 0;
    ChartBar Bar;
};

struct CommandStep {
    std::vector<ActivityId> Activities;
    std::vector<PlacedBar> Before;
    std::vector<PlacedBar> After;
    // One each per activity, in the order of Activities.
    std::vector<HeldRecord> RecordsBefore;
    std::vector<HeldRecord> RecordsAfter;
};

class UndoHistory {
public:
    // What the history may hold before its oldest steps go: a working day of planning, and no
    // more bars or records than a big plant has.
    struct Limits {
        size_t Steps = 1000;
        size_t Bars = 200000;
        size_t Records = 200000;
    };

    UndoHistory() = default;
    explicit UndoHistory(Limits limits) : limits_(limits) {}

    // A command opens; opens inside it belong to the outermost one.
    void Open();
    // The activity is about to change in the open command: its bars and its record as they are
    // now are kept, once per command.
    void Capture(const PlanModel& plan, const ActivityId& activity, HeldRecord record);
    // The outermost close makes one step of what the command changed; a new step drops what could
    // be redone. Returns whether it made one.
    bool Close(const PlanModel& plan, const ChangeJournal& journal);
    // The outermost close of a command that failed: nothing becomes a step, and what the command
    // had captured is handed back so that it can be put back.
    std::optional<CommandStep> Abandon();
    bool CommandOpen() const { return depth_ > 0; }

    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // Hands out the step to take back (or to do again) and keeps it on the other side.
    const CommandStep& TakeUndo();
    const CommandStep& TakeRedo();
    // An undo (or redo) that could not be carried out whole: its step goes back where it was.
    void GiveBackUndo();
    void GiveBackRedo();
    void Clear();
    // A host took the activity out or gave it new pieces: no step puts it back or takes it away
    // again; steps left with nothing go.
    void DropActivity(const ActivityId& activity);

    // The work-order bars of the activity on the chart now, in row order, then bar order.
    static std::vector<PlacedBar> BarsOf(const PlanModel& plan, const ActivityId& activity);

private:
    struct Held {
        size_t Bars = 0;
        size_t Records = 0;
    };
    static Held HeldBy(const CommandStep& step);
    void Forget(const CommandStep& step);

    Limits limits_;
    int depth_ = 0;
    CommandStep open_;
    std::deque<CommandStep> done_;
    std::deque<CommandStep> undone_;
    // What the steps on both sides hold together, kept as they come and go.
    Held held_;
};

}  // namespace tessaro
