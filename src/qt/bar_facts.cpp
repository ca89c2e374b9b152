#include "bar_facts.hpp"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/calendar.hpp>

namespace tessaro::qt_detail {
namespace {

constexpr qsizetype kRecordFields = 18;

QDate DateOf(const ChartTime& time) {
    const CivilDate date = DateFromDayNumber(time.Day);
    return QDate(date.Year, date.Month, date.Day);
}

}  // namespace

QString LocalTimeOfDay(const ChartTime& time) {
    const QLocale locale;
    // The locale's short time, without the seconds a chart never holds.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]ss?")));
    return locale.toString(QTime(time.Minute / 60, time.Minute % 60), format);
}

QString LocalDateTime(const ChartTime& time) {
    return QLocale().toString(DateOf(time), QLocale::ShortFormat) + QLatin1Char(' ') +
           LocalTimeOfDay(time);
}

QString ShortLocalDateTime(const ChartTime& time) {
    return QLocale().toString(DateOf(time), QStringLiteral("ddd d MMM")) + QLatin1Char(' ') +
           LocalTimeOfDay(time);
}

QStringList SplitBarRecord(std::string_view tag) {
    QStringList fields;
    std::string field;
    bool escaped = false;
    for (const char c : tag) {
        if (escaped) {
            field += c;
            escaped = false;
        } else if (c == '\\') {
            escaped = true;
        } else if (c == '$') {
            fields.append(toQString(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields.append(toQString(field));
    return fields;
}

BarFacts ReadBarFacts(std::string_view tag) {
    const QStringList f = SplitBarRecord(tag);
    if (f.size() < kRecordFields || f[0].trimmed().isEmpty()) {
        return {};
    }
    // Field order: work order, schedule number, status, start and end minute, item, sales
    // order, customer, status letter, required date, promised date, ...
    BarFacts facts;
    facts.workOrder = f[0].trimmed();
    facts.activity = f[1].trimmed();
    facts.statusName = f[2].trimmed();
    facts.item = f[5].trimmed();
    facts.salesOrder = f[6].trimmed();
    facts.customer = f[7].trimmed();
    facts.statusLetter = f[8].trimmed();
    facts.required = f[9].trimmed();
    facts.promised = f[10].trimmed();
    return facts;
}

QString ActivityLabel(const BarFacts& facts) {
    if (!facts.valid()) {
        return {};
    }
    return facts.activity.isEmpty() ? facts.workOrder
                                    : facts.workOrder + QStringLiteral(" / ") + facts.activity;
}

}  // namespace tessaro::qt_detail

namespace tessaro::qt_detail {

QString ActivityLabelOf(std::string_view tag) {
    std::string fields[2];
    int at = 0;
    bool escaped = false;
    int separators = 0;
    for (const char c : tag) {
        if (escaped) {
            fields[at] += c;
            escaped = false;
        } else if (c == '\\') {
            escaped = true;
        } else if (c == '$') {
            ++separators;
            if (++at == 2) {
                break;
            }
        } else {
            fields[at] += c;
        }
    }
    // A bar record has seventeen separators; a tag without any is not one.
    const QString workOrder = toQString(fields[0]).trimmed();
    if (separators < 2 || workOrder.isEmpty()) {
        return {};
    }
    const QString activity = toQString(fields[1]).trimmed();
    return activity.isEmpty() ? workOrder : workOrder + QStringLiteral(" / ") + activity;
}

}  // namespace tessaro::qt_detail
