#include <string>
#include <utility>

#include "control/control_parts.hpp"
#include "loading/payload_edits.hpp"

namespace tessaro {

void ControlParts::AddSubActivities(std::string_view payload,
                                    const std::vector<ActivityId>& activities) {
    EntryCounter::Scope entry(Entries);
    TextStore& store = Surface.Box2;
    std::string kept = store.Text();
    // Worked out first: a kept payload that cannot take the records refuses the addition.
    std::string grown = WithRecordsAdded(kept, payload);
    UndoHistory history = Rescheduling.TakeHistory();
    try {
        Loading.LoadResourceEvents(payload);
    } catch (...) {
        store.SetText(std::move(kept));
        Rescheduling.PutBackHistory(std::move(history), {});
        throw;
    }
    store.SetText(std::move(grown));
    Rescheduling.PutBackHistory(std::move(history), activities);
}

void ControlParts::RemoveActivity(const ActivityId& activity) {
    EntryCounter::Scope entry(Entries);
    TextStore& store = Surface.Box2;
    std::string shrunk = WithoutActivity(store.Text(), activity.WorkOrder, activity.ScheduleNo);
    Rescheduling.RemoveActivity(activity);
    store.SetText(std::move(shrunk));
}

}  // namespace tessaro
