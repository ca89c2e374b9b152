#pragma once

// Reading a payload into a record table both ways: straight from the text (falling back to the
// document for anything else) and through the document alone. The two must give the same records
// or the same error; the property test and the fuzz target check that.

#include <string>
#include <string_view>
#include <vector>

#include <tessaro/runtime/automation_error.hpp>

#include "loading/payload_reader.hpp"

namespace tessaro::testing {

// A table of a few typed columns, so conversion errors are compared too.
inline void AddTypedColumns(RecordTable& table) {
    table.AppendColumn("resno", ColumnType::Text);
    table.AppendColumn("qty", ColumnType::Int32);
    table.AppendColumn("from", ColumnType::Date);
    table.AppendColumn("Name", ColumnType::Text);
}

// Every column and field of a table, or the error that stopped its reading, as one text.
inline std::string Outcome(const RecordTable& table) {
    std::string out;
    for (int32_t column = 0; column < table.ColumnCount(); ++column) {
        out += table.ColumnName(column) + "|";
    }
    RecordTable cursor = table;
    for (cursor.MoveFirst(); !cursor.Eof(); cursor.MoveNext()) {
        out += "\n";
        for (int32_t column = 0; column < cursor.ColumnCount(); ++column) {
            const FieldValue field = cursor.Field(column);
            if (const auto* text = std::get_if<std::string_view>(&field)) {
                out += "t:" + std::string(*text);
            } else if (const auto* number = std::get_if<int32_t>(&field)) {
                out += "i:" + std::to_string(*number);
            } else if (const auto* date = std::get_if<DateTime>(&field)) {
                out += "d:" + std::to_string(date->Day) + ":" + std::to_string(date->SecondOfDay);
            } else {
                out += "null";
            }
            out += "|";
        }
    }
    return out;
}

template <typename Read>
std::string OutcomeOf(PayloadColumns columns, Read read) {
    RecordTable table;
    if (columns == PayloadColumns::OfTable) {
        AddTypedColumns(table);
    }
    try {
        const auto kept = read(table);
        return Outcome(table);
    } catch (const AutomationError& error) {
        return "error " + std::to_string(error.Number()) + ": " + error.Description();
    }
}

inline std::string ReadStraight(std::string_view text, PayloadColumns columns) {
    return OutcomeOf(columns,
                     [&](RecordTable& table) { return ReadPayloadTable(table, text, columns); });
}

inline std::string ReadThroughDocument(std::string_view text, PayloadColumns columns) {
    return OutcomeOf(columns, [&](RecordTable& table) {
        PayloadRecords records = ReadPayloadRecords(text);
        if (columns == PayloadColumns::OfFirstRecord) {
            AddColumnsOfElement(table, records.Elements.front());
        }
        ReadRecords(table, records.Elements);
        return records;
    });
}

}  // namespace tessaro::testing
