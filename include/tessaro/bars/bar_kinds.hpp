#pragma once

#include <cstdint>

namespace tessaro {

// Every bar carries its kind; handlers test it before they read a key or record.
inline constexpr int32_t CalendarBarKind = 1000;
// Only work-order bars carry a bar key and a bar record.
inline constexpr int32_t WorkOrderBarKind = 2000;
// The copy the planner drags or pastes.
inline constexpr int32_t TemporaryBarKind = 3000;

}  // namespace tessaro
