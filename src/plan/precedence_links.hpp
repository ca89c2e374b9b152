#pragma once

// The lines that show a work order's activities running in sequence: from the end of each
// activity to the start of the one after it.

#include <cstdint>
#include <string_view>
#include <vector>

#include "plan/plan_model.hpp"

namespace tessaro {

struct PrecedenceLink {
    // The piece of the earlier activity that ends last, and its end.
    int16_t FromRow = 0;
    int16_t FromBar = 0;
    ChartTime FromTime;
    // The piece of the later activity that starts first, and its start.
    int16_t ToRow = 0;
    int16_t ToBar = 0;
    ChartTime ToTime;
    // The later activity starts before the earlier one ends.
    bool OutOfOrder = false;
};

// One link between each pair of the work order's activities next to each other in schedule
// order, both on the chart; none for an unknown work order or one with a single activity.
std::vector<PrecedenceLink> PrecedenceLinks(const PlanModel& plan, std::string_view workOrder);

}  // namespace tessaro
