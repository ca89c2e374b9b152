#include <string_view>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include "runtime/checked_arithmetic.hpp"

#include "rescheduling/rescheduler.hpp"

namespace tessaro {

namespace {
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
}  // namespace

void Rescheduler::BarRightClick(int16_t row, int16_t bar) {
    const int32_t kind = chart_.TimeBarKind(row, bar);
    // The paste entries are offered only on the temporary bar's row.
    const bool onTemporaryRow = row == gesture_.TempBarItem;
    surface_.DragPopUp.Item("miBackSch").SetVisible(onTemporaryRow);
    surface_.DragPopUp.Item("miFwdSch").SetVisible(onTemporaryRow);
    const bool temporaryBarExists = gesture_.TempBarItem > 0;
    // The bar a later Copy, Pack or paste acts on: this very bar, whatever key others share.
    const auto remember = [&] {
        gesture_.ClickedBarKey = chart_.TimeBarKey(row, bar);
        gesture_.ClickedBar = {row, chart_.TimeBarId(row, bar)};
    };
    switch (kind) {
        case TemporaryBarKind:
            gesture_.PasteArmed = kTrue;
            surface_.DragPopUp.Show();
            break;
        case WorkOrderBarKind:
            remember();
            if (temporaryBarExists) {
                gesture_.PasteArmed = kTrue;
                surface_.DragPopUp.Show();
            } else {
                gesture_.PasteArmed = kFalse;
                surface_.SchedulePopUp.Show();
            }
            break;
        case CalendarBarKind:
            if (temporaryBarExists) {
                surface_.DragPopUp.Item("miBackSch").SetCaption("Paste Backward schedule");
                gesture_.PasteArmed = kTrue;
                remember();
                surface_.DragPopUp.Show();
            }
            break;
        default:
            break;
    }
}

void Rescheduler::Paste(const char* method) {
    EntryCounter::Scope entry(surface_.Entries);
    Command command(*this);
    gesture_.DropDrag();
    const auto [row, bar] = chart_.FindTimeBarById(gesture_.ClickedBar.Id, gesture_.ClickedBar.Row);
    int16_t temporary = 0;
    if (const CopiedActivity* copy = gesture_.Copy(); copy != nullptr && bar > 0) {
        const auto [temporaryRow, temporaryBar] =
            chart_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
        temporary = temporaryRow == row ? temporaryBar : 0;
    }
    // Without a target bar (none was right-clicked, or the temporary bar is on another row), the
    // temporary bar is applied where it stands, as a paste that is not armed does.
    const bool placing = gesture_.PasteArmed != kFalse && temporary > 0;
    ChartTime start;
    ChartTime end;
    if (placing) {
        const ChartBar& target = chart_.Bar(row, bar);
        // The copied activity ends where the clicked bar ends and keeps its span.
        const tessaro::WorkOrderSpan& copied = gesture_.WorkOrderSpan;
        const int32_t span = MinutesBetween(ChartTime{copied.StartDay, copied.StartMinute},
                                            ChartTime{copied.EndDay, copied.EndMinute});
        const int32_t days = span / 1440;
        const int32_t rest = span - days * 1440;
        start = {Sub32(target.End.Day, days), Sub32(target.End.Minute, rest)};
        end = target.End;
    }
    if (const CopiedActivity* copy = gesture_.Copy()) {
        const auto [temporaryRow, temporaryBar] =
            chart_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
        if (temporaryBar > 0) {
            if (!placing) {
                start = chart_.Bar(temporaryRow, temporaryBar).Start;
                end = chart_.Bar(temporaryRow, temporaryBar).End;
            }
            const auto kind = std::string_view(method) == "F" ? ProposedChange::Kind::PasteForward
                                                              : ProposedChange::Kind::PasteBackward;
            if (HasVeto() && Refused(ProposedCopyMove(kind, temporaryRow, start, end))) {
                // The copy stays pending where it stands.
                return;
            }
        }
    }
    gesture_.PasteMethod = method;
    if (placing) {
        // The paste applies the copy itself, once the bar is in place.
        chart_.PlaceTimeBar(row, temporary, start, end);
        gesture_.PasteArmed = kFalse;
    }
    // A paste puts one activity against another bar: the copies beside it are not moved.
    ApplyTemporaryBarMove(false);
}

void Rescheduler::Ignore() {
    EntryCounter::Scope entry(surface_.Entries);
    // Only a change never applied is dropped, and such a change has no record: every applied
    // change keeps its record, as the chart keeps its bars.
    gesture_.DropDrag();
    RemoveTemporaryBar();
}

}  // namespace tessaro
