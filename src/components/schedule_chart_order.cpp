#include <tessaro/components/schedule_chart.hpp>

#include <algorithm>

#include "components/schedule_chart_storage.hpp"
#include "runtime/checked_arithmetic.hpp"

namespace tessaro {

void ScheduleChart::SetTimeBarIndex(int16_t row, int16_t bar, int16_t index) {
    At(row, bar);
    auto& bars = RowAt(row).bars;
    if (index < 1 || static_cast<size_t>(index) > bars.size()) {
        chart_detail::RaiseInvalidArgument();
    }
    const auto from = static_cast<size_t>(bar - 1);
    const auto to = static_cast<size_t>(index - 1);
    if (from == to) {
        return;
    }
    const auto at = [&bars](size_t i) { return bars.begin() + static_cast<std::ptrdiff_t>(i); };
    if (from < to) {
        std::rotate(at(from), at(from + 1), at(to + 1));
    } else {
        std::rotate(at(to), at(from), at(from + 1));
    }
    for (size_t i = std::min(from, to); i <= std::max(from, to); ++i) {
        bars[i]->position = static_cast<int32_t>(i);
    }
    NotifyContent({ChartChange::Kind::Bars, row});
}

void ScheduleChart::PlaceTimeBar(int16_t row, int16_t bar, ChartTime start, ChartTime end) {
    StoredBar& stored = At(row, bar);
    const ChartTime from = chart_detail::MakeTime(start.Day, start.Minute);
    const ChartTime to = chart_detail::MakeTime(end.Day, end.Minute);
    SetTimes(stored, from, to);
}

int16_t ScheduleChart::MoveTimeBarToRow(int16_t row, int16_t bar, int16_t targetRow) {
    At(row, bar);
    RowAt(targetRow);
    if (targetRow == row) {
        return bar;
    }
    CheckedInt16(int64_t{TimeBarCount(targetRow)} + 1);
    const int16_t index = AppendBar(targetRow, DetachBar(row, bar));
    NotifyContent({ChartChange::Kind::Bars, row});
    NotifyContent({ChartChange::Kind::Bars, targetRow});
    return index;
}

}  // namespace tessaro
