#include <tessaro/control/tessaro_ctrl.hpp>

#include <utility>

#include "control/host_events.hpp"
#include "rescheduling/change_journal.hpp"
#include "rescheduling/move_gesture.hpp"
#include "rescheduling/undo_history.hpp"

namespace tessaro {

void Tessaro_Ctrl::miRefresh_Click() {
    HostEventScope scope(*this);
    // Refresh reloads all four stores or changes nothing: what it replaces is kept aside until
    // the last loader has succeeded, and put back when one fails (a store holding a payload the
    // host had refused, say), so the planner never loses the chart or the changes to it.
    Gesture_->DropDrag();
    const MoveGesture gesture = *Gesture_;
    ChangeJournal journal = std::exchange(*Journal_, ChangeJournal(ctResSched_));
    UndoHistory history = std::exchange(*History_, UndoHistory());
    const DateTime windowStart = WindowStart_;
    const DateTime windowEnd = WindowEnd_;
    const int32_t rangeStart = ctResSched_.RangeStartDay();
    const int32_t rangeEnd = ctResSched_.RangeEndDay();
    ScheduleChart::TakenRows rows = ctResSched_.TakeRows();
    try {
        // The window first, then the rows, then the bars that need the rows. Each loader is
        // handed its own store's text, which it keeps as it is, so nothing is copied.
        LoadScheduleTime(Box3_.Text());
        LoadResource(Box1_.Text());
        LoadCalendarEvents(Box4_.Text());
        LoadResourceEvents(Box2_.Text());
    } catch (...) {
        ctResSched_.RestoreRows(std::move(rows));
        *Gesture_ = gesture;
        *Journal_ = std::move(journal);
        *History_ = std::move(history);
        WindowStart_ = windowStart;
        WindowEnd_ = windowEnd;
        if (ctResSched_.RangeStartDay() != rangeStart) {
            ctResSched_.SetRangeStartDay(rangeStart);
        }
        if (ctResSched_.RangeEndDay() != rangeEnd) {
            ctResSched_.SetRangeEndDay(rangeEnd);
        }
        throw;
    }

    // The plan is the payloads' again: no change, no copy, no history, no grid of an old
    // selection.
    AfterLoad(LoadKind::Rows);
    vaSpread_.SetGridCurrentColumn(1);
    vaSpread_.SetGridBlockEndColumn(vaSpread_.GridColumnCount());
    vaSpread_.SetGridCurrentRow(1);
    vaSpread_.SetGridBlockEndRow(vaSpread_.GridRowCount());
    vaSpread_.SetGridBlockMode(true);
    vaSpread_.SetGridAction(3);
    vaSpread_.SetGridBlockMode(false);
}

void Tessaro_Ctrl::AfterLoad(LoadKind kind) {
    MoveGesture& gesture = *Gesture_;
    gesture.DropDrag();
    if (kind == LoadKind::Rows) {
        // The temporary bar and every changed bar went with the rows: a record of them would
        // describe a chart that is no longer there.
        gesture.EndCopy();
        gesture.ClickedBar = {};
        Journal_->Clear();
    } else {
        RemoveTemporaryBar();
        if (kind == LoadKind::Bars) {
            // New bars may belong to a changed activity: each record is made again from the
            // chart as it now stands.
            Journal_->RecordAllAgain();
        }
    }
    History_->Clear();
    if (Events_->Depth == 0) {
        PublishHostEvents();
    }
}

}  // namespace tessaro
