// The chart's margins: the time header above the rows and the resource list left of them.

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QStringList>

#include <tessaro/qt/conversions.hpp>

#include "chart_painter.hpp"
#include "core_captions.hpp"
#include "time_header.hpp"

namespace tessaro::qt_detail {

using chart_palette::ChartColours;

void PaintHeader(QPainter& painter, const ChartPaintInput& input) {
    const ChartColours& colours = input.colours;
    const ChartGeometry& geometry = input.geometry;
    const ChartLayout& layout = geometry.layout;
    const QRect chart = geometry.chartArea();
    const QRect header(chart.left(), 0, chart.width(), layout.headerHeight);
    painter.save();
    painter.setClipRect(header);
    painter.fillRect(header, colours.headerBackground);

    HeaderInput laying;
    laying.axis = layout.axis;
    laying.chartLeft = chart.left();
    laying.chartWidth = chart.width();
    laying.scrollX = geometry.scrollX;
    laying.rowHeight = layout.headerRowHeight;
    laying.rows = layout.headerRows;
    laying.font = layout.headerFont;
    laying.dayNames = CoreNames(input.chart.DayNames());
    laying.monthNames = CoreNames(input.chart.MonthNames());
    laying.monthFormat = input.chart.TimeScaleFormat();
    const HeaderLayout laid = LayOutHeader(laying);

    const int rowHeight = layout.headerRowHeight;
    for (const HeaderCell& cell : laid.cells) {
        const int top = cell.level * rowHeight;
        if (cell.weekend) {
            painter.fillRect(QRect(cell.left, top, cell.right - cell.left, rowHeight - 1),
                             colours.headerWeekend);
        }
        if (cell.separator) {
            painter.setPen(colours.border);
            painter.drawLine(cell.right - 1, top, cell.right - 1, top + rowHeight - 1);
        }
    }
    for (int level = 1; level < layout.headerRows; ++level) {
        painter.setPen(colours.border);
        painter.drawLine(chart.left(), level * rowHeight - 1, chart.right(), level * rowHeight - 1);
    }
    QFont bold = layout.headerFont;
    bold.setBold(true);
    painter.setPen(colours.headerText);
    for (const HeaderCaption& caption : laid.captions) {
        painter.setFont(caption.bold ? bold : layout.headerFont);
        painter.drawText(caption.rect,
                         Qt::AlignVCenter | (caption.level == 2 ? Qt::AlignHCenter : Qt::AlignLeft),
                         caption.text);
    }
    if (input.now) {
        // The now line's mark in the header: a small triangle pointing down at the time.
        const int x = RoundedX(geometry.minuteX(input.now->AbsoluteMinutes()));
        if (x >= chart.left() && x <= chart.right()) {
            const int h = std::max(4, rowHeight / 3);
            const int bottom = layout.headerHeight - 1;
            QPolygon mark;
            mark << QPoint(x - h, bottom - h) << QPoint(x + h, bottom - h) << QPoint(x, bottom);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.nowLine);
            painter.drawPolygon(mark);
        }
    }
    painter.restore();

    painter.setPen(colours.border);
    painter.drawLine(0, layout.headerHeight - 1, geometry.frame.width(), layout.headerHeight - 1);
}

void PaintResourceList(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow) {
    const ChartColours& colours = input.colours;
    const ChartGeometry& geometry = input.geometry;
    const ChartLayout& layout = geometry.layout;
    const QRect list = geometry.listArea();
    const int pad = chart_palette::kTextPadding;
    painter.save();
    painter.setClipRect(list);

    // The column title fills the height of the time header.
    const QRect title(0, 0, list.width(), layout.headerHeight - 1);
    painter.fillRect(title, colours.headerBackground);
    QFont titleFont = layout.listFont;
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(colours.headerText);
    painter.drawText(title.adjusted(pad, 0, -pad, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(titleFont).elidedText(CoreCaption(input.chart.ListColumnTitle()),
                                                        Qt::ElideRight, title.width() - 2 * pad));

    const QRect rows(0, layout.headerHeight, list.width(), list.height() - layout.headerHeight);
    painter.setClipRect(rows);
    painter.fillRect(rows, colours.base);
    painter.setFont(layout.listFont);
    const QFontMetrics metrics(layout.listFont);
    const int cap = static_cast<int>(std::lround(chart_palette::kListColumnCap * input.dpiScale));
    const int dropRow =
        input.ghost && input.ghost->follows == GhostBar::Follows::Bar ? input.ghost->targetRow : 0;
    const auto [fromMinute, toMinute] = geometry.visibleMinutes();
    const int64_t windowEnd = int64_t{layout.axis.lastDay() + 1} * TimeAxis::kMinutesPerDay;
    const int64_t loadFrom = std::max(fromMinute + 1, int64_t{layout.axis.firstDay()} * 1440);
    const int64_t loadTo = std::min(toMinute - 1, windowEnd);
    for (int row = firstRow; row <= lastRow; ++row) {
        const QRect line(0, geometry.rowTop(row), list.width(), layout.rowHeight);
        if (row == dropRow) {
            painter.fillRect(line, colours.dropTarget);
        } else if (row % 2 == 0) {
            painter.fillRect(line, colours.listStripe);
        }
        const QStringList columns =
            toQString(input.chart.RowText(static_cast<int16_t>(row))).split(';');
        int x = 0;
        const QRect strip = LoadStripRect(line, input.dpiScale);
        // The last column stops short of the load strip.
        const int reserved = input.loadStrips != nullptr ? line.right() - strip.left() + 2 : 0;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const bool last = c + 1 == columns.size();
            const int measured = static_cast<size_t>(c) < layout.columnWidths.size()
                                     ? layout.columnWidths[static_cast<size_t>(c)]
                                     : 0;
            const int width =
                last ? list.width() - x - reserved : std::min(measured, cap) + 2 * pad;
            if (width <= 2 * pad) {
                break;
            }
            painter.setPen(colours.text);
            painter.drawText(
                QRect(x + pad, line.top(), width - 2 * pad, line.height() - 1),
                Qt::AlignVCenter | Qt::AlignLeft,
                metrics.elidedText(columns[c].trimmed(), Qt::ElideRight, width - 2 * pad));
            x += width;
            if (!last) {
                painter.setPen(colours.rowLine);
                painter.drawLine(x - 1, line.top(), x - 1, line.bottom());
            }
        }
        if (input.loadStrips != nullptr && loadTo > loadFrom) {
            const double ratio = input.loadStrips->ratio(input.chart, row, loadFrom, loadTo);
            painter.fillRect(strip, colours.rowLine);
            // Green while the resource has time to spare, red once booked past it.
            painter.fillRect(LoadStripFill(strip, ratio),
                             ratio > 1.0 ? colours.conflict : QColor(0x2e, 0x9d, 0x4f));
        }
        painter.setPen(colours.rowLine);
        painter.drawLine(0, line.bottom(), list.width(), line.bottom());
    }
    painter.restore();

    painter.setPen(colours.border);
    painter.drawLine(list.width(), 0, list.width(), list.height());
}

}  // namespace tessaro::qt_detail
