#pragma once

// The changes the host gets. A record is never written from what a gesture believes happened:
// it is made from the activity's bars as the chart holds them after the change (earliest start,
// latest end, the row they are on) against where the activity stood before its first change.
// So the chart and rescheduling() cannot tell different stories.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <tessaro/bars/bar_record.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/rescheduling/pending_changes.hpp>

#include "plan/activity.hpp"
#include "plan/plan_model.hpp"

namespace tessaro {

// An activity's change record as it stood at one moment, and its place in the list of records
// (the lists keep the order activities were last changed in). No Change: it had none.
struct HeldRecord {
    std::string Key;
    std::shared_ptr<Vadel_Class2> Change;
    uint64_t Place = 0;
};

class ChangeJournal {
public:
    explicit ChangeJournal(const PlanModel& plan) : plan_(&plan) {}

    // Notes where the activity stands, once: call it before the activity's first change.
    void Touch(const ActivityId& activity);
    // Raises overflow (6) when no record could be made of the bar's record at these times, so
    // that a gesture is refused before the chart changes.
    static void CheckRecordable(const BarRecord& record, ChartTime start, ChartTime end);
    // Makes the record of the changed bar's activity from the chart as it is now, with the
    // bar's sub-activity code and the method letter; it moves to the end of the list. Returns
    // its change key. The activity must have been touched.
    std::string Record(const BarRecord& changed, const std::string& method);
    // Makes every record again from the chart, after a load added bars.
    void RecordAllAgain();
    // Forgets every record and every noted placement (a new plan was loaded).
    void Clear();
    // The activity left the plan: its record and where it was loaded go.
    void Forget(const ActivityId& activity);

    // The activity's record as it stands now, for a step of the history.
    HeldRecord Hold(const ActivityId& activity) const;
    // Puts the records back as a step of the history held them, each in its place in the list;
    // the other records are left as they are. Costs the held records, not the list.
    void Restore(const std::vector<HeldRecord>& records);

    const PendingChangeMap& Pending() const { return pending_; }
    // Grows with every change of the records.
    uint64_t Version() const { return version_; }
    // The loaded placement of an activity that has a record; nullopt otherwise.
    std::optional<LoadedPlacement> LoadedPlacementOf(const ActivityId& activity) const;

private:
    struct Placement {
        // Rows in the order their first bar was met.
        std::vector<int16_t> Rows;
        ChartTime Start;
        ChartTime End;
        bool Empty() const { return Rows.empty(); }
    };
    struct ActivityHash {
        size_t operator()(const ActivityId& activity) const {
            return std::hash<std::string>{}(activity.WorkOrder) ^
                   (std::hash<int32_t>{}(activity.ScheduleNo) * 31);
        }
    };

    Placement Measure(const ActivityId& activity) const;
    void Store(const ActivityId& activity, int16_t subActivity, const std::string& method);
    // Takes the key's record out of the list, if it has one.
    void Drop(const std::string& key);
    // Puts the record in the list at its place among the others.
    void Put(const std::string& key, std::shared_ptr<Vadel_Class2> change, uint64_t place);

    const PlanModel* plan_;
    PendingChangeMap pending_;
    // Every record's place: places only grow, so the list's order is the order of its places,
    // and a record given back its place goes back between the same neighbours.
    std::unordered_map<std::string, uint64_t> placeOf_;
    std::map<uint64_t, std::string> keyAt_;
    uint64_t nextPlace_ = 1;
    uint64_t version_ = 0;
    std::unordered_map<ActivityId, Placement, ActivityHash> loaded_;
};

}  // namespace tessaro
