// The marks of the plan's conflicts other than overlaps, and the lines of the selected work
// order's sequence.

#include <algorithm>

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>

#include "bar_hit.hpp"
#include "chart_painter.hpp"
#include "plan_minutes.hpp"

namespace tessaro::qt_detail {

namespace {

// Amber: a warning about order, told apart from the red of overlapping work.
const QColor kPrecedence(0xE0, 0x8A, 0x00);

bool Exists(const ScheduleChart& chart, int row, int bar) {
    return row >= 1 && row <= chart.RowCount() && bar >= 1 &&
           bar <= chart.TimeBarCount(static_cast<int16_t>(row));
}

void PaintPrecedenceMark(QPainter& painter, const QRect& bar) {
    painter.fillRect(QRect(bar.left(), bar.top(), std::min(3, bar.width()), bar.height()),
                     kPrecedence);
    // A chevron over the start pointing back at the activity this one should follow.
    const int size = std::max(4, bar.height() / 2);
    QPolygon chevron;
    chevron << QPoint(bar.left(), bar.top()) << QPoint(bar.left() + size, bar.top())
            << QPoint(bar.left(), bar.top() + size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPrecedence);
    painter.drawPolygon(chevron);
}

void PaintNonWorkingMark(QPainter& painter, const ChartPaintInput& input, const QRect& part) {
    const QColor ink = input.colours.text;
    painter.fillRect(part, QBrush(ink, Qt::Dense6Pattern));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 1, Qt::DotLine));
    painter.drawRect(part.adjusted(0, 0, -1, -1));
}

}  // namespace

void PaintConflictMarks(QPainter& painter, ChartPaintInput& input, int firstRow, int lastRow) {
    if (input.conflicts == nullptr) {
        return;
    }
    const std::vector<PlanConflict>& conflicts = *input.conflicts;
    const ChartGeometry& geometry = input.geometry;
    const QRect chart = geometry.chartArea();
    auto at = std::lower_bound(conflicts.begin(), conflicts.end(), firstRow,
                               [](const PlanConflict& c, int row) { return c.Row < row; });
    for (; at != conflicts.end() && at->Row <= lastRow; ++at) {
        if (at->Kind == ConflictKind::Overlap || !Exists(input.chart, at->Row, at->Bar)) {
            continue;
        }
        const QRect bar =
            PaintedBarRect(geometry, input.chart, input.index, at->Row, at->Bar, input.subLanes);
        if (!bar.intersects(chart)) {
            continue;
        }
        if (at->Kind == ConflictKind::Precedence) {
            PaintPrecedenceMark(painter, bar);
        } else {
            const QRect block = geometry.spanRect(at->Row, MinuteOfPlanTime(at->Start),
                                                  MinuteOfPlanTime(at->End), false);
            PaintNonWorkingMark(painter, input,
                                QRect(block.left(), bar.top(), block.width(), bar.height()));
        }
    }
}

void PaintLinks(QPainter& painter, ChartPaintInput& input) {
    if (input.links == nullptr || input.links->empty()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (const LinkLine& link : *input.links) {
        if (!Exists(input.chart, link.fromRow, link.fromBar) ||
            !Exists(input.chart, link.toRow, link.toBar)) {
            continue;
        }
        const QRect from = PaintedBarRect(input.geometry, input.chart, input.index, link.fromRow,
                                          link.fromBar, input.subLanes);
        const QRect to = PaintedBarRect(input.geometry, input.chart, input.index, link.toRow,
                                        link.toBar, input.subLanes);
        const QPointF start(from.right() + 1, from.center().y());
        const QPointF end(to.left(), to.center().y());
        // Out along the earlier bar's row, across, and into the later bar: a step the eye follows
        // from one resource to the next.
        const double bend = std::max(start.x() + 6, end.x() - 6);
        QPainterPath path(start);
        path.lineTo(bend, start.y());
        path.lineTo(bend, end.y());
        path.lineTo(end);
        painter.setPen(QPen(link.outOfOrder ? kPrecedence : input.colours.text, 1.5,
                            link.outOfOrder ? Qt::DashLine : Qt::SolidLine));
        painter.drawPath(path);
        // An arrowhead into the later activity.
        QPolygonF head;
        head << end << QPointF(end.x() - 5, end.y() - 3) << QPointF(end.x() - 5, end.y() + 3);
        painter.setBrush(painter.pen().color());
        painter.drawPolygon(head);
        painter.setBrush(Qt::NoBrush);
    }
    painter.restore();
}

}  // namespace tessaro::qt_detail
