#include "spoken_texts.hpp"

#include <chrono>

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/qt/conversions.hpp>

#include "bar_facts.hpp"

namespace tessaro::qt_detail {
namespace {

QString Spoken(const char* text) {
    return QCoreApplication::translate("tessaro::SpokenTexts", text);
}

// The chart's day 0 is 1 January 1900, 25,567 days before the system clock's epoch.
ChartTime ChartTimeOfPlan(PlanTime time) {
    constexpr int64_t kDaysBeforeEpoch = 25567;
    const int64_t minutes =
        std::chrono::floor<std::chrono::minutes>(time).time_since_epoch().count();
    const int64_t days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
    return {static_cast<int32_t>(days + kDaysBeforeEpoch),
            static_cast<int32_t>(minutes - days * 1440)};
}

}  // namespace

QString SpokenRowName(const ScheduleChart& chart, int row) {
    QStringList columns =
        toQString(chart.RowText(static_cast<int16_t>(row))).split(QLatin1Char(';'));
    for (QString& column : columns) {
        column = column.trimmed();
    }
    columns.removeAll(QString());
    return columns.join(QStringLiteral(", "));
}

QString SpokenSpan(const ChartTime& start, const ChartTime& end) {
    const QString to = end.Day == start.Day ? LocalTimeOfDay(end) : ShortLocalDateTime(end);
    return Spoken("%1 to %2").arg(ShortLocalDateTime(start), to);
}

QString SpokenBarName(const ScheduleChart& chart, int row, int bar) {
    const auto r = static_cast<int16_t>(row);
    const auto b = static_cast<int16_t>(bar);
    const ChartBar& shown = chart.Bar(r, b);
    const QString resource = toQString(chart.RowColumnText(r, 1)).trimmed();
    const QString span = SpokenSpan(shown.Start, shown.End);
    switch (shown.Kind) {
        case TemporaryBarKind:
            return Spoken("Copy of activity %1, %2, %3").arg(toQString(shown.Text), resource, span);
        case CalendarBarKind:
            return Spoken("Not available, %1, %2").arg(resource, span);
        default:
            break;
    }
    const BarFacts facts = ReadBarFacts(chart, r, b);
    if (!facts.valid()) {
        const QString text = toQString(shown.Text).trimmed();
        return Spoken("%1, %2, %3").arg(text.isEmpty() ? Spoken("Bar") : text, resource, span);
    }
    QString name =
        Spoken("%1, activity %2, %3, %4").arg(facts.workOrder, facts.activity, resource, span);
    if (!facts.statusName.isEmpty()) {
        name += QStringLiteral(", ") + facts.statusName;
    }
    return name;
}

QString SpokenBarDescription(bool copy, bool conflicting, const QString& changeSummary) {
    QStringList parts;
    if (copy) {
        parts << Spoken("the copy: arrows move it, Enter drops it, Escape ends it");
    }
    if (conflicting) {
        parts << Spoken("in conflict: overlaps another work order");
    }
    if (!changeSummary.isEmpty()) {
        parts << Spoken("changed: %1").arg(changeSummary);
    }
    return parts.join(QStringLiteral("; "));
}

QString SpokenChange(const ActivityChange& change) {
    return Spoken("%1, activity %2 moved to %3, %4")
        .arg(toQString(change.Activity.WorkOrder), QString::number(change.Activity.Activity),
             toQString(change.Resource),
             SpokenSpan(ChartTimeOfPlan(change.Start), ChartTimeOfPlan(change.End)));
}

}  // namespace tessaro::qt_detail
