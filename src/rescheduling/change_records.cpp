#include <memory>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include <tessaro/runtime/checked_arithmetic.hpp>

namespace tessaro {

namespace {

// Work order W100 with activity 20 has the key W10020.
std::string ChangeKey(const Vadel_Class2& change) {
    return change.wonumber + std::to_string(change.woact);
}

}  // namespace

std::string Tessaro_Ctrl::MakeChangeRecord(int16_t row, int16_t bar) {
    const ChartBar times = ctResSched_.Bar(row, bar);
    // Everything that can fail is computed before the record is stored.
    auto change = std::make_shared<Vadel_Class2>();
    change->starttime = times.Start.ToPayloadSeconds();
    change->endtime = times.End.ToPayloadSeconds();
    change->wonumber = WorkingRecord_.work_order_no;
    change->woact = CheckedInt16(WorkingRecord_.rsscheduleno);
    change->wosubact = WorkingRecord_.subactivity_code_mul;
    change->schmethod = PasteMethod_;
    change->reschangeflg = ResChangeFlag_;
    change->newresource = NewResource_;
    change->oldresource = OldResource_;

    std::string key = ChangeKey(*change);
    // One record per activity: it keeps the start first recorded and takes the rest from the
    // latest change, and moves to the end of the list.
    if (const auto* held = PendingChanges_.Find(key)) {
        change->starttime = (*held)->starttime;
        PendingChanges_.Remove(key);
    }
    PendingChanges_.Add(key, std::move(change));
    return key;
}

XmlDocument Tessaro_Ctrl::rescheduling() {
    XmlDocument document;
    pugi::xml_node saveres = document.Dom().append_child("Saveres");
    for (const auto& [key, change] : PendingChanges_) {
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
    LastReschedulingDocument_ = document;
    return document;
}

}  // namespace tessaro
