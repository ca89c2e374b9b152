#pragma once

// A plant's four payloads read into the values a host of today loads instead of XML.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/loading/plan_input.hpp>

#include "runtime/conversions.hpp"

namespace tessaro::testing {

struct TypedPlant {
    PlanHeader Header;
    std::vector<PlanResource> Resources;
    std::vector<tessaro::CalendarEntry> Calendars;
    std::vector<PlannedSubActivity> SubActivities;

    void LoadInto(Tessaro_Ctrl& control) const {
        control.LoadPlanHeader(Header);
        control.LoadResources(Resources);
        control.LoadCalendars(Calendars);
        control.LoadSubActivities(SubActivities);
    }
};

// A payload's date ("1/4/2027", "01/11/2027") read by the control's own rules; the epoch for an
// empty text.
inline std::chrono::sys_days PayloadDate(std::string_view text) {
    constexpr int32_t kDaysBeforeEpoch = 25567;  // day 0 is 1 January 1900
    return text.empty()
               ? std::chrono::sys_days{}
               : std::chrono::sys_days{std::chrono::days{TextToDate(text).Day - kDaysBeforeEpoch}};
}

// Payload seconds count from 1 January 2000.
inline PlanTime PayloadSeconds(const pugi::xml_node& node, const char* name) {
    using namespace std::chrono;
    return sys_days{year{2000} / January / 1} + seconds{node.attribute(name).as_llong()};
}

inline TypedPlant ReadTypedPlant(const std::string& header, const std::string& resources,
                                 const std::string& calendars, const std::string& workOrders) {
    TypedPlant plant;
    pugi::xml_document doc;
    doc.load_string(header.c_str());
    const pugi::xml_node record = doc.document_element().first_child();
    plant.Header.From = PayloadDate(record.attribute("fromtimeperiod").value());
    plant.Header.To = PayloadDate(record.attribute("totimeperiod").value());
    plant.Header.Department = record.attribute("dep").value();
    doc.load_string(resources.c_str());
    for (const pugi::xml_node r : doc.document_element().children()) {
        plant.Resources.push_back({r.attribute("resno").value(), r.attribute("shortdesc").value()});
    }
    doc.load_string(calendars.c_str());
    for (const pugi::xml_node c : doc.document_element().children()) {
        plant.Calendars.push_back({c.attribute("resno").value(),
                                   PayloadDate(c.attribute("calendar_from").value()),
                                   std::chrono::seconds{c.attribute("no_of_buckets1").as_llong()},
                                   std::chrono::seconds{c.attribute("no_of_buckets2").as_llong()}});
    }
    doc.load_string(workOrders.c_str());
    for (const pugi::xml_node w : doc.document_element().children()) {
        PlannedSubActivity s;
        s.Resource = w.attribute("resno").value();
        s.WorkOrder = w.attribute("work_order_no").value();
        s.Activity = w.attribute("rsscheduleno").as_int();
        s.SubActivity = w.attribute("subactivity_code_mul").as_int();
        s.Start = PayloadSeconds(w, "time_buffer");
        s.Duration = std::chrono::seconds{w.attribute("timeindays1").as_llong()};
        s.Status = w.attribute("status").value();
        s.Flag = w.attribute("flag").value();
        s.CheckFlag = w.attribute("chkflag").as_int();
        s.ExecuteOnline = w.attribute("execute_online").as_int();
        s.ActivityTimeType = w.attribute("activitytimetype").as_int(1);
        s.ItemCode = w.attribute("item_code").value();
        s.SalesOrder = w.attribute("sdesc3").value();
        s.Customer = w.attribute("sdesc4").value();
        s.RequiredDate = PayloadDate(w.attribute("reqddate").value());
        s.PromisedDate = PayloadDate(w.attribute("schdate").value());
        s.WorkOrderStart = PayloadDate(w.attribute("wo_start_date").value());
        s.WorkOrderEnd = PayloadDate(w.attribute("wo_end_date").value());
        plant.SubActivities.push_back(std::move(s));
    }
    return plant;
}

}  // namespace tessaro::testing
