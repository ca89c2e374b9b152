#pragma once

// What a screen reader reads of the control: the chart as a table of resource rows whose
// children are the bars, the work-order grid's cells and the legend's entries, through
// interfaces Qt asks a factory for. The views tell it where the keyboard's focus went and what
// the planner should hear.

#include <QString>

class QAccessibleEvent;

namespace tessaro {
class ScheduleChartView;
}

namespace tessaro::qt_detail {

// Installs the factory of the control's accessible interfaces, once per application.
void InstallAccessibility();

// Assistive technology hears the events below while the platform's accessibility is active; a
// listener set here hears them whatever the platform (the offscreen one has no accessibility).
// nullptr removes it.
using AccessibleEventListener = void (*)(QAccessibleEvent* event);
void SetAccessibleEventListener(AccessibleEventListener listener);

// True while anything hears these events: what is not heard need not be put into words.
bool AccessibilityListening();

// Sends the event to assistive technology and the listener.
void SendAccessibleEvent(QAccessibleEvent& event);

// Tells assistive technology that the chart's focused bar is now this one ({0, 0}: none).
void NotifyBarFocus(ScheduleChartView& view, int row, int bar);

// Says the text through the chart: its accessible description becomes the text and a
// DescriptionChanged event is sent (Qt 6.4 has no announcement event).
void Announce(ScheduleChartView& view, const QString& text);

}  // namespace tessaro::qt_detail
