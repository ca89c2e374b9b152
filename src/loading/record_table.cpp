#include "loading/record_table.hpp"

#include <cstring>
#include <limits>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"
#include "runtime/conversions.hpp"

namespace tessaro {

namespace {

[[noreturn]] void RaiseInvalid(std::string description) {
    RaiseRuntimeError(RuntimeError::InvalidProcedureCall, std::move(description));
}

const std::vector<uint32_t> kNoRecords;

}  // namespace

int32_t RecordTable::AppendColumn(std::string name, ColumnType type) {
    if (FindColumn(name) >= 0) {
        RaiseInvalid("The table already has a column named \"" + name.substr(0, 60) + "\".");
    }
    if (committed_ > 0 || pending_) {
        RaiseInvalid("Columns cannot be added once the table holds records.");
    }
    columnsByName_.emplace(name, ColumnCount());
    columns_.push_back(Column{std::move(name), type});
    return ColumnCount() - 1;
}

const std::string& RecordTable::ColumnName(int32_t column) const {
    CheckColumn(column);
    return columns_[static_cast<std::size_t>(column)].Name;
}

int32_t RecordTable::FindColumn(std::string_view name) const {
    const auto found = columnsByName_.find(name);
    return found != columnsByName_.end() ? found->second : -1;
}

int32_t RecordTable::ColumnIndex(std::string_view name) const {
    const int32_t column = FindColumn(name);
    if (column < 0) {
        RaiseInvalid("The payload has no attribute \"" + std::string(name) + "\".");
    }
    return column;
}

void RecordTable::CheckColumn(int32_t column) const {
    if (column < 0 || column >= ColumnCount()) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
}

RecordTable::Slot RecordTable::NullSlot(ColumnType type) {
    Slot slot;
    switch (type) {
        case ColumnType::Text:
            slot.Text = {};
            break;
        case ColumnType::Int32:
            slot.Number = kNullNumber;
            break;
        case ColumnType::Date:
            slot.Date = DateTime{0, kNullSecondOfDay};
            break;
    }
    return slot;
}

void RecordTable::AddNew() {
    Update();
    if (committed_ >= std::numeric_limits<uint32_t>::max()) {
        RaiseRuntimeError(RuntimeError::Overflow);
    }
    // Columns are fixed once records exist, so the Null record is built once.
    if (nullRecord_.size() != columns_.size()) {
        nullRecord_.clear();
        allText_ = true;
        for (const Column& column : columns_) {
            nullRecord_.push_back(NullSlot(column.Type));
            allText_ = allText_ && column.Type == ColumnType::Text;
        }
    }
    fields_.insert(fields_.end(), nullRecord_.begin(), nullRecord_.end());
    pending_ = true;
    if (!indexes_.empty()) {
        indexes_.clear();
    }
    filtered_ = nullptr;
}

void RecordTable::AddRecord(std::span<const std::string_view> values) {
    if (values.size() > columns_.size()) {
        CheckColumn(static_cast<int32_t>(columns_.size()));
    }
    AddNew();
    Slot* const record = fields_.data() + committed_ * columns_.size();
    if (allText_) {
        // A record of text columns only, most of a large payload's, takes its values as they are.
        static_assert(sizeof(Slot) == sizeof(std::string_view));
        std::memcpy(static_cast<void*>(record), values.data(), values.size() * sizeof(Slot));
    } else {
        for (std::size_t column = 0; column < values.size(); ++column) {
            if (columns_[column].Type == ColumnType::Text) {
                record[column].Text = values[column];
            } else {
                SetConvertedField(static_cast<int32_t>(column), values[column]);
            }
        }
    }
    Update();
}

void RecordTable::SetConvertedField(int32_t column, std::string_view text) {
    CheckColumn(column);
    if (!pending_) {
        RaiseInvalid("No record is being added.");
    }
    Slot& field = fields_[committed_ * columns_.size() + static_cast<std::size_t>(column)];
    switch (columns_[static_cast<std::size_t>(column)].Type) {
        case ColumnType::Text:
            field.Text = text;
            break;
        case ColumnType::Int32:
            field.Number = TextToInt32(text);
            break;
        case ColumnType::Date:
            field.Date = TextToDate(text);
            break;
    }
}

void RecordTable::Update() {
    if (pending_) {
        ++committed_;
        pending_ = false;
    }
}

void RecordTable::MoveFirst() {
    cursor_ = 0;
}

void RecordTable::MoveNext() {
    if (Eof()) {
        RaiseInvalid("The table is at its end.");
    }
    ++cursor_;
}

void RecordTable::RaiseFieldOutOfReach(int32_t column) const {
    CheckColumn(column);
    RaiseInvalid("The table has no current record.");
}

const RecordTable::RecordIndex& RecordTable::IndexOf(int32_t column) {
    auto [place, added] = indexes_.try_emplace(column);
    if (added) {
        const std::size_t width = columns_.size();
        const bool isText = columns_[static_cast<std::size_t>(column)].Type == ColumnType::Text;
        for (std::size_t record = 0; isText && record < committed_; ++record) {
            const std::string_view text =
                fields_[record * width + static_cast<std::size_t>(column)].Text;
            if (text.data() != nullptr) {
                place->second[text].push_back(static_cast<uint32_t>(record));
            }
        }
    }
    return place->second;
}

void RecordTable::Filter(int32_t column, std::string_view value) {
    CheckColumn(column);
    Update();
    const RecordIndex& index = IndexOf(column);
    const auto found = index.find(value);
    filtered_ = found != index.end() ? &found->second : &kNoRecords;
    cursor_ = 0;
}

void RecordTable::ClearFilter() {
    filtered_ = nullptr;
    cursor_ = 0;
}

}  // namespace tessaro
