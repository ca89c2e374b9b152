#include <tessaro/control/tessaro_ctrl.hpp>

#include <pugixml.hpp>

#include <tessaro/control/design_surface.hpp>

#include "bars/work_order_registry.hpp"
#include "control/chart_event_sink.hpp"
#include "control/host_events.hpp"
#include "rescheduling/change_journal.hpp"
#include "rescheduling/move_gesture.hpp"
#include "rescheduling/undo_history.hpp"

namespace tessaro {
namespace {

const char* const kGridTitles[] = {"Wo No.",   "Status",   "Item",    "Start Date", "Start Time",
                                   "End Date", "End Time", "SO No.",  "Cust. Name", "Req. Dt",
                                   "Prom. Dt", "PP Pos.",  "Duration"};
// Column 13 keeps the grid's default width.
const double kGridWidths[] = {15.5, 7.37, 11.75, 10.75, 12, 13, 8, 10.87, 18.62, 13, 14.75, 8.25};

}  // namespace

Tessaro_Ctrl::Tessaro_Ctrl()
    : Gesture_(std::make_unique<MoveGesture>()),
      Journal_(std::make_unique<ChangeJournal>(ctResSched_)),
      History_(std::make_unique<UndoHistory>()),
      Events_(std::make_unique<HostEvents>()) {
    ApplyDesignSurface();
    ConnectComponents();
    UserControl_Initialize();
}

Tessaro_Ctrl::~Tessaro_Ctrl() = default;

void Tessaro_Ctrl::ApplyDesignSurface() {
    ctResSched_.SetHeight(static_cast<float>(FindSurfaceElement("ctResSched")->Bounds.Height));
    vaSpread_.SetHeight(static_cast<float>(FindSurfaceElement("vaSpread")->Bounds.Height));

    for (const char* caption : {"Hide Mutliline", "Show Mutliline", "Zoom In", "Zoom out"}) {
        ctToolBar1_.AddButton(caption);
    }

    vaSpread_.SetGridColumnCount(13);
    for (int32_t column = 1; column <= 13; ++column) {
        vaSpread_.SetColumnTitle(column, kGridTitles[column - 1]);
        if (column <= 12) {
            vaSpread_.SetColumnWidth(column, kGridWidths[column - 1]);
        }
    }

    lstConflictWorkOrders_.SetFont(FindSurfaceElement("lstConflictWorkOrders")->Font);
    CmbConflictTB_.SetFont(FindSurfaceElement("CmbConflictTB")->Font);
    CmbConflictTB_.SetText(FindSurfaceElement("CmbConflictTB")->Caption);

    mnuSchedPopUp_.AddItem("miCopy", "Copy");
    mnuSchedPopUp_.AddItem("miSep3", "-");
    mnuSchedPopUp_.AddItem("miRefresh", "Refresh");
    mnuSchedPopUp_.AddItem("miSep1", "-");
    mnuSchedPopUp_.AddItem("miPack", "Pack");

    mnuDrag_.AddItem("miFwdSch", "Paste Forward schedule");
    mnuDrag_.AddItem("miBackSch", "Paste Backward schedule");
    // The finite paste entries carry no action, so they are offered greyed.
    mnuDrag_.AddItem("miFwdFinSch", "Paste Forward finite schedule").SetEnabled(false);
    mnuDrag_.AddItem("miBackFinSch", "Paste Backward finite schedule").SetEnabled(false);
    mnuDrag_.AddItem("miSep2", "-");
    mnuDrag_.AddItem("miIgnore", "Ignore");

    for (TextBox* box : {&TxtWONo_, &TxtWOStatus_, &TxtOrdNo_, &TxtCustNo_, &TxtReqDt_,
                         &TxtPromisedDt_, &TxtItemNo_, &TxtActStartDate_, &TxtactEndDate_,
                         &TxtWOStTime_, &TxtWOEndTime_, &TxtWOAct_}) {
        box->SetLocked(true);
    }
}

TextBox* Tessaro_Ctrl::DetailTextBox(const std::string& name) {
    const std::pair<const char*, TextBox*> boxes[] = {
        {"TxtWONo", &TxtWONo_},
        {"TxtWOStatus", &TxtWOStatus_},
        {"TxtOrdNo", &TxtOrdNo_},
        {"TxtCustNo", &TxtCustNo_},
        {"TxtReqDt", &TxtReqDt_},
        {"TxtPromisedDt", &TxtPromisedDt_},
        {"TxtItemNo", &TxtItemNo_},
        {"TxtActStartDate", &TxtActStartDate_},
        {"TxtactEndDate", &TxtactEndDate_},
        {"TxtWOStTime", &TxtWOStTime_},
        {"TxtWOEndTime", &TxtWOEndTime_},
        {"TxtWOAct", &TxtWOAct_},
    };
    for (const auto& [boxName, box] : boxes) {
        if (name == boxName) {
            return box;
        }
    }
    return nullptr;
}

}  // namespace tessaro
