#pragma once

#include <cstdint>
#include <string>

#include <QString>

#include <tessaro/qt/export.hpp>
#include <tessaro/runtime/chart_time.hpp>

namespace tessaro {

// The horizontal axis of a schedule chart: the days firstDay..lastDay laid end to end, each
// dayWidth pixels wide. Offsets are measured in pixels from the start of firstDay; times are
// absolute minutes (Day * 1440 + Minute).
class TESSARO_QT_EXPORT TimeAxis {
public:
    static constexpr int64_t kMinutesPerDay = 1440;

    // One day of one pixel.
    TimeAxis() = default;
    // A dayWidth below 1 is drawn as 1; a lastDay before firstDay shows firstDay only.
    TimeAxis(int32_t firstDay, int32_t lastDay, double dayWidth);

    int32_t firstDay() const { return firstDay_; }
    int32_t lastDay() const { return lastDay_; }
    int64_t dayCount() const { return int64_t{lastDay_} - firstDay_ + 1; }
    double dayWidth() const { return dayWidth_; }
    double minuteWidth() const { return dayWidth_ / kMinutesPerDay; }
    double totalWidth() const { return static_cast<double>(dayCount()) * dayWidth_; }

    // Pixel offset of the minute; negative before the axis, beyond totalWidth() after it.
    double x(int64_t absoluteMinute) const;
    double x(const ChartTime& time) const { return x(time.AbsoluteMinutes()); }
    // The minute at the offset, rounded down.
    int64_t minuteAt(double offset) const;

    // Minutes a dragged edge snaps to: 15 while a quarter hour is narrow on screen, 5 and then 1
    // as the axis is zoomed in.
    int32_t snapMinutes() const;
    // The nearest multiple of snapMinutes(), counted from midnight.
    int64_t snap(int64_t absoluteMinute) const;

    // The absolute minute as day and minute of day (0..1439), also before day 0.
    static ChartTime timeOf(int64_t absoluteMinute);
    // 0 for Sunday .. 6 for Saturday; day 0 (1 January 1900) was a Monday.
    static int weekday(int32_t day);

private:
    int32_t firstDay_ = 0;
    int32_t lastDay_ = 0;
    double dayWidth_ = 1;
};

// Expands a time-scale format for the month header: "M" is the month's name from monthNames
// (","-separated, January first), "m" its number, "Y" the four-digit year, "y" the two-digit
// year; every other character stands for itself ("M ,Y" gives "March ,2002").
TESSARO_QT_EXPORT QString formatMonthCaption(const std::string& format,
                                             const std::string& monthNames, int32_t year,
                                             int32_t month);

// The index-th (0-based) entry of a list separated by `separator`; "" past the last entry.
TESSARO_QT_EXPORT QString listEntry(const std::string& list, char separator, int index);

}  // namespace tessaro
