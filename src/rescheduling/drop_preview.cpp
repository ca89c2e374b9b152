// What a drop of the copy would do, worked out while the planner still holds it: nothing here
// changes the chart, the records or the host's refusal count.

#include <algorithm>
#include <chrono>
#include <utility>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "plan/plan_conflicts.hpp"
#include "plan/plan_time.hpp"
#include "rescheduling/rescheduler.hpp"
#include "runtime/conversions.hpp"

namespace tessaro {

namespace {

// The end of the required date (a work order due on a day may finish any time that day).
std::optional<ChartTime> RequiredBy(const std::string& date) {
    if (date.empty()) {
        return std::nullopt;
    }
    try {
        return ChartTime{TextToDate(date).Day + 1, 0};
    } catch (const AutomationError&) {
        return std::nullopt;
    }
}

}  // namespace

DropPreview Rescheduler::PreviewCopyDrop(int16_t row, ChartTime start) const {
    DropPreview preview;
    const CopiedActivity* copy = gesture_.Copy();
    if (copy == nullptr || row < 1 || row > chart_.RowCount()) {
        return preview;
    }
    const auto [tempRow, tempBar] =
        chart_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
    if (tempBar == 0) {
        return preview;
    }
    const ChartBar& temporary = chart_.Bar(tempRow, tempBar);
    const ChartTime newStart = start.Normalised();
    const ChartTime newEnd =
        MinutesLater(newStart, temporary.End.AbsoluteMinutes() - temporary.Start.AbsoluteMinutes());
    const tessaro::WorkOrderSpan& copied = gesture_.WorkOrderSpan;
    const int64_t offset =
        newStart.AbsoluteMinutes() -
        ChartTime{copied.StartDay, copied.StartMinute}.Normalised().AbsoluteMinutes();
    preview.Valid = true;
    preview.Start = PlanTimeOf(newStart);
    preview.End = PlanTimeOf(newEnd);

    // The activity after the drop: the rebuilt bar on the drop row, and its pieces on other rows
    // moved by as much (onto the drop row when the copy changes rows).
    const int16_t sourceRow = gesture_.SourceItem;
    std::vector<std::pair<int16_t, std::pair<ChartTime, ChartTime>>> after{
        {row, {newStart, newEnd}}};
    std::vector<uint64_t> own;
    const PlannedActivity planned = plan_.Activity(copy->Activity);
    for (const ActivityPiece& piece : planned.Pieces) {
        own.push_back(piece.Id);
        if (piece.Row != sourceRow) {
            after.push_back({row != sourceRow ? row : piece.Row,
                             {MinutesLater(piece.Start, offset), MinutesLater(piece.End, offset)}});
        }
    }
    ChartTime activityStart = newStart;
    ChartTime activityEnd = newEnd;
    for (const auto& [pieceRow, span] : after) {
        activityStart = std::min(activityStart, span.first);
        activityEnd = std::max(activityEnd, span.second);
        preview.NonWorkingMinutes += NonWorkingMinutes(chart_, pieceRow, span.first, span.second);
    }

    // Bars of the drop row the rebuilt bar would meet that the activity does not meet there now.
    const int32_t bars = chart_.TimeBarCount(row);
    for (int32_t i = 1; i <= bars; ++i) {
        const auto index = static_cast<int16_t>(i);
        const ChartBar& bar = chart_.Bar(row, index);
        if (bar.Kind != WorkOrderBarKind || !SpansMeet(bar.Start, bar.End, newStart, newEnd) ||
            std::find(own.begin(), own.end(), chart_.TimeBarId(row, index)) != own.end()) {
            continue;
        }
        const bool alreadyMet =
            std::any_of(planned.Pieces.begin(), planned.Pieces.end(), [&](const ActivityPiece& p) {
                return p.Row == row && SpansMeet(bar.Start, bar.End, p.Start, p.End);
            });
        if (alreadyMet) {
            continue;
        }
        preview.NewlyOverlapping.emplace_back(row, index);
        if (const std::optional<ActivityId> other = plan_.ActivityOf(row, index)) {
            const ActivityKey key{other->WorkOrder, other->ScheduleNo};
            if (std::find(preview.NewlyOverlappingActivities.begin(),
                          preview.NewlyOverlappingActivities.end(),
                          key) == preview.NewlyOverlappingActivities.end()) {
                preview.NewlyOverlappingActivities.push_back(key);
            }
        }
    }

    // The work order's activities in their order, the copied one where the drop puts it.
    std::vector<ActivitySpan> spans;
    std::size_t moved = 0;
    ChartTime workOrderEnd = activityEnd;
    for (ActivitySpan span : plan_.WorkOrderSpans(copy->Activity.WorkOrder)) {
        if (span.ScheduleNo == copy->Activity.ScheduleNo) {
            moved = spans.size();
            span.Start = activityStart;
            span.End = activityEnd;
        }
        workOrderEnd = std::max(workOrderEnd, span.End);
        spans.push_back(span);
    }
    for (const auto& [earlier, later] : OutOfOrder(spans)) {
        preview.PrecedenceConflicts += earlier == moved || later == moved;
    }
    if (const std::optional<ChartTime> due = RequiredBy(copy->Source->ReqdDate)) {
        preview.LateBy =
            std::chrono::minutes{workOrderEnd.AbsoluteMinutes() - due->AbsoluteMinutes()};
    }

    if (veto_) {
        try {
            ProposedChange change =
                ProposedCopyMove(ProposedChange::Kind::Drop, row, newStart, newEnd);
            AppendCompanionMoves(change, row, newStart);
            preview.Refusal = veto_(change);
        } catch (...) {
            // A veto that cannot answer refuses; what it raises reaches the planner at the drop.
            preview.Refusal = std::string();
        }
    }
    return preview;
}

}  // namespace tessaro
