#include <tessaro/components/schedule_chart.hpp>

#include <optional>
#include <utility>

#include "runtime/checked_arithmetic.hpp"
#include "runtime/scope_exit.hpp"

#include "components/schedule_chart_storage.hpp"

namespace tessaro {

using chart_detail::MakeTime;
using chart_detail::RaiseInvalidArgument;

namespace {

// A gesture is one command to the views: they hear its changes once all its notifications have
// been handled, never a bar the gesture moved before the control answered it.
auto HoldGesture(ScheduleChart& chart) {
    chart.HoldChanges();
    return [&chart] { chart.ReleaseChanges(); };
}

}  // namespace

// ---- Gestures ----

std::optional<ScheduleChart::BarRef> ScheduleChart::Locate(uint64_t id, int16_t row) const {
    if (row < 1 || row > RowCount()) {
        return std::nullopt;
    }
    const auto& bars = rows_[static_cast<size_t>(row - 1)].bars;
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i]->id == id) {
            return BarRef{row, static_cast<int16_t>(i + 1)};
        }
    }
    return std::nullopt;
}

void ScheduleChart::ClickBar(int16_t row, int16_t bar) {
    const ScopeExit release(HoldGesture(*this));
    const uint64_t id = At(row, bar).id;
    if (sink_ == nullptr) {
        return;
    }
    sink_->BarClick(row, bar);
    if (const auto where = Locate(id, row)) {
        sink_->BarSelected(where->row, where->bar);
    }
}

void ScheduleChart::DoubleClickBar(int16_t row, int16_t bar) {
    const ScopeExit release(HoldGesture(*this));
    At(row, bar);
    if (sink_ != nullptr) {
        sink_->BarChosen(row, bar);
    }
}

void ScheduleChart::RightClickBar(int16_t row, int16_t bar) {
    const ScopeExit release(HoldGesture(*this));
    At(row, bar);
    if (sink_ != nullptr) {
        sink_->BarRightClick(row, bar);
    }
}

void ScheduleChart::HoverBar(int16_t row, int16_t bar) {
    const ScopeExit release(HoldGesture(*this));
    At(row, bar);
    if (sink_ != nullptr) {
        sink_->BarHovered(row, bar);
    }
}

void ScheduleChart::DragBar(int16_t row, int16_t bar, int16_t targetRow, int32_t startDay,
                            int32_t startMinute) {
    const ScopeExit release(HoldGesture(*this));
    const uint64_t id = At(row, bar).id;
    RowAt(targetRow);
    const ChartTime newStart = MakeTime(startDay, startMinute);

    if (sink_ != nullptr) {
        sink_->BarChanging(row, bar, 1);
    }
    auto where = Locate(id, row);
    if (!where) {
        return;
    }
    if (targetRow != row) {
        bool cancelled = false;
        if (sink_ != nullptr) {
            ++rowChangeDepth_;
            rowChangeCancelled_ = false;
            try {
                sink_->BarRowChanging(where->row, where->bar, targetRow);
            } catch (...) {
                --rowChangeDepth_;
                throw;
            }
            --rowChangeDepth_;
            cancelled = rowChangeCancelled_;
        }
        where = Locate(id, row);
        if (!where) {
            return;
        }
        if (!cancelled && targetRow <= RowCount()) {
            // A full target row refuses the bar before it leaves its own row.
            CheckedInt16(int64_t{TimeBarCount(targetRow)} + 1);
            auto stored = DetachBar(where->row, where->bar);
            const int16_t index = AppendBar(targetRow, std::move(stored));
            where = BarRef{targetRow, index};
            NotifyContent({ChartChange::Kind::Bars, row});
        }
    }
    StoredBar& stored = At(where->row, where->bar);
    const int64_t length = stored.End.AbsoluteMinutes() - stored.Start.AbsoluteMinutes();
    const ChartTime newEnd = MakeTime(newStart.Day, CheckedInt32(newStart.Minute + length));
    SetTimes(stored, newStart, newEnd);
    RaiseBarChanged(where->row, where->bar);
}

void ScheduleChart::DragEdge(int16_t row, int16_t bar, int16_t mode, int32_t day, int32_t minute) {
    const ScopeExit release(HoldGesture(*this));
    const uint64_t id = At(row, bar).id;
    const ChartTime edge = MakeTime(day, minute);
    if (sink_ != nullptr) {
        sink_->BarChanging(row, bar, mode);
    }
    const auto where = Locate(id, row);
    if (!where) {
        return;
    }
    StoredBar& stored = At(where->row, where->bar);
    if (mode == 2) {
        SetTimes(stored, edge, stored.End);
    } else {
        SetTimes(stored, stored.Start, edge);
    }
    RaiseBarChanged(where->row, where->bar);
}

void ScheduleChart::DragBarStart(int16_t row, int16_t bar, int32_t day, int32_t minute) {
    DragEdge(row, bar, 2, day, minute);
}

void ScheduleChart::DragBarEnd(int16_t row, int16_t bar, int32_t day, int32_t minute) {
    DragEdge(row, bar, 3, day, minute);
}

void ScheduleChart::RequestBarRemoval(int16_t row, int16_t bar, bool confirmed) {
    const ScopeExit release(HoldGesture(*this));
    At(row, bar);
    if (sink_ != nullptr) {
        sink_->BarRemoveRequest(row, bar, confirmed);
    }
}

void ScheduleChart::RaiseGestureFlagsSet() {
    const ScopeExit release(HoldGesture(*this));
    if (sink_ != nullptr) {
        sink_->GestureFlagsSet();
    }
}

}  // namespace tessaro
