#pragma once

// Where F8 goes: the next overlap of work-order bars after a place on the chart.

#include <cstdint>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/plan/plan_conflicts.hpp>

#include "bar_focus.hpp"
#include "bar_index.hpp"

namespace tessaro::qt_detail {

struct ConflictStop {
    int row = 0;
    // The overlap's span, absolute minutes, half open.
    int64_t start = 0;
    int64_t end = 0;
    // Its earliest overlapping bar, 0 when none is found.
    int16_t firstBar = 0;
};

// The next overlap (by row, then time) after `from` (a row and a minute; row 0 starts before the
// first row, or after the last one going backwards), wrapping round at the end; nullopt when the
// chart has no overlap.
std::optional<ConflictStop> FindNextConflict(ChartBarIndex& index, const ScheduleChart& chart,
                                             std::pair<int, int64_t> from, bool backwards);

// One place F8 stops at, of any kind of conflict.
struct PlanStop {
    int row = 0;
    int64_t start = 0;
    int64_t end = 0;
    // Orders stops of a row that start at the same minute: overlaps, precedence, non-working.
    int kind = 0;
    // The bar clicked there; 0 for an overlap until NextPlanStop finds its earliest bar.
    int16_t bar = 0;

    std::tuple<int, int64_t, int> key() const { return {row, start, kind}; }
};

// The overlaps of every row, from the index, and the plan's precedence and non-working-time
// conflicts, in (row, start, kind) order.
std::vector<PlanStop> CollectPlanStops(ChartBarIndex& index, const ScheduleChart& chart,
                                       const std::vector<PlanConflict>& conflicts);

// The first stop after `from` (the last before it going backwards), wrapping round; nullopt
// when there is none. An overlap comes back with its earliest overlapping bar.
std::optional<PlanStop> NextPlanStop(ChartBarIndex& index, const ScheduleChart& chart,
                                     const std::vector<PlanStop>& stops,
                                     std::tuple<int, int64_t, int> from, bool backwards);

// Where F8 goes on from: a row and a minute, and the kind of stop shown there (-1 before the
// first step, or after a click moved the planner elsewhere).
struct ConflictCursor {
    std::pair<int, int64_t> at{0, 0};
    int kind = -1;
};

// The stop after the cursor (the one before it going backwards), or after the clicked bar's
// start while the cursor has not moved yet, and the cursor moved onto it. With the plan's
// conflicts every kind of conflict is a stop (a click's own start is passed going either way);
// without them (nullptr) only overlaps are. Nullopt when there is no stop.
std::optional<ConflictStop> StepConflictCursor(ConflictCursor& cursor, ChartBarIndex& index,
                                               const ScheduleChart& chart,
                                               const std::vector<PlanConflict>* conflicts,
                                               BarFocus clicked, bool backwards);

}  // namespace tessaro::qt_detail
