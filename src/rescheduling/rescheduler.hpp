#pragma once

// The planner's commands that change the plan: Copy and the temporary bar, its drag and drop,
// the pastes, Ignore, Pack, undo and redo. It owns the move gesture, the change journal the host
// gets its changes from, and the history of commands.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <tessaro/components/popup_menu.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/plan/plan_conflicts.hpp>
#include <tessaro/rescheduling/plan_changes.hpp>
#include <tessaro/rescheduling/xml_document.hpp>

#include "bars/work_order_keys.hpp"
#include "bars/work_order_look.hpp"
#include "plan/plan_model.hpp"
#include "plan/work_order_selection.hpp"
#include "rescheduling/change_journal.hpp"
#include "rescheduling/move_gesture.hpp"
#include "rescheduling/undo_history.hpp"
#include "runtime/entry_counter.hpp"

namespace tessaro {

// The components and parts the commands work on.
struct ReschedulingSurface {
    ScheduleChart& Chart;
    // The plan the chart holds, as activities.
    const PlanModel& Plan;
    PopupMenu& SchedulePopUp;
    PopupMenu& DragPopUp;
    WorkOrderLook& Look;
    WorkOrderSelection& Selection;
    WorkOrderKeys& Keys;
    EntryCounter& Entries;
};

// An activity copied with the one whose temporary bar the planner drags: it has a temporary bar
// of its own over its span on its row, and a drop moves it by as much as that copy moves.
struct CompanionCopy {
    CopiedActivity Copy;
    int16_t SourceRow = 0;
    tessaro::WorkOrderSpan Span;
};

// The colour of every temporary bar a Copy lays down: RGB(150, 250, 150).
inline constexpr int32_t kTemporaryBarColour = 9894550;

// Where a drop puts a companion copy.
struct CompanionDrop {
    const CompanionCopy* Companion = nullptr;
    int16_t Row = 0;
    ChartTime Start;
    ChartTime End;
};

// A piece of an activity and where it is to go.
struct PieceMove {
    BarHandle Piece;
    ChartBar Bar;
};

class Rescheduler {
    friend class Command;

public:
    explicit Rescheduler(ReschedulingSurface surface);

    // The gesture flags the control starts with.
    void Start();

    // ---- Chart notifications ----
    // A drag of a work-order or calendar bar, or of an edge of one, goes back: only the
    // temporary bar of a Copy moves an activity, and only Pack moves work-order bars directly.
    void BarChanging(int16_t row, int16_t bar, int16_t mode);
    void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow);
    void BarChanged(int16_t row, int16_t bar);
    void BarClick(int16_t row, int16_t bar);
    void BarRightClick(int16_t row, int16_t bar);
    // Work-order and calendar bars are never removed; the temporary bar's removal is Ignore.
    void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed);
    void GestureFlagsSet();
    // A click that selects or chooses a work-order bar ends an armed paste or move (a resize
    // lasts no longer than its drag).
    void Disarm();
    // The row change of a drop ends (a bar was chosen).
    void EndRowChange() { gesture_.EndRowChange(); }

    // ---- Commands ----
    void Copy();
    // Lays the temporary bar over the span of the bar's activity on its row; an earlier
    // temporary bar goes, ending its copy.
    void TempBarCreation(int16_t row, int16_t bar);
    // "F" or "B": the copied activity ends where the right-clicked bar ends.
    void Paste(const char* method);
    void Ignore();
    void Pack();
    // ---- Several activities ----
    // The activities the planner picked: a Copy of one of them copies the others with it, and
    // a drop of its temporary bar moves them all as one command. Pack, paste and Ignore keep to
    // the one activity whose temporary bar they act on.
    void SetPickedActivities(std::vector<ActivityId> picked);
    const std::vector<ActivityId>& PickedActivities() const { return picked_; }
    const std::vector<CompanionCopy>& Companions() const { return companions_; }
    // Where a drop of the temporary bar on the row at that start would put each companion: the
    // same time later or earlier, and as many rows further (kept within the chart's rows).
    std::vector<CompanionDrop> CompanionDrops(int16_t row, ChartTime start) const;
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    void Undo();
    void Redo();

    // ---- What loads end ----
    // The rows went, and with them the temporary bar and every changed bar.
    void AfterRowsLoaded();
    // New bars may belong to a changed activity: each record is made again.
    void AfterBarsLoaded();
    void AfterOtherLoad();

    // Everything a Refresh must be able to put back.
    struct SetAside {
        MoveGesture Gesture;
        ChangeJournal Journal;
        UndoHistory History;
    };
    SetAside TakeForReload();
    void PutBack(SetAside kept);

    // ---- A host's own edits of the plan ----
    // Takes every bar of the activity off the chart, with its record and its place in the undo
    // history; a pending copy ends first.
    void RemoveActivity(const ActivityId& activity);
    // A load is about to add sub-activities: the history is kept aside from the load, which would
    // end it, and comes back without the activities the load gave pieces.
    UndoHistory TakeHistory() { return std::exchange(history_, UndoHistory()); }
    void PutBackHistory(UndoHistory history, const std::vector<ActivityId>& added);

    // ---- The host's say ----
    // Asked before a drop of the copy, a paste or a Pack changes anything; a reason refuses.
    void SetChangeVeto(ChangeVeto veto);
    bool HasVeto() const { return static_cast<bool>(veto_); }
    struct Refusal {
        std::string Reason;
        // Grows with every refusal.
        uint64_t Count = 0;
    };
    const Refusal& LastRefusal() const { return refusal_; }

    // ---- The change set ----
    XmlDocument rescheduling();
    // The pending changes as typed values, in the document's order.
    std::vector<ActivityChange> Changes() const;
    // The host saved the changes: the plan as it stands becomes the loaded one.
    void AcceptChanges();
    std::optional<LoadedPlacement> LoadedPlacementOf(std::string_view workOrder,
                                                     int32_t activity) const;
    // What dropping the pending copy with its start there would do; not valid without a copy.
    DropPreview PreviewCopyDrop(int16_t row, ChartTime start) const;
    const MoveGesture& Gesture() const { return gesture_; }
    const ChangeJournal& Journal() const { return journal_; }

private:
    // A drop moves the companion copies too; a paste does not.
    void ApplyTemporaryBarMove(bool withCompanions = true);
    // Replaces every bar of the copied activity by one bar at these times on the row.
    void RebuildMovedActivity(int16_t row, ChartTime start, ChartTime end);
    // The same for any copied activity, whose span on sourceRow was copied.
    void RebuildActivity(const CopiedActivity& copy, int16_t sourceRow,
                         const tessaro::WorkOrderSpan& copied, int16_t row, ChartTime start,
                         ChartTime end);
    void RemoveTemporaryBar();
    // The span a copy of the bar (of the record) covers: every work-order bar of its row with the
    // same work order and schedule number, the bar included, gaps and other bars between them
    // too.
    tessaro::WorkOrderSpan CopiedSpan(int16_t row, const ChartBar& from,
                                      const BarRecord& record) const;
    // Copies the picked activities other than the one just copied, each with a temporary bar.
    void AddCompanions();
    void RemoveCompanions();
    // A copied activity's move as the host's veto is asked about it.
    ProposedChange::Move CopyMove(const CopiedActivity& copy, int16_t sourceRow,
                                  const tessaro::WorkOrderSpan& span, int16_t targetRow,
                                  ChartTime start, ChartTime end) const;
    // The companions' moves for the host's veto of a drop.
    void AppendCompanionMoves(ProposedChange& change, int16_t row, ChartTime start) const;
    // An activity moves as a whole: the pieces it has on other rows than the one a gesture moves
    // follow by the same time, on their own rows or onto the row a copy was dropped on.
    std::vector<BarHandle> PiecesElsewhere(const ActivityId& activity, int16_t row) const;
    // Raises the error of the first piece that cannot move, before any of them does.
    std::vector<PieceMove> PlanPieceMoves(const std::vector<BarHandle>& pieces, int64_t minutes,
                                          int16_t targetRow) const;
    // targetRow 0 keeps each piece on its row (and in its place among the row's bars).
    void ApplyPieceMoves(const std::vector<PieceMove>& moves, int16_t targetRow);
    // Puts a bar whose drag was refused back where the drag found it.
    void RestoreDraggedBar(int16_t row, int16_t bar, ChartTime start, ChartTime end);
    // Keeps the activity of the record as it is before a command changes it (for its record and
    // for undo).
    void BeforeChangingActivity(const BarRecord& record);
    void RestoreStep(const CommandStep& step, bool forward);
    // An undo (forward false) or redo of the step, whole or not at all.
    void TakeStep(const CommandStep& step, bool forward);
    // Whether the host's veto refuses the change; the reason is kept for the host's event.
    bool Refused(const ProposedChange& change);
    // The copied activity as it would stand at these times on that row.
    ProposedChange ProposedCopyMove(ProposedChange::Kind kind, int16_t targetRow, ChartTime start,
                                    ChartTime end) const;
    // Asks about the drop of the temporary bar; a refused drop (or a veto that throws) puts the
    // temporary bar back where the drag found it.
    bool DropRefused(int16_t row, int16_t bar, const BarDrag& drag);
    void EndGestureForLoad();

    ReschedulingSurface surface_;
    ScheduleChart& chart_;
    const PlanModel& plan_;
    MoveGesture gesture_;
    ChangeJournal journal_;
    UndoHistory history_;
    XmlDocument lastDocument_;
    ChangeVeto veto_;
    Refusal refusal_;
    std::vector<ActivityId> picked_;
    std::vector<CompanionCopy> companions_;
};

// One planner command (an applied drag, a paste, a Pack), all or nothing: what it changes becomes
// one step of the history when it ends; when it ends on an exception (an error, a throwing veto,
// memory running out), every activity it changed is put back as it was, with its record.
class Command {
public:
    explicit Command(Rescheduler& rescheduler);
    ~Command() noexcept(false);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    Rescheduler& rescheduler_;
    int exceptions_;
};

}  // namespace tessaro
