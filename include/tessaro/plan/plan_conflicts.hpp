#pragma once

// Where the plan contradicts itself, in a planner's terms, and what a drop of the copy would do
// before it is made.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <tessaro/rescheduling/plan_changes.hpp>

namespace tessaro {

enum class ConflictKind {
    // Two work-order bars of one resource at the same time.
    Overlap,
    // A work order's later activity (by schedule number) starts before an earlier one ends.
    Precedence,
    // A work-order bar lies over its resource's calendar block.
    NonWorkingTime,
};

struct PlanConflict {
    ConflictKind Kind = ConflictKind::Overlap;
    // The bar's activity; for a precedence conflict, the later activity.
    ActivityKey Activity;
    // The other bar's activity (overlap) or the earlier activity (precedence); empty for
    // non-working time.
    ActivityKey Other;
    // The bar in conflict, as the chart's methods take it (for a precedence conflict, the later
    // activity's earliest bar), and its row's resource.
    int Row = 0;
    int Bar = 0;
    std::string Resource;
    // The time in conflict: the bars' common time, the calendar block's share of the bar, or from
    // the later activity's start to the earlier one's end.
    PlanTime Start;
    PlanTime End;

    bool operator==(const PlanConflict&) const = default;
};

// What dropping the pending copy at a place would do, worked out without changing anything.
struct DropPreview {
    // A copy is pending and the place is on the chart.
    bool Valid = false;
    // Where the copied activity's rebuilt bar would stand.
    PlanTime Start;
    PlanTime End;
    // Work-order bars that would overlap the activity and do not overlap it now, as (row, bar).
    std::vector<std::pair<int, int>> NewlyOverlapping;
    std::vector<ActivityKey> NewlyOverlappingActivities;
    // Precedence conflicts the activity would be in with the work order's other activities.
    int PrecedenceConflicts = 0;
    // Minutes of the activity's bars that would lie in their resources' calendar blocks.
    int64_t NonWorkingMinutes = 0;
    // The work order's end against the end of its required date: positive when it would finish
    // late, negative when early; nothing when the record holds no readable date.
    std::optional<std::chrono::minutes> LateBy;
    // The host's veto refuses the drop, with its reason.
    std::optional<std::string> Refusal;
};

}  // namespace tessaro
