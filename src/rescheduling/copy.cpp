#include <tessaro/bars/bar_kinds.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "rescheduling/rescheduler.hpp"
#include "runtime/checked_arithmetic.hpp"

namespace tessaro {

void Rescheduler::TempBarCreation(int16_t r, int16_t BarID) {
    const ChartBar chosen = chart_.Bar(r, BarID);
    std::string number;
    int16_t position = 0;
    int16_t count = 0;
    DisAssembleKeyID(chosen.Key, number, position, count);
    const std::shared_ptr<const BarRecord> source = plan_.RecordOf(r, BarID);
    const BarRecord& record = *source;

    // One copy at a time: an earlier one ends with its temporary bar.
    RemoveTemporaryBar();

    gesture_.WorkOrderSpan = CopiedSpan(r, chosen, record);
    const tessaro::WorkOrderSpan& copied = gesture_.WorkOrderSpan;

    chart_.RedrawChart();
    std::string temporaryKey = "T$" + std::to_string(count);
    ChartBar temporaryBar{
        ChartTime{copied.StartDay, copied.StartMinute},
        ChartTime{copied.EndDay, copied.EndMinute},
        temporaryKey,
        chosen.Tag,
        record.rsscheduleno != 0 ? std::to_string(record.rsscheduleno) : record.work_order_no,
        TemporaryBarKind,
        kTemporaryBarColour,
        surface_.Look.TemporaryBarStyle()};
    const int16_t temporary = PutTimeBar(chart_, r, temporaryBar);

    // Where the activity stands before its first change is what its record is measured against.
    const ActivityId activity = ActivityId::Of(record);
    journal_.Touch(activity);
    gesture_.BeginCopy({activity, source, chosen.Style,
                        BarHandle{r, chart_.TimeBarId(r, temporary)}, std::move(temporaryKey), ""},
                       r, BarID);
}

tessaro::WorkOrderSpan Rescheduler::CopiedSpan(int16_t row, const ChartBar& from,
                                               const BarRecord& record) const {
    tessaro::WorkOrderSpan span{from.Start.Day, from.End.Day, CheckedInt16(from.Start.Minute),
                                CheckedInt16(from.End.Minute)};
    plan_.ForEachWorkOrderBar(row, [&](int16_t index, const BarRecord& other) {
        if (other.work_order_no == record.work_order_no &&
            other.rsscheduleno == record.rsscheduleno) {
            const ChartBar& times = chart_.Bar(row, index);
            span.Extend(times.Start.Day, times.End.Day, times.Start.Minute, times.End.Minute);
        }
    });
    return span;
}

void Rescheduler::Copy() {
    gesture_.DropDrag();
    RemoveTemporaryBar();
    const auto [r, b] = chart_.FindTimeBarById(gesture_.ClickedBar.Id, gesture_.ClickedBar.Row);
    gesture_.ClickedBarKey.clear();
    gesture_.ClickedBar = {};
    if (b == 0 || chart_.TimeBarKind(r, b) != WorkOrderBarKind) {
        return;
    }
    TempBarCreation(r, b);
    AddCompanions();
    chart_.RedrawChart();
}

}  // namespace tessaro
