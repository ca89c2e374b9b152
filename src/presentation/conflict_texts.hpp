#pragma once

// A plan conflict in a planner's words, one line of the conflict panel: what kind, on which
// resource, which activities and when, in the locale.

#include <cstdint>

#include <QString>

#include <tessaro/plan/plan_conflicts.hpp>
#include <tessaro/runtime/chart_time.hpp>

namespace tessaro::qt_detail {

struct ConflictLine {
    QString kind;
    QString resource;
    QString activities;
    QString time;
    // The start in absolute chart minutes, for sorting by time.
    int64_t startMinute = 0;

    // Every column in one line: "Overlap · LATHE-02 · WO-1/10 with WO-2/20 · Tue 5 Jan
    // 14:00-15:30".
    QString line() const;
};

ChartTime ChartTimeOfPlan(PlanTime time);
ConflictLine DescribeConflict(const PlanConflict& conflict);

}  // namespace tessaro::qt_detail
