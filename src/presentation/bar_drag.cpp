#include "bar_drag.hpp"

#include <algorithm>
#include <cmath>

namespace tessaro::qt_detail {

BarDrag HoldBar(const ScheduleChart& chart, int row, int bar, DragHold hold) {
    const ChartBar& held = chart.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const int64_t start = held.Start.AbsoluteMinutes();
    const int64_t end = held.End.AbsoluteMinutes();
    return {hold, row, bar, start, end, row, start, end};
}

void FollowPointer(BarDrag& drag, const ChartGeometry& geometry, int moved, const QPoint& pos) {
    const TimeAxis& axis = geometry.layout.axis;
    const auto delta = static_cast<int64_t>(std::llround(moved / axis.minuteWidth()));
    switch (drag.hold) {
        case DragHold::Bar: {
            drag.ghostStart = axis.snap(drag.start + delta);
            drag.ghostEnd = drag.ghostStart + (drag.end - drag.start);
            if (const int row = geometry.rowAt(pos); row != 0) {
                drag.targetRow = row;
            } else if (geometry.rowCount > 0) {
                drag.targetRow = pos.y() < geometry.layout.headerHeight
                                     ? std::max(1, geometry.visibleRows().first)
                                     : std::min(geometry.rowCount, geometry.visibleRows().second);
            }
            break;
        }
        case DragHold::StartEdge:
            drag.ghostStart = std::min(axis.snap(drag.start + delta), drag.end - 1);
            break;
        case DragHold::EndEdge:
            drag.ghostEnd = std::max(axis.snap(drag.end + delta), drag.start + 1);
            break;
    }
}

void DropBar(ScheduleChart& chart, const BarDrag& drag) {
    const auto row = static_cast<int16_t>(drag.row);
    const auto bar = static_cast<int16_t>(drag.bar);
    const ChartTime start = TimeAxis::timeOf(drag.ghostStart);
    const ChartTime end = TimeAxis::timeOf(drag.ghostEnd);
    switch (drag.hold) {
        case DragHold::Bar:
            if (drag.targetRow != drag.row || drag.ghostStart != drag.start) {
                chart.DragBar(row, bar, static_cast<int16_t>(drag.targetRow), start.Day,
                              start.Minute);
            }
            break;
        case DragHold::StartEdge:
            if (drag.ghostStart != drag.start) {
                chart.DragBarStart(row, bar, start.Day, start.Minute);
            }
            break;
        case DragHold::EndEdge:
            if (drag.ghostEnd != drag.end) {
                chart.DragBarEnd(row, bar, end.Day, end.Minute);
            }
            break;
    }
}

std::optional<int16_t> ZoomedTimeScale(const ScheduleChart& chart, double dayWidth,
                                       double fitDayWidth, double dpiScale, double factor,
                                       int maximumTimeScale) {
    const double current = dayWidth / dpiScale;
    const double fit = fitDayWidth / dpiScale;
    const double wanted =
        std::clamp(current * factor, std::min(fit, current), static_cast<double>(maximumTimeScale));
    auto scale = static_cast<int16_t>(std::clamp(std::lround(wanted), 1L, 32767L));
    if (scale == chart.TimeScale()) {
        // A small step still moves: at least one pixel a day.
        scale = static_cast<int16_t>(
            std::clamp<int>(scale + (factor > 1 ? 1 : -1),
                            static_cast<int>(std::max(1.0, std::floor(fit))), maximumTimeScale));
        if (factor < 1 && !(dayWidth > fitDayWidth + 1e-9)) {
            return std::nullopt;
        }
    }
    return scale;
}

}  // namespace tessaro::qt_detail
