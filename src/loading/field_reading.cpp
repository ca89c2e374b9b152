#include "loading/field_reading.hpp"

#include <string>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/checked_arithmetic.hpp"
#include "runtime/conversions.hpp"

namespace tessaro {

namespace {

template <typename T>
const T& Typed(const FieldValue& field) {
    if (std::holds_alternative<std::monostate>(field)) {
        RaiseRuntimeError(RuntimeError::InvalidUseOfNull);
    }
    const T* value = std::get_if<T>(&field);
    if (value == nullptr) {
        RaiseRuntimeError(RuntimeError::TypeMismatch);
    }
    return *value;
}

}  // namespace

std::string_view FieldText(const FieldValue& field) {
    return Typed<std::string_view>(field);
}

int16_t FieldInt16(const FieldValue& field) {
    if (const auto* number = std::get_if<int32_t>(&field)) {
        return CheckedInt16(*number);
    }
    return TextToInt16(FieldText(field));
}

int32_t FieldInt32(const FieldValue& field) {
    if (const auto* number = std::get_if<int32_t>(&field)) {
        return *number;
    }
    return TextToInt32(FieldText(field));
}

DateTime FieldDate(const FieldValue& field) {
    return Typed<DateTime>(field);
}

std::string_view FieldTextOfTable(const RecordTable& table, int32_t column) {
    return FieldText(table, column);
}

int16_t FieldInt16OfTable(const RecordTable& table, int32_t column) {
    return FieldInt16(table, column);
}

int32_t FieldInt32OfTable(const RecordTable& table, int32_t column) {
    return FieldInt32(table, column);
}

std::string_view ResourceNumberOfRow(std::string_view rowText) {
    const auto separator = rowText.find(';');
    if (separator == std::string_view::npos) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall,
                          "The row \"" + std::string(rowText.substr(0, 60)) +
                              "\" names no resource: its text has no \";\".");
    }
    return rowText.substr(0, separator);
}

}  // namespace tessaro
