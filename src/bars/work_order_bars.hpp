#pragma once

#include <cstdint>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/bars/bar_record.hpp>
#include <tessaro/components/schedule_chart.hpp>

namespace tessaro {

// Adds the bar to the row whole: its times, key, colour, style, text, kind and tag; returns its
// index. A style the chart does not hold, or a full row, raises its error and adds nothing.
int16_t PutTimeBar(ScheduleChart& chart, int16_t row, const ChartBar& bar);

}  // namespace tessaro
