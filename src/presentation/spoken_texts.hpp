#pragma once

// What a screen reader says about the chart, in a planner's words: a resource row, a bar, what
// the bar's state adds, and what an applied change did.

#include <QString>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/rescheduling/plan_changes.hpp>
#include <tessaro/runtime/chart_time.hpp>

namespace tessaro::qt_detail {

// The row's list columns, e.g. "LATHE-01, Lathe"; the row must exist.
QString SpokenRowName(const ScheduleChart& chart, int row);

// Work order, activity, resource, times and status of a work-order bar, e.g. "WO-24001,
// activity 10, LATHE-01, Tue 5 Jan 08:00 to 11:30, Released"; the copy's temporary bar and
// calendar blocks say what they are instead of a work order. The bar must exist.
QString SpokenBarName(const ScheduleChart& chart, int row, int bar);

// "Tue 5 Jan 08:00 to 11:30"; the end's day is said only when it is another one.
QString SpokenSpan(const ChartTime& start, const ChartTime& end);

// What no accessible state says about a bar: the copy, an overlap, a pending change (with what
// will be saved); "" for none.
QString SpokenBarDescription(bool copy, bool conflicting, const QString& changeSummary);

// Where a change put its activity: "WO2, activity 20 moved to R2, Fri 15 Feb 14:00 to 16:00".
QString SpokenChange(const ActivityChange& change);

}  // namespace tessaro::qt_detail
