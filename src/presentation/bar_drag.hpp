#pragma once

// A bar dragged on the chart, as every front end moves it: the ghost follows the pointer in
// snapped minutes, across rows when the whole bar moves, and the drop calls the model's drag
// entry point only when the ghost left the bar's place. Zooming follows the same steps too.

#include <cstdint>
#include <optional>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/qt/time_axis.hpp>

#include "chart_geometry.hpp"

namespace tessaro::qt_detail {

// What follows the pointer: the whole bar, or one of its edges.
enum class DragHold { Bar, StartEdge, EndEdge };

struct BarDrag {
    DragHold hold = DragHold::Bar;
    int row = 0;
    int bar = 0;
    // The bar's span when the drag began, absolute minutes.
    int64_t start = 0;
    int64_t end = 0;
    // Where the ghost is now.
    int targetRow = 0;
    int64_t ghostStart = 0;
    int64_t ghostEnd = 0;
};

// A drag taking hold of the bar where it stands, its ghost over it.
BarDrag HoldBar(const ScheduleChart& chart, int row, int bar, DragHold hold = DragHold::Bar);

// Moves the ghost: `moved` pixels along the chart since the press (scrolling included), with the
// pointer at `pos` of the frame. Above or below the rows the ghost stays on the nearest one.
void FollowPointer(BarDrag& drag, const ChartGeometry& geometry, int moved, const QPoint& pos);

// Hands the drop to the model (DragBar, DragBarStart or DragBarEnd); nothing when the ghost is
// where the bar was. The model's handlers may raise.
void DropBar(ScheduleChart& chart, const BarDrag& drag);

// The TimeScale a zoom by `factor` sets, from the painted day width, the day width that fits the
// window and the screen's scale; nullopt when zooming out would change nothing.
std::optional<int16_t> ZoomedTimeScale(const ScheduleChart& chart, double dayWidth,
                                       double fitDayWidth, double dpiScale, double factor,
                                       int maximumTimeScale);

}  // namespace tessaro::qt_detail
