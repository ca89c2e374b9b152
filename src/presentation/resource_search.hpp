#pragma once

// Finding a resource among the chart's rows as a planner types part of its code or description.

#include <QString>

#include <tessaro/components/schedule_chart.hpp>

namespace tessaro::qt_detail {

// The first row after `after` (wrapping round to row 1) whose code (column 1) or description
// (column 2) contains the text, ignoring case; `after` itself comes last. 0 when no row matches
// or the text is blank.
int FindResourceRow(const ScheduleChart& chart, const QString& text, int after = 0);

}  // namespace tessaro::qt_detail
