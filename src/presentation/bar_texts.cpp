#include "bar_texts.hpp"

#include <QCoreApplication>
#include <QStringList>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/time_axis.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "bar_facts.hpp"
#include "core_captions.hpp"

namespace tessaro::qt_detail {
namespace {

// The chart view's texts, under the translation context they have always had; called as
// ViewText::tr, lupdate finds them there.
struct ViewText {
    Q_DECLARE_TR_FUNCTIONS(tessaro::ScheduleChartView)
};

QString DateTimeText(int64_t absoluteMinute) {
    return LocalDateTime(TimeAxis::timeOf(absoluteMinute));
}

}  // namespace

QString DescribeBar(const ScheduleChart& chart, int row, int bar, const QString* changeSummary) {
    const ChartBar& b = chart.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const QString resource = toQString(chart.RowColumnText(static_cast<int16_t>(row), 1));
    const QString span = DateTimeText(b.Start.AbsoluteMinutes()) + QStringLiteral(" \u2013 ") +
                         DateTimeText(b.End.AbsoluteMinutes());
    const BarRole role = RoleOfBarKind(b.Kind);
    if (role == BarRole::Calendar) {
        return ViewText::tr("%1 is not available\n%2").arg(resource, span);
    }
    // Only work-order bars and their copies carry a record.
    const BarFacts facts =
        ReadBarFacts(chart, static_cast<int16_t>(row), static_cast<int16_t>(bar));
    if (!facts.valid()) {
        return toQString(chart.HintText());
    }
    QStringList lines;
    const QString activity =
        facts.activity.isEmpty()
            ? ViewText::tr("Work order %1").arg(facts.workOrder)
            : ViewText::tr("Work order %1, activity %2").arg(facts.workOrder, facts.activity);
    lines << (role == BarRole::Temporary ? ViewText::tr("Copy of: %1").arg(activity) : activity);
    if (!facts.customer.isEmpty()) {
        lines << ViewText::tr("Customer: %1").arg(facts.customer) +
                     (facts.salesOrder.isEmpty()
                          ? QString()
                          : ViewText::tr(" (sales order %1)").arg(facts.salesOrder));
    }
    if (!facts.item.isEmpty()) {
        lines << ViewText::tr("Item: %1").arg(facts.item);
    }
    if (!facts.statusName.isEmpty() || !facts.statusLetter.isEmpty()) {
        lines << ViewText::tr("Status: %1")
                     .arg(facts.statusName.isEmpty() ? facts.statusLetter : facts.statusName);
    }
    lines << ViewText::tr("On %1: %2").arg(resource, span);
    if (!facts.required.isEmpty()) {
        lines << ViewText::tr("Required %1, promised %2").arg(facts.required, facts.promised);
    }
    if (changeSummary != nullptr) {
        lines << QString() << *changeSummary;
    }
    if (role == BarRole::WorkOrder) {
        lines << QString() << ViewText::tr("Copy the activity (right-click, Copy) to move it.");
    } else {
        lines << QString()
              << ViewText::tr(
                     "Drag this copy to move the activity; right-click another bar to paste.");
    }
    return lines.join(QLatin1Char('\n'));
}

QString RemovalQuestion(const ScheduleChart& chart, int row, int bar) {
    const ChartBar& b = chart.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const QString resource = toQString(chart.RowColumnText(static_cast<int16_t>(row), 1));
    const BarFacts facts =
        ReadBarFacts(chart, static_cast<int16_t>(row), static_cast<int16_t>(bar));
    if (b.Kind == TemporaryBarKind && facts.valid()) {
        return ViewText::tr(
                   "Remove the copy of work order %1, activity %2, from %3?\n\n"
                   "The copy is given up; the activity stays where it is.")
            .arg(facts.workOrder, facts.activity, resource);
    }
    const QString name = toQString(b.Text.empty() ? b.Key : b.Text);
    return name.isEmpty() ? ViewText::tr("Remove the selected bar from %1?").arg(resource)
                          : ViewText::tr("Remove \"%1\" from %2?").arg(name, resource);
}

QString TimeCaption(const ScheduleChart& chart, int64_t absoluteMinute) {
    const ChartTime time = TimeAxis::timeOf(absoluteMinute);
    const CivilDate date = DateFromDayNumber(time.Day);
    const QString dayName =
        listEntry(CoreNames(chart.DayNames()), ';', TimeAxis::weekday(time.Day)).trimmed();
    const QString month =
        listEntry(CoreNames(chart.MonthNames()), ',', date.Month - 1).trimmed().left(3);
    return QStringLiteral("%1 %2 %3 %4:%5")
        .arg(dayName)
        .arg(date.Day)
        .arg(month)
        .arg(time.Minute / 60, 2, 10, QChar('0'))
        .arg(time.Minute % 60, 2, 10, QChar('0'))
        .trimmed();
}

}  // namespace tessaro::qt_detail
