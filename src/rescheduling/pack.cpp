#include <set>
#include <string>
#include <utility>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include "runtime/checked_arithmetic.hpp"
#include "runtime/value_rollback.hpp"

#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "plan/plan_time.hpp"
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

namespace {

// One bar of the packed row and where Pack puts it. The chained start is handed on as it is, its
// minute possibly past midnight.
struct PackedBar {
    int16_t Index;
    BarRecord Record;
    ChartTime Start;
    ChartTime End;
    ChartTime NewStart;
    ChartTime NewEnd;
};

ProposedChange ProposedPack(const ScheduleChart& chart, int16_t row,
                            const std::vector<PackedBar>& chain) {
    ProposedChange proposed{ProposedChange::Kind::Pack, {}};
    const std::string resource = chart.RowColumnText(row, 1);
    for (const PackedBar& packed : chain) {
        proposed.Moves.push_back({{packed.Record.work_order_no, packed.Record.rsscheduleno},
                                  packed.Record.status,
                                  resource,
                                  PlanTimeOf(packed.Start),
                                  PlanTimeOf(packed.End),
                                  resource,
                                  PlanTimeOf(packed.NewStart.Normalised()),
                                  PlanTimeOf(packed.NewEnd.Normalised())});
    }
    return proposed;
}

}  // namespace

void Rescheduler::Pack() {
    EntryCounter::Scope entry(surface_.Entries);
    Command command(*this);
    gesture_.DropDrag();
    // Reset on every way out, an overflow included, so later bar changes are not recorded as
    // Pack moves.
    ValueRollback<int16_t> packing(gesture_.PackInProgress, -1);
    const auto [row, anchor] =
        chart_.FindTimeBarById(gesture_.ClickedBar.Id, gesture_.ClickedBar.Row);
    if (anchor == 0 || chart_.TimeBarKind(row, anchor) != WorkOrderBarKind) {
        return;
    }
    const int32_t count = chart_.TimeBarCount(row);
    // The threshold day is the day the chain's last bar was placed from, not the day it spills
    // into.
    ChartTime previousEnd = chart_.Bar(row, anchor).End;
    int32_t thresholdDay = previousEnd.Day;

    // Bars follow one another in index order from the anchor's end, each keeping its length; a
    // bar starting on a day before the last moved bar's start day stays where it is. The whole
    // chain is worked out, and every move checked, before the host is asked and the first bar
    // moves.
    std::vector<PackedBar> chain;
    for (int32_t i = 1; i <= count; ++i) {
        const auto index = static_cast<int16_t>(i);
        if (index == anchor || chart_.TimeBarKind(row, index) != WorkOrderBarKind) {
            continue;
        }
        const ChartBar& bar = chart_.Bar(row, index);
        if (bar.Start.Day < thresholdDay) {
            continue;
        }
        const int32_t length = MinutesBetween(bar.Start, bar.End);
        const int32_t days = length / 1440;
        const int32_t rest = length - days * 1440;
        const ChartTime newEnd{Add32(previousEnd.Day, days), Add32(previousEnd.Minute, rest)};
        BarRecord record = *plan_.RecordOf(row, index);
        ChangeJournal::CheckRecordable(record, previousEnd, newEnd);
        chain.push_back({index, std::move(record), bar.Start, bar.End, previousEnd, newEnd});
        thresholdDay = previousEnd.Day;
        previousEnd = newEnd;
    }
    if (chain.empty()) {
        return;
    }

    if (HasVeto() && Refused(ProposedPack(chart_, row, chain))) {
        return;
    }

    // An activity's pieces on other rows follow the first of its bars that Pack moves; the
    // anchor's stay, as the anchor does.
    std::set<std::pair<std::string, int32_t>> followed;
    const ActivityId anchored = ActivityId::Of(*plan_.RecordOf(row, anchor));
    followed.emplace(anchored.WorkOrder, anchored.ScheduleNo);
    for (const PackedBar& packed : chain) {
        const ActivityId activity = ActivityId::Of(packed.Record);
        std::vector<PieceMove> followers;
        if (followed.emplace(activity.WorkOrder, activity.ScheduleNo).second) {
            followers = PlanPieceMoves(
                PiecesElsewhere(activity, row),
                packed.NewStart.AbsoluteMinutes() - packed.Start.AbsoluteMinutes(), 0);
        }
        BeforeChangingActivity(packed.Record);
        // The bar moves last and is recorded at once, so the record names its sub-activity.
        ApplyPieceMoves(followers, 0);
        chart_.PlaceTimeBar(row, packed.Index, packed.NewStart, packed.NewEnd);
        journal_.Record(packed.Record, gesture_.PasteMethod);
    }
}

}  // namespace tessaro
