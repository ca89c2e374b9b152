#pragma once

// Which bars the planner may drag or remove on the chart, and what he is told when he may not.

#include <cstdint>

#include <QString>

namespace tessaro::qt_detail {

// A work-order activity moves through its copy; calendar blocks do not move at all.
bool BarStaysPut(int32_t kind);

// Why a bar that stays put did not follow the mouse.
QString RefusedDragHint(int32_t kind);

// Why a bar that stays put is not removed.
QString RefusedRemovalHint(int32_t kind);

}  // namespace tessaro::qt_detail
