#include "time_header.hpp"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>

#include <tessaro/runtime/calendar.hpp>

#include "chart_palette.hpp"

namespace tessaro::qt_detail {
namespace {

constexpr int kNarrowPadding = 3;

int RoundedX(double x) {
    return static_cast<int>(std::lround(std::clamp(x, -1.0e7, 1.0e7)));
}

int64_t FloorDiv(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// The part of [left, right) a caption may use: inside the chart area, less the padding.
struct Span {
    int left;
    int right;
    int width() const { return right - left; }
};

Span TextSpan(int left, int right, const HeaderInput& in, int pad) {
    return {std::max(left, in.chartLeft) + pad,
            std::min(right, in.chartLeft + in.chartWidth) - pad};
}

QString FirstFitting(const QFontMetrics& metrics, std::initializer_list<QString> captions,
                     int width) {
    for (const QString& caption : captions) {
        if (!caption.isEmpty() && metrics.horizontalAdvance(caption) <= width) {
            return caption;
        }
    }
    return {};
}

}  // namespace

QString ShortenDayName(const QString& name, DayNameForm form) {
    switch (form) {
        case DayNameForm::Full:
            return name;
        case DayNameForm::ThreeLetters:
            return name.left(3);
        case DayNameForm::TwoLetters:
            return name.left(2);
        case DayNameForm::None:
            break;
    }
    return {};
}

HeaderLayout LayOutHeader(const HeaderInput& in) {
    HeaderLayout out;
    const TimeAxis& axis = in.axis;
    const int pad = chart_palette::kTextPadding;
    auto dayX = [&](int64_t day) {
        return RoundedX(in.chartLeft - in.scrollX + axis.x(day * TimeAxis::kMinutesPerDay));
    };
    const int64_t firstDay =
        std::max<int64_t>(axis.firstDay(), TimeAxis::timeOf(axis.minuteAt(in.scrollX)).Day);
    const int64_t lastDay = std::min<int64_t>(
        axis.lastDay(), TimeAxis::timeOf(axis.minuteAt(in.scrollX + in.chartWidth)).Day);
    if (in.chartWidth <= 0 || firstDay > lastDay) {
        return out;
    }

    // Months.
    QFont monthFont = in.font;
    monthFont.setBold(true);
    const QFontMetrics monthMetrics(monthFont);
    const std::string format = in.monthFormat.empty() ? std::string("M Y") : in.monthFormat;
    CivilDate month = DateFromDayNumber(static_cast<int32_t>(firstDay));
    for (int64_t start = DayNumber(month.Year, month.Month, 1); start <= lastDay;) {
        const int64_t next = start + DaysInMonth(month.Year, month.Month);
        const int x0 = dayX(std::max<int64_t>(start, axis.firstDay()));
        const int x1 = dayX(std::min<int64_t>(next, int64_t{axis.lastDay()} + 1));
        out.cells.push_back({0, x0, x1, false, true});
        const QString shortName = listEntry(in.monthNames, ',', month.Month - 1).trimmed().left(3);
        for (const int p : {pad, kNarrowPadding}) {
            const Span span = TextSpan(x0, x1, in, p);
            const QString caption =
                FirstFitting(monthMetrics,
                             {formatMonthCaption(format, in.monthNames, month.Year, month.Month),
                              shortName + QStringLiteral(" ") + QString::number(month.Year),
                              shortName, shortName.left(1)},
                             span.width());
            if (!caption.isEmpty()) {
                out.captions.push_back(
                    {0, QRect(span.left, 0, span.width(), in.rowHeight), caption, true});
                break;
            }
        }
        start = next;
        if (++month.Month > 12) {
            month.Month = 1;
            ++month.Year;
        }
    }

    // Days: one form of weekday name for every day, the widest that fits a whole day.
    const QFontMetrics metrics(in.font);
    const double dayWidth = axis.dayWidth();
    const int room = static_cast<int>(std::floor(dayWidth)) - 1 - 2 * pad;
    const int numberWidth = metrics.horizontalAdvance(QStringLiteral("30"));
    const bool everyDay = room >= numberWidth;
    if (everyDay) {
        for (const DayNameForm form :
             {DayNameForm::Full, DayNameForm::ThreeLetters, DayNameForm::TwoLetters}) {
            bool fits = true;
            for (int weekday = 0; weekday < 7 && fits; ++weekday) {
                const QString name =
                    ShortenDayName(listEntry(in.dayNames, ';', weekday).trimmed(), form);
                fits = metrics.horizontalAdvance(name + QStringLiteral(" 30")) <= room;
            }
            if (fits) {
                out.dayNameForm = form;
                break;
            }
        }
    }
    // Too narrow for every day: every first, second, fourth ... Monday, counted from day 0 so
    // the labelled Mondays stay the same while scrolling.
    int64_t weeksPerLabel = 1;
    while (!everyDay && weeksPerLabel < 64 &&
           weeksPerLabel * 7 * dayWidth - 2 * kNarrowPadding < numberWidth) {
        weeksPerLabel *= 2;
    }
    const int top = in.rowHeight;
    for (int64_t day = firstDay; day <= lastDay; ++day) {
        const int x0 = dayX(day);
        const int x1 = dayX(day + 1);
        const int weekday = TimeAxis::weekday(static_cast<int32_t>(day));
        const bool monday = weekday == 1;
        const bool weekend = weekday == 0 || weekday == 6;
        if (dayWidth >= 4) {
            out.cells.push_back({1, x0, x1, weekend, true});
        } else {
            if (dayWidth >= 3 && weekend) {
                out.cells.push_back({1, x0, x1, true, false});
            }
            if (monday) {
                // Weeks: a line before each Monday.
                out.cells.push_back({1, x0, x0, false, true});
            }
        }
        const QString number = QString::number(DateFromDayNumber(static_cast<int32_t>(day)).Day);
        if (everyDay) {
            const Span span = TextSpan(x0, x1, in, pad);
            QString caption = number;
            if (out.dayNameForm != DayNameForm::None) {
                caption = ShortenDayName(listEntry(in.dayNames, ';', weekday).trimmed(),
                                         out.dayNameForm) +
                          QStringLiteral(" ") + number;
            }
            // A day scrolled partly out of sight keeps its number at least.
            caption = FirstFitting(metrics, {caption, number}, span.width());
            if (!caption.isEmpty()) {
                out.captions.push_back(
                    {1, QRect(span.left, top, span.width(), in.rowHeight), caption, false});
            }
        } else if (monday && FloorDiv(day, 7) % weeksPerLabel == 0) {
            const Span span = TextSpan(x0, dayX(day + 7 * weeksPerLabel), in, kNarrowPadding);
            if (metrics.horizontalAdvance(number) <= span.width()) {
                out.captions.push_back(
                    {1, QRect(span.left, top, span.width(), in.rowHeight), number, false});
            }
        }
    }

    // Hours.
    if (in.rows >= 3) {
        const int hourTop = 2 * in.rowHeight;
        const double hourWidth = dayWidth / 24;
        const bool withMinutes =
            hourWidth >= metrics.horizontalAdvance(QStringLiteral("00:00")) + 2 * pad;
        const int64_t from = std::max(FloorDiv(axis.minuteAt(in.scrollX), 60) * 60,
                                      int64_t{axis.firstDay()} * TimeAxis::kMinutesPerDay);
        const int64_t to = std::min(axis.minuteAt(in.scrollX + in.chartWidth) + 60,
                                    (int64_t{axis.lastDay()} + 1) * TimeAxis::kMinutesPerDay);
        for (int64_t minute = from; minute < to; minute += 60) {
            const int x0 = RoundedX(in.chartLeft - in.scrollX + axis.x(minute));
            const int x1 = RoundedX(in.chartLeft - in.scrollX + axis.x(minute + 60));
            out.cells.push_back({2, x0, x1, false, true});
            const int hour = TimeAxis::timeOf(minute).Minute / 60;
            const QString caption = withMinutes
                                        ? QStringLiteral("%1:00").arg(hour, 2, 10, QChar('0'))
                                        : QStringLiteral("%1").arg(hour, 2, 10, QChar('0'));
            const Span span = TextSpan(x0, x1, in, 1);
            if (metrics.horizontalAdvance(caption) <= span.width()) {
                out.captions.push_back(
                    {2, QRect(span.left, hourTop, span.width(), in.rowHeight), caption, false});
            }
        }
    }
    return out;
}

}  // namespace tessaro::qt_detail
