#include <algorithm>
#include <utility>

#include <tessaro/bars/bar_kinds.hpp>

#include "bars/work_order_bars.hpp"
#include "plan/plan_time.hpp"
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

namespace {

ChartTime SpanStart(const tessaro::WorkOrderSpan& span) {
    return {span.StartDay, span.StartMinute};
}

ChartTime SpanEnd(const tessaro::WorkOrderSpan& span) {
    return {span.EndDay, span.EndMinute};
}

}  // namespace

void Rescheduler::SetPickedActivities(std::vector<ActivityId> picked) {
    std::vector<ActivityId> unique;
    for (ActivityId& activity : picked) {
        if (std::find(unique.begin(), unique.end(), activity) == unique.end()) {
            unique.push_back(std::move(activity));
        }
    }
    picked_ = std::move(unique);
}

void Rescheduler::AddCompanions() {
    const CopiedActivity* copy = gesture_.Copy();
    if (copy == nullptr ||
        std::find(picked_.begin(), picked_.end(), copy->Activity) == picked_.end()) {
        return;
    }
    for (const ActivityId& activity : picked_) {
        if (activity == copy->Activity) {
            continue;
        }
        const PlannedActivity planned = plan_.Activity(activity);
        if (!planned.OnChart()) {
            continue;
        }
        // The copy covers the activity on the row of its earliest piece, as a Copy of that
        // piece would.
        const ActivityPiece* first = &planned.Pieces.front();
        for (const ActivityPiece& piece : planned.Pieces) {
            if (piece.Start < first->Start) {
                first = &piece;
            }
        }
        const ChartBar& source = chart_.Bar(first->Row, first->Index);
        CompanionCopy companion;
        companion.SourceRow = first->Row;
        companion.Span = CopiedSpan(first->Row, source, *first->Record);
        std::string key = "T$" + std::to_string(companions_.size() + 1) + "$" + activity.WorkOrder;
        const int16_t temporary =
            PutTimeBar(chart_, companion.SourceRow,
                       {SpanStart(companion.Span), SpanEnd(companion.Span), key, source.Tag,
                        std::to_string(activity.ScheduleNo), TemporaryBarKind, kTemporaryBarColour,
                        surface_.Look.TemporaryBarStyle()});
        companion.Copy = {
            activity,       first->Record,
            source.Style,   {companion.SourceRow, chart_.TimeBarId(companion.SourceRow, temporary)},
            std::move(key), ""};
        journal_.Touch(activity);
        companions_.push_back(std::move(companion));
    }
}

void Rescheduler::RemoveCompanions() {
    for (const CompanionCopy& companion : companions_) {
        const auto [row, bar] =
            chart_.FindTimeBarById(companion.Copy.TemporaryBar.Id, companion.Copy.TemporaryBar.Row);
        if (bar > 0) {
            chart_.RemoveTimeBar(row, bar);
        }
    }
    companions_.clear();
}

std::vector<CompanionDrop> Rescheduler::CompanionDrops(int16_t row, ChartTime start) const {
    std::vector<CompanionDrop> drops;
    if (companions_.empty() || gesture_.Copy() == nullptr) {
        return drops;
    }
    const int64_t minutes =
        start.AbsoluteMinutes() - SpanStart(gesture_.WorkOrderSpan).AbsoluteMinutes();
    const int32_t rows = int32_t{row} - gesture_.SourceItem;
    const int32_t lastRow = std::max<int32_t>(1, chart_.RowCount());
    for (const CompanionCopy& companion : companions_) {
        // A companion whose copy the planner took off the chart stays where it is: the drop
        // moves only what the chart shows in the hand.
        if (chart_.FindTimeBarById(companion.Copy.TemporaryBar.Id, companion.Copy.TemporaryBar.Row)
                .second == 0) {
            continue;
        }
        const auto target = static_cast<int16_t>(
            std::clamp<int32_t>(int32_t{companion.SourceRow} + rows, 1, lastRow));
        drops.push_back({&companion, target, MinutesLater(SpanStart(companion.Span), minutes),
                         MinutesLater(SpanEnd(companion.Span), minutes)});
    }
    return drops;
}

void Rescheduler::AppendCompanionMoves(ProposedChange& change, int16_t row, ChartTime start) const {
    for (const CompanionDrop& drop : CompanionDrops(row, start)) {
        const CompanionCopy& companion = *drop.Companion;
        change.Moves.push_back(CopyMove(companion.Copy, companion.SourceRow, companion.Span,
                                        drop.Row, drop.Start, drop.End));
    }
}

}  // namespace tessaro
