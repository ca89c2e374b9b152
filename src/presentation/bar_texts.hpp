#pragma once

// What the chart says about one bar in the planner's words: its tooltip, the question before it
// is removed, and a time as the caption beside a dragged bar spells it.

#include <cstdint>

#include <QString>

#include <tessaro/components/schedule_chart.hpp>

namespace tessaro::qt_detail {

// Work order, customer, item, resource and times of the bar, with what will be saved when its
// activity changed (changeSummary, nullptr for an unchanged one); the model's HintText for bars
// that carry no work-order record. The bar must exist.
QString DescribeBar(const ScheduleChart& chart, int row, int bar, const QString* changeSummary);

// What the planner is asked before the bar is removed. The bar must exist.
QString RemovalQuestion(const ScheduleChart& chart, int row, int bar);

// Weekday, day, month and time of day, in the model's day and month names.
QString TimeCaption(const ScheduleChart& chart, int64_t absoluteMinute);

}  // namespace tessaro::qt_detail
