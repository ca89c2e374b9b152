#pragma once

// The payload texts of plan values: a load of values is the load of these texts, so both take
// one road through the same rules.

#include <span>
#include <string>

#include <tessaro/loading/plan_input.hpp>

namespace tessaro {

std::string HeaderPayload(const PlanHeader& header);
std::string ResourcesPayload(std::span<const PlanResource> resources);
std::string CalendarsPayload(std::span<const CalendarEntry> entries);
std::string SubActivitiesPayload(std::span<const PlannedSubActivity> subActivities);

}  // namespace tessaro
