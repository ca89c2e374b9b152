#include <tessaro/components/list_grid.hpp>

#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/error_code.hpp"

namespace tessaro {
namespace {

constexpr int32_t kRed = 255;
constexpr int32_t kBlue = 16711680;

// Rows joined by '/', one character per cell: what `cell` says about it.
template <typename Cell>
std::string Render(const ListGrid& grid, Cell cell) {
    std::string rendered;
    for (int32_t row = 1; row <= grid.GridRowCount(); ++row) {
        rendered += row > 1 ? "/" : "";
        for (int32_t column = 1; column <= grid.GridColumnCount(); ++column) {
            rendered += cell(column, row);
        }
    }
    return rendered;
}

// Each cell's one-letter text, '.' when empty.
std::string Texts(const ListGrid& grid) {
    return Render(grid, [&](int32_t c, int32_t r) {
        return grid.CellText(c, r).empty() ? '.' : grid.CellText(c, r)[0];
    });
}

// '#' for a cell whose back colour is not the default.
std::string Painted(const ListGrid& grid) {
    return Render(grid, [&](int32_t c, int32_t r) {
        return grid.CellBackColour(c, r) == ListGrid::kDefaultBackColour ? '.' : '#';
    });
}

void Select(ListGrid& grid, int32_t column, int32_t row, int32_t endColumn, int32_t endRow) {
    grid.SetGridCurrentColumn(column);
    grid.SetGridCurrentRow(row);
    grid.SetGridBlockEndColumn(endColumn);
    grid.SetGridBlockEndRow(endRow);
    grid.SetGridBlockMode(true);
}

// A 4-column, 5-row grid lettered "abcd/efgh/ijkl/mnop/qrst" with a titled, widened column 2.
class ListGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.SetGridColumnCount(4);
        grid.SetGridRowCount(5);
        for (int32_t row = 1; row <= 5; ++row) {
            for (int32_t column = 1; column <= 4; ++column) {
                MoveTo(column, row);
                grid.SetGridCellText(
                    std::string(1, static_cast<char>('a' + (row - 1) * 4 + column - 1)));
            }
        }
        grid.SetColumnTitle(2, "Order");
        grid.SetColumnWidth(2, 20.0);
        grid.Changed.Subscribe([this] { ++changes; });
    }

    void MoveTo(int32_t column, int32_t row) {
        grid.SetGridCurrentColumn(column);
        grid.SetGridCurrentRow(row);
    }

    ListGrid grid;
    int changes = 0;
};

class ListGridClearTest : public ListGridTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(ListGridClearTest, ClearEmptiesTextsOfTheBlockOrCurrentCellOnly) {
    Select(grid, 2, 2, 3, 4);
    grid.SetGridBackColour(kRed);
    grid.SetGridForeColour(kBlue);
    changes = 0;
    grid.SetGridAction(GetParam());
    EXPECT_EQ(Texts(grid), "abcd/e..h/i..l/m..p/qrst");
    EXPECT_EQ(Painted(grid), "..../.##./.##./.##./....");
    EXPECT_EQ(grid.CellForeColour(3, 4), kBlue);
    EXPECT_EQ(grid.CellForeColour(4, 4), ListGrid::kDefaultForeColour);
    EXPECT_EQ(grid.ColumnTitle(2), "Order");
    EXPECT_EQ(grid.ColumnWidth(2), 20.0);
    EXPECT_EQ(changes, 1);

    // Off block mode, the same block corners are ignored in favour of the current cell alone.
    grid.SetGridBlockMode(false);
    MoveTo(4, 5);
    grid.SetGridAction(GetParam());
    grid.SetGridBackColour(kBlue);
    EXPECT_EQ(Texts(grid), "abcd/e..h/i..l/m..p/qrs.");
    EXPECT_EQ(Painted(grid), "..../.##./.##./.##./...#");
}

INSTANTIATE_TEST_SUITE_P(ClearCodes, ListGridClearTest, ::testing::Values(3, 12));

TEST(ListGridBlockTest, CornersMayComeInAnyOrderAndAreClippedToTheGrid) {
    const struct {
        int32_t column, row, endColumn, endRow;
        const char* painted;
    } cases[] = {
        {2, 2, 3, 3, "..../.##./.##./..../...."},  // forward
        {3, 3, 2, 2, "..../.##./.##./..../...."},  // both axes reversed
        {3, 2, 2, 3, "..../.##./.##./..../...."},  // columns reversed
        {2, 3, 3, 2, "..../.##./.##./..../...."},  // rows reversed
        {4, 5, 9, 9, "..../..../..../..../...#"},  // clipped past the end
        {0, 0, 1, 1, "#.../..../..../..../...."},  // clipped before the start
        {5, 1, 9, 5, "..../..../..../..../...."},  // right of the grid
        {1, 6, 4, 8, "..../..../..../..../...."},  // below the grid
    };
    for (const auto& c : cases) {
        ListGrid grid;
        grid.SetGridColumnCount(4);
        grid.SetGridRowCount(5);
        Select(grid, c.column, c.row, c.endColumn, c.endRow);
        EXPECT_EQ(ErrorCode([&] { grid.SetGridBackColour(kRed); }), 0);
        EXPECT_EQ(Painted(grid), c.painted) << c.column << "," << c.row;
    }
}

TEST_F(ListGridTest, ResizingKeepsSurvivingCellsAndDefaultsNewOnes) {
    Select(grid, 1, 1, 4, 5);
    grid.SetGridBackColour(kRed);
    grid.SetGridColumnCount(3);
    grid.SetGridRowCount(6);
    grid.SetGridColumnCount(5);
    EXPECT_EQ(Texts(grid), "abc../efg../ijk../mno../qrs../.....");
    EXPECT_EQ(Painted(grid), "###../###../###../###../###../.....");
    EXPECT_EQ(grid.ColumnTitle(2), "Order");
    EXPECT_EQ(grid.ColumnWidth(2), 20.0);
    EXPECT_EQ(grid.ColumnTitle(4), "");
    EXPECT_EQ(grid.ColumnWidth(4), ListGrid::kDefaultColumnWidth);
}

TEST_F(ListGridTest, BadArgumentsRaiseInvalidProcedureCallAndChangeNothing) {
    Select(grid, 1, 1, 4, 5);
    const std::function<void()> calls[] = {
        [&] { grid.SetGridAction(0); },          // not an action
        [&] { grid.SetGridAction(4); },          // next to clear
        [&] { grid.SetGridAction(11); },         // next to clear texts
        [&] { grid.SetGridColumnCount(-1); },    // negative size
        [&] { grid.SetGridRowCount(-1); },       // negative size
        [&] { grid.SetGridRowCount(2000000); },  // more cells than a list can show
        [&] { grid.CellText(5, 1); },            // one column past
        [&] { grid.CellBackColour(1, 6); },      // one row past
        [&] { grid.ColumnTitle(0); },            // columns count from 1
        [&] { grid.SetColumnWidth(1, -1.0); },   // negative width
        [&] { grid.SetHeight(-1.0f); },          // negative height
    };
    for (size_t i = 0; i < std::size(calls); ++i) {
        EXPECT_EQ(ErrorCode(calls[i]), 5) << "call " << i;
    }
    EXPECT_EQ(Texts(grid), "abcd/efgh/ijkl/mnop/qrst");
}

TEST_F(ListGridTest, CurrentCellOutsideTheGridRaisesForTextsAndSingleCellWrites) {
    for (const auto& [column, row] : {std::pair{0, 1}, {1, 0}, {5, 1}, {1, 6}, {-1, -1}}) {
        MoveTo(column, row);
        EXPECT_EQ(ErrorCode([&] { grid.GridCellText(); }), 5) << column << "," << row;
        EXPECT_EQ(ErrorCode([&] { grid.SetGridCellText("x"); }), 5) << column << "," << row;
        EXPECT_EQ(ErrorCode([&] { grid.SetGridForeColour(kBlue); }), 5) << column << "," << row;
        EXPECT_EQ(ErrorCode([&] { grid.SetGridAction(3); }), 5) << column << "," << row;
    }
}

TEST_F(ListGridTest, ClickRaisesWithColumnAndRowAndMakesTheCellCurrent) {
    std::vector<std::pair<int32_t, int32_t>> clicks;
    grid.SetCellClickedHandler(
        [&](int32_t column, int32_t row) { clicks.emplace_back(column, row); });
    grid.ClickCell(3, 5);
    grid.ClickCell(5, 1);
    grid.ClickCell(1, 0);
    EXPECT_EQ(clicks, (std::vector<std::pair<int32_t, int32_t>>{{3, 5}}));
    EXPECT_EQ(grid.GridCurrentColumn(), 3);
    EXPECT_EQ(grid.GridCurrentRow(), 5);
}

TEST_F(ListGridTest, ClickHandlerMayRewriteAndShrinkTheGrid) {
    grid.SetCellClickedHandler([&](int32_t, int32_t row) {
        grid.SetGridCellText("X");
        grid.SetGridRowCount(row);
        grid.SetCellClickedHandler(nullptr);
    });
    grid.ClickCell(2, 3);
    grid.ClickCell(1, 1);
    EXPECT_EQ(Texts(grid), "abcd/efgh/iXkl");
}

}  // namespace
}  // namespace tessaro
