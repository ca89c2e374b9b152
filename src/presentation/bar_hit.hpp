#pragma once

// Which bar, and which part of it, lies under a point of a painted frame.

#include <QPoint>
#include <QRect>

#include <tessaro/components/schedule_chart.hpp>

#include "bar_index.hpp"
#include "chart_geometry.hpp"

namespace tessaro::qt_detail {

enum class BarZone { None, Body, StartEdge, EndEdge };

struct BarUnderPoint {
    int row = 0;
    int bar = 0;
    BarZone part = BarZone::None;
};

// Where a bar is painted in the frame: its span, and with `subLanes` a work-order bar in its lane
// of the row. The bar must exist.
QRect PaintedBarRect(const ChartGeometry& geometry, const ScheduleChart& chart,
                     ChartBarIndex& index, int row, int bar, bool subLanes);

// The topmost bar under the point; calendar blocks are found only where no other bar is. Within
// `grip` pixels of a bar's end the edge is found instead of the body. With `subLanes` a
// work-order bar is found in its lane of the row, where it is painted.
BarUnderPoint FindBarAt(const ChartGeometry& geometry, const ScheduleChart& chart,
                        ChartBarIndex& index, const QPoint& pos, int grip, bool subLanes = false);

}  // namespace tessaro::qt_detail
