#include <tessaro/control/tessaro_ctrl.hpp>

#include "control/chart_event_sink.hpp"
#include "control/host_events.hpp"

namespace tessaro {

void Tessaro_Ctrl::ConnectComponents() {
    ChartEvents_ = std::make_unique<ChartEventSink>(*this);
    ctResSched_.SetEventSink(ChartEvents_.get());
    ctToolBar1_.SetButtonClickedHandler([this](int16_t position) {
        HostEventScope scope(*this);
        ToolButtonClicked(position);
    });
    vaSpread_.SetCellClickedHandler([this](int32_t column, int32_t row) {
        HostEventScope scope(*this);
        GridCellClicked(column, row);
    });
    lstConflictWorkOrders_.SetDoubleClickHandler([this] {
        HostEventScope scope(*this);
        lstConflictWorkOrders_DblClick();
    });
    mnuSchedPopUp_.SetItemChosenHandler([this](const std::string& name) {
        HostEventScope scope(*this);
        if (name == "miCopy") {
            miCopy_Click();
        } else if (name == "miRefresh") {
            miRefresh_Click();
        } else if (name == "miPack") {
            miPack_Click();
        }
    });
    mnuDrag_.SetItemChosenHandler([this](const std::string& name) {
        HostEventScope scope(*this);
        if (name == "miFwdSch") {
            miFwdSch_Click();
        } else if (name == "miBackSch") {
            miBackSch_Click();
        } else if (name == "miIgnore") {
            miIgnore_Click();
        }
    });
}

}  // namespace tessaro
