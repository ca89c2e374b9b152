#pragma once

// The Qt 6 Widgets front end of the schedule-chart control: the whole control as one widget, and
// the chart and grid views on their own.

#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>
#include <tessaro/qt/time_axis.hpp>
#include <tessaro/qt/translation.hpp>
