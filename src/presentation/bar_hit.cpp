#include "bar_hit.hpp"

#include <algorithm>
#include <cstdlib>

#include <tessaro/bars/chart_conventions.hpp>

namespace tessaro::qt_detail {

QRect PaintedBarRect(const ChartGeometry& geometry, const ScheduleChart& chart,
                     ChartBarIndex& index, int row, int bar, bool subLanes) {
    const ChartBar& b = chart.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const QRect rect = geometry.spanRect(row, b.Start.AbsoluteMinutes(), b.End.AbsoluteMinutes(),
                                         b.Kind == CalendarBarKind);
    if (!subLanes || b.Kind != WorkOrderBarKind) {
        return rect;
    }
    const RowLanes& lanes = index.lanes(chart, static_cast<int16_t>(row));
    return LaneRect(rect, lanes.laneOfBar(bar), lanes.lanesOfBar(bar));
}

BarUnderPoint FindBarAt(const ChartGeometry& geometry, const ScheduleChart& chart,
                        ChartBarIndex& index, const QPoint& pos, int grip, bool subLanes) {
    const int row = geometry.rowAt(pos);
    if (row == 0 || !geometry.chartArea().contains(pos)) {
        return {};
    }
    const double offset = geometry.axisOffset(pos.x());
    const TimeAxis& axis = geometry.layout.axis;
    const int64_t from = axis.minuteAt(offset - grip) - 1;
    const int64_t to = axis.minuteAt(offset + grip) + 1;
    BarUnderPoint best;
    bool bestIsCalendar = true;
    const RowLanes* lanes = subLanes ? &index.lanes(chart, static_cast<int16_t>(row)) : nullptr;
    const auto& rowIndex = index.row(chart, static_cast<int16_t>(row));
    rowIndex.forEachIn(from, to, [&](const RowBarIndex::Entry& entry) {
        const ChartBar& b = chart.Bar(static_cast<int16_t>(row), entry.bar);
        const bool calendar = b.Kind == CalendarBarKind;
        QRect rect = geometry.spanRect(row, entry.start, entry.end, calendar);
        if (lanes != nullptr && b.Kind == WorkOrderBarKind) {
            rect = LaneRect(rect, lanes->laneOfBar(entry.bar), lanes->lanesOfBar(entry.bar));
        }
        BarZone part = BarZone::None;
        if (calendar) {
            part = rect.contains(pos) ? BarZone::Body : BarZone::None;
        } else if (pos.y() >= rect.top() && pos.y() <= rect.bottom()) {
            // Short bars keep a body in the middle to grab.
            const int reach = std::min(grip, std::max(1, rect.width() / 3));
            if (std::abs(pos.x() - rect.left()) <= reach) {
                part = BarZone::StartEdge;
            } else if (std::abs(pos.x() - (rect.right() + 1)) <= reach) {
                part = BarZone::EndEdge;
            } else if (rect.contains(pos)) {
                part = BarZone::Body;
            }
        }
        if (part == BarZone::None) {
            return;
        }
        // Work-order bars win over calendar blocks; among equals the later bar is on top.
        const bool better = best.bar == 0 || (bestIsCalendar && !calendar) ||
                            (bestIsCalendar == calendar && entry.bar > best.bar);
        if (better) {
            best = {row, entry.bar, part};
            bestIsCalendar = calendar;
        }
    });
    return best;
}

}  // namespace tessaro::qt_detail
