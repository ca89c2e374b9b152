#include "bar_facts.hpp"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/calendar.hpp>

namespace tessaro::qt_detail {
namespace {

QDate DateOf(const ChartTime& time) {
    const CivilDate date = DateFromDayNumber(time.Day);
    return QDate(date.Year, date.Month, date.Day);
}

// The locale's short time, without the seconds a chart never holds.
QString ShortTimeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]ss?")));
    return format;
}

}  // namespace

QString LocalTimeOfDay(const ChartTime& time) {
    const QLocale locale;
    return locale.toString(QTime(time.Minute / 60, time.Minute % 60), ShortTimeFormat(locale));
}

QString LocalPayloadDate(const QString& text) {
    const QLocale locale;
    const QDate date = QDate::fromString(text, QStringLiteral("M/d/yyyy"));
    return locale.language() == QLocale::C || !date.isValid()
               ? text
               : locale.toString(date, QLocale::ShortFormat);
}

QString LocalPayloadTime(const QString& text) {
    const QLocale locale;
    const QTime time = QTime::fromString(text, QStringLiteral("H:mm"));
    return locale.language() == QLocale::C || !time.isValid()
               ? text
               : locale.toString(time, ShortTimeFormat(locale));
}

QString LocalDateTime(const ChartTime& time) {
    return QLocale().toString(DateOf(time), QLocale::ShortFormat) + QLatin1Char(' ') +
           LocalTimeOfDay(time);
}

QString ShortLocalDateTime(const ChartTime& time) {
    return QLocale().toString(DateOf(time), QStringLiteral("ddd d MMM")) + QLatin1Char(' ') +
           LocalTimeOfDay(time);
}

BarFacts ReadBarFacts(const ScheduleChart& chart, int16_t row, int16_t bar) {
    const BarDescription description = DescribeBar(chart, row, bar);
    if (!description.Record) {
        return {};
    }
    const BarRecord& record = *description.Record;
    auto text = [](const std::string& field) { return toQString(field).trimmed(); };
    BarFacts facts;
    facts.workOrder = text(record.work_order_no);
    facts.activity = QString::number(record.rsscheduleno);
    facts.statusName = text(record.status);
    facts.item = text(record.item_code);
    facts.salesOrder = text(record.sdesc3);
    facts.customer = text(record.sdesc4);
    facts.statusLetter = text(record.flag);
    facts.required = LocalPayloadDate(text(record.ReqdDate));
    facts.promised = LocalPayloadDate(text(record.schdate));
    return facts;
}

}  // namespace tessaro::qt_detail
