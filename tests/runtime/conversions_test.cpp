#include "runtime/conversions.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/error_code.hpp"

namespace tessaro {
namespace {

struct IntegerCase {
    std::string Text;
    int64_t Value;
    int32_t Code;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class TextToInt32Test : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(TextToInt32Test, ConvertsOrRaises) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(ErrorCode([&] { TextToInt32(c.Text); }), c.Code);
    if (c.Code == 0) {
        EXPECT_EQ(TextToInt32(c.Text), c.Value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, TextToInt32Test,
    ::testing::Values(
        IntegerCase{"0", 0, 0}, IntegerCase{"42", 42, 0}, IntegerCase{" \t+42\t ", 42, 0},
        IntegerCase{"-17", -17, 0}, IntegerCase{"007", 7, 0}, IntegerCase{"12.", 12, 0},
        IntegerCase{".5", 0, 0}, IntegerCase{"0.5", 0, 0}, IntegerCase{"1.5", 2, 0},
        IntegerCase{"12.5", 12, 0}, IntegerCase{"13.5", 14, 0}, IntegerCase{"-2.5", -2, 0},
        IntegerCase{"-3.5", -4, 0}, IntegerCase{"2.51", 3, 0},
        IntegerCase{"2.50000000000000000001", 3, 0}, IntegerCase{"2.49999", 2, 0},
        IntegerCase{"-0.4", 0, 0}, IntegerCase{"2147483647", 2147483647, 0},
        IntegerCase{"-2147483648", INT32_MIN, 0}, IntegerCase{"2147483647.4", 2147483647, 0},
        IntegerCase{"2147483648", 0, 6}, IntegerCase{"2147483647.5", 0, 6},
        IntegerCase{"-2147483649", 0, 6}, IntegerCase{"99999999999999999999999", 0, 6},
        IntegerCase{"-99999999999999999999999.5", 0, 6}, IntegerCase{"", 0, 13},
        IntegerCase{" \t ", 0, 13}, IntegerCase{"1e3", 0, 13}, IntegerCase{"0x10", 0, 13},
        IntegerCase{"1,000", 0, 13}, IntegerCase{"12a", 0, 13}, IntegerCase{"- 3", 0, 13},
        IntegerCase{"--3", 0, 13}, IntegerCase{"1 2", 0, 13}, IntegerCase{"1.2.3", 0, 13},
        IntegerCase{".", 0, 13}, IntegerCase{"+", 0, 13}, IntegerCase{"-.", 0, 13},
        IntegerCase{"99999999999999999999999x", 0, 13}, IntegerCase{"3\n", 0, 13},
        // Around the plain digits read on their own: nine digits, a tenth, a sign alone.
        IntegerCase{"123456789", 123456789, 0}, IntegerCase{"-999999999", -999999999, 0},
        IntegerCase{"1234567890", 1234567890, 0}, IntegerCase{"000000000012", 12, 0},
        IntegerCase{"-0", 0, 0}, IntegerCase{"-", 0, 13}, IntegerCase{"12345678/", 0, 13},
        IntegerCase{"1234567:", 0, 13}, IntegerCase{"-12 ", -12, 0}));

TEST(ConversionsTest, Int16RangeEdges) {
    EXPECT_EQ(TextToInt16("32767"), 32767);
    EXPECT_EQ(TextToInt16("-32768.5"), -32768);
    EXPECT_EQ(ErrorCode([] { TextToInt16("32768"); }), 6);
    EXPECT_EQ(ErrorCode([] { TextToInt16("32767.5"); }), 6);
    EXPECT_EQ(ErrorCode([] { TextToInt16("-32769"); }), 6);
    EXPECT_EQ(ErrorCode([] { TextToInt16("x"); }), 13);
}

TEST(ConversionsTest, ErrorsCarryTheRuntimeErrorNumber) {
    try {
        TextToInt32("abc");
        FAIL();
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), static_cast<int32_t>(0x800A000Du));
    }
}

struct DateCase {
    std::string Text;
    DateTime Expected;  // Day -1 marks a text that must be rejected with type mismatch.
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class TextToDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(TextToDateTest, ParsesOrRaisesTypeMismatch) {
    const DateCase& c = GetParam();
    if (c.Expected.Day == -1) {
        EXPECT_EQ(ErrorCode([&] { TextToDate(c.Text); }), 13);
        return;
    }
    const DateTime parsed = TextToDate(c.Text);
    EXPECT_EQ(parsed.Day, c.Expected.Day);
    EXPECT_EQ(parsed.SecondOfDay, c.Expected.SecondOfDay);
}

constexpr DateTime kRejected{-1, 0};
constexpr int32_t k31Dec2002 = 37619;
constexpr int32_t k1Jan2003 = 37620;

INSTANTIATE_TEST_SUITE_P(
    Conversions, TextToDateTest,
    ::testing::Values(
        DateCase{"12/31/2002", {k31Dec2002, 0}}, DateCase{"  1/1/2003\t", {k1Jan2003, 0}},
        DateCase{"01/01/03", {k1Jan2003, 0}}, DateCase{"1/1/29", {DayNumber(2029, 1, 1), 0}},
        DateCase{"1/1/30", {DayNumber(1930, 1, 1), 0}},
        DateCase{"1/1/5", {DayNumber(2005, 1, 1), 0}},
        DateCase{"1/1/100", {DayNumber(100, 1, 1), 0}}, DateCase{"2/29/2000", {36583, 0}},
        DateCase{"1/1/2003 10:30", {k1Jan2003, 37800}},
        DateCase{"1/1/2003  9:05:07", {k1Jan2003, 32707}},
        DateCase{"1/1/2003 10:30:15 PM", {k1Jan2003, 81015}},
        DateCase{"1/1/2003 10:30pm", {k1Jan2003, 81000}},
        DateCase{"1/1/2003 12:00 AM", {k1Jan2003, 0}},
        DateCase{"1/1/2003 12:30 PM", {k1Jan2003, 45000}},
        DateCase{"1/1/2003 11:59:59 Am", {k1Jan2003, 43199}},
        DateCase{"1/1/2003 23:59:59", {k1Jan2003, 86399}}, DateCase{"2002-12-31", {k31Dec2002, 0}},
        DateCase{"2002-12-31T10:30:00", {k31Dec2002, 37800}},
        DateCase{"2002-12-31T10:30", {k31Dec2002, 37800}},
        DateCase{"2002-12-31 10:30", {k31Dec2002, 37800}}, DateCase{"", kRejected},
        DateCase{"   ", kRejected}, DateCase{"tomorrow", kRejected},
        DateCase{"13/1/2002", kRejected}, DateCase{"0/1/2002", kRejected},
        DateCase{"1/0/2002", kRejected}, DateCase{"4/31/2002", kRejected},
        DateCase{"2/29/1900", kRejected}, DateCase{"2/29/2001", kRejected},
        DateCase{"2002-02-30", kRejected}, DateCase{"1/1/099", kRejected},
        DateCase{"1/1/20033", kRejected}, DateCase{"02-12-31", kRejected},
        DateCase{"1/1/2002 25:00", kRejected}, DateCase{"1/1/2002 24:00", kRejected},
        DateCase{"1/1/2002 10:60", kRejected}, DateCase{"1/1/2002 10:30:60", kRejected},
        DateCase{"1/1/2002 10:3", kRejected}, DateCase{"1/1/2002 13:00 PM", kRejected},
        DateCase{"1/1/2002 0:30 AM", kRejected}, DateCase{"1/1/2002 10:30 XM", kRejected},
        DateCase{"1/1/2002 10", kRejected}, DateCase{"1/1/2002x", kRejected},
        DateCase{"1/1/2002 10:30 PM x", kRejected}, DateCase{"2002-12-31T10:30 PM", kRejected},
        DateCase{"2002-12-31T", kRejected}, DateCase{"2002-12-31Z", kRejected},
        DateCase{"1/1", kRejected}, DateCase{"10:30", kRejected}));

}  // namespace
}  // namespace tessaro
