#pragma once

// Reading a loader's table fields the way the loaders use them: a Null field raises invalid use
// of Null (94); text converts to numbers with the automation rules.

#include <cstdint>
#include <string_view>

#include <tessaro/runtime/calendar.hpp>

#include "loading/record_table.hpp"

namespace tessaro {

std::string_view FieldText(const FieldValue& field);
int16_t FieldInt16(const FieldValue& field);
int32_t FieldInt32(const FieldValue& field);
DateTime FieldDate(const FieldValue& field);

// The resource number of a row text: the text before its first ";". Raises 5 for a text
// without ";".
std::string_view ResourceNumberOfRow(std::string_view rowText);

}  // namespace tessaro
