#pragma once

// What the control's bars mean to everyone who reads the chart: the kind every bar carries and
// the creation flags of the styles the control makes. The control writes
// them; the views ask DescribeBar (bars/bar_description.hpp) rather than test them one by one.

#include <cstdint>

namespace tessaro {

// Every bar carries its kind; handlers test it before they read a key or record.
inline constexpr int32_t CalendarBarKind = 1000;
// Only work-order bars carry a bar key and a bar record.
inline constexpr int32_t WorkOrderBarKind = 2000;
// The copy the planner drags or pastes.
inline constexpr int32_t TemporaryBarKind = 3000;

// The creation flags of the styles the control makes: a work-order bar's normal and selected
// forms, the temporary bar of a Copy, calendar entries. A bar in a style made with the selected
// flags shows selected, whatever the style's marks.
inline constexpr int32_t NormalBarStyleFlags = 15;
inline constexpr int32_t SelectedBarStyleFlags = 23;
inline constexpr int32_t TemporaryBarStyleFlags = 25;
inline constexpr int32_t CalendarBarStyleFlags = 27;

}  // namespace tessaro
