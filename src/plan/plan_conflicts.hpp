#pragma once

// The plan's conflicts found on the chart: overlapping work-order bars of a row, a work order's
// activities out of their order, work-order bars over calendar blocks. Each costs what it reads:
// a row's bars, or a work order's.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <tessaro/plan/plan_conflicts.hpp>

#include "plan/plan_model.hpp"

namespace tessaro {

// A work-order bar met on a row, for its work order's activities' order.
struct WorkOrderPiece {
    std::string WorkOrder;
    int32_t ScheduleNo = 0;
    int16_t Row = 0;
    int16_t Index = 0;
    ChartTime Start;
    ChartTime End;
};

// One row's share of the plan's conflicts: appends the row's non-working-time conflicts and
// overlaps (each bar's calendar blocks in bar order, then the overlaps in start order) to
// conflicts, and the row's work-order bars, in bar order, to pieces. Costs the row's bars.
void FindRowConflicts(const PlanModel& plan, int16_t row, std::vector<PlanConflict>& conflicts,
                      std::vector<WorkOrderPiece>& pieces);

// Appends the precedence conflicts of one work order, given every piece of it in row order, then
// bar order (the first of equal starts names a later activity's bar), in schedule order.
void FindPrecedenceConflicts(const ScheduleChart& chart, std::span<const WorkOrderPiece> pieces,
                             std::vector<PlanConflict>& conflicts);

// The pairs (earlier, later) of spans out of order, by index into spans, which must be sorted
// by schedule number: each later activity starting before the latest end of those before it,
// paired with the one that ends latest.
std::vector<std::pair<std::size_t, std::size_t>> OutOfOrder(const std::vector<ActivitySpan>& spans);

// The minutes of [start, end) that lie in calendar blocks of the row.
int64_t NonWorkingMinutes(const ScheduleChart& chart, int16_t row, ChartTime start, ChartTime end);

}  // namespace tessaro
