#pragma once

// How both payload readers match attributes to columns.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "loading/record_table.hpp"
#include "runtime/ascii.hpp"

namespace tessaro {

// An attribute's name without its namespace prefix: what a column is named by.
inline std::string_view AttributeBaseName(std::string_view name) {
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The name each column is looked up by in a record: its own name in lower case.
inline std::vector<std::string> ColumnLookupNames(const RecordTable& table) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(table.ColumnCount()));
    for (int32_t column = 0; column < table.ColumnCount(); ++column) {
        names.push_back(AsciiLowered(table.ColumnName(column)));
    }
    return names;
}

}  // namespace tessaro
