#include <tessaro/control/tessaro_ctrl.hpp>

namespace tessaro {

void Tessaro_Ctrl::miRefresh_Click() {
    PendingChanges_.RemoveAll();
    ctResSched_.ClearRows();
    // The temporary bar went with the rows; nothing may be pasted or applied from it now.
    TempBarKey_.clear();
    TempBarItem_ = -1;
    TempBarIndex_ = -1;
    LastChangeKey_.clear();

    vaSpread_.SetGridCurrentColumn(1);
    vaSpread_.SetGridBlockEndColumn(vaSpread_.GridColumnCount());
    vaSpread_.SetGridCurrentRow(1);
    vaSpread_.SetGridBlockEndRow(vaSpread_.GridRowCount());
    vaSpread_.SetGridBlockMode(true);
    vaSpread_.SetGridAction(3);
    vaSpread_.SetGridBlockMode(false);

    // The window first, then the rows, then the bars that need the rows; the first loader that
    // fails (an empty store, for one) ends the refresh. Each loader is handed its own store's
    // text, which it keeps as it is (no loader writes another's store), so the payloads are
    // replayed without a copy.
    LoadScheduleTime(Box3_.Text());
    LoadResource(Box1_.Text());
    LoadCalendarEvents(Box4_.Text());
    LoadResourceEvents(Box2_.Text());
}

}  // namespace tessaro
