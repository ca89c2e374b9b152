#include "control/control_surface.hpp"

#include <cmath>
#include <utility>

#include <tessaro/control/design_surface.hpp>
#include "runtime/checked_arithmetic.hpp"

namespace tessaro {
namespace {

const char* const kGridTitles[] = {"Wo No.",   "Status",   "Item",    "Start Date", "Start Time",
                                   "End Date", "End Time", "SO No.",  "Cust. Name", "Req. Dt",
                                   "Prom. Dt", "PP Pos.",  "Duration"};
// Column 13 keeps the grid's default width.
const double kGridWidths[] = {15.5, 7.37, 11.75, 10.75, 12, 13, 8, 10.87, 18.62, 13, 14.75, 8.25};

constexpr int16_t kZoomStep = 50;

// Container heights are single-precision twips; the control keeps them rounded to 16 bits, the
// way the automation runtime rounds (half to even).
int16_t RoundedHeight(float twips) {
    return CheckedInt16(static_cast<int64_t>(std::nearbyint(static_cast<double>(twips))));
}

}  // namespace

void ControlSurface::ApplyDesignSurface() {
    ctResSched.SetHeight(static_cast<float>(FindSurfaceElement("ctResSched")->Bounds.Height));
    vaSpread.SetHeight(static_cast<float>(FindSurfaceElement("vaSpread")->Bounds.Height));

    for (const char* caption : {"Hide Mutliline", "Show Mutliline", "Zoom In", "Zoom out"}) {
        ctToolBar1.AddButton(caption);
    }

    vaSpread.SetGridColumnCount(13);
    for (int32_t column = 1; column <= 13; ++column) {
        vaSpread.SetColumnTitle(column, kGridTitles[column - 1]);
        if (column <= 12) {
            vaSpread.SetColumnWidth(column, kGridWidths[column - 1]);
        }
    }

    lstConflictWorkOrders.SetFont(FindSurfaceElement("lstConflictWorkOrders")->Font);
    CmbConflictTB.SetFont(FindSurfaceElement("CmbConflictTB")->Font);
    CmbConflictTB.SetText(FindSurfaceElement("CmbConflictTB")->Caption);

    mnuSchedPopUp.AddItem("miCopy", "Copy");
    mnuSchedPopUp.AddItem("miSep3", "-");
    mnuSchedPopUp.AddItem("miRefresh", "Refresh");
    mnuSchedPopUp.AddItem("miSep1", "-");
    mnuSchedPopUp.AddItem("miPack", "Pack");

    mnuDrag.AddItem("miFwdSch", "Paste Forward schedule");
    mnuDrag.AddItem("miBackSch", "Paste Backward schedule");
    // The finite paste entries carry no action, so they are offered greyed.
    mnuDrag.AddItem("miFwdFinSch", "Paste Forward finite schedule").SetEnabled(false);
    mnuDrag.AddItem("miBackFinSch", "Paste Backward finite schedule").SetEnabled(false);
    mnuDrag.AddItem("miSep2", "-");
    mnuDrag.AddItem("miIgnore", "Ignore");

    for (TextBox* box :
         {&TxtWONo, &TxtWOStatus, &TxtOrdNo, &TxtCustNo, &TxtReqDt, &TxtPromisedDt, &TxtItemNo,
          &TxtActStartDate, &TxtactEndDate, &TxtWOStTime, &TxtWOEndTime, &TxtWOAct}) {
        box->SetLocked(true);
    }
}

TextBox* ControlSurface::DetailTextBox(const std::string& name) {
    const std::pair<const char*, TextBox*> boxes[] = {
        {"TxtWONo", &TxtWONo},
        {"TxtWOStatus", &TxtWOStatus},
        {"TxtOrdNo", &TxtOrdNo},
        {"TxtCustNo", &TxtCustNo},
        {"TxtReqDt", &TxtReqDt},
        {"TxtPromisedDt", &TxtPromisedDt},
        {"TxtItemNo", &TxtItemNo},
        {"TxtActStartDate", &TxtActStartDate},
        {"TxtactEndDate", &TxtactEndDate},
        {"TxtWOStTime", &TxtWOStTime},
        {"TxtWOEndTime", &TxtWOEndTime},
        {"TxtWOAct", &TxtWOAct},
    };
    for (const auto& [boxName, box] : boxes) {
        if (name == boxName) {
            return box;
        }
    }
    return nullptr;
}

void ControlSurface::SaveHeights() {
    SavedChartHeight = RoundedHeight(ctResSched.Height());
    SavedGridHeight = RoundedHeight(vaSpread.Height());
}

void ControlSurface::ToolButtonClicked(int16_t position) {
    // The sums are always taken from the heights saved at creation, never from the current ones,
    // so pressing "Hide Mutliline" twice leaves the chart where one press put it.
    if (position == 1) {
        ctResSched.SetHeight(static_cast<float>(Add16(SavedGridHeight, SavedChartHeight)));
    } else if (position == 2) {
        ctResSched.SetHeight(static_cast<float>(SavedChartHeight));
        vaSpread.SetHeight(static_cast<float>(SavedGridHeight));
    } else if (position == 4) {
        ctResSched.SetTimeScale(Sub16(ctResSched.TimeScale(), kZoomStep));
    } else if (position == 3) {
        ctResSched.SetTimeScale(Add16(ctResSched.TimeScale(), kZoomStep));
    }
}

}  // namespace tessaro
