#pragma once

// What the legend names from the loaded plan: the statuses that take the "other" colour.

#include <QStringList>

#include <tessaro/components/schedule_chart.hpp>

namespace tessaro::qt_detail {

// The statuses past Released (letters after "G") that the chart's work-order bars carry, as
// "Started (H)", once each, in letter order.
QStringList OtherStatusesInUse(const ScheduleChart& chart);

}  // namespace tessaro::qt_detail
