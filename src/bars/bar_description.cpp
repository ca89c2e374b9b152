#include <tessaro/bars/bar_description.hpp>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"

#include "bars/bar_record_codec.hpp"

namespace tessaro {
namespace {

bool ShowsSelected(const ScheduleChart& chart, const ChartBar& bar) {
    return bar.Style >= 1 && bar.Style <= chart.StyleCount() &&
           chart.Style(bar.Style).Flags == SelectedBarStyleFlags;
}

bool CarriesRecord(BarRole role) {
    return role == BarRole::WorkOrder || role == BarRole::Temporary;
}

}  // namespace

BarDescription DescribeBar(const ScheduleChart& chart, int16_t row, int16_t bar) {
    const ChartBar& b = chart.Bar(row, bar);
    BarDescription description;
    description.Role = RoleOfBarKind(b.Kind);
    description.Selected = ShowsSelected(chart, b);
    if (CarriesRecord(description.Role) && HasBarRecordFields(b.Tag)) {
        BarRecord record;
        try {
            DisassembleBarRecordText(b.Tag, record);
        } catch (const AutomationError&) {
            return description;
        }
        if (!TrimSpaces(record.work_order_no).empty()) {
            description.Record = std::move(record);
        }
    }
    return description;
}

BarGlance GlanceAtBar(const ScheduleChart& chart, int16_t row, int16_t bar) {
    const ChartBar& b = chart.Bar(row, bar);
    return {RoleOfBarKind(b.Kind), ShowsSelected(chart, b)};
}

std::optional<BarActivity> ActivityOfBar(const ScheduleChart& chart, int16_t row, int16_t bar) {
    const ChartBar& b = chart.Bar(row, bar);
    BarActivity activity;
    if (!CarriesRecord(RoleOfBarKind(b.Kind)) ||
        !ReadBarRecordActivity(b.Tag, activity.WorkOrder, activity.ScheduleNumber)) {
        return std::nullopt;
    }
    return activity;
}

}  // namespace tessaro
