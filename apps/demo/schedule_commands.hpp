#pragma once

// What the demo does on the chart the way the planner does it, shared by its menus and the
// gesture script so that a scripted run checks what the menus do.

#include <QString>

namespace tessaro {
class TessaroWidget;
}

namespace tessaro::demo {

// Scrolls the bar into sight and clicks its middle with the left button, through the chart
// view's mouse events; a bar narrower than a pixel is still hit at its start.
void ClickBarAsThePlanner(TessaroWidget& widget, int row, int bar);

// Fills the conflict list for the selected bar through ConflictTimeBars and says what it found.
// The selected bar is the work-order bar the planner last clicked, else the last bar of the
// selected work order; with neither, nothing changes and the answer says so. An error of the
// control is raised.
QString CheckConflictsOfSelectedBar(TessaroWidget& widget);

}  // namespace tessaro::demo
