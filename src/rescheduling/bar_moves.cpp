#include <tessaro/bars/bar_kinds.hpp>
#include "runtime/checked_arithmetic.hpp"

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// A row change notification for a drop outside every row carries this source row.
constexpr int16_t kNoRow = -1;

// Whether an edge drag of the temporary bar may stand: only an edge moved inward to another day
// does. An edge moved within its day, a stretch, and an edge dragged past the other edge go back.
bool EdgeDragStands(const BarDrag& drag, const ChartBar& now) {
    if (now.End < now.Start) {
        return false;
    }
    if (now.Start.Day == drag.Start.Day && now.Start.Minute != drag.Start.Minute) {
        return false;
    }
    if (now.Start.Day < drag.Start.Day) {
        return false;
    }
    if (now.End.Day == drag.End.Day && now.End.Minute != drag.End.Minute) {
        return false;
    }
    return now.End.Day <= drag.End.Day;
}

}  // namespace

void Rescheduler::BarChanging(int16_t row, int16_t bar, int16_t mode) {
    if (mode < 1 || mode > 3) {
        return;
    }
    const ChartBar& times = chart_.Bar(row, bar);
    // Minutes of a chart bar always fit 16 bits; the check keeps the origin honest all the same.
    CheckedInt16(times.Start.Minute);
    CheckedInt16(times.End.Minute);
    gesture_.BeginDrag(
        {{row, chart_.TimeBarId(row, bar)}, mode, times.Start, times.End, std::nullopt});
}

void Rescheduler::BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) {
    gesture_.EndRowChange();
    const int32_t kind = chart_.TimeBarKind(sourceRow, bar);
    const uint64_t id = chart_.TimeBarId(sourceRow, bar);
    if (kind == CalendarBarKind) {
        // A calendar belongs to its resource.
        chart_.CancelRowChange();
        gesture_.MovePending = kFalse;
        return;
    }
    if (kind == WorkOrderBarKind || (kind == TemporaryBarKind && !gesture_.IsTemporaryBar(id))) {
        // A work-order bar changes rows only through the temporary bar of a Copy.
        chart_.CancelRowChange();
        gesture_.PasteArmed = kFalse;
        gesture_.MovePending = kFalse;
        return;
    }
    const bool otherRow = sourceRow != kNoRow && sourceRow != targetRow;
    if (otherRow) {
        gesture_.MovePending = kTrue;
        gesture_.TempBarActive = kTrue;
        gesture_.PasteArmed = kFalse;
        if (kind == TemporaryBarKind) {
            gesture_.BeginRowChange(chart_.RowColumnText(sourceRow, 1),
                                    chart_.RowColumnText(targetRow, 1));
        }
    }
}

void Rescheduler::BarChanged(int16_t row, int16_t bar) {
    const ChartBar& changed = chart_.Bar(row, bar);
    const int32_t kind = changed.Kind;
    const uint64_t id = chart_.TimeBarId(row, bar);

    if (const std::optional<BarDrag> drag = gesture_.EndDragOf(id)) {
        // The planner's own drag of this bar ends here.
        if (!gesture_.IsTemporaryBar(id)) {
            // Nothing could record it: a work-order bar moves only with its activity's copy or
            // by Pack, and a calendar is the resource's.
            if (kind == WorkOrderBarKind || kind == CalendarBarKind || kind == TemporaryBarKind) {
                RestoreDraggedBar(row, bar, drag->Start, drag->End);
            }
            return;
        }
        gesture_.SeeTemporaryBarOn(row);
        if (drag->Mode == 1) {
            if (gesture_.PackInProgress == kFalse && !DropRefused(row, bar, *drag)) {
                ApplyTemporaryBarMove();
            }
            return;
        }
        if (!EdgeDragStands(*drag, changed)) {
            RestoreDraggedBar(row, bar, drag->Start, drag->End);
            return;
        }
        // The copy stays pending, shortened; it is recorded when it is applied.
        gesture_.NoteShortenedCopy();
        return;
    }

    // A host's own write of a bar's times. The control's writes raise nothing: Pack and paste
    // record where they make their changes.
    if (kind == WorkOrderBarKind && gesture_.PackInProgress != kFalse) {
        journal_.Record(*plan_.RecordOf(row, bar), gesture_.PasteMethod);
        return;
    }
    if (gesture_.IsTemporaryBar(id)) {
        gesture_.SeeTemporaryBarOn(row);
        if (gesture_.MovePending != kFalse && gesture_.PackInProgress == kFalse) {
            ApplyTemporaryBarMove();
        }
    }
}

void Rescheduler::RestoreDraggedBar(int16_t row, int16_t bar, ChartTime start, ChartTime end) {
    chart_.PlaceTimeBar(row, bar, start, end);
}

void Rescheduler::BarClick(int16_t row, int16_t bar) {
    const int32_t kind = chart_.TimeBarKind(row, bar);
    if (kind == CalendarBarKind) {
        chart_.RedrawChart();
    } else if (kind == WorkOrderBarKind) {
        gesture_.MovePending = kFalse;
        gesture_.PasteArmed = kFalse;
    }
}

void Rescheduler::BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) {
    if (!confirmed) {
        return;
    }
    const int32_t kind = chart_.TimeBarKind(row, bar);
    if (gesture_.IsTemporaryBar(chart_.TimeBarId(row, bar))) {
        Ignore();
        return;
    }
    // The change set has no way to carry a removed activity or calendar, so neither goes.
    if (kind == WorkOrderBarKind || kind == CalendarBarKind) {
        return;
    }
    chart_.RemoveTimeBar(row, bar);
}

void Rescheduler::GestureFlagsSet() {
    gesture_.MovePending = kTrue;
    gesture_.TempBarActive = kTrue;
    gesture_.PasteArmed = kTrue;
}

void Rescheduler::ApplyTemporaryBarMove(bool withCompanions) {
    Command command(*this);
    if (const CopiedActivity* copy = gesture_.Copy()) {
        const auto [row, bar] =
            chart_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
        if (bar > 0) {
            const ChartBar temporary = chart_.Bar(row, bar);
            // Where the copies beside it go is settled before anything moves.
            const std::vector<CompanionDrop> companions = withCompanions
                                                              ? CompanionDrops(row, temporary.Start)
                                                              : std::vector<CompanionDrop>{};
            if (!companions.empty()) {
                // Undo puts each bar back at its place in its row: every activity is taken as it
                // stands before any of them moves.
                BeforeChangingActivity(*copy->Source);
                for (const CompanionDrop& drop : companions) {
                    BeforeChangingActivity(*drop.Companion->Copy.Source);
                }
            }
            RebuildMovedActivity(row, temporary.Start, temporary.End);
            for (const CompanionDrop& drop : companions) {
                RebuildActivity(drop.Companion->Copy, drop.Companion->SourceRow,
                                drop.Companion->Span, drop.Row, drop.Start, drop.End);
            }
        }
    }
    RemoveTemporaryBar();
}

void Rescheduler::RebuildMovedActivity(int16_t row, ChartTime startAt, ChartTime endAt) {
    RebuildActivity(*gesture_.Copy(), gesture_.SourceItem, gesture_.WorkOrderSpan, row, startAt,
                    endAt);
    gesture_.TempBarActive = kFalse;
    gesture_.MovePending = kFalse;
    gesture_.TempBarItem = -1;
    gesture_.TempBarIndex = -1;
    gesture_.WorkOrderSpan = {};
}

void Rescheduler::RebuildActivity(const CopiedActivity& copy, int16_t sourceRow,
                                  const tessaro::WorkOrderSpan& copied, int16_t row,
                                  ChartTime startAt, ChartTime endAt) {
    BarRecord record = *copy.Source;

    // Everything that can fail is done before the chart changes.
    const ChartTime start = startAt.Normalised();
    const ChartTime end = endAt.Normalised();
    ChangeJournal::CheckRecordable(record, start, end);
    record.StartMinute = CheckedInt16(start.Minute);
    record.EndMinute = CheckedInt16(end.Minute);
    CheckedInt16(int64_t{chart_.TimeBarCount(row)} + 1);
    std::string tag;
    AssembleBarRecordText(tag, record);
    std::string key;
    AssembleKeyID(key, record.work_order_no, surface_.Keys.Register(record.work_order_no), 9);

    // The copied row's pieces of the activity become the rebuilt bar; its pieces on other rows
    // keep their lengths and gaps and follow by as much as the copy moved, onto the row the copy
    // was dropped on when it changed rows, so no planned work leaves the chart and the record
    // still spans the whole activity.
    std::vector<uint64_t> old;
    for (const ActivityPiece& piece : plan_.Activity(copy.Activity).Pieces) {
        if (piece.Row == sourceRow) {
            old.push_back(piece.Id);
        }
    }
    const int64_t offset =
        start.AbsoluteMinutes() - ChartTime{copied.StartDay, copied.StartMinute}.AbsoluteMinutes();
    const int16_t targetRow = row != sourceRow ? row : 0;
    const std::vector<PieceMove> followers =
        PlanPieceMoves(PiecesElsewhere(copy.Activity, sourceRow), offset, targetRow);
    if (targetRow != 0) {
        CheckedInt16(int64_t{chart_.TimeBarCount(row)} + 1 +
                     static_cast<int64_t>(followers.size()));
    }

    BeforeChangingActivity(record);
    // The rebuilt bar keeps the look of the bar it was copied from, in its normal form.
    const int16_t rebuilt = PutTimeBar(
        chart_, row,
        {start, end, std::move(key), std::move(tag), ".", WorkOrderBarKind, -1, copy.SourceStyle});
    surface_.Look.ApplySelectionLook(row, rebuilt, record, false);

    for (const uint64_t id : old) {
        const auto [foundRow, foundBar] = chart_.FindTimeBarById(id, sourceRow);
        if (foundBar > 0) {
            chart_.RemoveTimeBar(foundRow, foundBar);
        }
    }
    ApplyPieceMoves(followers, targetRow);
    journal_.Record(record, gesture_.PasteMethod);
}

void Rescheduler::RemoveTemporaryBar() {
    RemoveCompanions();
    if (const CopiedActivity* copy = gesture_.Copy()) {
        const auto [row, bar] =
            chart_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
        if (bar > 0) {
            chart_.RemoveTimeBar(row, bar);
        }
        gesture_.EndCopy();
    }
}

}  // namespace tessaro
