#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <array>
#include <cmath>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "bar_index.hpp"
#include "bar_marks.hpp"
#include "bar_texts.hpp"
#include "chart_palette.hpp"
#include "core_captions.hpp"
#include "frame_bars.hpp"
#include "label_cache.hpp"
#include "schedule_chart_view_private.hpp"
#include "time_header.hpp"

namespace tessaro {

namespace palette = chart_palette;
using palette::ChartColours;

namespace {

int RoundedX(double x) {
    return static_cast<int>(std::lround(std::clamp(x, -1.0e7, 1.0e7)));
}

// Below this width a bar shows no text: the label would be an ellipsis.
constexpr int kLabelMinimumWidth = 24;

// The one-pixel outline on the rect's edge, as drawRect(rect.adjusted(0, 0, -1, -1)) draws it
// with a solid pen of width 1: filled, it costs a fraction of a stroke.
void FillOutline(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    if (rect.height() > 1) {
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    }
    if (rect.height() > 2) {
        painter.fillRect(QRect(rect.left(), rect.top() + 1, 1, rect.height() - 2), colour);
        if (rect.width() > 1) {
            painter.fillRect(QRect(rect.right(), rect.top() + 1, 1, rect.height() - 2), colour);
        }
    }
}

void DrawOutline(QPainter& painter, const QRect& rect, const QColor& colour, Qt::PenStyle style) {
    if (style == Qt::SolidLine && colour.alpha() == 255) {
        FillOutline(painter, rect, colour);
        return;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 1, style));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

}  // namespace

void ScheduleChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    paintChart(painter);
}

void ScheduleChartView::paintChart(QPainter& painter) {
    *d->colours_ = ChartColours::from(palette());
    d->labels_->useFont(d->layout_.barFont);
    const ChartColours& colours = *d->colours_;
    d->marks_->useColours(colours.markOutline, colours.markFill);
    painter.fillRect(QRect(QPoint(0, 0), chartGeometry().frame), colours.base);
    const auto [firstRow, lastRow] = chartGeometry().visibleRows();
    const auto [fromMinute, toMinute] = chartGeometry().visibleMinutes();
    qt_detail::FindFrameBars(*d->index_, d->chart_, firstRow, lastRow, fromMinute, toMinute,
                             *d->frameBars_);

    painter.save();
    painter.setClipRect(chartArea());
    paintTimeBackground(painter);
    int painted = paintBars(painter, true);
    if (!exporting() && d->dragState_ == DragState::MovingBar &&
        d->gesture_.targetRow >= firstRow && d->gesture_.targetRow <= lastRow) {
        // The row a moved bar would land on, over its calendar blocks too.
        QColor target = colours.dropTarget;
        target.setAlpha(170);
        const QRect chart = chartArea();
        painter.fillRect(
            QRect(chart.left(), rowTop(d->gesture_.targetRow), chart.width(), d->layout_.rowHeight),
            target);
    }
    paintGridLines(painter, firstRow, lastRow);
    paintChanges(painter, firstRow, lastRow);
    painted += paintBars(painter, false);
    paintConflictZones(painter, firstRow, lastRow);
    paintNowLine(painter);
    if (!exporting()) {
        paintGhost(painter);
    }
    painter.restore();

    paintHeader(painter);
    paintList(painter, firstRow, lastRow);
    d->lastPaintedBarCount_ = painted;
}

void ScheduleChartView::paintTimeBackground(QPainter& painter) const {
    const ChartColours& colours = *d->colours_;
    const QRect chart = chartArea();
    const TimeAxis& axis = d->layout_.axis;
    if (axis.dayWidth() >= 3) {
        const int32_t first = std::max(firstVisibleDay(), axis.firstDay());
        for (int32_t day = first; day <= axis.lastDay(); ++day) {
            const int x0 = RoundedX(minuteX(int64_t{day} * TimeAxis::kMinutesPerDay));
            if (x0 > chart.right()) {
                break;
            }
            const int weekday = TimeAxis::weekday(day);
            if (weekday == 0 || weekday == 6) {
                const int x1 = RoundedX(minuteX(int64_t{day + 1} * TimeAxis::kMinutesPerDay));
                painter.fillRect(QRect(x0, chart.top(), x1 - x0, chart.height()),
                                 colours.weekendShade);
            }
        }
    }
    // Beyond the end of the range there is no time to plan in.
    const int end = RoundedX(minuteX(int64_t{axis.lastDay() + 1} * TimeAxis::kMinutesPerDay));
    if (end <= chart.right()) {
        painter.fillRect(QRect(end, chart.top(), chart.right() - end + 1, chart.height()),
                         colours.outOfRange);
    }
}

void ScheduleChartView::paintGridLines(QPainter& painter, int firstRow, int lastRow) const {
    const ChartColours& colours = *d->colours_;
    const QRect chart = chartArea();
    const TimeAxis& axis = d->layout_.axis;
    const double hourWidth = axis.dayWidth() / 24;
    const auto [fromMinute, toMinute] = chartGeometry().visibleMinutes();
    const int64_t lastMinute = int64_t{axis.lastDay() + 1} * TimeAxis::kMinutesPerDay;

    // The lines are one pixel wide and opaque: filled, each costs a fraction of a stroke.
    if (hourWidth >= 8) {
        for (int64_t minute = std::max<int64_t>(fromMinute / 60 * 60, 0);
             minute <= std::min(toMinute, lastMinute); minute += 60) {
            if (minute % TimeAxis::kMinutesPerDay != 0) {
                const int x = RoundedX(minuteX(minute));
                painter.fillRect(QRect(x, chart.top(), 1, chart.height()), colours.hourLine);
            }
        }
    }
    // Days while they are wide enough to tell apart, weeks (from Monday) below that.
    const int step = axis.dayWidth() >= 4 ? 1 : 7;
    if (axis.dayWidth() * step >= 4) {
        for (int32_t day = std::max(firstVisibleDay(), axis.firstDay()); day <= axis.lastDay() + 1;
             ++day) {
            const int x = RoundedX(minuteX(int64_t{day} * TimeAxis::kMinutesPerDay));
            if (x > chart.right()) {
                break;
            }
            if (step == 1 || TimeAxis::weekday(day) == 1) {
                painter.fillRect(QRect(x, chart.top(), 1, chart.height()), colours.dayLine);
            }
        }
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = rowTop(row) + d->layout_.rowHeight - 1;
        painter.fillRect(QRect(chart.left(), y, chart.width(), 1), colours.rowLine);
    }
}

int ScheduleChartView::paintBars(QPainter& painter, bool calendarBlocks) {
    const std::vector<qt_detail::FrameBar>& bars =
        calendarBlocks ? d->frameBars_->calendarBlocks : d->frameBars_->others;
    const bool markClicked = !exporting() && hasFocus();
    // One frame's geometry for every bar: thousands of them share its scroll position.
    const qt_detail::ChartGeometry geometry = chartGeometry();
    for (const qt_detail::FrameBar& found : bars) {
        const ChartBar& b = d->chart_.Bar(found.row, found.bar);
        const QRect rect = geometry.spanRect(found.row, b.Start.AbsoluteMinutes(),
                                             b.End.AbsoluteMinutes(), b.Kind == kCalendarBarKind);
        if (calendarBlocks) {
            painter.fillRect(rect, d->colours_->calendarBlock);
        } else {
            paintBar(painter, rect, found.row, found.bar,
                     GlanceAtBar(d->chart_, found.row, found.bar), false, found.conflicting);
        }
        if (markClicked && found.row == d->lastClicked_.row && found.bar == d->lastClicked_.bar) {
            // The bar the Delete key acts on.
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(-2, -2, 1, 1));
        }
    }
    return static_cast<int>(bars.size());
}

void ScheduleChartView::paintBar(QPainter& painter, const QRect& rect, int16_t row, int16_t index,
                                 const BarGlance& glance, bool ghost, bool conflicting) const {
    const ChartColours& colours = *d->colours_;
    const ChartBar& bar = d->chart_.Bar(row, index);
    if (glance.Role == BarRole::Calendar) {
        painter.fillRect(rect, colours.calendarBlock);
        return;
    }
    const BarStyle style = bar.Style >= 1 && bar.Style <= d->chart_.StyleCount()
                               ? d->chart_.Style(bar.Style)
                               : BarStyle{};
    const bool temporary = glance.Role == BarRole::Temporary;
    const bool selected = glance.Selected;
    QColor fill =
        temporary ? colours.temporaryBar : toQColor(bar.Colour != -1 ? bar.Colour : style.Colour);
    QColor outline = temporary  ? colours.temporaryOutline
                     : selected ? colours.selectedOutline
                                : fill.darker(160);
    Qt::PenStyle outlineStyle = temporary ? Qt::DashLine : Qt::SolidLine;
    if (ghost) {
        fill.setAlpha(160);
        outline = colours.selectedOutline;
        outlineStyle = Qt::DashLine;
    }

    painter.fillRect(rect, fill);
    DrawOutline(painter, rect, outline, outlineStyle);
    if (selected && !ghost && rect.width() > 4 && rect.height() > 4) {
        // A selected bar carries a double outline: visibly stronger than any other.
        DrawOutline(painter, rect.adjusted(1, 1, -1, -1), outline, outlineStyle);
    }
    if (conflicting && !ghost) {
        // Overlapping work: a thick outline in the conflict colour, outside the bar so that the
        // bar's own colour still shows its status.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.conflict, 2));
        painter.drawRect(QRectF(rect).adjusted(-1, -1, 0, 0));
    }
    paintLabel(painter, rect, row, index, glance, fill);

    const double centre = rect.top() + rect.height() / 2.0;
    auto markSize = [&](int16_t size) {
        const int pixels = static_cast<int>(std::lround((size > 0 ? size : 8) * dpiScale()));
        return std::clamp(pixels, 3, std::max(3, d->layout_.rowHeight - 4));
    };
    // Far zoomed out a mark wider than its bar would only bury the bars around it.
    const int startSize = markSize(style.StartMarkSize);
    const int endSize = markSize(style.EndMarkSize);
    if (rect.width() >= startSize) {
        d->marks_->draw(painter, style.StartMark, startSize, {double(rect.left()), centre});
    }
    if (rect.width() >= endSize) {
        d->marks_->draw(painter, style.EndMark, endSize, {double(rect.right() + 1), centre});
    }
}

void ScheduleChartView::paintLabel(QPainter& painter, const QRect& rect, int16_t row, int16_t index,
                                   const BarGlance& glance, const QColor& fill) const {
    // The text stays readable when the bar starts left of the visible chart.
    const QRect shown = rect.intersected(chartArea());
    if (shown.width() < kLabelMinimumWidth) {
        return;
    }
    const QRect textRect = shown.adjusted(palette::kTextPadding - 2, 0, -3, 0);
    const bool temporary = glance.Role == BarRole::Temporary;
    if (glance.Role == BarRole::WorkOrder || temporary) {
        // The record names the activity (the control's text is often only "."): the whole name
        // where it fits, else the work order, else the activity; never a stub. Only bars with
        // room read their record.
        const std::optional<BarActivity> named = ActivityOfBar(d->chart_, row, index);
        if (!named) {
            return;
        }
        qt_detail::LabelCache::ActivityLabels& labels =
            d->labels_->activity({named->WorkOrder, named->ScheduleNumber, temporary}, [&] {
                const QString order = toQString(named->WorkOrder).trimmed();
                const QString activity = QString::number(named->ScheduleNumber);
                const QString whole = order + QStringLiteral(" / ") + activity;
                return std::array<QString, 3>{temporary ? tr("Copy of %1").arg(whole) : whole,
                                              order, activity};
            });
        for (int i = 0; i < labels.count; ++i) {
            qt_detail::LabelCache::Entry& entry = labels.candidates[static_cast<size_t>(i)];
            if (entry.width() <= textRect.width()) {
                painter.setPen(d->colours_->inkOn(fill));
                d->labels_->draw(painter, entry, textRect.left(),
                                 textRect.top() + (textRect.height() - d->labels_->height()) / 2);
                return;
            }
        }
    } else if (const ChartBar& bar = d->chart_.Bar(row, index); !bar.Text.empty()) {
        painter.setFont(d->layout_.barFont);
        const QFontMetrics metrics(d->layout_.barFont);
        const QString elided =
            metrics.elidedText(toQString(bar.Text), Qt::ElideRight, textRect.width());
        if (!elided.isEmpty() && elided != QStringLiteral("\u2026")) {
            painter.setPen(d->colours_->inkOn(fill));
            painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                             elided);
        }
    }
}

void ScheduleChartView::paintConflictZones(QPainter& painter, int firstRow, int lastRow) const {
    const ChartColours& colours = *d->colours_;
    const auto [fromMinute, toMinute] = chartGeometry().visibleMinutes();
    QColor hatch = colours.conflict;
    for (int row = firstRow; row <= lastRow; ++row) {
        const auto& zones = d->index_->conflicts(d->chart_, static_cast<int16_t>(row)).zones;
        auto zone = std::lower_bound(
            zones.begin(), zones.end(), fromMinute,
            [](const std::pair<int64_t, int64_t>& z, int64_t minute) { return z.second < minute; });
        for (; zone != zones.end() && zone->first <= toMinute; ++zone) {
            const QRect rect = spanRect(row, zone->first, zone->second, WorkOrderBarKind);
            painter.fillRect(rect, QBrush(hatch, Qt::BDiagPattern));
        }
    }
}

void ScheduleChartView::paintNowLine(QPainter& painter) const {
    if (!d->now_) {
        return;
    }
    const int x = RoundedX(minuteX(d->now_->AbsoluteMinutes()));
    const QRect chart = chartArea();
    if (x < chart.left() || x > chart.right()) {
        return;
    }
    const ChartColours& colours = *d->colours_;
    painter.setPen(QPen(colours.nowLine, 2));
    painter.drawLine(x, chart.top(), x, chart.bottom());
}

void ScheduleChartView::paintGhost(QPainter& painter) const {
    if (d->dragState_ != DragState::MovingBar && d->dragState_ != DragState::MovingStart &&
        d->dragState_ != DragState::MovingEnd) {
        return;
    }
    if (!d->barExists(d->gesture_.row, d->gesture_.bar)) {
        return;
    }
    const ChartBar& bar =
        d->chart_.Bar(static_cast<int16_t>(d->gesture_.row), static_cast<int16_t>(d->gesture_.bar));
    const QRect rect =
        spanRect(d->gesture_.targetRow, d->gesture_.ghostStart, d->gesture_.ghostEnd, bar.Kind);
    const auto row = static_cast<int16_t>(d->gesture_.row);
    const auto index = static_cast<int16_t>(d->gesture_.bar);
    paintBar(painter, rect, row, index, GlanceAtBar(d->chart_, row, index), true, false);

    // Where the bar would go, spelt out beside the ghost.
    QString caption;
    switch (d->dragState_) {
        case DragState::MovingStart:
            caption = qt_detail::TimeCaption(d->chart_, d->gesture_.ghostStart);
            break;
        case DragState::MovingEnd:
            caption = qt_detail::TimeCaption(d->chart_, d->gesture_.ghostEnd);
            break;
        default:
            caption = qt_detail::TimeCaption(d->chart_, d->gesture_.ghostStart) +
                      QStringLiteral(" \u2013 ") +
                      qt_detail::TimeCaption(d->chart_, d->gesture_.ghostEnd);
            break;
    }
    const QFontMetrics metrics(d->layout_.headerFont);
    QRect label(0, 0, metrics.horizontalAdvance(caption) + 10, metrics.height() + 4);
    const QRect chart = chartArea();
    const int anchorX = d->dragState_ == DragState::MovingEnd ? rect.right() : rect.left();
    int top = rect.top() - label.height() - 3;
    if (top < chart.top()) {
        top = rect.bottom() + 3;
    }
    label.moveTo(
        std::clamp(anchorX, chart.left(), std::max(chart.left(), chart.right() - label.width())),
        top);
    const ChartColours& colours = *d->colours_;
    painter.setFont(d->layout_.headerFont);
    painter.setPen(colours.border);
    painter.setBrush(colours.labelBackground);
    painter.drawRect(label.adjusted(0, 0, -1, -1));
    painter.setPen(colours.labelText);
    painter.drawText(label, Qt::AlignCenter, caption);
}

void ScheduleChartView::paintHeader(QPainter& painter) const {
    const ChartColours& colours = *d->colours_;
    const QRect chart = chartArea();
    const QRect header(chart.left(), 0, chart.width(), d->layout_.headerHeight);
    painter.save();
    painter.setClipRect(header);
    painter.fillRect(header, colours.headerBackground);

    qt_detail::HeaderInput input;
    input.axis = d->layout_.axis;
    input.chartLeft = chart.left();
    input.chartWidth = chart.width();
    input.scrollX = chartGeometry().scrollX;
    input.rowHeight = d->layout_.headerRowHeight;
    input.rows = d->layout_.headerRows;
    input.font = d->layout_.headerFont;
    input.dayNames = qt_detail::CoreNames(d->chart_.DayNames());
    input.monthNames = qt_detail::CoreNames(d->chart_.MonthNames());
    input.monthFormat = d->chart_.TimeScaleFormat();
    const qt_detail::HeaderLayout laid = qt_detail::LayOutHeader(input);

    const int rowHeight = d->layout_.headerRowHeight;
    for (const qt_detail::HeaderCell& cell : laid.cells) {
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
    for (int level = 1; level < d->layout_.headerRows; ++level) {
        painter.setPen(colours.border);
        painter.drawLine(chart.left(), level * rowHeight - 1, chart.right(), level * rowHeight - 1);
    }
    QFont bold = d->layout_.headerFont;
    bold.setBold(true);
    painter.setPen(colours.headerText);
    for (const qt_detail::HeaderCaption& caption : laid.captions) {
        painter.setFont(caption.bold ? bold : d->layout_.headerFont);
        painter.drawText(caption.rect,
                         Qt::AlignVCenter | (caption.level == 2 ? Qt::AlignHCenter : Qt::AlignLeft),
                         caption.text);
    }
    if (d->now_) {
        // The now line's mark in the header: a small triangle pointing down at the time.
        const int x = RoundedX(minuteX(d->now_->AbsoluteMinutes()));
        if (x >= chart.left() && x <= chart.right()) {
            const int h = std::max(4, rowHeight / 3);
            const int bottom = d->layout_.headerHeight - 1;
            QPolygon mark;
            mark << QPoint(x - h, bottom - h) << QPoint(x + h, bottom - h) << QPoint(x, bottom);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.nowLine);
            painter.drawPolygon(mark);
        }
    }
    painter.restore();

    painter.setPen(colours.border);
    painter.drawLine(0, d->layout_.headerHeight - 1, chartGeometry().frame.width(),
                     d->layout_.headerHeight - 1);
}

void ScheduleChartView::paintList(QPainter& painter, int firstRow, int lastRow) const {
    const ChartColours& colours = *d->colours_;
    const QRect list = listArea();
    const int pad = palette::kTextPadding;
    painter.save();
    painter.setClipRect(list);

    // The column title fills the height of the time header.
    const QRect title(0, 0, list.width(), d->layout_.headerHeight - 1);
    painter.fillRect(title, colours.headerBackground);
    QFont titleFont = d->layout_.listFont;
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(colours.headerText);
    painter.drawText(
        title.adjusted(pad, 0, -pad, 0), Qt::AlignVCenter | Qt::AlignLeft,
        QFontMetrics(titleFont).elidedText(qt_detail::CoreCaption(d->chart_.ListColumnTitle()),
                                           Qt::ElideRight, title.width() - 2 * pad));

    const QRect rows(0, d->layout_.headerHeight, list.width(),
                     list.height() - d->layout_.headerHeight);
    painter.setClipRect(rows);
    painter.fillRect(rows, colours.base);
    painter.setFont(d->layout_.listFont);
    const QFontMetrics metrics(d->layout_.listFont);
    const int cap = static_cast<int>(std::lround(palette::kListColumnCap * dpiScale()));
    for (int row = firstRow; row <= lastRow; ++row) {
        const QRect line(0, rowTop(row), list.width(), d->layout_.rowHeight);
        if (!exporting() && d->dragState_ == DragState::MovingBar && row == d->gesture_.targetRow) {
            painter.fillRect(line, colours.dropTarget);
        } else if (row % 2 == 0) {
            painter.fillRect(line, colours.listStripe);
        }
        const QStringList columns =
            toQString(d->chart_.RowText(static_cast<int16_t>(row))).split(';');
        int x = 0;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const bool last = c + 1 == columns.size();
            const int measured = static_cast<size_t>(c) < d->layout_.columnWidths.size()
                                     ? d->layout_.columnWidths[static_cast<size_t>(c)]
                                     : 0;
            const int width = last ? list.width() - x : std::min(measured, cap) + 2 * pad;
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
        painter.setPen(colours.rowLine);
        painter.drawLine(0, line.bottom(), list.width(), line.bottom());
    }
    painter.restore();

    painter.setPen(colours.border);
    painter.drawLine(list.width(), 0, list.width(), list.height());
}

}  // namespace tessaro
