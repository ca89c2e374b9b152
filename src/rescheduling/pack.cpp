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
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

void Rescheduler::Pack() {
    EntryCounter::Scope entry(surface_.Entries);
    Command command(history_, chart_, journal_);
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
    // The chained end is handed on as it is, its minute possibly past midnight: the threshold day
    // is the day the chain's last bar was placed from, not the day it spills into.
    ChartTime previousEnd = chart_.Bar(row, anchor).End;
    int32_t thresholdDay = previousEnd.Day;

    // An activity's pieces on other rows follow the first of its bars that Pack moves; the
    // anchor's stay, as the anchor does.
    std::set<std::pair<std::string, int32_t>> followed;
    const ActivityId anchored = ActivityId::Of(RecordOf(chart_, row, anchor));
    followed.emplace(anchored.WorkOrder, anchored.ScheduleNo);
    // Bars follow one another in index order from the anchor's end, each keeping its length; a
    // bar starting on a day before the last moved bar's start day stays where it is.
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

        // The move is refused before it happens when its record could not be made.
        BarRecord record;
        DisassembleBarRecordText(bar.Tag, record);
        ChangeJournal::CheckRecordable(record, previousEnd, newEnd);
        const ActivityId activity = ActivityId::Of(record);
        std::vector<PieceMove> followers;
        if (followed.emplace(activity.WorkOrder, activity.ScheduleNo).second) {
            followers =
                PlanPieceMoves(PiecesElsewhere(activity, row),
                               previousEnd.AbsoluteMinutes() - bar.Start.AbsoluteMinutes(), 0);
        }
        BeforeChangingActivity(record);

        // The bar moves last, so the record names its sub-activity.
        ApplyPieceMoves(followers, 0);
        chart_.MoveTimeBar(row, index, previousEnd.Minute, newEnd.Minute, previousEnd.Day,
                           newEnd.Day);
        thresholdDay = previousEnd.Day;
        previousEnd = newEnd;
    }
}

}  // namespace tessaro
