#pragma once

// An activity of the plan as a host reads it: the record it was loaded with, the bars that carry
// it on the chart now, and whether it has a pending change.

#include <cstdint>
#include <string>
#include <vector>

#include <tessaro/bars/bar_record.hpp>
#include <tessaro/rescheduling/plan_changes.hpp>

namespace tessaro {

// One bar carrying part of an activity.
struct ActivityBar {
    // Where the bar is: its row (1-based) and its place in the row, as the chart's methods take
    // them, and the code of the row's resource.
    int Row = 0;
    int Bar = 0;
    std::string Resource;
    PlanTime Start;
    PlanTime End;
    // The record the bar carries: its sub-activity, duration, status, dates and descriptions.
    BarRecord Record;

    bool operator==(const ActivityBar&) const = default;
};

struct PlanActivity {
    ActivityKey Activity;
    // In row order, then in each row's order.
    std::vector<ActivityBar> Bars;
    // The earliest start and latest end of its bars.
    PlanTime Start;
    PlanTime End;
    // Whether it has a pending change (then Changes() reports it).
    bool Changed = false;

    bool operator==(const PlanActivity&) const = default;
};

}  // namespace tessaro
