#pragma once

// What the chart's time header shows at a zoom and scroll position: the cells of months, days and
// hours, and the caption of each, chosen so that no caption overlaps another or leaves its cell.

#include <string>
#include <vector>

#include <QFont>
#include <QRect>
#include <QString>

#include <tessaro/qt/time_axis.hpp>

namespace tessaro::qt_detail {

// How day captions name the weekday; every day of one header uses the same form.
enum class DayNameForm { Full, ThreeLetters, TwoLetters, None };

struct HeaderInput {
    TimeAxis axis;
    // The chart area's left edge and width in the painted coordinates, and how far the axis is
    // scrolled (pixels from the window's first day to the area's left edge).
    int chartLeft = 0;
    int chartWidth = 0;
    int scrollX = 0;
    int rowHeight = 20;
    // 2 (months and days) or 3 (and hours).
    int rows = 2;
    QFont font;
    std::string dayNames;
    std::string monthNames;
    std::string monthFormat;
};

struct HeaderCell {
    // 0 months, 1 days, 2 hours.
    int level = 0;
    int left = 0;
    int right = 0;  // exclusive
    bool weekend = false;
    // A line is drawn on the cell's last pixel column.
    bool separator = true;
};

struct HeaderCaption {
    int level = 0;
    QRect rect;
    QString text;
    bool bold = false;
};

struct HeaderLayout {
    std::vector<HeaderCell> cells;
    std::vector<HeaderCaption> captions;
    DayNameForm dayNameForm = DayNameForm::None;
};

// Lays the header out for the visible part of the axis only. Months fall back from the format
// to short names and first letters; days show a weekday and the day of month while they fit,
// then the day of month, then every first, second or fourth Monday's.
HeaderLayout LayOutHeader(const HeaderInput& input);

// The weekday name as a form shortens it: the first three or two letters, or "".
QString ShortenDayName(const QString& name, DayNameForm form);

}  // namespace tessaro::qt_detail
