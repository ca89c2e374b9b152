#include "rescheduling/change_journal.hpp"

#include <algorithm>
#include <memory>

#include <tessaro/bars/bar_kinds.hpp>
#include "runtime/checked_arithmetic.hpp"

#include "bars/bar_record_codec.hpp"

namespace tessaro {

ChangeJournal::Placement ChangeJournal::Measure(const ActivityId& activity) const {
    PlannedActivity planned = plan_->Activity(activity);
    return {std::move(planned.Rows), planned.Start, planned.End};
}

void ChangeJournal::Touch(const ActivityId& activity) {
    if (loaded_.find(activity) == loaded_.end()) {
        loaded_.emplace(activity, Measure(activity));
    }
}

void ChangeJournal::CheckRecordable(const BarRecord& record, ChartTime start, ChartTime end) {
    CheckedInt16(record.rsscheduleno);
    start.Normalised().ToPayloadSeconds();
    end.Normalised().ToPayloadSeconds();
}

std::string ChangeJournal::Record(const BarRecord& changed, const std::string& method) {
    const ActivityId activity = ActivityId::Of(changed);
    Store(activity, changed.subactivity_code_mul, method);
    return ChangeKey(activity.WorkOrder, activity.ScheduleNo);
}

void ChangeJournal::Store(const ActivityId& activity, int16_t subActivity,
                          const std::string& method) {
    const Placement now = Measure(activity);
    const std::string key = ChangeKey(activity.WorkOrder, activity.ScheduleNo);
    if (now.Empty()) {
        // An activity is never taken off the chart by a change; should a host have removed its
        // bars itself, there is nothing left to describe.
        if (pending_.Exists(key)) {
            Drop(key);
            ++version_;
        }
        return;
    }
    auto change = std::make_shared<Vadel_Class2>();
    change->wonumber = activity.WorkOrder;
    change->woact = CheckedInt16(activity.ScheduleNo);
    change->wosubact = subActivity;
    change->starttime = now.Start.ToPayloadSeconds();
    change->endtime = now.End.ToPayloadSeconds();
    change->schmethod = method;
    change->reschangeflg = "N";
    // A resource change is what the chart shows: the activity sits on a row it was not loaded on.
    const auto loaded = loaded_.find(activity);
    if (loaded != loaded_.end() && !loaded->second.Empty()) {
        const std::vector<int16_t>& before = loaded->second.Rows;
        for (const int16_t row : now.Rows) {
            if (std::find(before.begin(), before.end(), row) == before.end()) {
                change->reschangeflg = "Y";
                change->newresource = plan_->Chart().RowColumnText(row, 1);
                change->oldresource = plan_->Chart().RowColumnText(before.front(), 1);
                break;
            }
        }
    }
    Drop(key);
    Put(key, std::move(change), nextPlace_++);
    ++version_;
}

void ChangeJournal::Drop(const std::string& key) {
    const auto place = placeOf_.find(key);
    if (place == placeOf_.end()) {
        return;
    }
    pending_.Remove(key);
    keyAt_.erase(place->second);
    placeOf_.erase(place);
}

void ChangeJournal::Put(const std::string& key, std::shared_ptr<Vadel_Class2> change,
                        uint64_t place) {
    const auto next = keyAt_.upper_bound(place);
    if (next == keyAt_.end()) {
        pending_.Add(key, std::move(change));
    } else {
        pending_.AddBefore(next->second, key, std::move(change));
    }
    try {
        keyAt_.emplace(place, key);
        placeOf_.emplace(key, place);
    } catch (...) {
        keyAt_.erase(place);
        pending_.Remove(key);
        throw;
    }
}

HeldRecord ChangeJournal::Hold(const ActivityId& activity) const {
    HeldRecord held{ChangeKey(activity.WorkOrder, activity.ScheduleNo), nullptr, 0};
    if (const auto place = placeOf_.find(held.Key); place != placeOf_.end()) {
        held.Change = pending_.Item(held.Key);
        held.Place = place->second;
    }
    return held;
}

void ChangeJournal::Restore(const std::vector<HeldRecord>& records) {
    for (const HeldRecord& held : records) {
        Drop(held.Key);
    }
    for (const HeldRecord& held : records) {
        if (held.Change) {
            Put(held.Key, held.Change, held.Place);
        }
    }
    ++version_;
}

void ChangeJournal::RecordAllAgain() {
    std::vector<std::shared_ptr<Vadel_Class2>> held;
    for (const auto& [key, change] : pending_) {
        held.push_back(change);
    }
    for (const auto& change : held) {
        Store({change->wonumber, change->woact}, change->wosubact, change->schmethod);
    }
}

void ChangeJournal::Forget(const ActivityId& activity) {
    const std::string key = ChangeKey(activity.WorkOrder, activity.ScheduleNo);
    if (pending_.Exists(key)) {
        pending_.Remove(key);
        ++version_;
    }
    loaded_.erase(activity);
}

void ChangeJournal::Clear() {
    if (pending_.Count() > 0) {
        ++version_;
    }
    pending_.RemoveAll();
    placeOf_.clear();
    keyAt_.clear();
    loaded_.clear();
}

std::optional<LoadedPlacement> ChangeJournal::LoadedPlacementOf(const ActivityId& activity) const {
    const auto loaded = loaded_.find(activity);
    if (loaded == loaded_.end() || loaded->second.Empty() ||
        !pending_.Exists(ChangeKey(activity.WorkOrder, activity.ScheduleNo))) {
        return std::nullopt;
    }
    const Placement& placement = loaded->second;
    std::vector<std::string> resources;
    for (const int16_t row : placement.Rows) {
        resources.push_back(plan_->Chart().RowColumnText(row, 1));
    }
    return LoadedPlacement{placement.Rows.front(), resources.front(), placement.Start,
                           placement.End, std::move(resources)};
}

}  // namespace tessaro
