#include <tessaro/qt/list_grid_view.hpp>

#include <memory>
#include <utility>
#include <vector>

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tessaro/runtime/automation_error.hpp>

#include "qt/widget_test_support.hpp"

namespace tessaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::Snapshot;

// Three columns of 10, 20 and 5 characters over 40 rows; cell (2, 3) has a red back colour.
class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.SetGridColumnCount(3);
        grid.SetGridRowCount(40);
        const double widths[] = {10, 20, 5};
        const char* titles[] = {"Wo No.", "Item", "St"};
        for (int32_t column = 1; column <= 3; ++column) {
            grid.SetColumnTitle(column, titles[column - 1]);
            grid.SetColumnWidth(column, widths[column - 1]);
        }
        grid.SetGridCurrentColumn(2);
        grid.SetGridCurrentRow(3);
        grid.SetGridBackColour(255);
        grid.SetGridCurrentRow(1);
        grid.SetGridCurrentColumn(1);
        grid.SetCellClickedHandler(
            [this](int32_t column, int32_t row) { clicks.emplace_back(column, row); });

        view = std::make_unique<ListGridView>(grid);
        view->resize(500, 220);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QWidget* port() const { return view->viewport(); }

    ListGrid grid;
    std::vector<std::pair<int32_t, int32_t>> clicks;
    std::unique_ptr<ListGridView> view;
};

TEST_F(GridViewTest, ColumnWidthsFollowTheirCharacterCounts) {
    const int digit = view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const struct {
        int column;
        double characters;
    } cases[] = {{1, 10}, {2, 20}, {3, 5}};
    for (const auto& c : cases) {
        EXPECT_NEAR(view->columnWidth(c.column), c.characters * digit + 5, 1) << c.column;
    }
    grid.SetColumnWidth(3, 15);
    EXPECT_NEAR(view->columnWidth(3), 15 * digit + 5, 1);
    EXPECT_EQ(view->columnWidth(4), 0);
}

TEST_F(GridViewTest, AColumnNarrowerThanItsTitleIsWidenedToShowIt) {
    QFont bold = view->font();
    bold.setBold(true);
    const QFontMetrics titles(bold);
    const int digit = view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const QString title = QStringLiteral("Duration in days");
    grid.SetColumnWidth(3, 3);
    EXPECT_NEAR(view->columnWidth(3), 3 * digit + 5, 1);  // "St" fits in three characters
    // A longer title, set after the layout, widens the column at once.
    grid.SetColumnTitle(3, title.toStdString());
    EXPECT_LT(view->columnWidth(3), titles.horizontalAdvance(title) + 20);
    // Columns whose titles fit keep the width of their characters.
    EXPECT_NEAR(view->columnWidth(2), 20 * digit + 5, 1);
    // Inside the title's padding the whole title fits, uncut.
    EXPECT_EQ(titles.elidedText(title, Qt::ElideRight, view->columnWidth(3) - 8), title);
}

TEST_F(GridViewTest, ClickingACellRunsTheHandlerWithColumnAndRow) {
    QTest::mouseClick(port(), Qt::LeftButton, {}, view->cellRect(2, 3).center());
    QTest::mouseClick(port(), Qt::LeftButton, {}, view->cellRect(3, 1).center());
    EXPECT_THAT(clicks, ElementsAre(std::make_pair(2, 3), std::make_pair(3, 1)));
    EXPECT_EQ(grid.GridCurrentColumn(), 3);
    EXPECT_EQ(grid.GridCurrentRow(), 1);
}

TEST_F(GridViewTest, TitlesRowNumbersAndEmptySpaceAreNotCells) {
    const QPoint title(view->cellRect(2, 1).center().x(), view->headerHeight() / 2);
    const QPoint number(view->rowHeaderWidth() / 2, view->cellRect(1, 2).center().y());
    const QPoint beyond(view->cellRect(3, 1).right() + 20, view->cellRect(3, 1).center().y());
    for (const QPoint& at : {title, number, beyond}) {
        EXPECT_EQ(view->cellAt(at), std::make_pair(0, 0));
        QTest::mouseClick(port(), Qt::LeftButton, {}, at);
    }
    EXPECT_THAT(clicks, IsEmpty());
}

TEST_F(GridViewTest, CellsAndPointsRoundTripAlsoWhenScrolled) {
    for (const int scroll : {0, 10000}) {
        view->verticalScrollBar()->setValue(scroll);
        const int lastRow = scroll == 0 ? 3 : 40;
        for (int column = 1; column <= 3; ++column) {
            const QRect cell = view->cellRect(column, lastRow);
            ASSERT_TRUE(port()->rect().contains(cell.center())) << column << " " << lastRow;
            EXPECT_EQ(view->cellAt(cell.center()), std::make_pair(column, lastRow));
        }
    }
    EXPECT_LT(view->cellRect(1, 1).bottom(), view->headerHeight());
}

TEST_F(GridViewTest, BackColoursAndTheCurrentRowArePainted) {
    const QImage image = Snapshot(port());
    const QPoint corner(2, 2);
    EXPECT_EQ(image.pixelColor(view->cellRect(2, 3).topLeft() + corner), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(view->cellRect(2, 4).topLeft() + corner), QColor(Qt::white));
    // Row 1 is current: tinted, not white.
    const QColor current = image.pixelColor(view->cellRect(3, 1).topLeft() + QPoint(6, 4));
    EXPECT_NE(current, QColor(Qt::white));
    EXPECT_GT(current.blue(), current.red());
}

TEST_F(GridViewTest, ModelWritesRepaint) {
    grid.SetGridCurrentRow(5);
    grid.SetGridCurrentColumn(3);
    grid.SetGridBackColour(65280);
    grid.SetGridCurrentRow(1);
    EXPECT_EQ(Snapshot(port()).pixelColor(view->cellRect(3, 5).topLeft() + QPoint(2, 2)),
              QColor(0, 255, 0));
}

TEST_F(GridViewTest, ForeColourDrawsTheText) {
    grid.SetGridCurrentRow(6);
    grid.SetGridCurrentColumn(2);
    grid.SetGridCellText("WWWWWWWW");
    grid.SetGridForeColour(16711680);
    grid.SetGridCurrentRow(1);
    const QImage image = Snapshot(port());
    const QRect cell = view->cellRect(2, 6);
    int blue = 0;
    for (int y = cell.top(); y < cell.bottom(); ++y) {
        for (int x = cell.left(); x < cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > 150 && c.red() < 100 && c.green() < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 10);
}

TEST_F(GridViewTest, AnErrorInTheCellHandlerIsReported) {
    grid.SetCellClickedHandler([](int32_t, int32_t) {
        throw AutomationError(RuntimeErrorNumber(RuntimeError::InvalidProcedureCall), "Grid",
                              "Invalid procedure call or argument");
    });
    QSignalSpy spy(view.get(), &ListGridView::errorRaised);
    QTest::mouseClick(port(), Qt::LeftButton, {}, view->cellRect(1, 2).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), static_cast<int>(0x800A0005));
    EXPECT_EQ(spy[0][1].toString(), QStringLiteral("Grid"));
    // The cell became current before the handler failed.
    EXPECT_EQ(grid.GridCurrentRow(), 2);
}

}  // namespace
}  // namespace tessaro
