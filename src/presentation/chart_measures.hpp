#pragma once

// The measures of a chart taken from its model and the screen: the list's fonts and columns, the
// row and header heights, the list's width and the time axis. Every front end lays its chart out
// with them, so the widget and the Qt Quick item put rows and bars at the same places.

#include <tessaro/components/schedule_chart.hpp>

#include "chart_layout.hpp"

namespace tessaro::qt_detail {

// The list font and the widest text of every list column, from all of the model's rows.
void MeasureRows(ChartLayout& layout, const ScheduleChart& chart);
// Widens the list columns for one row's texts; a row that does not exist changes nothing.
void MeasureRow(ChartLayout& layout, const ScheduleChart& chart, int row);

// The day width the model's TimeScale asks for at the screen's scale; a TimeScale of 0 or below
// shows the whole window in the chart area of a frame `frameWidth` wide.
double WantedDayWidth(const ChartLayout& layout, const ScheduleChart& chart, double dpiScale,
                      int frameWidth);
// The day width at which the whole planning window fills the chart area; at least 1 pixel.
double FitDayWidth(const ChartLayout& layout, const ScheduleChart& chart, int frameWidth);

// Fonts, row height, header, list width and time axis from the model, for a frame `frameWidth`
// wide; remeasures the rows when the list font changed.
void LayOutChart(ChartLayout& layout, const ScheduleChart& chart, double dpiScale, int frameWidth);

}  // namespace tessaro::qt_detail
