#include <gtest/gtest.h>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"
#include "bars/field_splitter.hpp"
#include "support/error_code.hpp"

namespace tessaro {
namespace {

BarRecord SampleRecord() {
    BarRecord record;
    record.work_order_no = "WO1";
    record.rsscheduleno = 7;
    record.status = "F";
    record.StartMinute = 480;
    record.EndMinute = 600;
    record.item_code = " IT1 ";
    record.sdesc3 = "a";
    record.sdesc4 = "b";
    record.flag = "X";
    record.ReqdDate = "01/02/2005";
    record.subactivity_code_mul = 3;
    record.activitytimetype = 8;
    record.timeindays1 = 7200;
    return record;
}

constexpr const char* kSampleText = "WO1$7$F$480$600$IT1$a$b$X$01/02/2005$$$$$$3$8$7200";

class BarRecordCodec : public ::testing::Test {
protected:
    std::string Assemble(const BarRecord& record) {
        std::string text;
        AssembleBarRecordText(text, record);
        return text;
    }
};

TEST_F(BarRecordCodec, JoinsEighteenFieldsTrimmingAllTextsButTheStatus) {
    EXPECT_EQ(Assemble(SampleRecord()), kSampleText);

    BarRecord record = SampleRecord();
    record.work_order_no = "  WO1 ";
    record.status = " F ";
    record.rsscheduleno = -2147483647 - 1;
    record.timeindays1 = -5;
    EXPECT_EQ(Assemble(record), "WO1$-2147483648$ F $480$600$IT1$a$b$X$01/02/2005$$$$$$3$8$-5");
}

TEST_F(BarRecordCodec, NumbersAroundEveryDigitCountAreWrittenWhole) {
    for (const int32_t number : {0, 9, 10, 99, 100, 999, 1000, 9999, 10000, 123456, -1, -9999}) {
        BarRecord record = SampleRecord();
        record.timeindays1 = number;
        const std::string text = Assemble(record);
        EXPECT_EQ(text.substr(text.rfind('$') + 1), std::to_string(number));
    }
}

TEST_F(BarRecordCodec, BlankWorkOrderRaisesTheControlsOwnErrorAndKeepsTheText) {
    BarRecord record = SampleRecord();
    record.work_order_no = "  ";
    std::string text = "unchanged";
    try {
        AssembleBarRecordText(text, record);
        FAIL();
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), -2147220503);
    }
    EXPECT_EQ(text, "unchanged");
}

TEST_F(BarRecordCodec, SplitReturnsWhatWasJoined) {
    BarRecord split;
    DisassembleBarRecordText(kSampleText, split);
    BarRecord expected = SampleRecord();
    expected.item_code = "IT1";
    EXPECT_EQ(split, expected);
}

TEST_F(BarRecordCodec, DollarAndBackslashInTextsSurviveTheRoundTrip) {
    BarRecord record = SampleRecord();
    record.status = "$";
    record.sdesc4 = "Smith $ Sons \\ Co";
    record.todate = "\\";
    record.wo_end_date = "$$";
    const std::string text = Assemble(record);
    BarRecord split;
    DisassembleBarRecordText(text, split);
    record.item_code = "IT1";
    EXPECT_EQ(split, record);
}

// Field -> as written after "x$" in a record: every "$" and "\" gets a "\" before it.
TEST(BarRecordFieldEscape, EscapesEverySeparatorAndBackslashWherever) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"$", "\\$"},
        {"\\", "\\\\"},
        {"$$", "\\$\\$"},
        {"\\$\\", "\\\\\\$\\\\"},
        {"a$b\\c$", "a\\$b\\\\c\\$"},
        {"$lead and trail\\", "\\$lead and trail\\\\"},
        {std::string(100000, 'a') + "$" + std::string(100000, 'b'),
         std::string(100000, 'a') + "\\$" + std::string(100000, 'b')},
    };
    for (const auto& [field, escaped] : cases) {
        std::string record = "x$";
        AppendEscapedField(record, field);
        // Compared with == so that a failure does not print the long case whole.
        EXPECT_TRUE(record == "x$" + escaped) << field.substr(0, 20);
        EXPECT_TRUE(UnescapedField(escaped) == field) << field.substr(0, 20);
    }
}

// Short fields are copied a word at a time: a separator or backslash at any place of a field of
// any short length is escaped.
TEST(BarRecordFieldEscape, EscapesAtEveryPlaceOfShortFields) {
    for (std::size_t size = 1; size <= 24; ++size) {
        for (std::size_t place = 0; place <= size; ++place) {
            for (const char special : {'$', '\\'}) {
                std::string field(size, 'a');
                std::string escaped = field;
                if (place < size) {
                    field[place] = special;
                    escaped.replace(place, 1, std::string{'\\', special});
                }
                std::string record = "x$";
                AppendEscapedField(record, field);
                EXPECT_EQ(record, "x$" + escaped) << size << " " << place;
            }
        }
    }
}

TEST_F(BarRecordCodec, EmptyOrSeparatorFreeTextChangesNothing) {
    for (const char* text : {"", "WO1 only"}) {
        BarRecord record = SampleRecord();
        DisassembleBarRecordText(text, record);
        EXPECT_EQ(record, SampleRecord()) << text;
    }
}

// A record cut after k fields sets fields 1..k and then raises 5.
TEST_F(BarRecordCodec, PartialRecordSetsTheFieldsItHoldsThenRaises5) {
    BarRecord split;
    split.flag = "old";
    split.ReqdDate = "old";
    EXPECT_EQ(
        ErrorCode([&] { DisassembleBarRecordText("WO1$7$F$480$600$IT1$a$b$X$01/02/2005", split); }),
        5);
    EXPECT_EQ(split.work_order_no, "WO1");
    EXPECT_EQ(split.EndMinute, 600);
    EXPECT_EQ(split.flag, "X");
    EXPECT_EQ(split.ReqdDate, "old");

    BarRecord two;
    EXPECT_EQ(ErrorCode([&] { DisassembleBarRecordText("WO2$", two); }), 5);
    EXPECT_EQ(two.work_order_no, "WO2");
}

TEST_F(BarRecordCodec, BadNumericFieldsRaiseTheirConversionError) {
    struct Case {
        const char* text;
        int32_t error;
    } cases[] = {
        {"WO1$x$F$480$600$I$a$b$X$$$$$$$3$8$7200", 13},
        {"WO1$7$F$$600$I$a$b$X$$$$$$$3$8$7200", 13},
        {"WO1$7$F$40000$600$I$a$b$X$$$$$$$3$8$7200", 6},
        {"WO1$7$F$480$600$I$a$b$X$$$$$$$3$8$", 13},
        {"WO1$7$F$480$600$I$a$b$X$$$$$$$3$8$7200$9", 13},
        {"WO1$7$F$480$600$I$a$b$X$$$$$$$3$8$99999999999", 6},
        {"WO1$7$F$ 480 $600$I$a$b$X$$$$$$$3$8$7200  ", 0},
    };
    for (const Case& c : cases) {
        BarRecord split;
        EXPECT_EQ(ErrorCode([&] { DisassembleBarRecordText(c.text, split); }), c.error) << c.text;
    }
}

// Starting from days 100..100, minutes 400..800.
TEST(WorkOrderSpanTest, WidensOnlyOutwards) {
    struct Case {
        int32_t startDay, endDay, startMinute, endMinute;
        WorkOrderSpan expected;
    } cases[] = {
        {100, 100, 500, 700, {100, 100, 400, 800}},  // inside: unchanged
        {100, 100, 300, 700, {100, 100, 300, 800}},  // same day, earlier minute
        {99, 100, 1400, 700, {99, 100, 1400, 800}},  // earlier day takes its minute
        {100, 101, 500, 10, {100, 101, 400, 10}},    // later end day takes a smaller minute
        {100, 100, 500, 900, {100, 100, 400, 900}},  // same end day, later minute
        {101, 99, 0, 1439, {100, 100, 400, 800}},    // later start, earlier end: unchanged
    };
    for (const Case& c : cases) {
        WorkOrderSpan span{100, 100, 400, 800};
        span.Extend(c.startDay, c.endDay, c.startMinute, c.endMinute);
        EXPECT_EQ(span, c.expected) << c.startDay << " " << c.startMinute;
    }
}

TEST(WorkOrderSpanTest, MinuteOutside16BitsRaisesOverflowAndChangesNothing) {
    WorkOrderSpan span{100, 100, 400, 800};
    EXPECT_EQ(ErrorCode([&] { span.Extend(99, 101, 40000, 10); }), 6);
    EXPECT_EQ(span, (WorkOrderSpan{100, 100, 400, 800}));
}

}  // namespace
}  // namespace tessaro
