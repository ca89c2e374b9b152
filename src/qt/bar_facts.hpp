#pragma once

// What the views tell a planner about a work-order bar, read from the bar's record (its tag:
// eighteen fields joined by "$", a "$" or "\" inside a field written "\$" or "\\").

#include <string_view>

#include <QString>
#include <QStringList>

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

// The record's fields, unescaped; fewer than eighteen for a tag that is not a bar record.
QStringList SplitBarRecord(std::string_view tag);

// Empty facts (valid() false) for a tag that is not a bar record.
BarFacts ReadBarFacts(std::string_view tag);

// "WO-24001 / 10": how a bar with room names its activity; "" for an invalid record.
QString ActivityLabel(const BarFacts& facts);
// The same read straight from the tag, looking at its first two fields only: painting calls it
// for every labelled bar in sight.
QString ActivityLabelOf(std::string_view tag);

}  // namespace tessaro::qt_detail
