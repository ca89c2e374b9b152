#pragma once

// The control's texts about whole activities: an entry of the conflict list, what a changed
// activity will be saved as, and where the activity in the detail frame is now.

#include <string>

#include <QString>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/rescheduling/pending_changes.hpp>
#include <tessaro/rescheduling/vadel_class2.hpp>

namespace tessaro::qt_detail {

// Work order, activity, resource and times of the bar the conflict list's key names; "" when no
// work-order bar carries that key.
QString ConflictEntryText(const ScheduleChart& chart, const std::string& key);

// What a changed activity's tooltip adds: the method, the new and the loaded times and resources.
QString ChangeSummary(const Vadel_Class2& record, const LoadedPlacement& loaded);

// The bar's tooltip as the widget's chart shows it: DescribeBar, with the summary of its
// activity's pending change for a changed work-order bar. The bar must exist.
QString BarToolTip(const Tessaro_Ctrl& control, int row, int bar);

// The detail frame's title for the activity it shows: its times and resource now, and where it
// was loaded when it changed; "" when the work order is blank or the activity has no bar.
QString ActivityNowText(const Tessaro_Ctrl& control, const std::string& workOrder,
                        const std::string& activity);

}  // namespace tessaro::qt_detail
