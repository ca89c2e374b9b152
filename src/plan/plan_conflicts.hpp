#pragma once

// The plan's conflicts found on the chart: overlapping work-order bars of a row, a work order's
// activities out of their order, work-order bars over calendar blocks. Each costs what it reads:
// a row's bars, or a work order's.

#include <cstdint>
#include <string_view>
#include <vector>

#include <tessaro/plan/plan_conflicts.hpp>

#include "plan/plan_model.hpp"

namespace tessaro {

// Every conflict of the plan, row by row: overlaps and non-working time in each row's bar order,
// then precedence conflicts in the order work orders first appear.
std::vector<PlanConflict> FindPlanConflicts(const PlanModel& plan);

// The pairs (earlier, later) of spans out of order, by index into spans, which must be sorted
// by schedule number: each later activity starting before the latest end of those before it,
// paired with the one that ends latest.
std::vector<std::pair<std::size_t, std::size_t>> OutOfOrder(const std::vector<ActivitySpan>& spans);

// The minutes of [start, end) that lie in calendar blocks of the row.
int64_t NonWorkingMinutes(const ScheduleChart& chart, int16_t row, ChartTime start, ChartTime end);

}  // namespace tessaro
