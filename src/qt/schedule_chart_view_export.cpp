// The whole chart on an image or on paper: every row over the whole window, with the time header
// and the resource list, painted by the same code as the screen through another frame.

#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <tessaro/qt/conversions.hpp>

#include "chart_palette.hpp"
#include "core_captions.hpp"
#include "schedule_chart_view_private.hpp"

namespace tessaro {
namespace {

// Raster images taller than this are refused: QPainter's coordinates stay exact below it.
constexpr int kMaximumImageHeight = 32000;

}  // namespace

qt_detail::ChartLayout ScheduleChartView::Private::exportLayout(double dayWidth) const {
    qt_detail::ChartLayout l = layout_;
    l.axis = TimeAxis(l.axis.firstDay(), l.axis.lastDay(), dayWidth);
    l.headerRows = headerRowsFor(dayWidth);
    l.headerHeight = l.headerRows * l.headerRowHeight;
    return l;
}

int ScheduleChartView::Private::headerRowsFor(double dayWidth) const {
    // A third header row of hours appears once an hour is wide enough for its number.
    const QFontMetrics metrics(layout_.headerFont);
    return dayWidth / 24 >= metrics.horizontalAdvance(QStringLiteral("00")) + 8 ? 3 : 2;
}

void ScheduleChartView::Private::paintExportFrame(QPainter& painter,
                                                  const qt_detail::ChartLayout& layout,
                                                  const qt_detail::ChartFrame& frame) {
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), frame.size));
    paintFrame(painter,
               qt_detail::ChartGeometry{layout, frame.size, frame.scrollX, frame.scrollY,
                                        chart_.RowCount()},
               true);
    painter.restore();
}

QImage ScheduleChartView::renderWholeChart(int maxWidth) {
    const TimeAxis& screenAxis = d->layout_.axis;
    const double days = static_cast<double>(screenAxis.dayCount());
    const int listWidth = d->layout_.listWidth + 1;
    const double dayWidth =
        std::min(screenAxis.dayWidth(), std::max(1.0, (maxWidth - listWidth) / days));
    const qt_detail::ChartLayout layout = d->exportLayout(dayWidth);
    const int width = listWidth + static_cast<int>(std::ceil(layout.axis.totalWidth()));
    const int64_t height = layout.headerHeight + int64_t{d->chart_.RowCount()} * layout.rowHeight;
    if (height > kMaximumImageHeight) {
        return {};
    }
    QImage image(width, static_cast<int>(height), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Base));
    QPainter painter(&image);
    d->paintExportFrame(painter, layout, qt_detail::ChartFrame{image.size(), 0, 0});
    return image;
}

bool ScheduleChartView::exportPng(const QString& path) {
    const QImage image = renderWholeChart();
    return !image.isNull() && image.save(path, "PNG");
}

int ScheduleChartView::printChart(QPagedPaintDevice& device) {
    const QSize page(device.width(), device.height());
    const double days = static_cast<double>(d->layout_.axis.dayCount());
    const int listWidth = d->layout_.listWidth + 1;
    const qt_detail::ChartLayout layout =
        d->exportLayout(std::max(1.0, (page.width() - listWidth) / days));
    const int contentWidth = listWidth + static_cast<int>(std::ceil(layout.axis.totalWidth()));
    // A window of more days than the page has pixels is scaled down to the page's width.
    const double scale = std::min(1.0, static_cast<double>(page.width()) / contentWidth);
    const int pageHeight = static_cast<int>(std::floor(page.height() / scale));
    const int rowsPerPage = std::max(1, (pageHeight - layout.headerHeight) / layout.rowHeight);
    const int rows = d->chart_.RowCount();
    const int pages = std::max(1, (rows + rowsPerPage - 1) / rowsPerPage);

    QPainter painter(&device);
    if (!painter.isActive()) {
        return 0;
    }
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !device.newPage()) {
            return p;
        }
        painter.save();
        painter.scale(scale, scale);
        const int rowsHere = std::min(rowsPerPage, rows - p * rowsPerPage);
        const qt_detail::ChartFrame frame{
            QSize(contentWidth, layout.headerHeight + std::max(0, rowsHere) * layout.rowHeight), 0,
            p * rowsPerPage * layout.rowHeight};
        d->paintExportFrame(painter, layout, frame);
        painter.restore();
    }
    return pages;
}

bool ScheduleChartView::exportPdf(const QString& path) {
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Tessaro"));
    writer.setTitle(qt_detail::CoreCaption(d->chart_.ListColumnTitle()));
    writer.setResolution(96);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    return printChart(writer) > 0;
}

}  // namespace tessaro
