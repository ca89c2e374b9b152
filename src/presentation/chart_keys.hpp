#pragma once

// The chart's keys as every front end reads them: what a key does to the focused bar (walk the
// rows, click, open, menu, move the copy and drop or end it), and the focused bar kept by its
// identity, so that it stays focused when bars before it come and go, with the span it covered,
// so that the bar taking its place (the rebuilt activity after a drop, the copied bar after the
// copy ends) takes the focus.

#include <cstdint>

#include <Qt>

#include <tessaro/components/schedule_chart.hpp>

#include "bar_focus.hpp"

namespace tessaro::qt_detail {

struct ChartKeyboard {
    uint64_t focusId = 0;
    int focusRow = 0;
    int64_t focusStart = 0;
    int64_t focusEnd = 0;
    // The copy's ghost follows the keys, not the mouse, until Enter drops it or Escape ends it.
    bool holdingMove = false;
};

// The bar the focus is on: the one it was put on, else the nearest work-order bar of its row to
// the span it covered; none when no bar was focused.
BarFocus FocusedBar(const ScheduleChart& chart, const ChartKeyboard& keys);

// Puts the focus on the bar (none for a bar that does not exist); true when it moved.
bool SetFocusedBar(ChartKeyboard& keys, const ScheduleChart& chart, BarFocus focus);

// What the planner's key asks for, given where the focus is.
struct ChartKeyCommand {
    enum class Kind {
        None,         // not a chart key here: the front end passes it on
        Step,         // the focus steps (`step`); from no focus to the first work-order bar
        MoveCopy,     // the copy's ghost goes `minutes` later and `rows` further down
        Click,        // Space: what a click on the focused bar does
        DoubleClick,  // Enter on a work-order bar
        DropCopy,     // Enter on the copy the keys hold
        EndCopy,      // Escape on the copy: its removal ends it, nothing changed
        OpenMenu,     // the menu key, Shift+F10: the bar's pop-up menu
    };
    Kind kind = Kind::None;
    FocusStep step = FocusStep::Next;
    int64_t minutes = 0;
    int rows = 0;
};

struct ChartKeyContext {
    BarFocus focus;
    // The focused bar is the copy's temporary bar, a work-order bar.
    bool onCopy = false;
    bool onWorkOrder = false;
    // The keys hold the copy's ghost.
    bool holdingCopy = false;
};

// The arrows walk the rows (on the copy: Left and Right move it an hour, with Shift a day,
// Alt+Up and Alt+Down a row), Home and End to a row's ends, the page keys a screen of rows.
// The keypad's keys are the same keys.
ChartKeyCommand DecodeChartKey(int key, Qt::KeyboardModifiers modifiers,
                               const ChartKeyContext& context);

}  // namespace tessaro::qt_detail
