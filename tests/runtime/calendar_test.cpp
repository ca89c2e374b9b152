#include <tessaro/runtime/calendar.hpp>

#include <gtest/gtest.h>

#include <ostream>

namespace tessaro {
namespace {

struct DayCase {
    CivilDate Date;
    int32_t Day;
};

void PrintTo(const DayCase& c, std::ostream* os) {
    *os << c.Date.Year << "-" << c.Date.Month << "-" << c.Date.Day;
}

class DayNumberTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(DayNumberTest, MapsBothWays) {
    const DayCase& c = GetParam();
    EXPECT_EQ(DayNumber(c.Date.Year, c.Date.Month, c.Date.Day), c.Day);
    EXPECT_EQ(DateFromDayNumber(c.Day), c.Date);
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, DayNumberTest,
    ::testing::Values(DayCase{{1900, 1, 1}, 0}, DayCase{{1900, 2, 28}, 58},
                      DayCase{{1900, 3, 1}, 59},  // no 29 February 1900
                      DayCase{{1899, 12, 31}, -1}, DayCase{{2000, 1, 1}, 36524},
                      DayCase{{2000, 2, 29}, 36583}, DayCase{{2000, 3, 1}, 36584},
                      DayCase{{2002, 1, 1}, 37255}, DayCase{{2002, 12, 31}, 37619},
                      DayCase{{2003, 1, 1}, 37620}, DayCase{{2003, 3, 31}, 37709},
                      DayCase{{2004, 2, 29}, 38044}, DayCase{{2100, 3, 1}, 73108},
                      DayCase{{100, 1, 1}, -657436}, DayCase{{9999, 12, 31}, 2958463}));

TEST(CalendarTest, LeapYearsFollowTheCenturyRule) {
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2004));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_EQ(DaysInMonth(2003, 13), 0);
}

// The day after `date` by counting on the calendar rather than by day numbers.
CivilDate NextDate(const CivilDate& date) {
    if (date.Day < DaysInMonth(date.Year, date.Month)) {
        return {date.Year, date.Month, date.Day + 1};
    }
    if (date.Month < 12) {
        return {date.Year, date.Month + 1, 1};
    }
    return {date.Year + 1, 1, 1};
}

TEST(CalendarTest, EveryDayFromYear100To9999RoundTripsAndFollowsItsPredecessor) {
    CivilDate expected{100, 1, 1};
    for (int32_t day = DayNumber(100, 1, 1); day <= DayNumber(9999, 12, 31); ++day) {
        ASSERT_EQ(DateFromDayNumber(day), expected) << day;
        ASSERT_EQ(DayNumber(expected.Year, expected.Month, expected.Day), day);
        expected = NextDate(expected);
    }
}

}  // namespace
}  // namespace tessaro
