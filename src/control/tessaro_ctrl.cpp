#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_key.hpp"
#include "control/control_parts.hpp"

namespace tessaro {

// Every method hands the call to the part that owns what it reads or changes.

Tessaro_Ctrl::Tessaro_Ctrl() : parts_(std::make_unique<ControlParts>()) {}

Tessaro_Ctrl::~Tessaro_Ctrl() = default;

void Tessaro_Ctrl::CreateWOTimeBarStyles() {
    parts_->Look.CreateWOTimeBarStyles();
}

// ---- Payloads ----
// A load is one entry: views hear the chart it leaves, and hosts its events, once it is done.

void Tessaro_Ctrl::LoadScheduleTime(std::string_view Hdrxml) {
    EntryCounter::Scope entry(parts_->Entries);
    parts_->Loading.LoadScheduleTime(Hdrxml);
}
void Tessaro_Ctrl::LoadResource(std::string_view Resxml) {
    EntryCounter::Scope entry(parts_->Entries);
    parts_->Loading.LoadResource(Resxml);
}
void Tessaro_Ctrl::LoadCalendarEvents(std::string_view Calxml) {
    EntryCounter::Scope entry(parts_->Entries);
    parts_->Loading.LoadCalendarEvents(Calxml);
}
void Tessaro_Ctrl::LoadResourceEvents(std::string_view Revxml) {
    EntryCounter::Scope entry(parts_->Entries);
    parts_->Loading.LoadResourceEvents(Revxml);
}

// ---- Bar keys ----

void Tessaro_Ctrl::AssembleKeyID(std::string& szKeyId, const std::string& wonumber,
                                 int16_t SubActivityPosition, int16_t SubActivityCount) {
    tessaro::AssembleKeyID(szKeyId, wonumber, SubActivityPosition, SubActivityCount);
}
void Tessaro_Ctrl::DisAssembleKeyID(const std::string& szKeyId, std::string& wonumber,
                                    int16_t& SubActivityPosition, int16_t& SubActivityCount) {
    tessaro::DisAssembleKeyID(szKeyId, wonumber, SubActivityPosition, SubActivityCount);
}
std::string Tessaro_Ctrl::SetBarKeyId(std::string& BarID) {
    return parts_->Keys.SetBarKeyId(BarID);
}

// ---- Selection, conflicts and the temporary bar ----

void Tessaro_Ctrl::BarSelection(int16_t nIndex, int16_t nBar, bool /*SelectionState*/) {
    parts_->Selection.BarSelection(nIndex, nBar);
}
void Tessaro_Ctrl::SelectWorkOrderFirstSubActivity(std::string wonumber) {
    parts_->Selection.SelectWorkOrderFirstSubActivity(wonumber);
}
void Tessaro_Ctrl::TempBarCreation(int16_t ItemID, int16_t BarID) {
    parts_->Rescheduling.TempBarCreation(ItemID, BarID);
}
std::string Tessaro_Ctrl::ConflictTimeBars(int16_t& ItemID, int16_t& BarID) {
    return parts_->Conflicts.Search(ItemID, BarID, false);
}
std::string Tessaro_Ctrl::CheckConflictTest(int16_t& ItemID, int16_t& BarID) {
    return parts_->Conflicts.Search(ItemID, BarID, true);
}

// ---- The change set, undo and redo ----

XmlDocument Tessaro_Ctrl::rescheduling() {
    return parts_->Rescheduling.rescheduling();
}
std::optional<LoadedPlacement> Tessaro_Ctrl::LoadedPlacementOf(std::string_view workOrder,
                                                               int32_t activity) const {
    return parts_->Rescheduling.LoadedPlacementOf(workOrder, activity);
}
bool Tessaro_Ctrl::CanUndo() const {
    return parts_->Rescheduling.CanUndo();
}
bool Tessaro_Ctrl::CanRedo() const {
    return parts_->Rescheduling.CanRedo();
}
void Tessaro_Ctrl::Undo() {
    parts_->Rescheduling.Undo();
}
void Tessaro_Ctrl::Redo() {
    parts_->Rescheduling.Redo();
}

// ---- Events for hosts ----

Observable<int>& Tessaro_Ctrl::PendingChangesChanged() {
    return parts_->Events.PendingChangesChanged;
}
Observable<const std::string&>& Tessaro_Ctrl::SelectedWorkOrderChanged() {
    return parts_->Events.SelectedWorkOrderChanged;
}
Observable<bool>& Tessaro_Ctrl::UndoAvailableChanged() {
    return parts_->Events.UndoAvailableChanged;
}
Observable<bool>& Tessaro_Ctrl::RedoAvailableChanged() {
    return parts_->Events.RedoAvailableChanged;
}

// ---- Handlers ----

void Tessaro_Ctrl::ToolButtonClicked(int16_t position) {
    parts_->Surface.ToolButtonClicked(position);
}
void Tessaro_Ctrl::BarChanging(int16_t row, int16_t bar, int16_t mode) {
    parts_->Rescheduling.BarChanging(row, bar, mode);
}
void Tessaro_Ctrl::BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) {
    parts_->Rescheduling.BarRowChanging(sourceRow, bar, targetRow);
}
void Tessaro_Ctrl::BarChanged(int16_t row, int16_t bar) {
    parts_->Rescheduling.BarChanged(row, bar);
}
void Tessaro_Ctrl::BarClick(int16_t row, int16_t bar) {
    parts_->Rescheduling.BarClick(row, bar);
}
void Tessaro_Ctrl::BarSelected(int16_t row, int16_t bar) {
    parts_->BarSelected(row, bar);
}
void Tessaro_Ctrl::BarChosen(int16_t row, int16_t bar) {
    parts_->BarChosen(row, bar);
}
void Tessaro_Ctrl::BarRightClick(int16_t row, int16_t bar) {
    parts_->Rescheduling.BarRightClick(row, bar);
}
void Tessaro_Ctrl::BarHovered(int16_t row, int16_t bar) {
    parts_->Details.BarHovered(row, bar);
}
void Tessaro_Ctrl::BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) {
    parts_->Rescheduling.BarRemoveRequest(row, bar, confirmed);
}
void Tessaro_Ctrl::GestureFlagsSet() {
    parts_->Rescheduling.GestureFlagsSet();
}
void Tessaro_Ctrl::miCopy_Click() {
    parts_->Rescheduling.Copy();
}
void Tessaro_Ctrl::miRefresh_Click() {
    parts_->Refresh();
}
void Tessaro_Ctrl::miPack_Click() {
    parts_->Rescheduling.Pack();
}
void Tessaro_Ctrl::miFwdSch_Click() {
    parts_->Rescheduling.Paste("F");
}
void Tessaro_Ctrl::miBackSch_Click() {
    parts_->Rescheduling.Paste("B");
}
void Tessaro_Ctrl::miIgnore_Click() {
    parts_->Rescheduling.Ignore();
}
void Tessaro_Ctrl::lstConflictWorkOrders_DblClick() {
    parts_->Conflicts.EntryDoubleClicked();
}
void Tessaro_Ctrl::GridCellClicked(int32_t column, int32_t row) {
    parts_->Details.GridCellClicked(column, row);
}

}  // namespace tessaro
