#pragma once

// What the views tell a planner about a work-order bar, taken from the record the model
// decodes for it (DescribeBar).

#include <cstdint>

#include <QString>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/runtime/chart_time.hpp>

namespace tessaro::qt_detail {

struct BarFacts {
    QString workOrder;
    QString activity;  // the schedule number
    QString statusLetter;
    QString item;
    QString salesOrder;
    QString customer;
    QString statusName;
    QString required;
    QString promised;

    bool valid() const { return !workOrder.isEmpty(); }
};

// A chart time as the planner's locale writes a date and a time of day, to the minute.
QString LocalDateTime(const ChartTime& time);
// The same, short: the weekday, day and month in the locale's names, and the time of day.
QString ShortLocalDateTime(const ChartTime& time);
// The time of day alone, to the minute.
QString LocalTimeOfDay(const ChartTime& time);
// A payload's date (M/D/YYYY) and time of day (H:MM, 24-hour clock) in the locale's short
// forms. The C locale has no forms of its own: there, as for a text that is no date or time, the
// text stays as the payload wrote it.
QString LocalPayloadDate(const QString& text);
QString LocalPayloadTime(const QString& text);

// Empty facts (valid() false) for a bar that carries no record, as DescribeBar finds it; the bar
// must exist.
BarFacts ReadBarFacts(const ScheduleChart& chart, int16_t row, int16_t bar);

}  // namespace tessaro::qt_detail
