#pragma once

// Where the keyboard's bar focus goes on the chart: along a row in time order, to the nearest bar
// in time on the row above or below, to a row's ends and a screen of rows on. Only work-order bars
// take the focus by these steps; a focused bar of another kind (the copy's temporary bar) is left
// from where it stands in time.

#include <cstdint>

#include <tessaro/components/schedule_chart.hpp>

namespace tessaro::qt_detail {

struct BarFocus {
    int row = 0;
    int bar = 0;

    explicit operator bool() const { return bar != 0; }
    bool operator==(const BarFocus&) const = default;
};

enum class FocusStep { Previous, Next, Up, Down, RowStart, RowEnd, PageUp, PageDown };

// The earliest work-order bar of the topmost row that has one; none on a chart without them.
BarFocus FirstWorkOrderBar(const ScheduleChart& chart);

// Where the step takes the focus from `from` (which must exist); `from` itself at the chart's
// edges. A page is pageRows rows (at least one); rows without work-order bars are passed over.
BarFocus StepBarFocus(const ScheduleChart& chart, BarFocus from, FocusStep step, int pageRows);

// The work-order bar of the row nearest in time to the span [start, end) (absolute minutes): an
// overlapping one first, then the one with the shortest gap, then the nearest start; none when
// the row has no work-order bar.
BarFocus NearestWorkOrderBar(const ScheduleChart& chart, int row, int64_t start, int64_t end);

}  // namespace tessaro::qt_detail
