#include <tessaro/control/tessaro_ctrl.hpp>

#include "control/control_parts.hpp"

namespace tessaro {

// The hosted components and the control's state, as the parts that own them hold them.

ScheduleChart& Tessaro_Ctrl::ctResSched() {
    return OwnedParts(parts_).Surface.ctResSched;
}
const ScheduleChart& Tessaro_Ctrl::ctResSched() const {
    return OwnedParts(parts_).Surface.ctResSched;
}
ListGrid& Tessaro_Ctrl::vaSpread() {
    return OwnedParts(parts_).Surface.vaSpread;
}
const ListGrid& Tessaro_Ctrl::vaSpread() const {
    return OwnedParts(parts_).Surface.vaSpread;
}
Toolbar& Tessaro_Ctrl::ctToolBar1() {
    return OwnedParts(parts_).Surface.ctToolBar1;
}
ListBox& Tessaro_Ctrl::lstConflictWorkOrders() {
    return OwnedParts(parts_).Surface.lstConflictWorkOrders;
}
ListBox& Tessaro_Ctrl::lstConflictHidden() {
    return OwnedParts(parts_).Surface.lstConflictHidden;
}
ComboBox& Tessaro_Ctrl::CmbConflictTB() {
    return OwnedParts(parts_).Surface.CmbConflictTB;
}
PopupMenu& Tessaro_Ctrl::mnuSchedPopUp() {
    return OwnedParts(parts_).Surface.mnuSchedPopUp;
}
PopupMenu& Tessaro_Ctrl::mnuDrag() {
    return OwnedParts(parts_).Surface.mnuDrag;
}
TextStore& Tessaro_Ctrl::Box1() {
    return OwnedParts(parts_).Surface.Box1;
}
TextStore& Tessaro_Ctrl::Box2() {
    return OwnedParts(parts_).Surface.Box2;
}
TextStore& Tessaro_Ctrl::Box3() {
    return OwnedParts(parts_).Surface.Box3;
}
TextStore& Tessaro_Ctrl::Box4() {
    return OwnedParts(parts_).Surface.Box4;
}
TextBox& Tessaro_Ctrl::TxtWONo() {
    return OwnedParts(parts_).Surface.TxtWONo;
}
TextBox& Tessaro_Ctrl::TxtWOStatus() {
    return OwnedParts(parts_).Surface.TxtWOStatus;
}
TextBox& Tessaro_Ctrl::TxtOrdNo() {
    return OwnedParts(parts_).Surface.TxtOrdNo;
}
TextBox& Tessaro_Ctrl::TxtCustNo() {
    return OwnedParts(parts_).Surface.TxtCustNo;
}
TextBox& Tessaro_Ctrl::TxtReqDt() {
    return OwnedParts(parts_).Surface.TxtReqDt;
}
TextBox& Tessaro_Ctrl::TxtPromisedDt() {
    return OwnedParts(parts_).Surface.TxtPromisedDt;
}
TextBox& Tessaro_Ctrl::TxtItemNo() {
    return OwnedParts(parts_).Surface.TxtItemNo;
}
TextBox& Tessaro_Ctrl::TxtActStartDate() {
    return OwnedParts(parts_).Surface.TxtActStartDate;
}
TextBox& Tessaro_Ctrl::TxtactEndDate() {
    return OwnedParts(parts_).Surface.TxtactEndDate;
}
TextBox& Tessaro_Ctrl::TxtWOStTime() {
    return OwnedParts(parts_).Surface.TxtWOStTime;
}
TextBox& Tessaro_Ctrl::TxtWOEndTime() {
    return OwnedParts(parts_).Surface.TxtWOEndTime;
}
TextBox& Tessaro_Ctrl::TxtWOAct() {
    return OwnedParts(parts_).Surface.TxtWOAct;
}
TextBox* Tessaro_Ctrl::DetailTextBox(const std::string& name) {
    return OwnedParts(parts_).Surface.DetailTextBox(name);
}

int16_t Tessaro_Ctrl::SavedChartHeight() const {
    return OwnedParts(parts_).Surface.SavedChartHeight;
}
int16_t Tessaro_Ctrl::SavedGridHeight() const {
    return OwnedParts(parts_).Surface.SavedGridHeight;
}
const DateTime& Tessaro_Ctrl::WindowStart() const {
    return OwnedParts(parts_).Loading.WindowStart();
}
const DateTime& Tessaro_Ctrl::WindowEnd() const {
    return OwnedParts(parts_).Loading.WindowEnd();
}
const ColourTable& Tessaro_Ctrl::NormalBarColours() const {
    return OwnedParts(parts_).Look.NormalBarColours();
}
const ColourTable& Tessaro_Ctrl::SelectedBarColours() const {
    return OwnedParts(parts_).Look.SelectedBarColours();
}
const StyleTable& Tessaro_Ctrl::NormalBarStyles() const {
    return OwnedParts(parts_).Look.NormalBarStyles();
}
const StyleTable& Tessaro_Ctrl::SelectedBarStyles() const {
    return OwnedParts(parts_).Look.SelectedBarStyles();
}
const std::string& Tessaro_Ctrl::SelectedBarKey() const {
    return OwnedParts(parts_).Selection.SelectedBarKey();
}

// The gesture and change state the control shows; the move gesture and the change journal own it.

const std::string& Tessaro_Ctrl::ResChangeFlag() const {
    return OwnedParts(parts_).Rescheduling.Gesture().ResChangeFlag();
}
int16_t Tessaro_Ctrl::MovePending() const {
    return OwnedParts(parts_).Rescheduling.Gesture().MovePending;
}
int16_t Tessaro_Ctrl::TempBarActive() const {
    return OwnedParts(parts_).Rescheduling.Gesture().TempBarActive;
}
int16_t Tessaro_Ctrl::PasteArmed() const {
    return OwnedParts(parts_).Rescheduling.Gesture().PasteArmed;
}
int16_t Tessaro_Ctrl::ResizePending() const {
    return OwnedParts(parts_).Rescheduling.Gesture().ResizePending();
}
int16_t Tessaro_Ctrl::PackInProgress() const {
    return OwnedParts(parts_).Rescheduling.Gesture().PackInProgress;
}
const PendingChangeMap& Tessaro_Ctrl::PendingChanges() const {
    return OwnedParts(parts_).Rescheduling.Journal().Pending();
}
const std::string& Tessaro_Ctrl::ClickedBarKey() const {
    return OwnedParts(parts_).Rescheduling.Gesture().ClickedBarKey;
}
const std::string& Tessaro_Ctrl::TempBarKey() const {
    return OwnedParts(parts_).Rescheduling.Gesture().TempBarKey();
}
int16_t Tessaro_Ctrl::TempBarItem() const {
    return OwnedParts(parts_).Rescheduling.Gesture().TempBarItem;
}
int16_t Tessaro_Ctrl::SourceItem() const {
    return OwnedParts(parts_).Rescheduling.Gesture().SourceItem;
}
int16_t Tessaro_Ctrl::SourceBarIndex() const {
    return OwnedParts(parts_).Rescheduling.Gesture().SourceBarIndex;
}
const tessaro::WorkOrderSpan& Tessaro_Ctrl::WorkOrderSpan() const {
    return OwnedParts(parts_).Rescheduling.Gesture().WorkOrderSpan;
}
const std::string& Tessaro_Ctrl::LastChangeKey() const {
    return OwnedParts(parts_).Rescheduling.Gesture().LastChangeKey();
}
const std::string& Tessaro_Ctrl::PasteMethod() const {
    return OwnedParts(parts_).Rescheduling.Gesture().PasteMethod;
}
const std::string& Tessaro_Ctrl::NewResource() const {
    return OwnedParts(parts_).Rescheduling.Gesture().NewResource();
}
const std::string& Tessaro_Ctrl::OldResource() const {
    return OwnedParts(parts_).Rescheduling.Gesture().OldResource();
}

}  // namespace tessaro
