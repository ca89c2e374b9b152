#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <tessaro/bars/look_tables.hpp>
#include <tessaro/bars/work_order_span.hpp>
#include <tessaro/components/combo_box.hpp>
#include <tessaro/components/list_box.hpp>
#include <tessaro/components/list_grid.hpp>
#include <tessaro/components/observable.hpp>
#include <tessaro/components/popup_menu.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/components/text_box.hpp>
#include <tessaro/components/text_store.hpp>
#include <tessaro/components/toolbar.hpp>
#include <tessaro/export.hpp>
#include <tessaro/loading/plan_input.hpp>
#include <tessaro/plan/plan_activity.hpp>
#include <tessaro/plan/plan_conflicts.hpp>
#include <tessaro/rescheduling/pending_changes.hpp>
#include <tessaro/rescheduling/plan_changes.hpp>
#include <tessaro/rescheduling/xml_document.hpp>
#include <tessaro/runtime/calendar.hpp>

namespace tessaro {

class ControlParts;

// The production-schedule chart control. Construction lays out the design-time surface and runs
// the start-up; a failure there raises the AutomationError as the control's creation error.
// Automation booleans held by the control are 16-bit: true is -1, false 0.
//
// Threads: a control belongs to the thread that created it. Call its methods, and use the
// components and events it hands out, from that thread only, and destroy it there; several
// controls, each on its own thread, are fine. In Debug builds (NDEBUG not defined) a method called
// from another thread fails an assertion ("Tessaro_Ctrl used from a thread other than the one
// that created it"); release builds do not check.
class TESSARO_EXPORT Tessaro_Ctrl {
public:
    Tessaro_Ctrl();
    ~Tessaro_Ctrl();
    Tessaro_Ctrl(const Tessaro_Ctrl&) = delete;
    Tessaro_Ctrl& operator=(const Tessaro_Ctrl&) = delete;

    // ---- Public methods ----
    // Creates twelve further work-order bar styles and points the style tables at them; the old
    // styles stay in the chart and bars keep the style numbers they were given.
    void CreateWOTimeBarStyles();

    // Payloads: each loader first keeps the text in its store (Box3, Box1, Box4, Box2), then
    // reads every record, and only then changes the chart, so a payload that fails raises its
    // error and leaves the window, rows and bars as they were. A payload is UTF-8 text with one
    // root element; a document type, text outside the root, a NUL byte, bytes that are not UTF-8
    // and a record value referring to an entity other than the five XML predefines (or to NUL)
    // raise 5.

    // The first record's fromtimeperiod and totimeperiod become WindowStart, WindowEnd and the
    // chart's range, all together or not at all.
    void LoadScheduleTime(std::string_view Hdrxml);
    // Replaces every row (and with them every bar, the changes made to them and a pending copy)
    // by one row "resno;shortdesc" per resource. More than 32767 resources raise overflow (6).
    void LoadResource(std::string_view Resxml);
    // Adds one light-red calendar bar per entry whose resno names a row; entries of other
    // resources are skipped. The calendar style of the previous call is reused while it keeps
    // its look; otherwise a new one is added.
    void LoadCalendarEvents(std::string_view Calxml);
    // Adds one work-order bar per sub-activity whose resno names a row, positions counted by row
    // first, then payload order; records of other resources are skipped. Only adds: bars already
    // on the chart stay. A work-order number holding "$" raises 5.
    void LoadResourceEvents(std::string_view Revxml);

    // Bar keys ("number$position$count").
    // Raises BarKeyBlankError and leaves szKeyId unchanged when the number is blank.
    void AssembleKeyID(std::string& szKeyId, const std::string& wonumber,
                       int16_t SubActivityPosition, int16_t SubActivityCount);
    // A blank key or one without "$" changes nothing; a key with one "$" raises 5 after setting
    // the number; parts that are not 16-bit numbers raise 13 or 6 after the earlier outputs.
    void DisAssembleKeyID(const std::string& szKeyId, std::string& wonumber,
                          int16_t& SubActivityPosition, int16_t& SubActivityCount);
    // Rewrites the count part with the registered count of the key's work order and returns the
    // new key (also left in BarID); raises 5 when the registry holds no such work order.
    std::string SetBarKeyId(std::string& BarID);

    // Work-order selection.
    // Highlights every work-order bar of the bar's work order, on every row, with the selected
    // form of its colour and style; SelectionState is not read. A bar whose key names no work
    // order highlights nothing; SelectedBarKey takes the bar's key in every case.
    void BarSelection(int16_t nIndex, int16_t nBar, bool SelectionState);
    // Takes the highlight off the previously selected work order when it is another one, then
    // selects the work order's first sub-activity; for a work order without bars it only takes
    // the highlight off. A blank number raises BarKeyBlankError before anything changes.
    void SelectWorkOrderFirstSubActivity(std::string wonumber);

    // Conflicts and the temporary bar.
    // Lays the temporary bar over the span of the bar's activity on its row (every work-order
    // bar with the same work order and schedule number) and makes that activity the one a drag
    // or paste of the temporary bar moves; an earlier temporary bar goes, ending its copy.
    void TempBarCreation(int16_t ItemID, int16_t BarID);
    // Lists in lstConflictWorkOrders the bar's own activity and every other activity whose
    // work-order bars on the row overlap a bar of the bar's work order; returns the bar's key
    // when there is no conflict (the lists are then emptied), "" otherwise. BarID returns the
    // index of the last bar searched.
    std::string ConflictTimeBars(int16_t& ItemID, int16_t& BarID);
    // As ConflictTimeBars, searching only from the bars of the bar's own activity and leaving
    // both lists empty.
    std::string CheckConflictTest(int16_t& ItemID, int16_t& BarID);

    // The changes made so far: a Saveres document with one Rescheduleinfo element per changed
    // activity, in the order the activities were last changed. The control keeps the last one.
    // Whenever no copy is pending, each record gives the earliest start and latest end of its
    // activity's bars on the chart, and a resource change exactly when they sit on another row
    // than the activity was loaded on.
    XmlDocument rescheduling();
    // Where a changed activity stood when it was loaded; nullopt for an activity without a
    // change record.
    std::optional<LoadedPlacement> LoadedPlacementOf(std::string_view workOrder,
                                                     int32_t activity) const;

    // ---- Undo and redo ----
    // One step takes back one planner command (an applied drag of the temporary bar, a paste, a
    // whole Pack): the activities' bars, pieces included, go back to their rows with their keys,
    // records and look, and the change records with them; a pending copy ends first. A new
    // command drops what could be redone; Refresh and every load start a fresh history. With
    // nothing to undo (or redo) they do nothing.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();

    // ---- Events for hosts ----
    // Each is raised at most once per gesture, menu command, grid or list click, load, selection
    // call, undo or redo, after it, when what it reports changed: the number of change records;
    // the selected work order ("" when none); whether there is something to undo or redo.
    Observable<int>& PendingChangesChanged();
    Observable<const std::string&>& SelectedWorkOrderChanged();
    Observable<bool>& UndoAvailableChanged();
    Observable<bool>& RedoAvailableChanged();

    // ---- The plan in typed values ----
    // The four payloads as values: each load follows the rules, errors and all-or-nothing
    // promise of its XML load (LoadScheduleTime, LoadResource, LoadCalendarEvents,
    // LoadResourceEvents), and keeps the equivalent XML text in its store for Refresh.
    void LoadPlanHeader(const PlanHeader& header);
    void LoadResources(std::span<const PlanResource> resources);
    void LoadCalendars(std::span<const CalendarEntry> entries);
    void LoadSubActivities(std::span<const PlannedSubActivity> subActivities);
    // One activity or a few, without a reload. Adding loads the sub-activities as
    // LoadSubActivities does (same rules and errors, nothing changed by a refusal) but keeps the
    // undo history of the other activities; the kept work-order payload gains them, so Refresh
    // reloads them. Removing takes every bar of the activity off the chart with its pending change
    // and its undo history, and its records out of the kept payload; an activity the plan does
    // not hold changes nothing. Updating replaces the activity by the given sub-activities, all of
    // which must belong to it (else 5); a refused update leaves the activity as it was. Each
    // ends a pending copy.
    void AddSubActivities(std::span<const PlannedSubActivity> subActivities);
    void RemoveActivity(const ActivityKey& activity);
    void UpdateActivity(const ActivityKey& activity,
                        std::span<const PlannedSubActivity> subActivities);
    // Asked before the drop of a copy, a paste or a Pack changes anything (undo and redo are not
    // asked); a reason refuses the command, which then changes nothing: a refused drop puts the
    // copy back where the drag found it, still pending. An empty veto lets everything happen.
    void SetChangeVeto(ChangeVeto veto);
    // Raised once after a command the veto refused, with the host's reason.
    Observable<const std::string&>& ChangeRefused();
    // The pending changes, one per changed activity in the order of rescheduling(), as typed
    // values: where the activity was loaded and where it is now, on which resource, and how.
    std::vector<ActivityChange> Changes() const;
    // The changes as the text of rescheduling()'s document.
    std::string ChangesXml();
    // After the host saved the changes: the plan as it stands becomes the one changes are measured
    // from. No change is pending, the undo history is empty and a pending copy ends; the payload
    // stores keep the texts the host gave, so Refresh still reloads those.
    void AcceptChanges();
    // The activity as the chart holds it now; nullopt when no work-order bar carries it.
    std::optional<PlanActivity> Activity(const ActivityKey& activity) const;
    // The schedule numbers of the work order's activities on the chart, in the order they run.
    std::vector<int32_t> WorkOrderActivities(std::string_view workOrder) const;
    // Every conflict of the plan: overlapping work-order bars of a resource, a work order's
    // activities out of the order of their schedule numbers, work-order bars in calendar blocks.
    // They come row by row; on a row its calendar blocks and overlaps, then the precedence
    // conflicts named by a bar of it (the later activity's earliest bar), by work order. The
    // control keeps them up to date as the chart changes: asking after a drop reads again only
    // the rows it changed and their work orders; after a load or Refresh the first question
    // reads the whole chart.
    std::vector<PlanConflict> PlanConflicts() const;
    // The conflicts whose Row lies in [firstRow, lastRow], in the order above: what a view needs
    // of the rows in sight, at the cost of those rows and of what changed since the last question.
    std::vector<PlanConflict> PlanConflictsOfRows(int16_t firstRow, int16_t lastRow) const;
    // What dropping the pending copy with its start at that time on that row would do (new
    // overlaps, precedence conflicts, minutes in calendar blocks, the work order's end against
    // its required date, the host's veto), without changing anything; not valid without a copy.
    DropPreview PreviewCopyDrop(int Row, PlanTime start) const;
    // The activities the planner picked together (Ctrl+click, a rubber band): a Copy of a bar of
    // one of them copies them all, and a drop of that copy moves every one by the same time and
    // the same number of rows, as one command with one record each. Repeats are kept once.
    void SetPickedActivities(const std::vector<ActivityKey>& activities);
    std::vector<ActivityKey> PickedActivities() const;
    // The temporary bars of the activities copied with the dragged one, as (row, bar).
    std::vector<std::pair<int, int>> CompanionCopyBars() const;

    // ---- Handlers (public so hosts and tests drive the control exactly as the widgets do) ----
    // Positions 1 to 4 are the toolbar's buttons; any other position does nothing. A height or
    // scale outside 16 bits raises overflow (6) and leaves the property unwritten.
    void ToolButtonClicked(int16_t position);

    // Chart notifications. Handlers of a bar whose key or record leads nowhere skip what needs
    // it and raise nothing. A planner's drag of a work-order or calendar bar, or of an edge of
    // one, is refused (the bar goes back): only the temporary bar of a Copy moves an activity,
    // and only Pack moves work-order bars directly. A removal is refused for work-order and
    // calendar bars; the removal of the temporary bar ends the copy as Ignore does.
    void BarChanging(int16_t row, int16_t bar, int16_t mode);
    void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow);
    void BarChanged(int16_t row, int16_t bar);
    void BarClick(int16_t row, int16_t bar);
    void BarSelected(int16_t row, int16_t bar);
    void BarChosen(int16_t row, int16_t bar);
    void BarRightClick(int16_t row, int16_t bar);
    void BarHovered(int16_t row, int16_t bar);
    void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed);
    void GestureFlagsSet();

    // Pop-up menu commands.
    void miCopy_Click();
    void miRefresh_Click();
    void miPack_Click();
    void miFwdSch_Click();
    void miBackSch_Click();
    void miIgnore_Click();

    // Conflict list and work-order grid.
    void lstConflictWorkOrders_DblClick();
    void GridCellClicked(int32_t column, int32_t row);

    // ---- Hosted components and surface elements ----
    ScheduleChart& ctResSched();
    const ScheduleChart& ctResSched() const;
    ListGrid& vaSpread();
    const ListGrid& vaSpread() const;
    Toolbar& ctToolBar1();
    ListBox& lstConflictWorkOrders();
    ListBox& lstConflictHidden();
    ComboBox& CmbConflictTB();
    PopupMenu& mnuSchedPopUp();
    PopupMenu& mnuDrag();
    TextStore& Box1();
    TextStore& Box2();
    TextStore& Box3();
    TextStore& Box4();
    TextBox& TxtWONo();
    TextBox& TxtWOStatus();
    TextBox& TxtOrdNo();
    TextBox& TxtCustNo();
    TextBox& TxtReqDt();
    TextBox& TxtPromisedDt();
    TextBox& TxtItemNo();
    TextBox& TxtActStartDate();
    TextBox& TxtactEndDate();
    TextBox& TxtWOStTime();
    TextBox& TxtWOEndTime();
    TextBox& TxtWOAct();
    // Returns nullptr for a name that is not one of the twelve detail text boxes.
    TextBox* DetailTextBox(const std::string& name);

    // ---- Control state ----
    int16_t SavedChartHeight() const;
    int16_t SavedGridHeight() const;
    const DateTime& WindowStart() const;
    const DateTime& WindowEnd() const;
    const std::string& ResChangeFlag() const;
    int16_t MovePending() const;
    int16_t TempBarActive() const;
    int16_t PasteArmed() const;
    int16_t ResizePending() const;
    int16_t PackInProgress() const;
    const PendingChangeMap& PendingChanges() const;
    const std::string& SelectedBarKey() const;
    const std::string& ClickedBarKey() const;
    const std::string& TempBarKey() const;
    int16_t TempBarItem() const;
    int16_t SourceItem() const;
    int16_t SourceBarIndex() const;
    const tessaro::WorkOrderSpan& WorkOrderSpan() const;
    const std::string& LastChangeKey() const;
    const std::string& PasteMethod() const;
    const std::string& NewResource() const;
    const std::string& OldResource() const;
    const ColourTable& NormalBarColours() const;
    const ColourTable& SelectedBarColours() const;
    const StyleTable& NormalBarStyles() const;
    const StyleTable& SelectedBarStyles() const;

private:
    // Everything the control holds lives behind this one pointer, so the layout of the control's
    // state is no part of the interface a host compiles against.
    std::unique_ptr<ControlParts> parts_;
};

}  // namespace tessaro
