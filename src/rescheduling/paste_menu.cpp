#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include <tessaro/runtime/checked_arithmetic.hpp>

namespace tessaro {

namespace {
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
}  // namespace

void Tessaro_Ctrl::BarRightClick(int16_t row, int16_t bar) {
    const int32_t kind = ctResSched_.TimeBarKind(row, bar);
    // The paste entries are offered only on the temporary bar's row.
    const bool onTemporaryRow = row == TempBarItem_;
    mnuDrag_.Item("miBackSch").SetVisible(onTemporaryRow);
    mnuDrag_.Item("miFwdSch").SetVisible(onTemporaryRow);
    const bool temporaryBarExists = TempBarItem_ > 0;
    switch (kind) {
        case TemporaryBarKind:
            PasteArmed_ = kTrue;
            mnuDrag_.Show();
            break;
        case WorkOrderBarKind:
            ClickedBarKey_ = ctResSched_.TimeBarKey(row, bar);
            if (temporaryBarExists) {
                PasteArmed_ = kTrue;
                mnuDrag_.Show();
            } else {
                PasteArmed_ = kFalse;
                mnuSchedPopUp_.Show();
            }
            break;
        case CalendarBarKind:
            if (temporaryBarExists) {
                mnuDrag_.Item("miBackSch").SetCaption("Paste Backward schedule");
                PasteArmed_ = kTrue;
                ClickedBarKey_ = ctResSched_.TimeBarKey(row, bar);
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
    PasteMethod_ = method;
    const int16_t row = ctResSched_.FindTimeBarRow(ClickedBarKey_);
    const int16_t bar = ctResSched_.FindTimeBarInRow(ClickedBarKey_, row);
    const int16_t temporary = ctResSched_.FindTimeBarInRow(TempBarKey_, row);
    // Without a target bar (its key leads nowhere, or the temporary bar is on another row), the
    // temporary bar is applied where it stands, as a paste that is not armed does.
    if (PasteArmed_ != kFalse && bar > 0 && temporary > 0) {
        const ChartBar target = ctResSched_.Bar(row, bar);
        // The copied activity ends where the clicked bar ends and keeps its span.
        const int32_t span =
            MinutesBetween(ChartTime{WorkOrderSpan_.StartDay, WorkOrderSpan_.StartMinute},
                           ChartTime{WorkOrderSpan_.EndDay, WorkOrderSpan_.EndMinute});
        const int32_t days = span / 1440;
        const int32_t rest = span - days * 1440;
        const int32_t startDay = Sub32(target.End.Day, days);
        const int32_t startMinute = Sub32(target.End.Minute, rest);
        ctResSched_.MoveTimeBar(row, temporary, startMinute, target.End.Minute, startDay,
                                target.End.Day);
        PasteArmed_ = kFalse;
    }
    ApplyTemporaryBarMove();
}

void Tessaro_Ctrl::miIgnore_Click() {
    if (PendingChanges_.Exists(LastChangeKey_)) {
        PendingChanges_.Remove(LastChangeKey_);
    }
    LastChangeKey_.clear();
    RemoveTemporaryBar();
}

}  // namespace tessaro
