#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include <tessaro/runtime/ascii.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "runtime/large_block.hpp"

namespace tessaro {

enum class ColumnType { Text, Int32, Date };

// A field of a record: Null (never set), a text, a 32-bit integer or a date.
using FieldValue = std::variant<std::monostate, std::string_view, int32_t, DateTime>;

// The in-memory table a loader reads its payload into: typed columns, one record per payload
// element, a cursor over the records and a filter by one column's exact value. Text fields point
// into the text they were set from, which must stay as it is while the table lives (the loaders
// read from their payload's document); a field takes eight bytes, whatever its type, so a large
// payload's table stays small.
class RecordTable {
public:
    // Raises 5 when a column of that name, ignoring letter case, exists already.
    int32_t AppendColumn(std::string name, ColumnType type);

    int32_t ColumnCount() const { return static_cast<int32_t>(columns_.size()); }
    const std::string& ColumnName(int32_t column) const;
    // Returns -1 when no column has the name, compared ignoring letter case.
    int32_t FindColumn(std::string_view name) const;
    // Raises 5 when no column has the name, compared ignoring letter case.
    int32_t ColumnIndex(std::string_view name) const;

    // Makes room for that many records so a large payload is read without regrowing the table.
    void Reserve(std::size_t records) { fields_.reserve(records * columns_.size()); }

    // Starts a new record with every field Null; a record still pending is committed first.
    void AddNew();
    // Converts the text to the column's type: type mismatch (13) or overflow (6) for a number or
    // date that does not convert; 5 for a column outside the table or no pending record. The
    // text must end with a NUL character, which is not part of it.
    void SetField(int32_t column, const char* text);
    // Commits the pending record; does nothing without one.
    void Update();
    std::size_t RecordCount() const { return committed_; }

    // The cursor walks every record, or with a filter set only the matching ones, in the order
    // they were added.
    void MoveFirst();
    // Raises 5 at the end.
    void MoveNext();
    bool Eof() const { return cursor_ >= ViewSize(); }
    // Raises 5 at the end.
    FieldValue Field(int32_t column) const;

    // Keeps only the records whose text in the column equals the value exactly (no pattern, no
    // quoting: any character matches itself); Null fields and the values of columns that are
    // not text never match. Moves to the first match. Raises 5 for a column outside the table.
    void Filter(int32_t column, std::string_view value);
    void ClearFilter();

private:
    struct Column {
        std::string Name;
        ColumnType Type;
    };
    using RecordIndex = std::unordered_map<std::string_view, std::vector<uint32_t>>;

    std::size_t ViewSize() const;
    std::size_t RecordAt(std::size_t place) const;
    void CheckColumn(int32_t column) const;
    const RecordIndex& IndexOf(int32_t column);

    // A field as stored: a text pointer, a number or a date, by the column's type; Null is a
    // null pointer or a value no number or date can take.
    union Slot {
        Slot() : Number(0) {}
        const char* Text;
        int64_t Number;
        DateTime Date;
    };
    static Slot NullSlot(ColumnType type);
    FieldValue ValueOf(const Slot& slot, ColumnType type) const;

    std::vector<Column> columns_;
    // Column places by name ignoring case: a record may bring any number of attributes, and each
    // new column is checked against all before it.
    std::unordered_map<std::string, int32_t, AsciiCaseInsensitiveHash, AsciiCaseInsensitiveEqual>
        columnsByName_;
    // Row-major: record r's fields start at r * columns_.size().
    std::vector<Slot, LargeBlockAllocator<Slot>> fields_;
    std::size_t committed_ = 0;
    bool pending_ = false;

    std::size_t cursor_ = 0;
    const std::vector<uint32_t>* filtered_ = nullptr;
    // Built on a column's first filter and kept until a record is added.
    std::unordered_map<int32_t, RecordIndex> indexes_;
};

}  // namespace tessaro
