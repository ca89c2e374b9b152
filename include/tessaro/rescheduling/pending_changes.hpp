#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <tessaro/rescheduling/vadel_class2.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include <tessaro/runtime/ordered_dictionary.hpp>

namespace tessaro {

// The change records by change key (work order, "$", activity: "W100$20"), in the order the
// activities were last changed.
using PendingChangeMap = OrderedDictionary<std::shared_ptr<Vadel_Class2>>;

// Where a changed activity stood when it was loaded: the row of its first bar, that row's
// resource code, and the earliest start and latest end of its bars; Resources holds the codes of
// every row it had bars on (more than one for an activity split over resources), Resource first.
struct LoadedPlacement {
    int16_t Row = 0;
    std::string Resource;
    ChartTime Start;
    ChartTime End;
    std::vector<std::string> Resources;
};

}  // namespace tessaro
