#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A spreadsheet-style grid of text cells with per-cell colours, a current cell and an optional
// block selection. Cells are addressed (column, row), both counted from 1.
class TESSARO_EXPORT ListGrid {
public:
    // Grid action that empties the texts of the block or current cell.
    static constexpr int32_t kActionClear = 3;
    // Grid action with the same effect as kActionClear: colours and titles stay.
    static constexpr int32_t kActionClearText = 12;
    // Back colour of a new cell: white.
    static constexpr int32_t kDefaultBackColour = 16777215;
    // Fore colour of a new cell: black.
    static constexpr int32_t kDefaultForeColour = 0;
    // Width of a new column in character units.
    static constexpr double kDefaultColumnWidth = 8.43;
    // More cells than a work-order list can ever show; larger sizes are refused, not allocated.
    static constexpr int64_t kMaxCells = int64_t{1} << 22;

    // Notified after every write that changes what a view paints.
    Observable<> Changed;

    // Zero until the control sizes the grid.
    int32_t GridColumnCount() const { return columnCount_; }
    // Raises invalid procedure call (5) when the count is negative or the grid would pass
    // kMaxCells; cells left of it survive.
    void SetGridColumnCount(int32_t count);
    // Zero until the control sizes the grid.
    int32_t GridRowCount() const { return rowCount_; }
    // Raises invalid procedure call (5) when the count is negative or the grid would pass
    // kMaxCells; cells above it survive.
    void SetGridRowCount(int32_t count);

    // May lie outside the grid: the control steps one past the last row.
    int32_t GridCurrentRow() const { return currentRow_; }
    // Accepts any row, inside the grid or not.
    void SetGridCurrentRow(int32_t row);
    // May lie outside the grid.
    int32_t GridCurrentColumn() const { return currentColumn_; }
    // Accepts any column, inside the grid or not.
    void SetGridCurrentColumn(int32_t column);
    // The block's far row; may be smaller than the current row.
    int32_t GridBlockEndRow() const { return blockEndRow_; }
    // Accepts any row; the block is clipped to the grid when used.
    void SetGridBlockEndRow(int32_t row);
    // The block's far column; may be smaller than the current column.
    int32_t GridBlockEndColumn() const { return blockEndColumn_; }
    // Accepts any column; the block is clipped to the grid when used.
    void SetGridBlockEndColumn(int32_t column);
    // Off at start: writes go to the current cell only.
    bool GridBlockMode() const { return blockMode_; }
    // Switching it on makes colour and clear writes cover the block.
    void SetGridBlockMode(bool on);

    // Raises invalid procedure call (5) for codes but 3 and 12, or off-grid in single-cell mode.
    void SetGridAction(int32_t code);

    // Raises invalid procedure call (5) when the current cell lies outside the grid.
    const std::string& GridCellText() const;
    // Raises invalid procedure call (5) when the current cell lies outside the grid.
    void SetGridCellText(std::string text);

    // Raises invalid procedure call (5) off-grid in single-cell mode; off-grid blocks are ignored.
    void SetGridBackColour(int32_t colour);
    // Raises invalid procedure call (5) off-grid in single-cell mode; off-grid blocks are ignored.
    void SetGridForeColour(int32_t colour);

    // Raises invalid procedure call (5) when the cell lies outside the grid.
    const std::string& CellText(int32_t column, int32_t row) const;
    // Raises invalid procedure call (5) when the cell lies outside the grid.
    int32_t CellBackColour(int32_t column, int32_t row) const;
    // Raises invalid procedure call (5) when the cell lies outside the grid.
    int32_t CellForeColour(int32_t column, int32_t row) const;

    // Raises invalid procedure call (5) when the column lies outside the grid.
    const std::string& ColumnTitle(int32_t column) const;
    // Raises invalid procedure call (5) when the column lies outside the grid.
    void SetColumnTitle(int32_t column, std::string title);
    // Raises invalid procedure call (5) when the column lies outside the grid.
    double ColumnWidth(int32_t column) const;
    // Raises invalid procedure call (5) outside the grid or for a negative or NaN width.
    void SetColumnWidth(int32_t column, double width);

    // Height of the hosting container in twips; zero at start.
    float Height() const { return height_; }
    // Raises invalid procedure call (5) for a negative or NaN height.
    void SetHeight(float twips);

    // Replaces any earlier handler; an empty function silences clicks.
    void SetCellClickedHandler(std::function<void(int32_t column, int32_t row)> handler);
    // Makes the cell current and the whole block, then runs the handler; outside it does nothing.
    void ClickCell(int32_t column, int32_t row);

private:
    struct Cell {
        std::string text;
        int32_t backColour = kDefaultBackColour;
        int32_t foreColour = kDefaultForeColour;
    };

    // Inclusive cell range, already clipped to the grid.
    struct Range {
        int32_t firstColumn;
        int32_t lastColumn;
        int32_t firstRow;
        int32_t lastRow;
    };

    TESSARO_NO_EXPORT bool Contains(int32_t column, int32_t row) const;
    TESSARO_NO_EXPORT Cell& At(int32_t column, int32_t row);
    TESSARO_NO_EXPORT const Cell& At(int32_t column, int32_t row) const;
    TESSARO_NO_EXPORT const Cell& CheckedAt(int32_t column, int32_t row) const;
    TESSARO_NO_EXPORT void Resize(int32_t columns, int32_t rows);
    TESSARO_NO_EXPORT std::optional<Range> TargetRange() const;
    template <typename Write>
    void WriteTarget(Write write);
    TESSARO_NO_EXPORT void SetIfDifferent(int32_t& field, int32_t value);

    int32_t columnCount_ = 0;
    int32_t rowCount_ = 0;
    // Row-major: cell (c, r) lives at (r - 1) * columnCount_ + (c - 1).
    std::vector<Cell> cells_;
    std::vector<std::string> titles_;
    std::vector<double> widths_;
    int32_t currentRow_ = 1;
    int32_t currentColumn_ = 1;
    int32_t blockEndRow_ = 1;
    int32_t blockEndColumn_ = 1;
    bool blockMode_ = false;
    float height_ = 0.0f;
    std::function<void(int32_t, int32_t)> cellClicked_;
};

}  // namespace tessaro
