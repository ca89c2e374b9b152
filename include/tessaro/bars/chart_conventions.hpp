#pragma once

// What the control's bars mean to everyone who reads the chart: the kind every bar carries and
// the creation flags of the style a selected work-order bar is drawn in. The control writes
// them; the views ask DescribeBar (bars/bar_description.hpp) rather than test them one by one.

#include <cstdint>

namespace tessaro {

// Every bar carries its kind; handlers test it before they read a key or record.
inline constexpr int32_t CalendarBarKind = 1000;
// Only work-order bars carry a bar key and a bar record.
inline constexpr int32_t WorkOrderBarKind = 2000;
// The copy the planner drags or pastes.
inline constexpr int32_t TemporaryBarKind = 3000;

// A bar in a style made with these flags shows selected, whatever the style's marks.
inline constexpr int32_t SelectedBarStyleFlags = 23;

}  // namespace tessaro
