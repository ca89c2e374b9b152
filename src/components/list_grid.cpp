#include <tessaro/components/list_grid.hpp>

#include <algorithm>
#include <utility>

#include "components/argument_check.hpp"

namespace tessaro {

void ListGrid::SetGridColumnCount(int32_t count) {
    CheckArgument(count >= 0 && int64_t{count} * rowCount_ <= kMaxCells);
    if (count != columnCount_) {
        Resize(count, rowCount_);
        Changed.Notify();
    }
}

void ListGrid::SetGridRowCount(int32_t count) {
    CheckArgument(count >= 0 && int64_t{columnCount_} * count <= kMaxCells);
    if (count != rowCount_) {
        Resize(columnCount_, count);
        Changed.Notify();
    }
}

void ListGrid::SetGridCurrentRow(int32_t row) {
    SetIfDifferent(currentRow_, row);
}

void ListGrid::SetGridCurrentColumn(int32_t column) {
    SetIfDifferent(currentColumn_, column);
}

void ListGrid::SetGridBlockEndRow(int32_t row) {
    SetIfDifferent(blockEndRow_, row);
}

void ListGrid::SetGridBlockEndColumn(int32_t column) {
    SetIfDifferent(blockEndColumn_, column);
}

void ListGrid::SetGridBlockMode(bool on) {
    if (on != blockMode_) {
        blockMode_ = on;
        Changed.Notify();
    }
}

void ListGrid::SetGridAction(int32_t code) {
    CheckArgument(code == kActionClear || code == kActionClearText);
    WriteTarget([](Cell& cell) {
        if (cell.text.empty()) {
            return false;
        }
        cell.text.clear();
        return true;
    });
}

const std::string& ListGrid::GridCellText() const {
    return CheckedAt(currentColumn_, currentRow_).text;
}

void ListGrid::SetGridCellText(std::string text) {
    CheckArgument(Contains(currentColumn_, currentRow_));
    Cell& cell = At(currentColumn_, currentRow_);
    if (cell.text != text) {
        cell.text = std::move(text);
        Changed.Notify();
    }
}

void ListGrid::SetGridBackColour(int32_t colour) {
    WriteTarget([colour](Cell& cell) { return std::exchange(cell.backColour, colour) != colour; });
}

void ListGrid::SetGridForeColour(int32_t colour) {
    WriteTarget([colour](Cell& cell) { return std::exchange(cell.foreColour, colour) != colour; });
}

const std::string& ListGrid::CellText(int32_t column, int32_t row) const {
    return CheckedAt(column, row).text;
}

int32_t ListGrid::CellBackColour(int32_t column, int32_t row) const {
    return CheckedAt(column, row).backColour;
}

int32_t ListGrid::CellForeColour(int32_t column, int32_t row) const {
    return CheckedAt(column, row).foreColour;
}

const std::string& ListGrid::ColumnTitle(int32_t column) const {
    CheckArgument(column >= 1 && column <= columnCount_);
    return titles_[static_cast<size_t>(column - 1)];
}

void ListGrid::SetColumnTitle(int32_t column, std::string title) {
    CheckArgument(column >= 1 && column <= columnCount_);
    std::string& current = titles_[static_cast<size_t>(column - 1)];
    if (current != title) {
        current = std::move(title);
        Changed.Notify();
    }
}

double ListGrid::ColumnWidth(int32_t column) const {
    CheckArgument(column >= 1 && column <= columnCount_);
    return widths_[static_cast<size_t>(column - 1)];
}

void ListGrid::SetColumnWidth(int32_t column, double width) {
    CheckArgument(column >= 1 && column <= columnCount_);
    // NaN fails the comparison as well, so it is refused with the negatives.
    CheckArgument(width >= 0.0);
    double& current = widths_[static_cast<size_t>(column - 1)];
    if (current != width) {
        current = width;
        Changed.Notify();
    }
}

void ListGrid::SetHeight(float twips) {
    // NaN fails the comparison as well, so it is refused with the negatives.
    CheckArgument(twips >= 0.0f);
    if (height_ != twips) {
        height_ = twips;
        Changed.Notify();
    }
}

void ListGrid::SetCellClickedHandler(std::function<void(int32_t, int32_t)> handler) {
    cellClicked_ = std::move(handler);
}

void ListGrid::ClickCell(int32_t column, int32_t row) {
    if (!Contains(column, row)) {
        return;
    }
    const bool moved = currentColumn_ != column || currentRow_ != row ||
                       blockEndColumn_ != column || blockEndRow_ != row;
    currentColumn_ = blockEndColumn_ = column;
    currentRow_ = blockEndRow_ = row;
    if (moved) {
        Changed.Notify();
    }
    // A copy: the handler may replace itself while it runs.
    const auto handler = cellClicked_;
    if (handler) {
        handler(column, row);
    }
}

bool ListGrid::Contains(int32_t column, int32_t row) const {
    return column >= 1 && column <= columnCount_ && row >= 1 && row <= rowCount_;
}

ListGrid::Cell& ListGrid::At(int32_t column, int32_t row) {
    return cells_[static_cast<size_t>(row - 1) * static_cast<size_t>(columnCount_) +
                  static_cast<size_t>(column - 1)];
}

const ListGrid::Cell& ListGrid::At(int32_t column, int32_t row) const {
    return const_cast<ListGrid*>(this)->At(column, row);
}

const ListGrid::Cell& ListGrid::CheckedAt(int32_t column, int32_t row) const {
    CheckArgument(Contains(column, row));
    return At(column, row);
}

void ListGrid::Resize(int32_t columns, int32_t rows) {
    // The flat layout shifts every row when the column count changes, so surviving cells are
    // moved one by one into a fresh vector rather than resized in place.
    std::vector<Cell> resized(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    const int32_t keptColumns = std::min(columns, columnCount_);
    const int32_t keptRows = std::min(rows, rowCount_);
    for (int32_t row = 1; row <= keptRows; ++row) {
        for (int32_t column = 1; column <= keptColumns; ++column) {
            resized[static_cast<size_t>(row - 1) * static_cast<size_t>(columns) +
                    static_cast<size_t>(column - 1)] = std::move(At(column, row));
        }
    }
    cells_ = std::move(resized);
    titles_.resize(static_cast<size_t>(columns));
    widths_.resize(static_cast<size_t>(columns), kDefaultColumnWidth);
    columnCount_ = columns;
    rowCount_ = rows;
}

std::optional<ListGrid::Range> ListGrid::TargetRange() const {
    if (!blockMode_) {
        CheckArgument(Contains(currentColumn_, currentRow_));
        return Range{currentColumn_, currentColumn_, currentRow_, currentRow_};
    }
    const Range range{
        std::max(std::min(currentColumn_, blockEndColumn_), 1),
        std::min(std::max(currentColumn_, blockEndColumn_), columnCount_),
        std::max(std::min(currentRow_, blockEndRow_), 1),
        std::min(std::max(currentRow_, blockEndRow_), rowCount_),
    };
    if (range.firstColumn > range.lastColumn || range.firstRow > range.lastRow) {
        return std::nullopt;
    }
    return range;
}

template <typename Write>
void ListGrid::WriteTarget(Write write) {
    const auto range = TargetRange();
    if (!range) {
        return;
    }
    bool changed = false;
    for (int32_t row = range->firstRow; row <= range->lastRow; ++row) {
        for (int32_t column = range->firstColumn; column <= range->lastColumn; ++column) {
            changed = write(At(column, row)) || changed;
        }
    }
    if (changed) {
        Changed.Notify();
    }
}

void ListGrid::SetIfDifferent(int32_t& field, int32_t value) {
    if (field != value) {
        field = value;
        Changed.Notify();
    }
}

}  // namespace tessaro
