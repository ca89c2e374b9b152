#pragma once

#include <cstdint>
#include <string>

#include <tessaro/bars/bar_record.hpp>

namespace tessaro {

// An activity: the work-order bars of one work order with one schedule number.
struct ActivityId {
    std::string WorkOrder;
    int32_t ScheduleNo = 0;

    static ActivityId Of(const BarRecord& record) {
        return {record.work_order_no, record.rsscheduleno};
    }
    bool operator==(const ActivityId&) const = default;
};

// The key of an activity's change record: work order W100 with activity 20 gives "W100$20". The
// "$", which no work-order number holds, keeps W1 activity 23 and W12 activity 3 apart.
inline std::string ChangeKey(const std::string& workOrder, int32_t activity) {
    return workOrder + "$" + std::to_string(activity);
}

}  // namespace tessaro
