#pragma once

// The control behind its public front: the hosted components and the parts that own the
// control's state, and the wiring between them. Each part depends only on parts below it; this
// is the one place that knows them all.

#include <cstdint>
#include <memory>

#include "bars/work_order_keys.hpp"
#include "bars/work_order_look.hpp"
#include "control/control_surface.hpp"
#include "control/host_events.hpp"
#include "details/conflict_search.hpp"
#include "details/detail_panel.hpp"
#include "loading/loading_session.hpp"
#include "plan/conflict_tracker.hpp"
#include "plan/plan_model.hpp"
#include "plan/work_order_selection.hpp"
#include "rescheduling/rescheduler.hpp"
#include "runtime/entry_counter.hpp"
#include "runtime/thread_affinity.hpp"

namespace tessaro {

class ControlParts {
public:
    // Lays out the design-time surface, connects the components and runs the start-up.
    ControlParts();
    ~ControlParts();
    ControlParts(const ControlParts&) = delete;
    ControlParts& operator=(const ControlParts&) = delete;

    // The thread that created the control, the only one its public methods may be called from.
    [[no_unique_address]] ThreadAffinity Owner;
    ControlSurface Surface;
    EntryCounter Entries;
    HostEvents Events;
    WorkOrderLook Look;
    WorkOrderKeys Keys;
    PlanModel Plan;
    // The plan's conflicts, kept up to date as the chart changes.
    ConflictTracker PlanConflicts;
    WorkOrderSelection Selection;
    Rescheduler Rescheduling;
    LoadingSession Loading;
    ConflictSearch Conflicts;
    DetailPanel Details;

    // ---- Handlers that reach more than one part ----
    // Reloads all four stores or changes nothing: what it replaces is kept aside until the last
    // loader has succeeded, and put back when one fails.
    void Refresh();
    // Adds the payload's sub-activities to the plan as a load does, keeping the changes of other
    // activities and their undo history; the kept work-order payload gains them, so Refresh
    // reloads them. A refused payload changes nothing, its store included.
    void AddSubActivities(std::string_view payload, const std::vector<ActivityId>& activities);
    // Takes the activity out of the plan and out of the kept work-order payload.
    void RemoveActivity(const ActivityId& activity);
    // Shows a work-order bar's details and grid; a work-order bar ends an armed gesture.
    void BarSelected(int16_t row, int16_t bar);
    // Highlights the chosen bar's activity; a row change in progress ends.
    void BarChosen(int16_t row, int16_t bar);
    void PublishHostEvents();

private:
    void AfterLoad(LoadKind kind);
    void ConnectComponents();
    void Start();
    void SetupChartAppearance();

    class ChartEventSink;
    std::unique_ptr<ChartEventSink> chartEvents_;
};

// The control's parts as its public methods reach them; in Debug builds a call from another
// thread than the one that created the control stops here.
inline ControlParts& OwnedParts(const std::unique_ptr<ControlParts>& parts) {
    parts->Owner.Check("Tessaro_Ctrl");
    return *parts;
}

}  // namespace tessaro
