#include "plan/plan_conflicts.hpp"

#include <algorithm>
#include <map>
#include <string>

#include <tessaro/bars/bar_kinds.hpp>

#include "plan/plan_time.hpp"

namespace tessaro {

namespace {

struct RowBar {
    int16_t Index = 0;
    ChartTime Start;
    ChartTime End;
    ActivityId Activity;
};

ActivityKey KeyOf(const ActivityId& activity) {
    return {activity.WorkOrder, activity.ScheduleNo};
}

}  // namespace

std::vector<std::pair<std::size_t, std::size_t>> OutOfOrder(
    const std::vector<ActivitySpan>& spans) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    std::size_t latest = 0;
    for (std::size_t i = 1; i < spans.size(); ++i) {
        if (spans[i - 1].End > spans[latest].End) {
            latest = i - 1;
        }
        if (spans[i].Start < spans[latest].End) {
            pairs.emplace_back(latest, i);
        }
    }
    return pairs;
}

int64_t NonWorkingMinutes(const ScheduleChart& chart, int16_t row, ChartTime start, ChartTime end) {
    int64_t minutes = 0;
    const int32_t bars = chart.TimeBarCount(row);
    for (int32_t i = 1; i <= bars; ++i) {
        const ChartBar& bar = chart.Bar(row, static_cast<int16_t>(i));
        if (bar.Kind == CalendarBarKind && SpansMeet(start, end, bar.Start, bar.End)) {
            minutes += std::min(end, bar.End).AbsoluteMinutes() -
                       std::max(start, bar.Start).AbsoluteMinutes();
        }
    }
    return minutes;
}

void FindRowConflicts(const PlanModel& plan, int16_t row, std::vector<PlanConflict>& conflicts,
                      std::vector<WorkOrderPiece>& pieces) {
    const ScheduleChart& chart = plan.Chart();
    const std::string resource = chart.RowColumnText(row, 1);
    std::vector<RowBar> bars;
    std::vector<std::pair<ChartTime, ChartTime>> blocks;
    const int32_t count = chart.TimeBarCount(row);
    for (int32_t i = 1; i <= count; ++i) {
        const auto index = static_cast<int16_t>(i);
        const ChartBar& bar = chart.Bar(row, index);
        if (bar.Kind == CalendarBarKind) {
            blocks.emplace_back(bar.Start, bar.End);
        } else if (std::optional<ActivityId> activity = plan.ActivityOf(row, index)) {
            bars.push_back({index, bar.Start, bar.End, std::move(*activity)});
        }
    }
    const auto conflict = [&](ConflictKind kind, const RowBar& bar, ActivityKey other,
                              ChartTime start, ChartTime end) {
        conflicts.push_back({kind, KeyOf(bar.Activity), std::move(other), row, bar.Index, resource,
                             PlanTimeOf(start), PlanTimeOf(end)});
    };
    for (const RowBar& bar : bars) {
        for (const auto& [start, end] : blocks) {
            if (SpansMeet(bar.Start, bar.End, start, end)) {
                conflict(ConflictKind::NonWorkingTime, bar, {}, std::max(bar.Start, start),
                         std::min(bar.End, end));
            }
        }
        pieces.push_back(
            {bar.Activity.WorkOrder, bar.Activity.ScheduleNo, row, bar.Index, bar.Start, bar.End});
    }
    // In time order, a bar can only overlap those that start before it ends.
    std::vector<const RowBar*> byStart;
    byStart.reserve(bars.size());
    for (const RowBar& bar : bars) {
        byStart.push_back(&bar);
    }
    std::stable_sort(byStart.begin(), byStart.end(),
                     [](const RowBar* a, const RowBar* b) { return a->Start < b->Start; });
    for (std::size_t i = 0; i < byStart.size(); ++i) {
        const RowBar& bar = *byStart[i];
        for (std::size_t j = i + 1; j < byStart.size() && byStart[j]->Start < bar.End; ++j) {
            const RowBar& other = *byStart[j];
            if (SpansMeet(bar.Start, bar.End, other.Start, other.End)) {
                conflict(ConflictKind::Overlap, bar, KeyOf(other.Activity), other.Start,
                         std::min(bar.End, other.End));
            }
        }
    }
}

void FindPrecedenceConflicts(const ScheduleChart& chart, std::span<const WorkOrderPiece> pieces,
                             std::vector<PlanConflict>& conflicts) {
    if (pieces.empty()) {
        return;
    }
    const std::string& workOrder = pieces.front().WorkOrder;
    // Each activity's span, and its earliest piece, in schedule order.
    std::map<int32_t, std::pair<ActivitySpan, const WorkOrderPiece*>> activities;
    for (const WorkOrderPiece& piece : pieces) {
        auto [known, added] = activities.try_emplace(
            piece.ScheduleNo, ActivitySpan{piece.ScheduleNo, piece.Start, piece.End}, &piece);
        ActivitySpan& span = known->second.first;
        if (!added) {
            if (piece.Start < span.Start) {
                known->second.second = &piece;
            }
            span.Start = std::min(span.Start, piece.Start);
            span.End = std::max(span.End, piece.End);
        }
    }
    if (activities.size() < 2) {
        return;
    }
    std::vector<ActivitySpan> spans;
    std::vector<const WorkOrderPiece*> first;
    for (const auto& [number, activity] : activities) {
        spans.push_back(activity.first);
        first.push_back(activity.second);
    }
    for (const auto& [earlier, later] : OutOfOrder(spans)) {
        const WorkOrderPiece& piece = *first[later];
        conflicts.push_back({ConflictKind::Precedence,
                             {workOrder, spans[later].ScheduleNo},
                             {workOrder, spans[earlier].ScheduleNo},
                             piece.Row,
                             piece.Index,
                             chart.RowColumnText(piece.Row, 1),
                             PlanTimeOf(spans[later].Start),
                             PlanTimeOf(spans[earlier].End)});
    }
}

}  // namespace tessaro
