#pragma once

// Edits of a kept work-order payload, so that Refresh reloads the plan a host changed activity by
// activity: records added after the last ones, an activity's records taken out.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// The kept payload with the added payload's records after its own; the added payload alone when
// nothing was kept.
std::string WithRecordsAdded(std::string_view kept, std::string_view added);
// The kept payload without the records of the work order's activity. Raises 5 when the kept
// text is not a payload a load could read.
std::string WithoutActivity(std::string_view kept, std::string_view workOrder, int32_t activity);

}  // namespace tessaro
