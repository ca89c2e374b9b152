#include "chart_painter.hpp"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPen>

#include "bar_hit.hpp"

namespace tessaro::qt_detail {

using chart_palette::ChartColours;

int RoundedX(double x) {
    return static_cast<int>(std::lround(std::clamp(x, -1.0e7, 1.0e7)));
}

int32_t FirstVisibleDay(const ChartGeometry& geometry) {
    return TimeAxis::timeOf(geometry.layout.axis.minuteAt(geometry.scrollX)).Day;
}

int PaintChart(QPainter& painter, ChartPaintInput& input) {
    const ChartGeometry& geometry = input.geometry;
    input.labels.useFont(geometry.layout.barFont);
    input.marks.useColours(input.colours.markOutline, input.colours.markFill);
    painter.fillRect(QRect(QPoint(0, 0), geometry.frame), input.colours.base);
    const auto [firstRow, lastRow] = geometry.visibleRows();
    const auto [fromMinute, toMinute] = geometry.visibleMinutes();
    FindFrameBars(input.index, input.chart, firstRow, lastRow, fromMinute, toMinute,
                  input.frameBars);

    painter.save();
    painter.setClipRect(geometry.chartArea());
    PaintTimeBackground(painter, input);
    int painted = PaintFrameBars(painter, input, true);
    PaintDropTarget(painter, input, firstRow, lastRow);
    PaintGridLines(painter, input, firstRow, lastRow);
    PaintChanges(painter, input, firstRow, lastRow);
    painted += PaintFrameBars(painter, input, false);
    PaintConflictZones(painter, input, firstRow, lastRow);
    PaintConflictMarks(painter, input, firstRow, lastRow);
    PaintLinks(painter, input);
    PaintNowLine(painter, input);
    PaintGhost(painter, input);
    painter.restore();

    PaintHeader(painter, input);
    PaintResourceList(painter, input, firstRow, lastRow);
    return painted;
}

void PaintTimeBackground(QPainter& painter, const ChartPaintInput& input) {
    const ChartColours& colours = input.colours;
    const ChartGeometry& geometry = input.geometry;
    const QRect chart = geometry.chartArea();
    const TimeAxis& axis = geometry.layout.axis;
    if (axis.dayWidth() >= 3) {
        const int32_t first = std::max(FirstVisibleDay(geometry), axis.firstDay());
        for (int32_t day = first; day <= axis.lastDay(); ++day) {
            const int x0 = RoundedX(geometry.minuteX(int64_t{day} * TimeAxis::kMinutesPerDay));
            if (x0 > chart.right()) {
                break;
            }
            const int weekday = TimeAxis::weekday(day);
            if (weekday == 0 || weekday == 6) {
                const int x1 =
                    RoundedX(geometry.minuteX(int64_t{day + 1} * TimeAxis::kMinutesPerDay));
                painter.fillRect(QRect(x0, chart.top(), x1 - x0, chart.height()),
                                 colours.weekendShade);
            }
        }
    }
    // Beyond the end of the range there is no time to plan in.
    const int end =
        RoundedX(geometry.minuteX(int64_t{axis.lastDay() + 1} * TimeAxis::kMinutesPerDay));
    if (end <= chart.right()) {
        painter.fillRect(QRect(end, chart.top(), chart.right() - end + 1, chart.height()),
                         colours.outOfRange);
    }
}

int PaintFrameBars(QPainter& painter, ChartPaintInput& input, bool calendarBlocks) {
    const std::vector<FrameBar>& bars =
        calendarBlocks ? input.frameBars.calendarBlocks : input.frameBars.others;
    // One frame's geometry for every bar: thousands of them share its scroll position.
    const ChartGeometry& geometry = input.geometry;
    for (const FrameBar& found : bars) {
        const QRect rect = PaintedBarRect(geometry, input.chart, input.index, found.row, found.bar,
                                          input.subLanes && !calendarBlocks);
        if (calendarBlocks) {
            painter.fillRect(rect, input.colours.calendarBlock);
        } else {
            PaintBar(painter, input, rect, found.row, found.bar,
                     GlanceAtBar(input.chart, found.row, found.bar), false, found.conflicting);
        }
        if (found.row == input.markedRow && found.bar == input.markedBar) {
            // The bar the Delete key acts on.
            painter.setPen(QPen(input.markColour, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(-2, -2, 1, 1));
        }
    }
    return static_cast<int>(bars.size());
}

void PaintDropTarget(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow) {
    if (!input.ghost || input.ghost->follows != GhostBar::Follows::Bar ||
        input.ghost->targetRow < firstRow || input.ghost->targetRow > lastRow) {
        return;
    }
    // The row a moved bar would land on, over its calendar blocks too.
    QColor target = input.colours.dropTarget;
    target.setAlpha(170);
    const QRect chart = input.geometry.chartArea();
    painter.fillRect(QRect(chart.left(), input.geometry.rowTop(input.ghost->targetRow),
                           chart.width(), input.geometry.layout.rowHeight),
                     target);
}

void PaintGridLines(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow) {
    const ChartColours& colours = input.colours;
    const ChartGeometry& geometry = input.geometry;
    const QRect chart = geometry.chartArea();
    const TimeAxis& axis = geometry.layout.axis;
    const double hourWidth = axis.dayWidth() / 24;
    const auto [fromMinute, toMinute] = geometry.visibleMinutes();
    const int64_t lastMinute = int64_t{axis.lastDay() + 1} * TimeAxis::kMinutesPerDay;

    // The lines are one pixel wide and opaque: filled, each costs a fraction of a stroke.
    if (hourWidth >= 8) {
        for (int64_t minute = std::max<int64_t>(fromMinute / 60 * 60, 0);
             minute <= std::min(toMinute, lastMinute); minute += 60) {
            if (minute % TimeAxis::kMinutesPerDay != 0) {
                const int x = RoundedX(geometry.minuteX(minute));
                painter.fillRect(QRect(x, chart.top(), 1, chart.height()), colours.hourLine);
            }
        }
    }
    // Days while they are wide enough to tell apart, weeks (from Monday) below that.
    const int step = axis.dayWidth() >= 4 ? 1 : 7;
    if (axis.dayWidth() * step >= 4) {
        for (int32_t day = std::max(FirstVisibleDay(geometry), axis.firstDay());
             day <= axis.lastDay() + 1; ++day) {
            const int x = RoundedX(geometry.minuteX(int64_t{day} * TimeAxis::kMinutesPerDay));
            if (x > chart.right()) {
                break;
            }
            if (step == 1 || TimeAxis::weekday(day) == 1) {
                painter.fillRect(QRect(x, chart.top(), 1, chart.height()), colours.dayLine);
            }
        }
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = geometry.rowTop(row) + geometry.layout.rowHeight - 1;
        painter.fillRect(QRect(chart.left(), y, chart.width(), 1), colours.rowLine);
    }
}

void PaintConflictZones(QPainter& painter, ChartPaintInput& input, int firstRow, int lastRow) {
    const auto [fromMinute, toMinute] = input.geometry.visibleMinutes();
    const QColor hatch = input.colours.conflict;
    for (int row = firstRow; row <= lastRow; ++row) {
        const auto& zones = input.index.conflicts(input.chart, static_cast<int16_t>(row)).zones;
        auto zone = std::lower_bound(
            zones.begin(), zones.end(), fromMinute,
            [](const std::pair<int64_t, int64_t>& z, int64_t minute) { return z.second < minute; });
        for (; zone != zones.end() && zone->first <= toMinute; ++zone) {
            const QRect rect = input.geometry.spanRect(row, zone->first, zone->second, false);
            painter.fillRect(rect, QBrush(hatch, Qt::BDiagPattern));
        }
    }
}

void PaintChanges(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow) {
    if (input.changes.empty()) {
        return;
    }
    const ChartColours& colours = input.colours;
    const ChartGeometry& geometry = input.geometry;
    const auto [fromMinute, toMinute] = geometry.visibleMinutes();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ChangeOutline& change : input.changes) {
        const bool nowInSight = change.currentRow >= firstRow && change.currentRow <= lastRow &&
                                change.currentEnd >= fromMinute && change.currentStart <= toMinute;
        const QRect now = change.currentRow == 0
                              ? QRect()
                              : geometry.spanRect(change.currentRow, change.currentStart,
                                                  change.currentEnd, false);
        const bool loadedInSight = change.loadedRow >= firstRow && change.loadedRow <= lastRow &&
                                   change.loadedEnd >= fromMinute && change.loadedStart <= toMinute;
        const QRect was =
            geometry.spanRect(change.loadedRow, change.loadedStart, change.loadedEnd, false);
        if (loadedInSight) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colours.changeOutline, 2, Qt::DashLine));
            painter.drawRect(QRectF(was).adjusted(1, 1, -1, -1));
        }
        if (!now.isNull() && (loadedInSight || nowInSight)) {
            // The link from where it was to where it is.
            QPen link(colours.changeOutline, 1.5, Qt::DotLine);
            painter.setPen(link);
            const QPointF a(was.center());
            const QPointF b(now.left(), now.center().y());
            painter.drawLine(a, b);
            // The marker: a filled dot at the start of the moved bar.
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.changeMarker);
            const double r = std::max(3.0, geometry.layout.rowHeight / 6.0);
            painter.drawEllipse(QPointF(now.left(), now.top()), r, r);
        }
    }
    painter.restore();
}

void PaintNowLine(QPainter& painter, const ChartPaintInput& input) {
    if (!input.now) {
        return;
    }
    const int x = RoundedX(input.geometry.minuteX(input.now->AbsoluteMinutes()));
    const QRect chart = input.geometry.chartArea();
    if (x < chart.left() || x > chart.right()) {
        return;
    }
    painter.setPen(QPen(input.colours.nowLine, 2));
    painter.drawLine(x, chart.top(), x, chart.bottom());
}

}  // namespace tessaro::qt_detail
