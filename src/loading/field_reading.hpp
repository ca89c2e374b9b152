#pragma once

// Reading a loader's table fields the way the loaders use them: a Null field raises invalid use
// of Null (94); text converts to numbers with the automation rules.

#include <cstdint>
#include <string_view>

#include <tessaro/runtime/calendar.hpp>

#include "loading/record_table.hpp"
#include "runtime/conversions.hpp"

namespace tessaro {

std::string_view FieldText(const FieldValue& field);
int16_t FieldInt16(const FieldValue& field);
int32_t FieldInt32(const FieldValue& field);
DateTime FieldDate(const FieldValue& field);

// The same reads of the table's current record, column by column: a set text field is read
// straight from the table, anything else as the field's value.
inline std::string_view FieldText(const RecordTable& table, int32_t column) {
    const std::string_view* text = table.TextField(column);
    return text != nullptr ? *text : FieldText(table.Field(column));
}
inline int16_t FieldInt16(const RecordTable& table, int32_t column) {
    const std::string_view* text = table.TextField(column);
    return text != nullptr ? TextToInt16(*text) : FieldInt16(table.Field(column));
}
inline int32_t FieldInt32(const RecordTable& table, int32_t column) {
    const std::string_view* text = table.TextField(column);
    return text != nullptr ? TextToInt32(*text) : FieldInt32(table.Field(column));
}

// The same reads of a record found once: a set text field is read straight from the record,
// anything else by the table's reads above, kept out of line so that the common read is inlined.
std::string_view FieldTextOfTable(const RecordTable& table, int32_t column);
int16_t FieldInt16OfTable(const RecordTable& table, int32_t column);
int32_t FieldInt32OfTable(const RecordTable& table, int32_t column);

inline std::string_view FieldText(const RecordTable::CurrentRecord& record, int32_t column) {
    const std::string_view* text = record.Text(column);
    return text != nullptr ? *text : FieldTextOfTable(record.Table(), column);
}
inline int16_t FieldInt16(const RecordTable::CurrentRecord& record, int32_t column) {
    const std::string_view* text = record.Text(column);
    return text != nullptr ? TextToInt16(*text) : FieldInt16OfTable(record.Table(), column);
}
inline int32_t FieldInt32(const RecordTable::CurrentRecord& record, int32_t column) {
    const std::string_view* text = record.Text(column);
    return text != nullptr ? TextToInt32(*text) : FieldInt32OfTable(record.Table(), column);
}

// The resource number of a row text: the text before its first ";". Raises 5 for a text
// without ";".
std::string_view ResourceNumberOfRow(std::string_view rowText);

}  // namespace tessaro
