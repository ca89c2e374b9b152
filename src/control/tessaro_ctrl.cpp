#include <tessaro/control/tessaro_ctrl.hpp>

#include <utility>

#include <tessaro/runtime/automation_error.hpp>
#include "bars/bar_key.hpp"
#include "control/control_parts.hpp"
#include "loading/typed_payloads.hpp"

namespace tessaro {

// Every method hands the call to the part that owns what it reads or changes, through
// OwnedParts, which checks in Debug builds that the call comes from the control's own thread.

Tessaro_Ctrl::Tessaro_Ctrl() : parts_(std::make_unique<ControlParts>()) {}

// Going away is a use too: a control destroyed by another thread races with its owner.
Tessaro_Ctrl::~Tessaro_Ctrl() {
    OwnedParts(parts_);
}

void Tessaro_Ctrl::CreateWOTimeBarStyles() {
    OwnedParts(parts_).Look.CreateWOTimeBarStyles();
}

// ---- Payloads ----
// A load is one entry: views hear the chart it leaves, and hosts its events, once it is done.

void Tessaro_Ctrl::LoadScheduleTime(std::string_view Hdrxml) {
    ControlParts& parts = OwnedParts(parts_);
    EntryCounter::Scope entry(parts.Entries);
    parts.Loading.LoadScheduleTime(Hdrxml);
}
void Tessaro_Ctrl::LoadResource(std::string_view Resxml) {
    ControlParts& parts = OwnedParts(parts_);
    EntryCounter::Scope entry(parts.Entries);
    parts.Loading.LoadResource(Resxml);
}
void Tessaro_Ctrl::LoadCalendarEvents(std::string_view Calxml) {
    ControlParts& parts = OwnedParts(parts_);
    EntryCounter::Scope entry(parts.Entries);
    parts.Loading.LoadCalendarEvents(Calxml);
}
void Tessaro_Ctrl::LoadResourceEvents(std::string_view Revxml) {
    ControlParts& parts = OwnedParts(parts_);
    EntryCounter::Scope entry(parts.Entries);
    parts.Loading.LoadResourceEvents(Revxml);
}

// ---- Bar keys ----

void Tessaro_Ctrl::AssembleKeyID(std::string& szKeyId, const std::string& wonumber,
                                 int16_t SubActivityPosition, int16_t SubActivityCount) {
    OwnedParts(parts_);
    tessaro::AssembleKeyID(szKeyId, wonumber, SubActivityPosition, SubActivityCount);
}
void Tessaro_Ctrl::DisAssembleKeyID(const std::string& szKeyId, std::string& wonumber,
                                    int16_t& SubActivityPosition, int16_t& SubActivityCount) {
    OwnedParts(parts_);
    tessaro::DisAssembleKeyID(szKeyId, wonumber, SubActivityPosition, SubActivityCount);
}
std::string Tessaro_Ctrl::SetBarKeyId(std::string& BarID) {
    return OwnedParts(parts_).Keys.SetBarKeyId(BarID);
}

// ---- Selection, conflicts and the temporary bar ----

void Tessaro_Ctrl::BarSelection(int16_t nIndex, int16_t nBar, bool /*SelectionState*/) {
    OwnedParts(parts_).Selection.BarSelection(nIndex, nBar);
}
void Tessaro_Ctrl::SelectWorkOrderFirstSubActivity(std::string wonumber) {
    OwnedParts(parts_).Selection.SelectWorkOrderFirstSubActivity(wonumber);
}
void Tessaro_Ctrl::TempBarCreation(int16_t ItemID, int16_t BarID) {
    OwnedParts(parts_).Rescheduling.TempBarCreation(ItemID, BarID);
}
std::string Tessaro_Ctrl::ConflictTimeBars(int16_t& ItemID, int16_t& BarID) {
    return OwnedParts(parts_).Conflicts.Search(ItemID, BarID, false);
}
std::string Tessaro_Ctrl::CheckConflictTest(int16_t& ItemID, int16_t& BarID) {
    return OwnedParts(parts_).Conflicts.Search(ItemID, BarID, true);
}

// ---- The change set, undo and redo ----

XmlDocument Tessaro_Ctrl::rescheduling() {
    return OwnedParts(parts_).Rescheduling.rescheduling();
}
std::optional<LoadedPlacement> Tessaro_Ctrl::LoadedPlacementOf(std::string_view workOrder,
                                                               int32_t activity) const {
    return OwnedParts(parts_).Rescheduling.LoadedPlacementOf(workOrder, activity);
}
bool Tessaro_Ctrl::CanUndo() const {
    return OwnedParts(parts_).Rescheduling.CanUndo();
}
bool Tessaro_Ctrl::CanRedo() const {
    return OwnedParts(parts_).Rescheduling.CanRedo();
}
void Tessaro_Ctrl::Undo() {
    OwnedParts(parts_).Rescheduling.Undo();
}
void Tessaro_Ctrl::Redo() {
    OwnedParts(parts_).Rescheduling.Redo();
}

// ---- Events for hosts ----

Observable<int>& Tessaro_Ctrl::PendingChangesChanged() {
    return OwnedParts(parts_).Events.PendingChangesChanged;
}
Observable<const std::string&>& Tessaro_Ctrl::SelectedWorkOrderChanged() {
    return OwnedParts(parts_).Events.SelectedWorkOrderChanged;
}
Observable<bool>& Tessaro_Ctrl::UndoAvailableChanged() {
    return OwnedParts(parts_).Events.UndoAvailableChanged;
}
Observable<bool>& Tessaro_Ctrl::RedoAvailableChanged() {
    return OwnedParts(parts_).Events.RedoAvailableChanged;
}

// ---- The plan in typed values ----

void Tessaro_Ctrl::LoadPlanHeader(const PlanHeader& header) {
    LoadScheduleTime(HeaderPayload(header));
}

void Tessaro_Ctrl::LoadResources(std::span<const PlanResource> resources) {
    LoadResource(ResourcesPayload(resources));
}

void Tessaro_Ctrl::LoadCalendars(std::span<const CalendarEntry> entries) {
    LoadCalendarEvents(CalendarsPayload(entries));
}

void Tessaro_Ctrl::LoadSubActivities(std::span<const PlannedSubActivity> subActivities) {
    LoadResourceEvents(SubActivitiesPayload(subActivities));
}

namespace {

std::vector<ActivityId> ActivitiesOf(std::span<const PlannedSubActivity> subActivities) {
    std::vector<ActivityId> activities;
    for (const PlannedSubActivity& s : subActivities) {
        activities.push_back({s.WorkOrder, s.Activity});
    }
    return activities;
}

}  // namespace

void Tessaro_Ctrl::AddSubActivities(std::span<const PlannedSubActivity> subActivities) {
    OwnedParts(parts_).AddSubActivities(SubActivitiesPayload(subActivities),
                                        ActivitiesOf(subActivities));
}

void Tessaro_Ctrl::RemoveActivity(const ActivityKey& activity) {
    OwnedParts(parts_).RemoveActivity({activity.WorkOrder, activity.Activity});
}

void Tessaro_Ctrl::UpdateActivity(const ActivityKey& activity,
                                  std::span<const PlannedSubActivity> subActivities) {
    ControlParts& parts = OwnedParts(parts_);
    for (const PlannedSubActivity& s : subActivities) {
        if (s.WorkOrder != activity.WorkOrder || s.Activity != activity.Activity) {
            RaiseRuntimeError(RuntimeError::InvalidProcedureCall,
                              "A sub-activity of " + s.WorkOrder + ", activity " +
                                  std::to_string(s.Activity) + " cannot update " +
                                  activity.WorkOrder + ", activity " +
                                  std::to_string(activity.Activity) + ".");
        }
    }
    const std::string payload = SubActivitiesPayload(subActivities);
    // The new pieces are read on a control of the same rows first, so a refused update never
    // gets as far as taking the old ones away.
    if (!subActivities.empty()) {
        Tessaro_Ctrl trial;
        trial.LoadResource(parts.Surface.Box1.Text());
        trial.LoadResourceEvents(payload);
    }
    EntryCounter::Scope entry(parts.Entries);
    parts.RemoveActivity({activity.WorkOrder, activity.Activity});
    if (!subActivities.empty()) {
        parts.AddSubActivities(payload, ActivitiesOf(subActivities));
    }
}

void Tessaro_Ctrl::SetChangeVeto(ChangeVeto veto) {
    OwnedParts(parts_).Rescheduling.SetChangeVeto(std::move(veto));
}

Observable<const std::string&>& Tessaro_Ctrl::ChangeRefused() {
    return OwnedParts(parts_).Events.ChangeRefused;
}

std::vector<ActivityChange> Tessaro_Ctrl::Changes() const {
    return OwnedParts(parts_).Rescheduling.Changes();
}

std::string Tessaro_Ctrl::ChangesXml() {
    return OwnedParts(parts_).Rescheduling.rescheduling().Xml();
}

void Tessaro_Ctrl::AcceptChanges() {
    OwnedParts(parts_).Rescheduling.AcceptChanges();
}

// ---- Handlers ----

void Tessaro_Ctrl::ToolButtonClicked(int16_t position) {
    OwnedParts(parts_).Surface.ToolButtonClicked(position);
}
void Tessaro_Ctrl::BarChanging(int16_t row, int16_t bar, int16_t mode) {
    OwnedParts(parts_).Rescheduling.BarChanging(row, bar, mode);
}
void Tessaro_Ctrl::BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) {
    OwnedParts(parts_).Rescheduling.BarRowChanging(sourceRow, bar, targetRow);
}
void Tessaro_Ctrl::BarChanged(int16_t row, int16_t bar) {
    OwnedParts(parts_).Rescheduling.BarChanged(row, bar);
}
void Tessaro_Ctrl::BarClick(int16_t row, int16_t bar) {
    OwnedParts(parts_).Rescheduling.BarClick(row, bar);
}
void Tessaro_Ctrl::BarSelected(int16_t row, int16_t bar) {
    OwnedParts(parts_).BarSelected(row, bar);
}
void Tessaro_Ctrl::BarChosen(int16_t row, int16_t bar) {
    OwnedParts(parts_).BarChosen(row, bar);
}
void Tessaro_Ctrl::BarRightClick(int16_t row, int16_t bar) {
    OwnedParts(parts_).Rescheduling.BarRightClick(row, bar);
}
void Tessaro_Ctrl::BarHovered(int16_t row, int16_t bar) {
    OwnedParts(parts_).Details.BarHovered(row, bar);
}
void Tessaro_Ctrl::BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) {
    OwnedParts(parts_).Rescheduling.BarRemoveRequest(row, bar, confirmed);
}
void Tessaro_Ctrl::GestureFlagsSet() {
    OwnedParts(parts_).Rescheduling.GestureFlagsSet();
}
void Tessaro_Ctrl::miCopy_Click() {
    OwnedParts(parts_).Rescheduling.Copy();
}
void Tessaro_Ctrl::miRefresh_Click() {
    OwnedParts(parts_).Refresh();
}
void Tessaro_Ctrl::miPack_Click() {
    OwnedParts(parts_).Rescheduling.Pack();
}
void Tessaro_Ctrl::miFwdSch_Click() {
    OwnedParts(parts_).Rescheduling.Paste("F");
}
void Tessaro_Ctrl::miBackSch_Click() {
    OwnedParts(parts_).Rescheduling.Paste("B");
}
void Tessaro_Ctrl::miIgnore_Click() {
    OwnedParts(parts_).Rescheduling.Ignore();
}
void Tessaro_Ctrl::lstConflictWorkOrders_DblClick() {
    OwnedParts(parts_).Conflicts.EntryDoubleClicked();
}
void Tessaro_Ctrl::GridCellClicked(int32_t column, int32_t row) {
    OwnedParts(parts_).Details.GridCellClicked(column, row);
}

}  // namespace tessaro
