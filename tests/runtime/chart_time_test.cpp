#include <tessaro/runtime/chart_time.hpp>

#include <gtest/gtest.h>

#include "support/error_code.hpp"

#include <ostream>

namespace tessaro {

// Found by argument-dependent lookup, so failures show times as (day, minute).
void PrintTo(const ChartTime& t, std::ostream* os) {
    *os << "(" << t.Day << ", " << t.Minute << ")";
}

namespace {

struct NormaliseCase {
    ChartTime Raw;
    ChartTime Expected;
};

void PrintTo(const NormaliseCase& c, std::ostream* os) {
    PrintTo(c.Raw, os);
}

class NormalisedTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormalisedTest, CarriesMinutesIntoTheDay) {
    const NormaliseCase& c = GetParam();
    const ChartTime normalised = c.Raw.Normalised();
    EXPECT_EQ(normalised, c.Expected);
    EXPECT_EQ(normalised.AbsoluteMinutes(), c.Raw.AbsoluteMinutes());
}

INSTANTIATE_TEST_SUITE_P(
    ChartTime, NormalisedTest,
    ::testing::Values(NormaliseCase{{10, 0}, {10, 0}}, NormaliseCase{{10, 1439}, {10, 1439}},
                      NormaliseCase{{10, 1440}, {11, 0}}, NormaliseCase{{10, 1500}, {11, 60}},
                      NormaliseCase{{10, -1}, {9, 1439}}, NormaliseCase{{10, -1440}, {9, 0}},
                      NormaliseCase{{10, -1441}, {8, 1439}},
                      NormaliseCase{{0, INT32_MAX}, {1491308, 127}},
                      NormaliseCase{{0, INT32_MIN}, {-1491309, 1312}}));

TEST(ChartTimeTest, NormalisingPastTheLastDayRaisesOverflow) {
    EXPECT_EQ(ErrorCode([] { ChartTime{INT32_MAX, 1440}.Normalised(); }), 6);
    EXPECT_EQ(ErrorCode([] { ChartTime{INT32_MIN, -1}.Normalised(); }), 6);
    EXPECT_EQ(ErrorCode([] { ChartTime{INT32_MAX, 1439}.Normalised(); }), 0);
}

struct SecondsCase {
    int32_t Seconds;
    ChartTime Time;
    int32_t BackToSeconds;
};

void PrintTo(const SecondsCase& c, std::ostream* os) {
    *os << c.Seconds;
}

class PayloadSecondsTest : public ::testing::TestWithParam<SecondsCase> {};

TEST_P(PayloadSecondsTest, DropsSecondsOfTheMinute) {
    const SecondsCase& c = GetParam();
    const ChartTime time = ChartTime::FromPayloadSeconds(c.Seconds);
    EXPECT_EQ(time, c.Time);
    EXPECT_EQ(time.ToPayloadSeconds(), c.BackToSeconds);
}

INSTANTIATE_TEST_SUITE_P(
    ChartTime, PayloadSecondsTest,
    ::testing::Values(SecondsCase{0, {36524, 0}, 0}, SecondsCase{59, {36524, 0}, 0},
                      SecondsCase{86399, {36524, 1439}, 86340},
                      SecondsCase{86401, {36525, 0}, 86400}, SecondsCase{-1, {36523, 1439}, -60},
                      SecondsCase{-60, {36523, 1439}, -60}, SecondsCase{-61, {36523, 1438}, -120},
                      SecondsCase{INT32_MAX, {61379, 194}, 2147483640}));

TEST(ChartTimeTest, PayloadSecondsOutsideInt32RaiseOverflow) {
    // 2^31 seconds after 2000 is 24855 days and 11648 seconds: minute 195 is the first outside.
    EXPECT_EQ(ErrorCode([] { ChartTime{36524 + 24855, 195}.ToPayloadSeconds(); }), 6);
    EXPECT_EQ(ErrorCode([] { ChartTime{36524 + 24855, 194}.ToPayloadSeconds(); }), 0);
    // The earliest payload second rounds down to a minute before the payload range.
    EXPECT_EQ(ErrorCode([] { ChartTime::FromPayloadSeconds(INT32_MIN).ToPayloadSeconds(); }), 6);
    EXPECT_EQ(ErrorCode([] { ChartTime{INT32_MIN, 0}.ToPayloadSeconds(); }), 6);
    EXPECT_EQ(ErrorCode([] { ChartTime{36524, INT32_MAX}.ToPayloadSeconds(); }), 6);
}

TEST(ChartTimeTest, MinutesBetweenCountsAcrossMidnightInBothDirections) {
    EXPECT_EQ(MinutesBetween({36524, 1430}, {36525, 10}), 20);
    EXPECT_EQ(MinutesBetween({36525, 10}, {36524, 1430}), -20);
    EXPECT_EQ(MinutesBetween({36524, 1500}, {36525, 60}), 0);
}

TEST(ChartTimeTest, MinutesBetweenOutsideInt32RaisesOverflow) {
    EXPECT_EQ(ErrorCode([] { MinutesBetween({0, 0}, {INT32_MAX, 0}); }), 6);
    EXPECT_EQ(ErrorCode([] { MinutesBetween({INT32_MAX, 1439}, {INT32_MIN, 0}); }), 6);
    EXPECT_EQ(ErrorCode([] { MinutesBetween({0, 0}, {0, INT32_MAX}); }), 0);
}

}  // namespace
}  // namespace tessaro
