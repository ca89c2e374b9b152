#pragma once

// A work-order grid cell as the planner should read it.

#include <functional>
#include <string>

#include <QString>

#include <tessaro/control/tessaro_ctrl.hpp>

namespace tessaro::qt_detail {

// The cell's text, the duration as hours and minutes, but for a changed activity's start and end
// dates and times (columns 4 to 7): those say where the activity is now, as its change record has
// it, not where the payload put it. Dates and times are written in the locale's short forms
// (QLocale's default) unless that is C.
QString GridCellNow(const Tessaro_Ctrl& control, int column, int row, const QString& text);

// A duration in seconds as hours and minutes ("14400" reads "4:00", "5430" "1:31"); a text that is
// no such number as it stands.
QString DurationText(const QString& seconds);

// How a box of the detail frame shows its text: its date or time as the grid does; null for the
// boxes that hold neither.
std::function<QString(const QString&)> DetailBoxText(const std::string& box);

}  // namespace tessaro::qt_detail
