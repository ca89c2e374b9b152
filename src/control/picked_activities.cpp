// The activities a planner picks together, which a Copy copies and a drop moves as one.

#include <tessaro/control/tessaro_ctrl.hpp>

#include "control/control_parts.hpp"

namespace tessaro {

void Tessaro_Ctrl::SetPickedActivities(const std::vector<ActivityKey>& activities) {
    std::vector<ActivityId> picked;
    picked.reserve(activities.size());
    for (const ActivityKey& activity : activities) {
        picked.push_back({activity.WorkOrder, activity.Activity});
    }
    OwnedParts(parts_).Rescheduling.SetPickedActivities(std::move(picked));
}

std::vector<ActivityKey> Tessaro_Ctrl::PickedActivities() const {
    std::vector<ActivityKey> keys;
    for (const ActivityId& activity : OwnedParts(parts_).Rescheduling.PickedActivities()) {
        keys.push_back({activity.WorkOrder, activity.ScheduleNo});
    }
    return keys;
}

std::vector<std::pair<int, int>> Tessaro_Ctrl::CompanionCopyBars() const {
    const ControlParts& parts = OwnedParts(parts_);
    std::vector<std::pair<int, int>> bars;
    for (const CompanionCopy& companion : parts.Rescheduling.Companions()) {
        const auto [row, bar] = parts.Surface.ctResSched.FindTimeBarById(
            companion.Copy.TemporaryBar.Id, companion.Copy.TemporaryBar.Row);
        if (bar > 0) {
            bars.emplace_back(row, bar);
        }
    }
    return bars;
}

}  // namespace tessaro
