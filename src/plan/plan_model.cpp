#include "plan/plan_model.hpp"

#include <algorithm>
#include <map>
#include <utility>

#include "runtime/ascii.hpp"

#include "bars/bar_record_codec.hpp"

namespace tessaro {

namespace {

// Records a long session keeps before it starts its reads over. Far more than the bars of the
// activities a command works on, far less than a plant of a million bars.
constexpr std::size_t kKeptReads = 16384;

}  // namespace

std::shared_ptr<const BarRecord> PlanModel::RecordOf(int16_t row, int16_t bar) const {
    const ChartBar& carrier = chart_->Bar(row, bar);
    const uint64_t id = chart_->TimeBarId(row, bar);
    if (const auto known = read_.find(id);
        known != read_.end() && known->second.Tag == carrier.Tag) {
        return known->second.Record;
    }
    auto record = std::make_shared<BarRecord>();
    DisassembleBarRecordText(carrier.Tag, *record);
    if (read_.size() >= kKeptReads) {
        read_.clear();
    }
    Read& kept = read_[id];
    kept.Tag = carrier.Tag;
    kept.Record = std::move(record);
    return kept.Record;
}

std::optional<ActivityId> PlanModel::ActivityOf(int16_t row, int16_t bar) const {
    if (chart_->TimeBarKind(row, bar) != WorkOrderBarKind) {
        return std::nullopt;
    }
    ActivityId activity;
    if (!ReadBarRecordActivity(chart_->TimeBarTag(row, bar), activity.WorkOrder,
                               activity.ScheduleNo)) {
        return std::nullopt;
    }
    // The record's own reading trims the number; so does this one, so both name one activity.
    activity.WorkOrder = std::string(TrimSpaces(activity.WorkOrder));
    if (activity.WorkOrder.empty()) {
        return std::nullopt;
    }
    return activity;
}

PlannedActivity PlanModel::Activity(const ActivityId& activity) const {
    PlannedActivity planned;
    planned.Id = activity;
    for (const auto& [row, bar] : chart_->FindTimeBarsInKeyGroup(activity.WorkOrder)) {
        const ChartBar& candidate = chart_->Bar(row, bar);
        if (candidate.Kind != WorkOrderBarKind) {
            continue;
        }
        std::shared_ptr<const BarRecord> record = RecordOf(row, bar);
        if (ActivityId::Of(*record) != activity) {
            continue;
        }
        if (planned.Pieces.empty()) {
            planned.Start = candidate.Start;
            planned.End = candidate.End;
        } else {
            planned.Start = std::min(planned.Start, candidate.Start);
            planned.End = std::max(planned.End, candidate.End);
        }
        if (std::find(planned.Rows.begin(), planned.Rows.end(), row) == planned.Rows.end()) {
            planned.Rows.push_back(row);
        }
        planned.Pieces.push_back({row, bar, chart_->TimeBarId(row, bar), candidate.Start,
                                  candidate.End, std::move(record)});
    }
    return planned;
}

std::vector<int32_t> PlanModel::ActivitiesOf(std::string_view workOrder) const {
    std::vector<int32_t> numbers;
    for (const ActivitySpan& span : WorkOrderSpans(workOrder)) {
        numbers.push_back(span.ScheduleNo);
    }
    return numbers;
}

std::vector<ActivitySpan> PlanModel::WorkOrderSpans(std::string_view workOrder) const {
    std::map<int32_t, ActivitySpan> spans;
    for (const auto& [row, bar] : chart_->FindTimeBarsInKeyGroup(workOrder)) {
        const std::optional<ActivityId> activity = ActivityOf(row, bar);
        if (!activity || activity->WorkOrder != workOrder) {
            continue;
        }
        const ChartBar& piece = chart_->Bar(row, bar);
        const auto [known, added] = spans.try_emplace(
            activity->ScheduleNo, ActivitySpan{activity->ScheduleNo, piece.Start, piece.End});
        if (!added) {
            known->second.Start = std::min(known->second.Start, piece.Start);
            known->second.End = std::max(known->second.End, piece.End);
        }
    }
    std::vector<ActivitySpan> ordered;
    ordered.reserve(spans.size());
    for (const auto& [number, span] : spans) {
        ordered.push_back(span);
    }
    return ordered;
}

}  // namespace tessaro
