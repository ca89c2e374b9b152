#include "chart_measures.hpp"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QStringList>

#include <tessaro/qt/conversions.hpp>

#include "chart_palette.hpp"
#include "core_captions.hpp"

namespace tessaro::qt_detail {

void MeasureRows(ChartLayout& layout, const ScheduleChart& chart) {
    layout.listFont = toQFont(chart.ListFont());
    layout.columnWidths.clear();
    for (int row = 1; row <= chart.RowCount(); ++row) {
        MeasureRow(layout, chart, row);
    }
}

void MeasureRow(ChartLayout& layout, const ScheduleChart& chart, int row) {
    if (row < 1 || row > chart.RowCount()) {
        return;
    }
    const QFontMetrics metrics(layout.listFont);
    const QStringList columns = toQString(chart.RowText(static_cast<int16_t>(row))).split(';');
    if (layout.columnWidths.size() < static_cast<size_t>(columns.size())) {
        layout.columnWidths.resize(static_cast<size_t>(columns.size()), 0);
    }
    for (qsizetype c = 0; c < columns.size(); ++c) {
        int& width = layout.columnWidths[static_cast<size_t>(c)];
        // Two pixels of slack: eliding measures with fractional advances.
        width = std::max(width, metrics.horizontalAdvance(columns[c].trimmed()) + 2);
    }
}

double FitDayWidth(const ChartLayout& layout, const ScheduleChart& chart, int frameWidth) {
    const int width = frameWidth - layout.listWidth - 1;
    const int64_t days =
        int64_t{std::max(chart.RangeStartDay(), chart.RangeEndDay())} - chart.RangeStartDay() + 1;
    return std::max(1.0, static_cast<double>(width) / static_cast<double>(days));
}

double WantedDayWidth(const ChartLayout& layout, const ScheduleChart& chart, double dpiScale,
                      int frameWidth) {
    // A scale of 0 or below (the toolbar zoomed out past its last step) shows the whole window.
    return chart.TimeScale() >= 1 ? chart.TimeScale() * dpiScale
                                  : FitDayWidth(layout, chart, frameWidth);
}

void LayOutChart(ChartLayout& layout, const ScheduleChart& chart, double dpiScale, int frameWidth) {
    ChartLayout& l = layout;
    if (toQFont(chart.ListFont()) != l.listFont) {
        MeasureRows(l, chart);
    }
    // The time header keeps a modest size even when the list is set large and bold.
    l.headerFont = l.listFont;
    l.headerFont.setBold(false);
    l.headerFont.setPointSizeF(std::min(l.listFont.pointSizeF(), 9.0));
    l.barFont = toQFont(chart.TimeBarFont());

    const QFontMetrics listMetrics(l.listFont);
    const QFontMetrics barMetrics(l.barFont);
    const QFontMetrics headerMetrics(l.headerFont);
    l.rowHeight = std::max({listMetrics.height() + 10, barMetrics.height() + 10,
                            static_cast<int>(std::lround(22 * dpiScale))});
    l.headerRowHeight = headerMetrics.height() + 8;

    // The list is as wide as its columns, within a third of the frame.
    const int padding = chart_palette::kTextPadding * 2;
    int wanted = headerMetrics.horizontalAdvance(CoreCaption(chart.ListColumnTitle())) + padding;
    int columnsWidth = 0;
    for (const int width : l.columnWidths) {
        columnsWidth +=
            std::min(width, static_cast<int>(chart_palette::kListColumnCap * dpiScale)) + padding;
    }
    wanted = std::max({wanted, columnsWidth, static_cast<int>(std::lround(110 * dpiScale))});
    const int limit = std::max(static_cast<int>(std::lround(110 * dpiScale)), frameWidth / 3);
    l.listWidth = std::min(wanted, limit);

    const double dayWidth = WantedDayWidth(l, chart, dpiScale, frameWidth);
    l.axis = TimeAxis(chart.RangeStartDay(), chart.RangeEndDay(), dayWidth);
    // A third header row of hours appears once an hour is wide enough for its number.
    const double hourWidth = dayWidth / 24;
    l.headerRows = hourWidth >= headerMetrics.horizontalAdvance(QStringLiteral("00")) + 8 ? 3 : 2;
    l.headerHeight = l.headerRows * l.headerRowHeight;
}

}  // namespace tessaro::qt_detail
