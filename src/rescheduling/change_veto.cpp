#include <utility>

#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "plan/plan_time.hpp"
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

void Rescheduler::SetChangeVeto(ChangeVeto veto) {
    veto_ = std::move(veto);
}

bool Rescheduler::Refused(const ProposedChange& change) {
    if (!veto_) {
        return false;
    }
    std::optional<std::string> reason = veto_(change);
    if (!reason) {
        return false;
    }
    refusal_.Reason = std::move(*reason);
    ++refusal_.Count;
    return true;
}

ProposedChange::Move Rescheduler::CopyMove(const CopiedActivity& copy, int16_t sourceRow,
                                           const tessaro::WorkOrderSpan& span, int16_t targetRow,
                                           ChartTime start, ChartTime end) const {
    return {{copy.Activity.WorkOrder, copy.Activity.ScheduleNo},
            copy.Source->status,
            chart_.RowColumnText(sourceRow, 1),
            PlanTimeOf({span.StartDay, span.StartMinute}),
            PlanTimeOf({span.EndDay, span.EndMinute}),
            chart_.RowColumnText(targetRow, 1),
            PlanTimeOf(start.Normalised()),
            PlanTimeOf(end.Normalised())};
}

ProposedChange Rescheduler::ProposedCopyMove(ProposedChange::Kind kind, int16_t targetRow,
                                             ChartTime start, ChartTime end) const {
    return {kind,
            {CopyMove(*gesture_.Copy(), gesture_.SourceItem, gesture_.WorkOrderSpan, targetRow,
                      start, end)}};
}

bool Rescheduler::DropRefused(int16_t row, int16_t bar, const BarDrag& drag) {
    if (!veto_) {
        return false;
    }
    const ChartBar& dropped = chart_.Bar(row, bar);
    const auto putBack = [&] {
        const int16_t back = chart_.MoveTimeBarToRow(row, bar, drag.Bar.Row);
        chart_.PlaceTimeBar(drag.Bar.Row, back, drag.Start, drag.End);
        gesture_.SeeTemporaryBarOn(drag.Bar.Row);
        gesture_.EndRowChange();
    };
    bool refused = false;
    try {
        ProposedChange change =
            ProposedCopyMove(ProposedChange::Kind::Drop, row, dropped.Start, dropped.End);
        AppendCompanionMoves(change, row, dropped.Start);
        refused = Refused(change);
    } catch (...) {
        putBack();
        throw;
    }
    if (refused) {
        // The copy stays where the drag found it, still pending.
        putBack();
    }
    return refused;
}

}  // namespace tessaro
