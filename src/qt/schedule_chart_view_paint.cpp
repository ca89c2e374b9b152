#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <array>
#include <cmath>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QScrollBar>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "bar_index.hpp"
#include "chart_palette.hpp"

namespace tessaro {

namespace palette = chart_palette;

namespace {

int RoundedX(double x) {
    return static_cast<int>(std::lround(std::clamp(x, -1.0e7, 1.0e7)));
}

// Dark text on light fills, light text on dark ones.
QColor TextColourOn(const QColor& fill) {
    const double luminance = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    return luminance < 140 ? QColor(Qt::white) : QColor(20, 20, 20);
}

// The first of the captions that fits the width; "" when none does.
QString FittingCaption(const QFontMetrics& metrics, std::initializer_list<QString> captions,
                       int width) {
    for (const QString& caption : captions) {
        if (!caption.isEmpty() && metrics.horizontalAdvance(caption) <= width) {
            return caption;
        }
    }
    return {};
}

}  // namespace

void ScheduleChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    const auto [firstRow, lastRow] = visibleRows();

    painter.save();
    painter.setClipRect(chartArea());
    paintTimeBackground(painter);
    int painted = paintBars(painter, firstRow, lastRow, true);
    if (dragState_ == DragState::MovingBar && gesture_.targetRow >= firstRow &&
        gesture_.targetRow <= lastRow) {
        // The row a moved bar would land on, over its calendar blocks too.
        QColor target = palette::DropTarget();
        target.setAlpha(170);
        const QRect chart = chartArea();
        painter.fillRect(
            QRect(chart.left(), rowTop(gesture_.targetRow), chart.width(), layout_.rowHeight),
            target);
    }
    paintGridLines(painter, firstRow, lastRow);
    painted += paintBars(painter, firstRow, lastRow, false);
    paintGhost(painter);
    painter.restore();

    paintHeader(painter);
    paintList(painter, firstRow, lastRow);
    lastPaintedBarCount_ = painted;
}

void ScheduleChartView::paintTimeBackground(QPainter& painter) const {
    const QRect chart = chartArea();
    const TimeAxis& axis = layout_.axis;
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
                                 palette::WeekendShade());
            }
        }
    }
    // Beyond the end of the range there is no time to plan in.
    const int end = RoundedX(minuteX(int64_t{axis.lastDay() + 1} * TimeAxis::kMinutesPerDay));
    if (end <= chart.right()) {
        painter.fillRect(QRect(end, chart.top(), chart.right() - end + 1, chart.height()),
                         palette::HeaderBackground());
    }
}

void ScheduleChartView::paintGridLines(QPainter& painter, int firstRow, int lastRow) const {
    const QRect chart = chartArea();
    const TimeAxis& axis = layout_.axis;
    const double hourWidth = axis.dayWidth() / 24;
    const auto [fromMinute, toMinute] = visibleMinutes();
    const int64_t lastMinute = int64_t{axis.lastDay() + 1} * TimeAxis::kMinutesPerDay;

    if (hourWidth >= 8) {
        painter.setPen(palette::HourLine());
        for (int64_t minute = std::max<int64_t>(fromMinute / 60 * 60, 0);
             minute <= std::min(toMinute, lastMinute); minute += 60) {
            if (minute % TimeAxis::kMinutesPerDay != 0) {
                const int x = RoundedX(minuteX(minute));
                painter.drawLine(x, chart.top(), x, chart.bottom());
            }
        }
    }
    // Days while they are wide enough to tell apart, weeks (from Monday) below that.
    const int step = axis.dayWidth() >= 4 ? 1 : 7;
    if (axis.dayWidth() * step >= 4) {
        painter.setPen(palette::DayLine());
        for (int32_t day = std::max(firstVisibleDay(), axis.firstDay()); day <= axis.lastDay() + 1;
             ++day) {
            const int x = RoundedX(minuteX(int64_t{day} * TimeAxis::kMinutesPerDay));
            if (x > chart.right()) {
                break;
            }
            if (step == 1 || TimeAxis::weekday(day) == 1) {
                painter.drawLine(x, chart.top(), x, chart.bottom());
            }
        }
    }
    painter.setPen(palette::RowLine());
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = rowTop(row) + layout_.rowHeight - 1;
        painter.drawLine(chart.left(), y, chart.right(), y);
    }
}

int ScheduleChartView::paintBars(QPainter& painter, int firstRow, int lastRow,
                                 bool calendarBlocks) {
    const auto [fromMinute, toMinute] = visibleMinutes();
    std::vector<int16_t> visible;
    int painted = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        visible.clear();
        index_->row(chart_, static_cast<int16_t>(row))
            .forEachIn(fromMinute, toMinute, [&](const qt_detail::RowBarIndex::Entry& entry) {
                visible.push_back(entry.bar);
            });
        // Later bars lie on top of earlier ones, as hit testing expects.
        std::sort(visible.begin(), visible.end());
        for (const int16_t bar : visible) {
            const ChartBar& b = chart_.Bar(static_cast<int16_t>(row), bar);
            if ((b.Kind == kCalendarBarKind) != calendarBlocks) {
                continue;
            }
            const QRect rect = barRect(row, bar);
            paintBar(painter, rect, b, false);
            if (hasFocus() && row == lastClicked_.row && bar == lastClicked_.bar) {
                // The bar the Delete key acts on.
                painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect.adjusted(-2, -2, 1, 1));
            }
            ++painted;
        }
    }
    return painted;
}

void ScheduleChartView::paintBar(QPainter& painter, const QRect& rect, const ChartBar& bar,
                                 bool ghost) const {
    if (bar.Kind == kCalendarBarKind) {
        painter.fillRect(rect, palette::CalendarBlock());
        return;
    }
    const BarStyle style =
        bar.Style >= 1 && bar.Style <= chart_.StyleCount() ? chart_.Style(bar.Style) : BarStyle{};
    const bool temporary = bar.Kind == kTemporaryBarKind;
    const bool selected = style.Flags == kSelectedStyleFlags;
    QColor fill = temporary ? palette::TemporaryBar()
                            : toQColor(bar.Colour != -1 ? bar.Colour : style.Colour);
    QColor outline = temporary  ? palette::TemporaryOutline()
                     : selected ? palette::SelectedOutline()
                                : fill.darker(160);
    Qt::PenStyle outlineStyle = temporary ? Qt::DashLine : Qt::SolidLine;
    if (ghost) {
        fill.setAlpha(160);
        outline = palette::SelectedOutline();
        outlineStyle = Qt::DashLine;
    }

    painter.fillRect(rect, fill);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outline, 1, outlineStyle));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    if (selected && !ghost && rect.width() > 4 && rect.height() > 4) {
        // A selected bar carries a double outline: visibly stronger than any other.
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }

    // The text stays readable when the bar starts left of the visible chart.
    const QRect shown = rect.intersected(chartArea());
    const QString text = toQString(bar.Text);
    if (!text.isEmpty() && shown.width() > 2 * palette::kTextPadding) {
        painter.setFont(layout_.barFont);
        const QFontMetrics metrics(layout_.barFont);
        const QRect textRect = shown.adjusted(palette::kTextPadding - 2, 0, -3, 0);
        const QString elided = metrics.elidedText(text, Qt::ElideRight, textRect.width());
        if (!elided.isEmpty() && elided != QStringLiteral("\u2026")) {
            painter.setPen(TextColourOn(fill));
            painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                             elided);
        }
    }

    const double centre = rect.top() + rect.height() / 2.0;
    auto markSize = [&](int16_t size) {
        const int pixels = static_cast<int>(std::lround((size > 0 ? size : 8) * dpiScale()));
        return std::clamp(pixels, 3, std::max(3, layout_.rowHeight - 4));
    };
    // Far zoomed out a mark wider than its bar would only bury the bars around it.
    const int startSize = markSize(style.StartMarkSize);
    const int endSize = markSize(style.EndMarkSize);
    if (rect.width() >= startSize) {
        paintMark(painter, style.StartMark, startSize, {double(rect.left()), centre});
    }
    if (rect.width() >= endSize) {
        paintMark(painter, style.EndMark, endSize, {double(rect.right() + 1), centre});
    }
}

void ScheduleChartView::paintMark(QPainter& painter, int mark, int size, QPointF at) const {
    if (mark < 1 || mark > 6) {
        return;
    }
    // 1 and 4 point right, 2 and 5 are diamonds, 3 and 6 point down; 4..6 are solid.
    const double h = size / 2.0;
    const double x = at.x();
    const double y = at.y();
    QPolygonF shape;
    switch ((mark - 1) % 3) {
        case 0:
            shape << QPointF(x - h, y - h) << QPointF(x + h, y) << QPointF(x - h, y + h);
            break;
        case 1:
            shape << QPointF(x, y - h) << QPointF(x + h, y) << QPointF(x, y + h)
                  << QPointF(x - h, y);
            break;
        default:
            shape << QPointF(x - h, y - h) << QPointF(x + h, y - h) << QPointF(x, y + h);
            break;
    }
    const bool solid = mark >= 4;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(solid ? QColor(Qt::white) : palette::MarkOutline(), 1));
    painter.setBrush(solid ? palette::MarkOutline() : QColor(Qt::white));
    painter.drawPolygon(shape);
    painter.restore();
}

void ScheduleChartView::paintGhost(QPainter& painter) const {
    if (dragState_ != DragState::MovingBar && dragState_ != DragState::MovingStart &&
        dragState_ != DragState::MovingEnd) {
        return;
    }
    if (!barExists(gesture_.row, gesture_.bar)) {
        return;
    }
    const ChartBar& bar =
        chart_.Bar(static_cast<int16_t>(gesture_.row), static_cast<int16_t>(gesture_.bar));
    const QRect rect =
        spanRect(gesture_.targetRow, gesture_.ghostStart, gesture_.ghostEnd, bar.Kind);
    paintBar(painter, rect, bar, true);

    // Where the bar would go, spelt out beside the ghost.
    QString caption;
    switch (dragState_) {
        case DragState::MovingStart:
            caption = timeCaption(gesture_.ghostStart);
            break;
        case DragState::MovingEnd:
            caption = timeCaption(gesture_.ghostEnd);
            break;
        default:
            caption = timeCaption(gesture_.ghostStart) + QStringLiteral(" \u2013 ") +
                      timeCaption(gesture_.ghostEnd);
            break;
    }
    const QFontMetrics metrics(layout_.headerFont);
    QRect label(0, 0, metrics.horizontalAdvance(caption) + 10, metrics.height() + 4);
    const QRect chart = chartArea();
    const int anchorX = dragState_ == DragState::MovingEnd ? rect.right() : rect.left();
    int top = rect.top() - label.height() - 3;
    if (top < chart.top()) {
        top = rect.bottom() + 3;
    }
    label.moveTo(
        std::clamp(anchorX, chart.left(), std::max(chart.left(), chart.right() - label.width())),
        top);
    painter.setFont(layout_.headerFont);
    painter.setPen(palette::BorderLine());
    painter.setBrush(QColor(255, 255, 225));
    painter.drawRect(label.adjusted(0, 0, -1, -1));
    painter.setPen(palette::HeaderText());
    painter.drawText(label, Qt::AlignCenter, caption);
}

QString ScheduleChartView::timeCaption(int64_t absoluteMinute) const {
    const ChartTime time = TimeAxis::timeOf(absoluteMinute);
    const CivilDate date = DateFromDayNumber(time.Day);
    const QString dayName =
        listEntry(chart_.DayNames(), ';', TimeAxis::weekday(time.Day)).trimmed();
    const QString month = listEntry(chart_.MonthNames(), ',', date.Month - 1).trimmed().left(3);
    return QStringLiteral("%1 %2 %3 %4:%5")
        .arg(dayName)
        .arg(date.Day)
        .arg(month)
        .arg(time.Minute / 60, 2, 10, QChar('0'))
        .arg(time.Minute % 60, 2, 10, QChar('0'))
        .trimmed();
}

void ScheduleChartView::paintHeader(QPainter& painter) const {
    const QRect chart = chartArea();
    const TimeAxis& axis = layout_.axis;
    const int rowHeight = layout_.headerRowHeight;
    const QRect header(chart.left(), 0, chart.width(), layout_.headerHeight);
    painter.save();
    painter.setClipRect(header);
    painter.fillRect(header, palette::HeaderBackground());

    QFont monthFont = layout_.headerFont;
    monthFont.setBold(true);
    const QFontMetrics monthMetrics(monthFont);
    const QFontMetrics dayMetrics(layout_.headerFont);
    const int pad = palette::kTextPadding;
    const int32_t firstDay = std::max(firstVisibleDay(), axis.firstDay());
    const int32_t lastDay = std::min<int64_t>(
        axis.lastDay(),
        TimeAxis::timeOf(layout_.axis.minuteAt(horizontalScrollBar()->value() + chart.width()))
            .Day);
    auto dayX = [&](int32_t day) {
        return RoundedX(minuteX(int64_t{day} * TimeAxis::kMinutesPerDay));
    };

    // Months, with the caption kept in sight while the month is scrolled through.
    const std::string format =
        chart_.TimeScaleFormat().empty() ? std::string("M Y") : chart_.TimeScaleFormat();
    CivilDate month = DateFromDayNumber(firstDay);
    month.Day = 1;
    for (int32_t start = DayNumber(month.Year, month.Month, 1); start <= lastDay;) {
        const int32_t next = start + DaysInMonth(month.Year, month.Month);
        const int x0 = dayX(std::max(start, axis.firstDay()));
        const int x1 = dayX(std::min(next, axis.lastDay() + 1));
        painter.setPen(palette::BorderLine());
        painter.drawLine(x1 - 1, 0, x1 - 1, rowHeight - 1);
        const int textLeft = std::max(x0, chart.left()) + pad;
        const int width = x1 - pad - textLeft;
        const QString full =
            formatMonthCaption(format, chart_.MonthNames(), month.Year, month.Month);
        const QString shortName =
            listEntry(chart_.MonthNames(), ',', month.Month - 1).trimmed().left(3);
        const QString caption = FittingCaption(
            monthMetrics,
            {full, shortName + QStringLiteral(" ") + QString::number(month.Year), shortName},
            width);
        if (!caption.isEmpty()) {
            painter.setFont(monthFont);
            painter.setPen(palette::HeaderText());
            painter.drawText(QRect(textLeft, 0, width, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                             caption);
        }
        start = next;
        if (++month.Month > 12) {
            month.Month = 1;
            ++month.Year;
        }
    }
    painter.setPen(palette::BorderLine());
    painter.drawLine(chart.left(), rowHeight - 1, chart.right(), rowHeight - 1);

    // Days: name and day of month while they fit, the day of month alone, or only Mondays.
    const int dayTop = rowHeight;
    const double dayWidth = axis.dayWidth();
    const int numberWidth = dayMetrics.horizontalAdvance(QStringLiteral("30")) + 2 * pad;
    const bool everyDay = dayWidth >= numberWidth;
    painter.setFont(layout_.headerFont);
    for (int32_t day = firstDay; day <= lastDay; ++day) {
        const int x0 = dayX(day);
        const int x1 = dayX(day + 1);
        const int weekday = TimeAxis::weekday(day);
        if (dayWidth >= 3 && (weekday == 0 || weekday == 6)) {
            painter.fillRect(QRect(x0, dayTop, x1 - x0, rowHeight - 1), QColor(232, 235, 240));
        }
        if (dayWidth >= 4 || weekday == 1) {
            painter.setPen(palette::BorderLine());
            painter.drawLine(x1 - 1, dayTop, x1 - 1, dayTop + rowHeight - 1);
        }
        if (!everyDay && (weekday != 1 || dayWidth * 7 < numberWidth)) {
            continue;
        }
        const QString number = QString::number(DateFromDayNumber(day).Day);
        const QString name = listEntry(chart_.DayNames(), ';', weekday).trimmed();
        const int width = everyDay ? x1 - x0 - 2 * pad : numberWidth;
        const QString caption =
            FittingCaption(dayMetrics,
                           {name + QStringLiteral(" ") + number,
                            name.left(2) + QStringLiteral(" ") + number, number},
                           width);
        painter.setPen(palette::HeaderText());
        const int textLeft = everyDay ? std::max(x0, chart.left()) + pad : x0 + pad;
        painter.drawText(QRect(textLeft, dayTop, std::max(width, x1 - pad - textLeft), rowHeight),
                         Qt::AlignVCenter | Qt::AlignLeft, caption);
    }

    // Hours, when zoomed in far enough to number them.
    if (layout_.headerRows == 3) {
        const int hourTop = 2 * rowHeight;
        painter.setPen(palette::BorderLine());
        painter.drawLine(chart.left(), hourTop - 1, chart.right(), hourTop - 1);
        const double hourWidth = dayWidth / 24;
        const bool withMinutes =
            hourWidth >= dayMetrics.horizontalAdvance(QStringLiteral("00:00")) + 2 * pad;
        const auto [fromMinute, toMinute] = visibleMinutes();
        for (int64_t minute = std::max(fromMinute / 60 * 60, int64_t{axis.firstDay()} * 1440);
             minute < std::min(toMinute + 60, int64_t{axis.lastDay() + 1} * 1440); minute += 60) {
            const int x0 = RoundedX(minuteX(minute));
            const int x1 = RoundedX(minuteX(minute + 60));
            painter.setPen(palette::BorderLine());
            painter.drawLine(x1 - 1, hourTop, x1 - 1, hourTop + rowHeight - 1);
            const int hour = TimeAxis::timeOf(minute).Minute / 60;
            const QString caption = withMinutes
                                        ? QStringLiteral("%1:00").arg(hour, 2, 10, QChar('0'))
                                        : QStringLiteral("%1").arg(hour, 2, 10, QChar('0'));
            painter.setPen(palette::HeaderText());
            painter.drawText(QRect(x0, hourTop, x1 - x0, rowHeight), Qt::AlignCenter, caption);
        }
    }
    painter.restore();

    painter.setPen(palette::BorderLine());
    painter.drawLine(0, layout_.headerHeight - 1, viewport()->width(), layout_.headerHeight - 1);
}

void ScheduleChartView::paintList(QPainter& painter, int firstRow, int lastRow) const {
    const QRect list = listArea();
    const int pad = palette::kTextPadding;
    painter.save();
    painter.setClipRect(list);

    // The column title fills the height of the time header.
    const QRect title(0, 0, list.width(), layout_.headerHeight - 1);
    painter.fillRect(title, palette::HeaderBackground());
    QFont titleFont = layout_.listFont;
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(palette::HeaderText());
    painter.drawText(title.adjusted(pad, 0, -pad, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(titleFont).elidedText(toQString(chart_.ListColumnTitle()),
                                                        Qt::ElideRight, title.width() - 2 * pad));

    const QRect rows(0, layout_.headerHeight, list.width(), list.height() - layout_.headerHeight);
    painter.setClipRect(rows);
    painter.fillRect(rows, palette().color(QPalette::Base));
    painter.setFont(layout_.listFont);
    const QFontMetrics metrics(layout_.listFont);
    const int cap = static_cast<int>(std::lround(palette::kListColumnCap * dpiScale()));
    for (int row = firstRow; row <= lastRow; ++row) {
        const QRect line(0, rowTop(row), list.width(), layout_.rowHeight);
        if (dragState_ == DragState::MovingBar && row == gesture_.targetRow) {
            painter.fillRect(line, palette::DropTarget());
        } else if (row % 2 == 0) {
            painter.fillRect(line, palette::ListStripe());
        }
        const QStringList columns = toQString(chart_.RowText(static_cast<int16_t>(row))).split(';');
        int x = 0;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const bool last = c + 1 == columns.size();
            const int measured = static_cast<size_t>(c) < layout_.columnWidths.size()
                                     ? layout_.columnWidths[static_cast<size_t>(c)]
                                     : 0;
            const int width = last ? list.width() - x : std::min(measured, cap) + 2 * pad;
            if (width <= 2 * pad) {
                break;
            }
            painter.setPen(palette::HeaderText());
            painter.drawText(
                QRect(x + pad, line.top(), width - 2 * pad, line.height() - 1),
                Qt::AlignVCenter | Qt::AlignLeft,
                metrics.elidedText(columns[c].trimmed(), Qt::ElideRight, width - 2 * pad));
            x += width;
            if (!last) {
                painter.setPen(palette::RowLine());
                painter.drawLine(x - 1, line.top(), x - 1, line.bottom());
            }
        }
        painter.setPen(palette::RowLine());
        painter.drawLine(0, line.bottom(), list.width(), line.bottom());
    }
    painter.restore();

    painter.setPen(palette::BorderLine());
    painter.drawLine(list.width(), 0, list.width(), list.height());
}

}  // namespace tessaro
