#pragma once

// Where rows, bars and times lie in a painted frame of the chart: the resource list on the left,
// the time header on top, the rows scrolled under both. Painting and hit testing share it, on the
// screen as in a page of an export.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include <QPoint>
#include <QRect>
#include <QSize>

#include <tessaro/qt/time_axis.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "chart_layout.hpp"

namespace tessaro::qt_detail {

// Coordinates handed to Qt stay well inside int even for bars far off screen.
inline constexpr double kCoordinateLimit = 1.0e7;

inline int ClampedCoordinate(double value) {
    return static_cast<int>(std::lround(std::clamp(value, -kCoordinateLimit, kCoordinateLimit)));
}

// What a paint or hit test sees: the painted size and how far the rows are scrolled.
struct ChartFrame {
    QSize size;
    int scrollX = 0;
    int scrollY = 0;
};

// One frame: the layout, the painted size and how far the rows are scrolled. The layout must
// outlive the geometry; a geometry is made for a paint or a hit test and then dropped.
struct ChartGeometry {
    const ChartLayout& layout;
    QSize frame;
    int scrollX = 0;
    int scrollY = 0;
    int rowCount = 0;

    // Where rows and bars are drawn: right of the list, below the time header.
    QRect chartArea() const {
        const QRect all(QPoint(0, 0), frame);
        return QRect(QPoint(layout.listWidth + 1, layout.headerHeight), all.bottomRight());
    }

    QRect listArea() const { return QRect(0, 0, layout.listWidth, frame.height()); }

    int rowTop(int row) const {
        return layout.headerHeight + (row - 1) * layout.rowHeight - scrollY;
    }

    double minuteX(int64_t absoluteMinute) const {
        return layout.listWidth + 1 + layout.axis.x(absoluteMinute) - scrollX;
    }

    // A span of the row: calendar blocks (fillsRow) fill it, other bars keep a margin inside.
    QRect spanRect(int row, int64_t start, int64_t end, bool fillsRow) const {
        const int left = ClampedCoordinate(minuteX(std::min(start, end)));
        const int right = std::max(left + 1, ClampedCoordinate(minuteX(std::max(start, end))));
        const int top = rowTop(row);
        if (fillsRow) {
            return QRect(left, top, right - left, layout.rowHeight - 1);
        }
        const int margin = std::max(3, layout.rowHeight / 5);
        return QRect(left, top + margin, right - left, layout.rowHeight - 2 * margin);
    }

    // The row under the point, 0 above the first or below the last row.
    int rowAt(const QPoint& pos) const {
        if (pos.y() < layout.headerHeight || pos.y() >= frame.height()) {
            return 0;
        }
        const int offset = pos.y() - layout.headerHeight + scrollY;
        const int row = offset / layout.rowHeight + 1;
        return row <= rowCount ? row : 0;
    }

    // The axis offset (pixels from the window's first day) under a horizontal position.
    double axisOffset(int x) const { return x - (layout.listWidth + 1) + scrollX; }

    ChartTime timeAt(const QPoint& pos) const {
        return TimeAxis::timeOf(layout.axis.minuteAt(axisOffset(pos.x())));
    }

    // The rows in sight, first to last; {1, 0} when none is.
    std::pair<int, int> visibleRows() const {
        const QRect chart = chartArea();
        if (rowCount == 0 || chart.height() <= 0) {
            return {1, 0};
        }
        const int first = scrollY / layout.rowHeight + 1;
        const int last = std::min(rowCount, (scrollY + chart.height() - 1) / layout.rowHeight + 1);
        return {first, last};
    }

    // The minutes in sight, a minute wider on either side.
    std::pair<int64_t, int64_t> visibleMinutes() const {
        const double left = scrollX;
        const double right = left + chartArea().width();
        return {layout.axis.minuteAt(left) - 1, layout.axis.minuteAt(right) + 1};
    }
};

}  // namespace tessaro::qt_detail
