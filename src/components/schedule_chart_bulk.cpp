// Filling the chart with many rows and bars at once: a load of a large plant appends a hundred
// thousand bars, and one bar at a time costs a notification and a row check per setter; one row
// at a time makes a view measure and lay out its list once a row.

#include <tessaro/components/schedule_chart.hpp>

#include <limits>
#include <utility>

#include <tessaro/runtime/automation_error.hpp>

#include "components/schedule_chart_storage.hpp"

namespace tessaro {

using chart_detail::RaiseInvalidArgument;

void ScheduleChart::ReserveKeyGroups(std::size_t groups) {
    keyIndex_.reserve(keyIndex_.size() + groups);
}

void ScheduleChart::ReserveBars(std::size_t bars) {
    StoredBar::Reserve(bars);
}

void ScheduleChart::AddRows(std::vector<std::string> texts) {
    if (texts.empty()) {
        return;
    }
    if (rows_.size() + texts.size() >
        static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        RaiseRuntimeError(RuntimeError::Overflow);
    }
    rows_.reserve(rows_.size() + texts.size());
    for (std::string& text : texts) {
        rows_.push_back(Row{std::move(text), {}});
    }
    // Row 0: every row may have changed, as after ClearRows.
    NotifyContent({ChartChange::Kind::Rows});
}

void ScheduleChart::AppendTimeBars(int16_t row, std::span<ChartBar> bars) {
    Row& target = RowAt(row);
    if (bars.empty()) {
        return;
    }
    // Everything that can fail is checked first, so a refused batch adds nothing.
    if (target.bars.size() + bars.size() >
        static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
        RaiseRuntimeError(RuntimeError::Overflow);
    }
    for (const ChartBar& bar : bars) {
        if (bar.Style != 0) {
            Style(bar.Style);
        }
    }
    const auto first = static_cast<int16_t>(target.bars.size() + 1);
    target.bars.reserve(target.bars.size() + bars.size());
    for (ChartBar& bar : bars) {
        auto stored = std::make_unique<StoredBar>();
        static_cast<ChartBar&>(*stored) = std::move(bar);
        stored->Start = chart_detail::MakeTime(stored->Start.Day, stored->Start.Minute);
        stored->End = chart_detail::MakeTime(stored->End.Day, stored->End.Minute);
        stored->id = nextBarId_++;
        stored->row = row;
        stored->position = static_cast<int32_t>(target.bars.size());
        IndexKey(*stored);
        target.bars.push_back(std::move(stored));
    }
    NotifyBar(row, first);
}

}  // namespace tessaro
