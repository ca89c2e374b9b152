#include <string>

#include <tessaro/control/tessaro_ctrl.hpp>

namespace tessaro {

void Tessaro_Ctrl::miRefresh_Click() {
    const std::string header = Box3_.Text();
    const std::string calendars = Box4_.Text();
    const std::string workOrders = Box2_.Text();
    const std::string resources = Box1_.Text();
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
    // fails (an empty store, for one) ends the refresh.
    LoadScheduleTime(header);
    LoadResource(resources);
    LoadCalendarEvents(calendars);
    LoadResourceEvents(workOrders);
}

}  // namespace tessaro
