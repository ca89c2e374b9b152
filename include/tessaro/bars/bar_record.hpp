#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// What the control knows of one work-order sub-activity beyond its bar: the eighteen fields a
// work-order bar carries in its tag, in record order. BarRecord owns its texts; the loader
// builds records from views into its payload.
template <typename Text>
struct BarRecordOf {
    Text work_order_no;
    int32_t rsscheduleno = 0;
    Text status;
    int16_t StartMinute = 0;
    int16_t EndMinute = 0;
    Text item_code;
    Text sdesc3;
    Text sdesc4;
    Text flag;
    Text ReqdDate;
    Text schdate;
    Text wo_start_date;
    Text wo_end_date;
    Text fromdate;
    Text todate;
    int16_t subactivity_code_mul = 0;
    int16_t activitytimetype = 0;
    // The sub-activity's duration in seconds.
    int32_t timeindays1 = 0;

    bool operator==(const BarRecordOf&) const = default;
};

using BarRecord = BarRecordOf<std::string>;
using BarRecordView = BarRecordOf<std::string_view>;

}  // namespace tessaro
