#include "rescheduling/undo_history.hpp"

#include <algorithm>
#include <utility>

#include <tessaro/bars/bar_kinds.hpp>

#include "bars/bar_record_codec.hpp"

namespace tessaro {

namespace {
// A history as long as a working day of planning; older steps cannot be taken back.
constexpr size_t kMostSteps = 1000;
}  // namespace

std::vector<PlacedBar> UndoHistory::BarsOf(const ScheduleChart& chart, const ActivityId& activity) {
    std::vector<PlacedBar> bars;
    for (const auto& [row, bar] : chart.FindTimeBarsInKeyGroup(activity.WorkOrder)) {
        const ChartBar& candidate = chart.Bar(row, bar);
        if (candidate.Kind != WorkOrderBarKind) {
            continue;
        }
        BarRecord record;
        DisassembleBarRecordText(candidate.Tag, record);
        if (ActivityId::Of(record) == activity) {
            bars.push_back({row, chart.TimeBarId(row, bar), candidate});
        }
    }
    return bars;
}

void UndoHistory::Open() {
    if (depth_++ == 0) {
        open_ = {};
    }
}

void UndoHistory::Capture(const ScheduleChart& chart, const ActivityId& activity,
                          const PendingChangeMap& records) {
    if (depth_ == 0) {
        return;
    }
    if (std::find(open_.Activities.begin(), open_.Activities.end(), activity) !=
        open_.Activities.end()) {
        return;
    }
    if (open_.Activities.empty()) {
        open_.RecordsBefore = records;
    }
    open_.Activities.push_back(activity);
    for (PlacedBar& bar : BarsOf(chart, activity)) {
        open_.Before.push_back(std::move(bar));
    }
}

bool UndoHistory::Close(const ScheduleChart& chart, const PendingChangeMap& records) {
    if (depth_ == 0 || --depth_ > 0 || open_.Activities.empty()) {
        return false;
    }
    for (const ActivityId& activity : open_.Activities) {
        for (PlacedBar& bar : BarsOf(chart, activity)) {
            open_.After.push_back(std::move(bar));
        }
    }
    open_.RecordsAfter = records;
    undone_.clear();
    done_.push_back(std::move(open_));
    open_ = {};
    if (done_.size() > kMostSteps) {
        done_.erase(done_.begin());
    }
    return true;
}

const CommandStep& UndoHistory::TakeUndo() {
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return undone_.back();
}

const CommandStep& UndoHistory::TakeRedo() {
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return done_.back();
}

void UndoHistory::Clear() {
    done_.clear();
    undone_.clear();
    open_ = {};
    depth_ = 0;
}

}  // namespace tessaro
