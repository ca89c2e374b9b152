#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include <tessaro/runtime/checked_arithmetic.hpp>
#include <tessaro/runtime/value_rollback.hpp>

#include "control/host_events.hpp"
#include "rescheduling/command.hpp"
#include "rescheduling/move_gesture.hpp"

namespace tessaro {

namespace {
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
}  // namespace

void Tessaro_Ctrl::BarRightClick(int16_t row, int16_t bar) {
    MoveGesture& gesture = *Gesture_;
    const int32_t kind = ctResSched_.TimeBarKind(row, bar);
    // The paste entries are offered only on the temporary bar's row.
    const bool onTemporaryRow = row == gesture.TempBarItem;
    mnuDrag_.Item("miBackSch").SetVisible(onTemporaryRow);
    mnuDrag_.Item("miFwdSch").SetVisible(onTemporaryRow);
    const bool temporaryBarExists = gesture.TempBarItem > 0;
    // The bar a later Copy, Pack or paste acts on: this very bar, whatever key others share.
    const auto remember = [&] {
        gesture.ClickedBarKey = ctResSched_.TimeBarKey(row, bar);
        gesture.ClickedBar = {row, ctResSched_.TimeBarId(row, bar)};
    };
    switch (kind) {
        case TemporaryBarKind:
            gesture.PasteArmed = kTrue;
            mnuDrag_.Show();
            break;
        case WorkOrderBarKind:
            remember();
            if (temporaryBarExists) {
                gesture.PasteArmed = kTrue;
                mnuDrag_.Show();
            } else {
                gesture.PasteArmed = kFalse;
                mnuSchedPopUp_.Show();
            }
            break;
        case CalendarBarKind:
            if (temporaryBarExists) {
                mnuDrag_.Item("miBackSch").SetCaption("Paste Backward schedule");
                gesture.PasteArmed = kTrue;
                remember();
                mnuDrag_.Show();
            }
            break;
        default:
            break;
    }
}

void Tessaro_Ctrl::miFwdSch_Click() {
    PasteTemporaryBar("F");
}

void Tessaro_Ctrl::miBackSch_Click() {
    PasteTemporaryBar("B");
}

void Tessaro_Ctrl::PasteTemporaryBar(const char* method) {
    HostEventScope scope(*this);
    Command command(*this);
    MoveGesture& gesture = *Gesture_;
    gesture.DropDrag();
    gesture.PasteMethod = method;
    const auto [row, bar] =
        ctResSched_.FindTimeBarById(gesture.ClickedBar.Id, gesture.ClickedBar.Row);
    int16_t temporary = 0;
    if (const CopiedActivity* copy = gesture.Copy(); copy != nullptr && bar > 0) {
        const auto [temporaryRow, temporaryBar] =
            ctResSched_.FindTimeBarById(copy->TemporaryBar.Id, copy->TemporaryBar.Row);
        temporary = temporaryRow == row ? temporaryBar : 0;
    }
    // Without a target bar (none was right-clicked, or the temporary bar is on another row), the
    // temporary bar is applied where it stands, as a paste that is not armed does.
    if (gesture.PasteArmed != kFalse && temporary > 0) {
        const ChartBar target = ctResSched_.Bar(row, bar);
        // The copied activity ends where the clicked bar ends and keeps its span.
        const tessaro::WorkOrderSpan& copied = gesture.WorkOrderSpan;
        const int32_t span = MinutesBetween(ChartTime{copied.StartDay, copied.StartMinute},
                                            ChartTime{copied.EndDay, copied.EndMinute});
        const int32_t days = span / 1440;
        const int32_t rest = span - days * 1440;
        const int32_t startDay = Sub32(target.End.Day, days);
        const int32_t startMinute = Sub32(target.End.Minute, rest);
        {
            // The paste applies the copy itself, once the bar is in place.
            ValueRollback<bool> placing(gesture.Placing, true);
            ctResSched_.MoveTimeBar(row, temporary, startMinute, target.End.Minute, startDay,
                                    target.End.Day);
        }
        gesture.PasteArmed = kFalse;
    }
    ApplyTemporaryBarMove();
}

void Tessaro_Ctrl::miIgnore_Click() {
    HostEventScope scope(*this);
    // Only a change never applied is dropped, and such a change has no record: every applied
    // change keeps its record, as the chart keeps its bars.
    Gesture_->DropDrag();
    RemoveTemporaryBar();
    Gesture_->LastChangeKey.clear();
}

}  // namespace tessaro
