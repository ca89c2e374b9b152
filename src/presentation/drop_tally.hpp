#pragma once

// What a drop of the copy would do, in the few words the ghost carries while the planner still
// holds it: new overlaps, precedence conflicts, time in calendar blocks, the work order's end
// against its required date, and the host's refusal first of all.

#include <cstdint>

#include <QString>

#include <tessaro/plan/plan_conflicts.hpp>

#include "plan_minutes.hpp"

namespace tessaro::qt_detail {

// A span of minutes as a planner reads it: "1 day 2 h 30 min", "45 min", "0 min".
QString DurationText(int64_t minutes);

// One line each, the refusal first; empty for a preview that is not valid.
QString DropTallyText(const DropPreview& preview);

}  // namespace tessaro::qt_detail
