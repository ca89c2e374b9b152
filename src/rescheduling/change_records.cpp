#include <pugixml.hpp>

#include "plan/plan_time.hpp"
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

XmlDocument Rescheduler::rescheduling() {
    XmlDocument document;
    pugi::xml_node saveres = document.Dom().append_child("Saveres");
    for (const auto& [key, change] : journal_.Pending()) {
        pugi::xml_node info = saveres.append_child("Rescheduleinfo");
        info.append_attribute("company") = "";
        info.append_attribute("workorder") = change->wonumber.c_str();
        info.append_attribute("position") = std::to_string(change->woact).c_str();
        info.append_attribute("subact") = std::to_string(change->wosubact).c_str();
        info.append_attribute("starttime") = std::to_string(change->starttime).c_str();
        info.append_attribute("endtime") = std::to_string(change->endtime).c_str();
        info.append_attribute("method") = change->schmethod.c_str();
        info.append_attribute("reschangeflg") = change->reschangeflg.c_str();
        info.append_attribute("newresource") = change->newresource.c_str();
        info.append_attribute("oldresource") = change->oldresource.c_str();
    }
    lastDocument_ = document;
    return document;
}

std::vector<ActivityChange> Rescheduler::Changes() const {
    // Payload seconds count from 1 January 2000, 946,684,800 seconds after the clock's epoch.
    const auto at = [](int32_t seconds) {
        return PlanTime{std::chrono::seconds{int64_t{seconds} + 946684800}};
    };
    const auto method = [](const std::string& letter) {
        return letter == "F"   ? ChangeMethod::PastedForward
               : letter == "B" ? ChangeMethod::PastedBackward
                               : ChangeMethod::Moved;
    };
    std::vector<ActivityChange> changes;
    for (const auto& [key, change] : journal_.Pending()) {
        const std::optional<LoadedPlacement> loaded =
            journal_.LoadedPlacementOf({change->wonumber, change->woact});
        if (!loaded) {
            continue;
        }
        const bool moved = change->reschangeflg == "Y";
        changes.push_back({{change->wonumber, change->woact},
                           change->wosubact,
                           PlanTimeOf(loaded->Start),
                           PlanTimeOf(loaded->End),
                           at(change->starttime),
                           at(change->endtime),
                           moved ? change->oldresource : loaded->Resource,
                           moved ? change->newresource : loaded->Resource,
                           method(change->schmethod)});
    }
    return changes;
}

void Rescheduler::AcceptChanges() {
    EntryCounter::Scope entry(surface_.Entries);
    // Where every activity stands now is where the next change is measured from.
    gesture_.DropDrag();
    RemoveTemporaryBar();
    journal_.Clear();
    history_.Clear();
}

}  // namespace tessaro
