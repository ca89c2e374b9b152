#include "plan/precedence_links.hpp"

#include <string>

namespace tessaro {
namespace {

const ActivityPiece* LastToEnd(const PlannedActivity& activity) {
    const ActivityPiece* last = nullptr;
    for (const ActivityPiece& piece : activity.Pieces) {
        if (last == nullptr || piece.End > last->End) {
            last = &piece;
        }
    }
    return last;
}

const ActivityPiece* FirstToStart(const PlannedActivity& activity) {
    const ActivityPiece* first = nullptr;
    for (const ActivityPiece& piece : activity.Pieces) {
        if (first == nullptr || piece.Start < first->Start) {
            first = &piece;
        }
    }
    return first;
}

}  // namespace

std::vector<PrecedenceLink> PrecedenceLinks(const PlanModel& plan, std::string_view workOrder) {
    std::vector<PrecedenceLink> links;
    std::vector<PlannedActivity> activities;
    for (const int32_t scheduleNo : plan.ActivitiesOf(workOrder)) {
        PlannedActivity activity = plan.Activity({std::string(workOrder), scheduleNo});
        if (activity.OnChart()) {
            activities.push_back(std::move(activity));
        }
    }
    for (std::size_t i = 1; i < activities.size(); ++i) {
        const ActivityPiece& from = *LastToEnd(activities[i - 1]);
        const ActivityPiece& to = *FirstToStart(activities[i]);
        links.push_back(
            {from.Row, from.Index, from.End, to.Row, to.Index, to.Start, to.Start < from.End});
    }
    return links;
}

}  // namespace tessaro
