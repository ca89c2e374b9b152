#pragma once

// A work-order grid cell as the planner should read it.

#include <QString>

#include <tessaro/control/tessaro_ctrl.hpp>

namespace tessaro::qt_detail {

// The cell's text, but for a changed activity's start and end dates and times (columns 4 to 7):
// those say where the activity is now, as its change record has it, not where the payload put it.
QString GridCellNow(const Tessaro_Ctrl& control, int column, int row, const QString& text);

}  // namespace tessaro::qt_detail
