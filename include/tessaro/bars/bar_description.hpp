#pragma once

// How the control means a bar to look, asked of the model: what the bar stands for, whether it
// shows selected and the record it carries. The Qt views paint from these answers; a host that
// draws the chart itself can do the same.

#include <cstdint>
#include <optional>
#include <string>

#include <tessaro/bars/bar_record.hpp>
#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// What a bar stands for on the chart.
enum class BarRole {
    Calendar,   // the resource is not available
    WorkOrder,  // a work-order sub-activity
    Temporary,  // the copy the planner drags or pastes
    Other,      // a bar the control gives no meaning (a host's own, kind 0)
};

// Other for every kind but the control's three.
constexpr BarRole RoleOfBarKind(int32_t kind) {
    switch (kind) {
        case CalendarBarKind:
            return BarRole::Calendar;
        case WorkOrderBarKind:
            return BarRole::WorkOrder;
        case TemporaryBarKind:
            return BarRole::Temporary;
        default:
            return BarRole::Other;
    }
}

struct BarDescription {
    BarRole Role = BarRole::Other;
    // The bar is drawn in a style the control makes for a selected work order.
    bool Selected = false;
    // The bar's record, decoded; only work-order and temporary bars carry one.
    std::optional<BarRecord> Record;
};

// Raises 5 for a row or bar that does not exist, as the chart does. A tag that does not decode as
// a record (not eighteen fields, a number field that does not convert, a blank work order) gives
// no record rather than an error; a style index that does not exist is not selected.
TESSARO_EXPORT BarDescription DescribeBar(const ScheduleChart& chart, int16_t row, int16_t bar);

// The part of DescribeBar that painting asks for every bar in sight; the tag is not read.
struct BarGlance {
    BarRole Role = BarRole::Other;
    bool Selected = false;
};

// Raises 5 for a row or bar that does not exist.
TESSARO_EXPORT BarGlance GlanceAtBar(const ScheduleChart& chart, int16_t row, int16_t bar);

// The activity a bar's record names: what a label shows, read without copying the record.
struct BarActivity {
    // As the record holds it (unescaped).
    std::string WorkOrder;
    int32_t ScheduleNumber = 0;

    bool operator==(const BarActivity&) const = default;
};

// Raises 5 for a row or bar that does not exist; nullopt where DescribeBar gives no record, except
// that a record whose number fields after the schedule number do not convert still names its
// activity here.
TESSARO_EXPORT std::optional<BarActivity> ActivityOfBar(const ScheduleChart& chart, int16_t row,
                                                        int16_t bar);

}  // namespace tessaro
