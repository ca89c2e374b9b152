#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "loading/field_reading.hpp"
#include "loading/record_table.hpp"
#include "support/error_code.hpp"

namespace tessaro {
namespace {

class RecordTableTest : public ::testing::Test {
protected:
    RecordTableTest() {
        table.AppendColumn("resno", ColumnType::Text);
        table.AppendColumn("Qty", ColumnType::Int32);
        table.AppendColumn("day", ColumnType::Date);
    }

    void Add(std::vector<const char*> values) {
        table.AddNew();
        for (std::size_t i = 0; i < values.size(); ++i) {
            table.SetField(static_cast<int32_t>(i), values[i]);
        }
        table.Update();
    }

    std::vector<std::string> ResnosInView() {
        std::vector<std::string> seen;
        for (; !table.Eof(); table.MoveNext()) {
            seen.emplace_back(FieldText(table.Field(0)));
        }
        return seen;
    }

    RecordTable table;
};

TEST_F(RecordTableTest, ColumnsAreFoundIgnoringLetterCase) {
    EXPECT_EQ(table.FindColumn("QTY"), 1);
    EXPECT_EQ(table.ColumnIndex("Day"), 2);
    EXPECT_EQ(table.FindColumn("none"), -1);
    EXPECT_EQ(ErrorCode([&] { table.ColumnIndex("none"); }), 5);
    EXPECT_EQ(ErrorCode([&] { table.AppendColumn("RESNO", ColumnType::Text); }), 5);
    EXPECT_EQ(table.ColumnCount(), 3);
}

TEST_F(RecordTableTest, FieldsConvertToTheirColumnType) {
    Add({"R1", " 12.5 ", "1/2/2003 10:30"});
    table.MoveFirst();
    EXPECT_EQ(FieldText(table.Field(0)), "R1");
    EXPECT_EQ(FieldInt32(table.Field(1)), 12);
    EXPECT_EQ(FieldDate(table.Field(2)).Day, 37621);

    table.AddNew();
    EXPECT_EQ(ErrorCode([&] { table.SetField(1, "abc"); }), 13);
    EXPECT_EQ(ErrorCode([&] { table.SetField(1, ""); }), 13);
    EXPECT_EQ(ErrorCode([&] { table.SetField(1, "3000000000"); }), 6);
    EXPECT_EQ(ErrorCode([&] { table.SetField(2, "31/31/2002"); }), 13);
    EXPECT_EQ(ErrorCode([&] { table.SetField(3, "x"); }), 5);
}

TEST_F(RecordTableTest, UnsetFieldsAreNullAndRaise94WhenRead) {
    Add({"R1"});
    table.MoveFirst();
    EXPECT_EQ(ErrorCode([&] { FieldInt32(table.Field(1)); }), 94);
    EXPECT_EQ(ErrorCode([&] { FieldDate(table.Field(2)); }), 94);
    EXPECT_EQ(ErrorCode([&] { FieldText(table.Field(1)); }), 94);
}

// A loader reads a column of the current record without the field's value, from the table or
// from the record found once: it gives the same value or error whatever the column's type, for a
// Null field, a column outside the table, a text that is no number or too large, and at the end,
// in a table of mixed columns and in one of text columns only seen through a filter.
TEST_F(RecordTableTest, ColumnReadsGiveWhatFieldReadsGive) {
    Add({"42", "7", "1/2/2003"});
    Add({"x"});
    Add({"70000", "-3"});
    RecordTable texts;
    texts.AppendColumn("resno", ColumnType::Text);
    texts.AppendColumn("qty", ColumnType::Text);
    texts.AppendColumn("note", ColumnType::Text);
    for (const std::vector<std::string_view>& values :
         {std::vector<std::string_view>{"R1", "7", "x"},
          {"R2", "8"},
          {"R1"},
          {"R1", "70000", ""}}) {
        texts.AddRecord(values);
    }
    const auto outcome = [](auto read) {
        std::string value;
        const int32_t error = ErrorCode([&] { value = std::string(read()); });
        return error != 0 ? "error " + std::to_string(error) : value;
    };
    const auto number = [](auto value) { return std::to_string(value); };
    table.MoveFirst();
    texts.Filter(0, "R1");
    for (RecordTable* read : {&table, &texts}) {
        for (;; read->MoveNext()) {
            const RecordTable::CurrentRecord record(*read);
            for (int32_t column = -1; column <= 3; ++column) {
                const std::string text = outcome([&] { return FieldText(read->Field(column)); });
                EXPECT_EQ(outcome([&] { return FieldText(*read, column); }), text);
                EXPECT_EQ(outcome([&] { return FieldText(record, column); }), text);
                const std::string int32 =
                    outcome([&] { return number(FieldInt32(read->Field(column))); });
                EXPECT_EQ(outcome([&] { return number(FieldInt32(*read, column)); }), int32);
                EXPECT_EQ(outcome([&] { return number(FieldInt32(record, column)); }), int32);
                const std::string int16 =
                    outcome([&] { return number(FieldInt16(read->Field(column))); });
                EXPECT_EQ(outcome([&] { return number(FieldInt16(*read, column)); }), int16);
                EXPECT_EQ(outcome([&] { return number(FieldInt16(record, column)); }), int16);
            }
            if (read->Eof()) {
                break;
            }
        }
    }
}

TEST_F(RecordTableTest, CursorWalksRecordsInOrderAndStopsAtTheEnd) {
    Add({"R1"});
    Add({"R2"});
    table.MoveFirst();
    EXPECT_EQ(ResnosInView(), (std::vector<std::string>{"R1", "R2"}));
    EXPECT_EQ(ErrorCode([&] { table.MoveNext(); }), 5);
    EXPECT_EQ(ErrorCode([&] { table.Field(0); }), 5);
    EXPECT_EQ(table.RecordCount(), 2u);
}

TEST_F(RecordTableTest, FilterKeepsExactMatchesInOrder) {
    for (const char* resno : {"R1", "R2", "r1", "R1", "O'Neil", "R1 ", "O'Neil"}) {
        Add({resno});
    }
    Add({});  // a record whose resno is Null never matches

    struct Case {
        const char* value;
        size_t matches;
    } cases[] = {{"R1", 2}, {"r1", 1}, {"O'Neil", 2}, {"R1 ", 1}, {"R3", 0}, {"", 0}};
    for (const Case& c : cases) {
        table.Filter(0, c.value);
        const auto seen = ResnosInView();
        EXPECT_EQ(seen.size(), c.matches) << c.value;
        for (const std::string& resno : seen) {
            EXPECT_EQ(resno, c.value);
        }
    }
    table.ClearFilter();
    size_t all = 0;
    for (; !table.Eof(); table.MoveNext()) {
        ++all;
    }
    EXPECT_EQ(all, 8u);
}

TEST_F(RecordTableTest, FilterSeesRecordsAddedAfterAnEarlierFilter) {
    Add({"R1"});
    table.Filter(0, "R1");
    Add({"R1"});
    table.Filter(0, "R1");
    EXPECT_EQ(ResnosInView().size(), 2u);
}

}  // namespace
}  // namespace tessaro
