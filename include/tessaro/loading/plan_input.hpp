#pragma once

// The four payloads as C++ values, for hosts that hold their plan in objects rather than XML. A
// load of values follows exactly the rules, errors and all-or-nothing promise of the XML load of
// the same payload, and its payload store (and so Refresh) holds the equivalent XML text.

#include <chrono>
#include <cstdint>
#include <string>

#include <tessaro/rescheduling/plan_changes.hpp>

namespace tessaro {

// The plan header: the planning window and what the host keeps with it.
struct PlanHeader {
    std::chrono::sys_days From;
    std::chrono::sys_days To;
    std::string Department;
    std::string FromResource;
    std::string ToResource;
    std::string Guid;
    std::string CompanyCode;
    std::string ItemCode;
    std::string ProductionControl;
    std::string SaveTemplate;
    std::string WorkOrder;
};

// One resource: one chart row.
struct PlanResource {
    std::string Code;
    std::string Description;
};

// One non-working period of a resource on a day.
struct CalendarEntry {
    std::string Resource;
    std::chrono::sys_days Day;
    // From midnight of the day.
    std::chrono::seconds Start{0};
    std::chrono::seconds Length{0};
};

// One scheduled sub-activity of a work order: one work-order bar.
struct PlannedSubActivity {
    std::string Resource;
    std::string WorkOrder;
    // The activity's schedule number and the sub-activity's own code.
    int32_t Activity = 0;
    int32_t SubActivity = 0;
    PlanTime Start;
    std::chrono::seconds Duration{0};
    std::string Status;
    // The status flag a bar's look is chosen by ("D", "H", "R", ...).
    std::string Flag;
    int32_t CheckFlag = 0;
    int32_t ExecuteOnline = 0;
    int32_t ActivityTimeType = 1;
    std::string ItemCode;
    std::string SalesOrder;
    std::string Customer;
    std::chrono::sys_days RequiredDate;
    std::chrono::sys_days PromisedDate;
    std::chrono::sys_days WorkOrderStart;
    std::chrono::sys_days WorkOrderEnd;
};

}  // namespace tessaro
