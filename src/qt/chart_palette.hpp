#pragma once

// The fixed colours and spacings of the chart and grid views, in one place so they stay alike.

#include <QColor>

namespace tessaro::chart_palette {

// Pixels between a cell's edge and its text.
inline constexpr int kTextPadding = 6;
// The widest a column of the chart's resource list grows (pixels at 96 dpi): wide enough for a
// resource's description, narrow enough to leave the chart its room.
inline constexpr int kListColumnCap = 300;

inline QColor HeaderBackground() {
    return QColor(242, 244, 247);
}
inline QColor HeaderText() {
    return QColor(32, 36, 40);
}
inline QColor BorderLine() {
    return QColor(188, 194, 202);
}
inline QColor DayLine() {
    return QColor(214, 218, 224);
}
inline QColor HourLine() {
    return QColor(236, 238, 241);
}
inline QColor RowLine() {
    return QColor(228, 231, 235);
}
inline QColor WeekendShade() {
    return QColor(246, 246, 248);
}
inline QColor ListStripe() {
    return QColor(249, 250, 251);
}
// Calendar bars: the resource is not available.
inline QColor CalendarBlock() {
    return QColor(255, 214, 214);
}
// The temporary bar of a copy in progress.
inline QColor TemporaryBar() {
    return QColor(144, 238, 144);
}
inline QColor TemporaryOutline() {
    return QColor(0, 110, 0);
}
// Outline of a bar drawn in a selected style.
inline QColor SelectedOutline() {
    return QColor(20, 20, 20);
}
inline QColor DropTarget() {
    return QColor(204, 228, 255);
}
inline QColor MarkOutline() {
    return QColor(40, 40, 40);
}

}  // namespace tessaro::chart_palette
