#include <tessaro/bars/bar_kinds.hpp>

#include "rescheduling/rescheduler.hpp"

namespace tessaro {

void Rescheduler::RemoveActivity(const ActivityId& activity) {
    EntryCounter::Scope entry(surface_.Entries);
    gesture_.DropDrag();
    RemoveTemporaryBar();
    for (const PlacedBar& placed : UndoHistory::BarsOf(plan_, activity)) {
        const auto [row, bar] = chart_.FindTimeBarById(placed.Id, placed.Row);
        if (bar > 0) {
            chart_.RemoveTimeBar(row, bar);
        }
    }
    journal_.Forget(activity);
    history_.DropActivity(activity);
}

void Rescheduler::PutBackHistory(UndoHistory history, const std::vector<ActivityId>& added) {
    history_ = std::move(history);
    for (const ActivityId& activity : added) {
        history_.DropActivity(activity);
    }
}

}  // namespace tessaro
