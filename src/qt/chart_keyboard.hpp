#pragma once

// What the chart view keeps for the keyboard: the focused bar by its identity, so that it stays
// focused when bars before it come and go, and the span it covered, so that the bar taking its
// place (the rebuilt activity after a drop, the copied bar after the copy ends) takes the focus.

#include <cstdint>

namespace tessaro::qt_detail {

struct ChartKeyboard {
    uint64_t focusId = 0;
    int focusRow = 0;
    int64_t focusStart = 0;
    int64_t focusEnd = 0;
    // The copy's ghost follows the keys, not the mouse, until Enter drops it or Escape ends it.
    bool holdingMove = false;
};

}  // namespace tessaro::qt_detail
