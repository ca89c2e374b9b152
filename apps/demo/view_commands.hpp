#pragma once

// What the demo does to the chart's view for a planner or a picture: a dark palette, the now
// line, moving an activity as the planner would, visiting overlaps, and whole-chart export.

#include <QString>

namespace tessaro {
class TessaroWidget;
}

namespace tessaro::demo {

// Fusion with a dark palette, for the whole application.
void UseDarkPalette();

// Draws the now line at "YYYY-MM-DDTHH:MM"; false when the text is not such a time.
bool SetNowLine(TessaroWidget& chart, const QString& isoTime);

// Copies the activity of the bar with that key and drags its copy HOURS later, onto RESOURCE's
// row when one is given; the moved activity is then clicked. False when a bar is not there.
bool MoveActivity(TessaroWidget& chart, const QString& key, int hours, const QString& resource);

// Copies the activity as MoveActivity does and drags the copy there with the mouse without letting
// go, so that its ghost carries what the drop would do. False when a bar is not there.
bool HoldCopyDrag(TessaroWidget& chart, const QString& key, int hours, const QString& resource);

// Writes the whole chart, as PDF for a ".pdf" name and PNG otherwise; false when it cannot.
bool ExportChart(TessaroWidget& chart, const QString& path);

}  // namespace tessaro::demo
