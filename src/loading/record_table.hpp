#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include <tessaro/runtime/calendar.hpp>
#include "runtime/ascii.hpp"

#include "runtime/large_block.hpp"

namespace tessaro {

enum class ColumnType { Text, Int32, Date };

// A field of a record: Null (never set), a text, a 32-bit integer or a date.
using FieldValue = std::variant<std::monostate, std::string_view, int32_t, DateTime>;

// The in-memory table a loader reads its payload into: typed columns, one record per payload
// element, a cursor over the records and a filter by one column's exact value. Text fields point
// into the text they were set from, which must stay as it is while the table lives (the loaders
// read from their payload's document); a field takes sixteen bytes, whatever its type, so a large
// payload's table stays small, and a text keeps its length so it is measured only once, when set.
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
    // date that does not convert; 5 for a column outside the table or no pending record.
    void SetField(int32_t column, std::string_view text) {
        // A payload's table is mostly text columns, filled here without a call.
        if (pending_ && column >= 0 && column < ColumnCount() &&
            columns_[static_cast<std::size_t>(column)].Type == ColumnType::Text) {
            fields_[committed_ * columns_.size() + static_cast<std::size_t>(column)].Text = text;
            return;
        }
        SetConvertedField(column, text);
    }
    // AddNew, then SetField of columns 0..n-1 from the n values, and Update: the one step a
    // payload reader takes a record. Raises as SetField does, leaving the record pending.
    void AddRecord(std::span<const std::string_view> values);
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
    FieldValue Field(int32_t column) const {
        // The loaders read every field of every record they draw through here.
        if (column < 0 || column >= ColumnCount() || Eof()) {
            RaiseFieldOutOfReach(column);
        }
        const auto place = static_cast<std::size_t>(column);
        return ValueOf(fields_[RecordAt(cursor_) * columns_.size() + place], columns_[place].Type);
    }

    // The current record's text in a text column, when it is set; nullptr for a Null field, a
    // column of another type or outside the table, or no current record (Field then says which).
    // A loader reads most fields of a large payload through here, without a variant.
    const std::string_view* TextField(int32_t column) const {
        if (column < 0 || column >= ColumnCount() || Eof()) {
            return nullptr;
        }
        const auto place = static_cast<std::size_t>(column);
        if (columns_[place].Type != ColumnType::Text) {
            return nullptr;
        }
        const Slot& slot = fields_[RecordAt(cursor_) * columns_.size() + place];
        return slot.Text.data() != nullptr ? &slot.Text : nullptr;
    }

    // The current record's fields, found once for all of its reads: see below.
    class CurrentRecord;

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

    std::size_t ViewSize() const { return filtered_ != nullptr ? filtered_->size() : committed_; }
    std::size_t RecordAt(std::size_t place) const {
        return filtered_ != nullptr ? (*filtered_)[place] : place;
    }
    void CheckColumn(int32_t column) const;
    void SetConvertedField(int32_t column, std::string_view text);
    [[noreturn]] void RaiseFieldOutOfReach(int32_t column) const;
    const RecordIndex& IndexOf(int32_t column);

    // A field as stored: a text, a number or a date, by the column's type; Null is a text
    // without data or a value no number or date can take.
    union Slot {
        Slot() : Number(0) {}
        std::string_view Text;
        int64_t Number;
        DateTime Date;
    };
    static Slot NullSlot(ColumnType type);
    static FieldValue ValueOf(const Slot& slot, ColumnType type) {
        switch (type) {
            case ColumnType::Text:
                if (slot.Text.data() != nullptr) {
                    return slot.Text;
                }
                break;
            case ColumnType::Int32:
                if (slot.Number != kNullNumber) {
                    return static_cast<int32_t>(slot.Number);
                }
                break;
            case ColumnType::Date:
                if (slot.Date.SecondOfDay != kNullSecondOfDay) {
                    return slot.Date;
                }
                break;
        }
        return std::monostate{};
    }
    // No 32-bit number and no date of the calendar take these slot values.
    static constexpr int64_t kNullNumber = std::numeric_limits<int64_t>::min();
    static constexpr int32_t kNullSecondOfDay = -1;

    std::vector<Column> columns_;
    // Column places by name ignoring case: a record may bring any number of attributes, and each
    // new column is checked against all before it.
    std::unordered_map<std::string, int32_t, AsciiCaseInsensitiveHash, AsciiCaseInsensitiveEqual>
        columnsByName_;
    // Row-major: record r's fields start at r * columns_.size().
    std::vector<Slot, LargeBlockAllocator<Slot>> fields_;
    std::vector<Slot> nullRecord_;
    // Whether every column holds text, noted with the Null record.
    bool allText_ = false;
    std::size_t committed_ = 0;
    bool pending_ = false;

    std::size_t cursor_ = 0;
    const std::vector<uint32_t>* filtered_ = nullptr;
    // Built on a column's first filter and kept until a record is added.
    std::unordered_map<int32_t, RecordIndex> indexes_;
};

// The current record's fields, found once for all of its reads: a loader reads most fields of
// every record of a large payload, and in a table of text columns only each field is then found
// without checking the cursor and the column's type again. Text gives the set text fields of the
// record that was current when this was made; nullptr for any other field, which the table's
// own reads then tell apart.
class RecordTable::CurrentRecord {
public:
    explicit CurrentRecord(const RecordTable& table)
        : table_(table),
          slots_(table.allText_ && !table.Eof()
                     ? table.fields_.data() + table.RecordAt(table.cursor_) * table.columns_.size()
                     : nullptr),
          width_(table.columns_.size()) {}

    const std::string_view* Text(int32_t column) const {
        if (slots_ != nullptr && column >= 0 && static_cast<std::size_t>(column) < width_) {
            const std::string_view& text = slots_[static_cast<std::size_t>(column)].Text;
            return text.data() != nullptr ? &text : nullptr;
        }
        return nullptr;
    }
    const RecordTable& Table() const { return table_; }

private:
    const RecordTable& table_;
    const Slot* slots_;
    std::size_t width_;
};

}  // namespace tessaro
