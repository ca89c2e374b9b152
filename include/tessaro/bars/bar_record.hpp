#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// What the control knows of one work-order sub-activity beyond its bar: the eighteen fields a
// work-order bar carries in its tag, in record order.
struct BarRecord {
    std::string work_order_no;
    int32_t rsscheduleno = 0;
    std::string status;
    int16_t StartMinute = 0;
    int16_t EndMinute = 0;
    std::string item_code;
    std::string sdesc3;
    std::string sdesc4;
    std::string flag;
    std::string ReqdDate;
    std::string schdate;
    std::string wo_start_date;
    std::string wo_end_date;
    std::string fromdate;
    std::string todate;
    int16_t subactivity_code_mul = 0;
    int16_t activitytimetype = 0;
    // The sub-activity's duration in seconds.
    int32_t timeindays1 = 0;

    bool operator==(const BarRecord&) const = default;
};

}  // namespace tessaro
