#pragma once

// A plant's four payloads read into the values a host of today loads instead of XML.

#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/loading/plan_input.hpp>

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

// "1/4/2027" or "01/11/2027"; the epoch for anything else.
inline std::chrono::sys_days MonthDayYear(std::string_view text) {
    const std::string s(text);
    const std::size_t first = s.find('/');
    const std::size_t second = s.find('/', first + 1);
    if (first == std::string::npos || second == std::string::npos) {
        return {};
    }
    using namespace std::chrono;
    return sys_days{year{std::atoi(s.c_str() + second + 1)} /
                    month{static_cast<unsigned>(std::atoi(s.c_str()))} /
                    day{static_cast<unsigned>(std::atoi(s.c_str() + first + 1))}};
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
    plant.Header.From = MonthDayYear(record.attribute("fromtimeperiod").value());
    plant.Header.To = MonthDayYear(record.attribute("totimeperiod").value());
    plant.Header.Department = record.attribute("dep").value();
    doc.load_string(resources.c_str());
    for (const pugi::xml_node r : doc.document_element().children()) {
        plant.Resources.push_back({r.attribute("resno").value(), r.attribute("shortdesc").value()});
    }
    doc.load_string(calendars.c_str());
    for (const pugi::xml_node c : doc.document_element().children()) {
        plant.Calendars.push_back({c.attribute("resno").value(),
                                   MonthDayYear(c.attribute("calendar_from").value()),
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
        s.RequiredDate = MonthDayYear(w.attribute("reqddate").value());
        s.PromisedDate = MonthDayYear(w.attribute("schdate").value());
        s.WorkOrderStart = MonthDayYear(w.attribute("wo_start_date").value());
        s.WorkOrderEnd = MonthDayYear(w.attribute("wo_end_date").value());
        plant.SubActivities.push_back(std::move(s));
    }
    return plant;
}

}  // namespace tessaro::testing
