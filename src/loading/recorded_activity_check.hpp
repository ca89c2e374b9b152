#pragma once

// A bar load ends by making every change record again from the chart it leaves: each changed
// activity's earliest start and latest end, in payload seconds. Bars a payload adds to a changed
// activity can take those times past the seconds a record holds; the span is measured here
// before the first bar is added, so such a payload is refused while the chart, keys and records
// are as they were.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/rescheduling/pending_changes.hpp>
#include <tessaro/runtime/chart_time.hpp>

namespace tessaro {

class RecordedActivityCheck {
public:
    // Measures each changed activity on the chart as it is, reading its bars' records as the
    // records are made (a record that does not read raises its error here, not after the load).
    RecordedActivityCheck(const ScheduleChart& chart, const PendingChangeMap& pending);

    // Widens the activity's span by a bar the load is about to add; the work order is the
    // record's, before trimming. Bars of activities without a record are passed over.
    void Widen(std::string_view workOrder, int32_t scheduleNo, ChartTime start, ChartTime end);

    // Raises overflow (6), naming the activity, when its widened span leaves payload seconds.
    void Check() const;

private:
    struct Span {
        int32_t ScheduleNo = 0;
        bool Measured = false;
        ChartTime Start;
        ChartTime End;
        void Widen(ChartTime start, ChartTime end);
    };
    // By work order; a work order rarely has more than a few changed activities.
    std::map<std::string, std::vector<Span>, std::less<>> spans_;
};

}  // namespace tessaro
