#pragma once

#include <cstdint>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/bars/bar_record.hpp>
#include <tessaro/components/schedule_chart.hpp>

#include "bars/bar_record_codec.hpp"

namespace tessaro {

// The record of a work-order bar, split; a record that does not split raises its error.
inline BarRecord RecordOf(const ScheduleChart& chart, int16_t row, int16_t bar) {
    BarRecord record;
    DisassembleBarRecordText(chart.TimeBarTag(row, bar), record);
    return record;
}

// Calls visit(bar, record) for every work-order bar of the row, in bar order, with its record
// split; a record that does not split raises its error. The row must not change meanwhile.
template <typename Visit>
void ForEachWorkOrderBar(const ScheduleChart& chart, int16_t row, Visit visit) {
    const int32_t bars = chart.TimeBarCount(row);
    for (int32_t i = 1; i <= bars; ++i) {
        const auto bar = static_cast<int16_t>(i);
        if (chart.TimeBarKind(row, bar) != WorkOrderBarKind) {
            continue;
        }
        const BarRecord record = RecordOf(chart, row, bar);
        visit(bar, record);
    }
}

// Adds the bar to the row whole: its times, key, colour, style, text, kind and tag; returns its
// index. A style the chart does not hold, or a full row, raises its error and adds nothing.
int16_t PutTimeBar(ScheduleChart& chart, int16_t row, const ChartBar& bar);

}  // namespace tessaro
