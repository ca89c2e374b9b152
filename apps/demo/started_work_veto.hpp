#pragma once

// The demo's say before a planner's command changes the plan: work that has started on the shop
// floor stays where it is.

#include <optional>
#include <string>

#include <tessaro/rescheduling/plan_changes.hpp>

namespace tessaro::demo {

// Refuses a drop, paste or Pack that would move an activity whose status is "Started", naming
// the first such activity; nullopt for every other command.
std::optional<std::string> KeepStartedWorkInPlace(const ProposedChange& change);

}  // namespace tessaro::demo
