#include <tessaro/qt/time_axis.hpp>

#include <cstdint>

#include <gtest/gtest.h>

#include <tessaro/runtime/calendar.hpp>

namespace tessaro {
namespace {

constexpr int64_t kDay = TimeAxis::kMinutesPerDay;

TEST(TimeAxisTest, OffsetsCountFromTheFirstDayAtTheDayWidth) {
    const int32_t first = DayNumber(2002, 1, 1);
    const TimeAxis axis(first, DayNumber(2002, 12, 31), 240);
    const struct {
        int32_t day;
        int32_t minute;
        double x;
    } cases[] = {
        {first, 0, 0},           // the axis starts at midnight of its first day
        {first, 720, 120},       // noon is half a day
        {first + 1, 0, 240},     // one day on
        {first + 1, 90, 255},    // 90 minutes are a sixteenth of a day
        {first - 1, 0, -240},    // before the axis: negative
        {first + 365, 0, 87600}  // just past the last day
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(axis.x(ChartTime{c.day, c.minute}), c.x) << c.day << " " << c.minute;
        EXPECT_EQ(axis.minuteAt(c.x), int64_t{c.day} * kDay + c.minute) << c.x;
    }
    EXPECT_EQ(axis.dayCount(), 365);
    EXPECT_DOUBLE_EQ(axis.totalWidth(), 365 * 240.0);
}

TEST(TimeAxisTest, MinuteAtRoundsDownInsideAMinute) {
    const TimeAxis axis(0, 10, 1440);  // one pixel per minute
    EXPECT_EQ(axis.minuteAt(10.0), 10);
    EXPECT_EQ(axis.minuteAt(10.99), 10);
    EXPECT_EQ(axis.minuteAt(-0.5), -1);
}

TEST(TimeAxisTest, NarrowOrBackwardRangesStayDrawable) {
    const TimeAxis narrow(100, 50, 0.25);
    EXPECT_EQ(narrow.lastDay(), 100);
    EXPECT_EQ(narrow.dayCount(), 1);
    EXPECT_DOUBLE_EQ(narrow.dayWidth(), 1.0);
    EXPECT_DOUBLE_EQ(TimeAxis(0, 1, -20).dayWidth(), 1.0);
}

TEST(TimeAxisTest, SnapStepShrinksAsTheAxisZoomsIn) {
    const struct {
        double dayWidth;
        int32_t step;
    } cases[] = {
        {50, 15}, {250, 15}, {1151, 15}, {1152, 5}, {5000, 5}, {5760, 1}, {20000, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeAxis(0, 1, c.dayWidth).snapMinutes(), c.step) << c.dayWidth;
    }
}

TEST(TimeAxisTest, SnapGoesToTheNearestStepFromMidnight) {
    const TimeAxis axis(0, 10, 250);  // 15-minute steps
    const struct {
        int64_t minute;
        int64_t snapped;
    } cases[] = {
        {kDay + 7, kDay},         // 00:07 down to midnight
        {kDay + 8, kDay + 15},    // 00:08 up to 00:15
        {kDay - 7, kDay},         // 23:53 up across midnight
        {-8, -15},                // before day 0 too
        {kDay + 600, kDay + 600}  // already on a step
    };
    for (const auto& c : cases) {
        EXPECT_EQ(axis.snap(c.minute), c.snapped) << c.minute;
    }
}

TEST(TimeAxisTest, TimeOfSplitsDayAndMinuteAlsoBeforeDayZero) {
    EXPECT_EQ(TimeAxis::timeOf(kDay * 3 + 61), (ChartTime{3, 61}));
    EXPECT_EQ(TimeAxis::timeOf(-1), (ChartTime{-1, 1439}));
    EXPECT_EQ(TimeAxis::timeOf(-kDay), (ChartTime{-1, 0}));
}

TEST(TimeAxisTest, WeekdaysFollowTheCalendar) {
    const struct {
        int32_t year, month, day;
        int weekday;
    } cases[] = {
        {1900, 1, 1, 1},  {2002, 1, 1, 2},   {2002, 1, 6, 0},
        {2002, 1, 12, 6}, {1899, 12, 31, 0}, {2024, 2, 29, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeAxis::weekday(DayNumber(c.year, c.month, c.day)), c.weekday)
            << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(TimeAxisTest, MonthCaptionsExpandTheTimeScaleFormat) {
    const std::string months =
        "January,February,March,April,May,June,July,August,September,"
        "October,November,December";
    const struct {
        const char* format;
        int32_t year, month;
        const char* caption;
    } cases[] = {
        {"M ,Y", 2002, 3, "March ,2002"},  // the control's own format
        {"M Y", 2002, 12, "December 2002"},
        {"m/y", 2009, 1, "1/09"},
        {"[M]", 2002, 13, "[]"},  // a month past the names stays empty
        {"", 2002, 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatMonthCaption(c.format, months, c.year, c.month).toStdString(), c.caption)
            << c.format;
    }
}

TEST(TimeAxisTest, ListEntriesSplitOnTheSeparator) {
    const std::string days = "Sun;Mon;Tue;Wed;Thu;Fri;Sat;";
    EXPECT_EQ(listEntry(days, ';', 0).toStdString(), "Sun");
    EXPECT_EQ(listEntry(days, ';', 6).toStdString(), "Sat");
    EXPECT_EQ(listEntry(days, ';', 7).toStdString(), "");
    EXPECT_EQ(listEntry(days, ';', 8).toStdString(), "");
    EXPECT_EQ(listEntry("single", ',', 0).toStdString(), "single");
}

}  // namespace
}  // namespace tessaro
