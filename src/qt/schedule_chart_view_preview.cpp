// What a drop of the copy would do, painted while the planner still holds it: the bars it would
// newly overlap outlined, and the tally under the ghost.

#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include "chart_palette.hpp"
#include "schedule_chart_view_private.hpp"

namespace tessaro {

void ScheduleChartView::Private::paintDropPreview(QPainter& painter) {
    if (!preview_ || preview_->text.isEmpty() || !draggingCopy()) {
        return;
    }
    const chart_palette::ChartColours& colours = *colours_;
    const qt_detail::ChartGeometry geometry = chartGeometry();
    const DropPreview& answer = preview_->answer;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.conflict, 2, Qt::DashLine));
    for (const auto& [row, bar] : answer.NewlyOverlapping) {
        if (barExists(row, bar)) {
            painter.drawRect(QRectF(paintedBarRect(geometry, row, bar)).adjusted(-2, -2, 1, 1));
        }
    }

    const QRect ghost =
        geometry.spanRect(gesture_.targetRow, gesture_.ghostStart, gesture_.ghostEnd, false);
    const QStringList lines = preview_->text.split(QLatin1Char('\n'));
    const QFontMetrics metrics(layout_.headerFont);
    int width = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    const int lineHeight = metrics.height();
    QRect box(0, 0, width + 10, lineHeight * static_cast<int>(lines.size()) + 4);
    const QRect chart = q->chartArea();
    // Under the ghost (its times stand above it), above it where the chart ends below.
    int top = ghost.bottom() + 3;
    if (top + box.height() > chart.bottom()) {
        top = std::max(chart.top(), ghost.top() - box.height() - 3);
    }
    box.moveTo(
        std::clamp(ghost.left(), chart.left(), std::max(chart.left(), chart.right() - box.width())),
        top);
    const bool troubled = answer.Refusal || !answer.NewlyOverlapping.empty() ||
                          answer.PrecedenceConflicts > 0 || answer.NonWorkingMinutes > 0 ||
                          (answer.LateBy && answer.LateBy->count() > 0);
    painter.setPen(QPen(troubled ? colours.conflict : colours.border, troubled ? 2 : 1));
    painter.setBrush(colours.labelBackground);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setFont(layout_.headerFont);
    painter.setPen(colours.labelText);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        painter.drawText(QRect(box.left() + 5, box.top() + 2 + lineHeight * static_cast<int>(i),
                               width, lineHeight),
                         Qt::AlignVCenter | Qt::AlignLeft, lines[i]);
    }
}

}  // namespace tessaro
