#pragma once

#include <span>

#include "loading/record_table.hpp"

namespace tessaro {

struct FixedColumn {
    const char* Name;
    ColumnType Type;
};

// The header and calendar payloads are read into fixed column lists rather than the columns of
// their first record.
inline void AddFixedColumns(RecordTable& table, std::span<const FixedColumn> columns) {
    for (const FixedColumn& column : columns) {
        table.AppendColumn(column.Name, column.Type);
    }
}

}  // namespace tessaro
