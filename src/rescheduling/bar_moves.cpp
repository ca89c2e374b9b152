#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/checked_arithmetic.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"

namespace tessaro {

namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// A row change notification for a drop outside every row carries this source row.
constexpr int16_t kNoRow = -1;

}  // namespace

void Tessaro_Ctrl::BarChanging(int16_t row, int16_t bar, int16_t mode) {
    if (mode == 1) {
        MovePending_ = kTrue;
    } else if (mode == 2 || mode == 3) {
        ResizePending_ = kTrue;
        const ChartBar times = ctResSched_.Bar(row, bar);
        ResizeOrigin_.StartDay = times.Start.Day;
        ResizeOrigin_.EndDay = times.End.Day;
        ResizeOrigin_.StartMinute = CheckedInt16(times.Start.Minute);
        ResizeOrigin_.EndMinute = CheckedInt16(times.End.Minute);
    }
}

void Tessaro_Ctrl::BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) {
    OldResource_.clear();
    NewResource_.clear();
    ResChangeFlag_ = "N";
    const int32_t kind = ctResSched_.TimeBarKind(sourceRow, bar);
    if (kind == CalendarBarKind && MovePending_ != kFalse) {
        ctResSched_.CancelRowChange();
        MovePending_ = kFalse;
        return;
    }
    if (kind == WorkOrderBarKind) {
        // A work-order bar changes rows only through the temporary bar of a Copy.
        ctResSched_.CancelRowChange();
        PasteArmed_ = kFalse;
        MovePending_ = kFalse;
        return;
    }
    const bool otherRow = sourceRow != kNoRow && sourceRow != targetRow;
    if (otherRow) {
        MovePending_ = kTrue;
        TempBarActive_ = kTrue;
        PasteArmed_ = kFalse;
    }
    if (MovePending_ != kFalse && TempBarActive_ != kFalse && PasteArmed_ == kFalse &&
        kind == TemporaryBarKind && otherRow) {
        OldResource_ = ctResSched_.RowColumnText(sourceRow, 1);
        NewResource_ = ctResSched_.RowColumnText(targetRow, 1);
        ResChangeFlag_ = "Y";
    }
}

void Tessaro_Ctrl::BarChanged(int16_t row, int16_t bar) {
    const ChartBar changed = ctResSched_.Bar(row, bar);
    const int32_t kind = changed.Kind;
    if ((kind == WorkOrderBarKind || kind == TemporaryBarKind) && ResizePending_ != kFalse) {
        // Stretch guard: a work-order or temporary bar is never stretched and never has an edge
        // moved within its day; the flag is cleared before the write-back so that the nested
        // notification takes the ordinary path.
        const tessaro::WorkOrderSpan origin = ResizeOrigin_;
        if (changed.Start.Day == origin.StartDay && changed.Start.Minute != origin.StartMinute) {
            ResizePending_ = kFalse;
            ctResSched_.SetTimeBarStartMinute(row, bar, origin.StartMinute);
            return;
        }
        if (changed.Start.Day < origin.StartDay) {
            ResizePending_ = kFalse;
            ctResSched_.SetTimeBarStartDay(row, bar, origin.StartDay);
            ctResSched_.SetTimeBarStartMinute(row, bar, origin.StartMinute);
            return;
        }
        if (changed.End.Day == origin.EndDay && changed.End.Minute != origin.EndMinute) {
            ResizePending_ = kFalse;
            ctResSched_.SetTimeBarEndMinute(row, bar, origin.EndMinute);
            return;
        }
        if (changed.End.Day > origin.EndDay) {
            ResizePending_ = kFalse;
            ctResSched_.SetTimeBarEndDay(row, bar, origin.EndDay);
            ctResSched_.SetTimeBarEndMinute(row, bar, origin.EndMinute);
            return;
        }
    }
    if (kind != WorkOrderBarKind && kind != TemporaryBarKind) {
        return;
    }
    DisassembleBarRecordText(changed.Tag, WorkingRecord_);
    if (kind == WorkOrderBarKind) {
        if (PackInProgress_ != kFalse) {
            MakeChangeRecord(row, bar);
        }
        return;
    }
    LastChangeKey_ = MakeChangeRecord(row, bar);
    if (MovePending_ != kFalse && PackInProgress_ == kFalse) {
        ApplyTemporaryBarMove();
    }
}

void Tessaro_Ctrl::BarClick(int16_t row, int16_t bar) {
    const int32_t kind = ctResSched_.TimeBarKind(row, bar);
    if (kind == CalendarBarKind) {
        ctResSched_.RedrawChart();
    } else if (kind == WorkOrderBarKind) {
        MovePending_ = kFalse;
        ResizePending_ = kFalse;
        PasteArmed_ = kFalse;
    }
}

void Tessaro_Ctrl::BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) {
    if (confirmed) {
        ctResSched_.RemoveTimeBar(row, bar);
    }
}

void Tessaro_Ctrl::GestureFlagsSet() {
    MovePending_ = kTrue;
    TempBarActive_ = kTrue;
    PasteArmed_ = kTrue;
}

void Tessaro_Ctrl::ApplyTemporaryBarMove() {
    if (!TempBarKey_.empty()) {
        TempBarItem_ = ctResSched_.FindTimeBarRow(TempBarKey_);
        TempBarIndex_ = ctResSched_.FindTimeBarInRow(TempBarKey_, TempBarItem_);
        // The copied bar must still be where Copy found it; otherwise there is nothing to
        // rebuild and the temporary bar simply goes.
        if (TempBarIndex_ > 0 && SourceItem_ >= 1 && SourceItem_ <= ctResSched_.RowCount() &&
            SourceBarIndex_ >= 1 && SourceBarIndex_ <= ctResSched_.TimeBarCount(SourceItem_)) {
            const ChartBar temporary = ctResSched_.Bar(TempBarItem_, TempBarIndex_);
            RebuildMovedActivity(SourceItem_, SourceBarIndex_, temporary.Start.Day,
                                 temporary.Start.Minute, temporary.End.Day, temporary.End.Minute);
        }
    }
    RemoveTemporaryBar();
}

void Tessaro_Ctrl::RebuildMovedActivity(int16_t row, int16_t bar, int32_t startDay,
                                        int32_t startMinute, int32_t endDay, int32_t endMinute) {
    const ChartBar source = ctResSched_.Bar(row, bar);
    std::string number;
    int16_t position = 0;
    int16_t count = 0;
    DisassembleBarKey(source.Key, number, position, count);
    BarRecord record;
    DisassembleBarRecordText(source.Tag, record);

    // Everything that can fail is done before the chart changes.
    record.StartMinute = CheckedInt16(startMinute);
    record.EndMinute = CheckedInt16(endMinute);
    std::string tag;
    AssembleBarRecordText(tag, record);
    std::string key;
    AssembleBarKey(key, record.work_order_no, RegisterWorkOrderSubActivity(record.work_order_no),
                   9);

    const int16_t rebuilt =
        ctResSched_.AddTimeBar(row, startMinute, endMinute, startDay, endDay, key);
    ctResSched_.SetTimeBarColour(row, rebuilt, -1);
    // The rebuilt bar keeps the look of the bar it was copied from, in its normal form.
    if (source.Style != 0) {
        ctResSched_.SetTimeBarStyle(row, rebuilt, source.Style);
    }
    ApplySelectionLook(row, rebuilt, record, false);
    ctResSched_.SetTimeBarText(row, rebuilt, ".");
    ctResSched_.SetTimeBarKind(row, rebuilt, WorkOrderBarKind);
    ctResSched_.SetTimeBarTag(row, rebuilt, std::move(tag));
    ctResSched_.SetTimeBarKey(row, rebuilt, key);

    // Every other bar of the activity on the row goes, however many pieces it had. The new bar
    // is told apart by its place, not its key: an earlier rebuild may carry the same key.
    int32_t rebuiltIndex = rebuilt;
    for (int32_t i = 1; i <= ctResSched_.TimeBarCount(row);) {
        const auto index = static_cast<int16_t>(i);
        const ChartBar& candidate = ctResSched_.Bar(row, index);
        bool sameActivity = false;
        if (i != rebuiltIndex && candidate.Kind == WorkOrderBarKind) {
            BarRecord other;
            DisassembleBarRecordText(candidate.Tag, other);
            sameActivity = other.work_order_no == record.work_order_no &&
                           other.rsscheduleno == record.rsscheduleno;
        }
        if (sameActivity) {
            ctResSched_.RemoveTimeBar(row, index);
            rebuiltIndex -= i < rebuiltIndex ? 1 : 0;
        } else {
            ++i;
        }
    }

    TempBarActive_ = kFalse;
    MovePending_ = kFalse;
    TempBarItem_ = -1;
    TempBarIndex_ = -1;
    WorkOrderSpan_ = {};
}

void Tessaro_Ctrl::RemoveTemporaryBar() {
    if (TempBarKey_.empty()) {
        return;
    }
    TempBarItem_ = ctResSched_.FindTimeBarRow(TempBarKey_);
    TempBarIndex_ = ctResSched_.FindTimeBarInRow(TempBarKey_, TempBarItem_);
    if (TempBarIndex_ > 0) {
        ctResSched_.RemoveTimeBar(TempBarItem_, TempBarIndex_);
    }
    TempBarItem_ = -1;
    TempBarIndex_ = -1;
    TempBarKey_.clear();
    TempBarActive_ = kFalse;
}

}  // namespace tessaro
