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

}  // namespace tessaro
