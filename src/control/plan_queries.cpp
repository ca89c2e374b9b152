// What a host reads of the plan: activities by their key, from the plan model over the chart.

#include <tessaro/control/tessaro_ctrl.hpp>

#include <chrono>
#include <limits>

#include "control/control_parts.hpp"
#include "plan/activity.hpp"
#include "plan/plan_time.hpp"

namespace tessaro {

std::optional<PlanActivity> Tessaro_Ctrl::Activity(const ActivityKey& activity) const {
    const ControlParts& parts = OwnedParts(parts_);
    const PlannedActivity planned = parts.Plan.Activity({activity.WorkOrder, activity.Activity});
    if (!planned.OnChart()) {
        return std::nullopt;
    }
    PlanActivity read;
    read.Activity = activity;
    read.Start = PlanTimeOf(planned.Start);
    read.End = PlanTimeOf(planned.End);
    read.Changed = parts.Rescheduling.Journal().Pending().Exists(
        ChangeKey(activity.WorkOrder, activity.Activity));
    read.Bars.reserve(planned.Pieces.size());
    const ScheduleChart& chart = parts.Plan.Chart();
    for (const ActivityPiece& piece : planned.Pieces) {
        read.Bars.push_back({piece.Row, piece.Index, chart.RowColumnText(piece.Row, 1),
                             PlanTimeOf(piece.Start), PlanTimeOf(piece.End), *piece.Record});
    }
    return read;
}

std::vector<PlanConflict> Tessaro_Ctrl::PlanConflicts() const {
    return OwnedParts(parts_).PlanConflicts.All();
}

std::vector<PlanConflict> Tessaro_Ctrl::PlanConflictsOfRows(int16_t firstRow,
                                                            int16_t lastRow) const {
    return OwnedParts(parts_).PlanConflicts.OfRows(firstRow, lastRow);
}

DropPreview Tessaro_Ctrl::PreviewCopyDrop(int Row, PlanTime start) const {
    // A time far outside the chart's days names no place on it.
    const auto days = std::chrono::floor<std::chrono::days>(start).time_since_epoch().count();
    if (Row < 1 || Row > std::numeric_limits<int16_t>::max() || days < -1'000'000'000 ||
        days > 1'000'000'000) {
        return {};
    }
    return OwnedParts(parts_).Rescheduling.PreviewCopyDrop(static_cast<int16_t>(Row),
                                                           ChartTimeOf(start));
}

std::vector<int32_t> Tessaro_Ctrl::WorkOrderActivities(std::string_view workOrder) const {
    return OwnedParts(parts_).Plan.ActivitiesOf(workOrder);
}

}  // namespace tessaro
