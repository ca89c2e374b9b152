// What a screen reader reads of the control on the small plant, through the interfaces Qt hands
// assistive technology: the chart as a table of resource rows with their bars, each bar's name and
// states, the focus following the keys with an event for every move, applied changes and undo
// announced, and the grid, the detail fields and the legend read as name and value.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAccessible>
#include <QLocale>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "accessibility/accessibility.hpp"
#include "qt/small_plant_widget.hpp"
#include "surface_widgets.hpp"

namespace tessaro {
namespace {

struct Heard {
    QAccessible::Event type;
    QAccessibleInterface* target;
    QString name;
    QString description;
};

std::vector<Heard>& Events() {
    static std::vector<Heard> events;
    return events;
}

void Capture(QAccessibleEvent* event) {
    QAccessibleInterface* target = event->accessibleInterface();
    Events().push_back({event->type(), target,
                        target != nullptr ? target->text(QAccessible::Name) : QString(),
                        target != nullptr ? target->text(QAccessible::Description) : QString()});
}

class ChartAccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        widget = testing::MakeSmallPlantWidget();
        // The offscreen platform has no accessibility to make active: the control's events are
        // heard through its own listener.
        qt_detail::SetAccessibleEventListener(Capture);
        Events().clear();
    }

    void TearDown() override {
        qt_detail::SetAccessibleEventListener(nullptr);
        QToolTip::hideText();
        widget.reset();
        QLocale::setDefault(QLocale::c());
    }

    ScheduleChartView* view() const { return widget->chartView(); }
    const ScheduleChart& chart() const { return view()->chart(); }
    QAccessibleInterface* chartInterface() const {
        return QAccessible::queryAccessibleInterface(view());
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view(), key, modifiers);
    }
    std::vector<Heard> heard(QAccessible::Event type) const {
        std::vector<Heard> found;
        for (const Heard& event : Events()) {
            if (event.type == type) {
                found.push_back(event);
            }
        }
        return found;
    }

    std::unique_ptr<TessaroWidget> widget;
};

TEST_F(ChartAccessibilityTest, TheChartIsATableOfResourceRowsWithTheirBars) {
    QAccessibleInterface* table = chartInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 4);
    ASSERT_EQ(table->childCount(), chart().RowCount());
    for (int row = 1; row <= chart().RowCount(); ++row) {
        QAccessibleInterface* rowInterface = table->child(row - 1);
        ASSERT_NE(rowInterface, nullptr);
        EXPECT_EQ(rowInterface, table->tableInterface()->cellAt(row - 1, 0));
        EXPECT_EQ(table->indexOfChild(rowInterface), row - 1);
        EXPECT_EQ(rowInterface->parent(), table);
        EXPECT_EQ(rowInterface->childCount(), chart().TimeBarCount(static_cast<int16_t>(row)));
        for (int bar = 0; bar < rowInterface->childCount(); ++bar) {
            EXPECT_EQ(rowInterface->child(bar)->parent(), rowInterface);
            EXPECT_EQ(rowInterface->indexOfChild(rowInterface->child(bar)), bar);
        }
    }
    EXPECT_EQ(table->child(0)->text(QAccessible::Name), QStringLiteral("R1, Lathe"));
    EXPECT_EQ(table->child(1)->childCount(), 0);
}

TEST_F(ChartAccessibilityTest, ABarIsNamedInAPlannersWordsWithItsStates) {
    const auto wo4 = chart().FindTimeBarsInKeyGroup("WO4").front();
    QAccessibleInterface* bar = chartInterface()->child(wo4.first - 1)->child(wo4.second - 1);
    EXPECT_EQ(bar->text(QAccessible::Name).toStdString(),
              "WO4, activity 40, R3, Fri 15 Feb 09:00 to 11:00, Open");
    EXPECT_EQ(bar->role(), QAccessible::Cell);
    EXPECT_TRUE(bar->state().focusable);
    EXPECT_FALSE(bar->state().focused);
    EXPECT_FALSE(bar->state().selected);

    view()->setFocusedBar(wo4.first, wo4.second);
    press(Qt::Key_Return);  // a double-click selects the work order
    EXPECT_TRUE(bar->state().focused);
    EXPECT_TRUE(bar->state().selected);
    EXPECT_EQ(bar->text(QAccessible::Description), QString());

    // Its press action clicks it as Space does: the details show its work order.
    ASSERT_NE(bar->actionInterface(), nullptr);
    widget->control().TxtWONo().SetText("");
    bar->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(widget->control().TxtWONo().Text(), "WO4");

    // An overlap is said in the description.
    const auto wo6 = chart().FindTimeBarsInKeyGroup("WO6").front();
    EXPECT_TRUE(chartInterface()
                    ->child(wo6.first - 1)
                    ->child(wo6.second - 1)
                    ->text(QAccessible::Description)
                    .contains(QStringLiteral("in conflict")));

    // The copy says what it is; the interface keeps naming its bar while others come and go.
    press(Qt::Key_C, Qt::ControlModifier);
    QAccessibleInterface* copy = chartInterface()->focusChild();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(
        copy->text(QAccessible::Name).startsWith(QStringLiteral("Copy of activity 40, R3")));
    EXPECT_TRUE(copy->text(QAccessible::Description).contains(QStringLiteral("the copy")));
    EXPECT_TRUE(bar->isValid());
    EXPECT_TRUE(bar->text(QAccessible::Name).startsWith(QStringLiteral("WO4, activity 40")));
}

TEST_F(ChartAccessibilityTest, TheFocusChildFollowsTheKeysWithAnEventForEachMove) {
    const char* const expected[] = {"WO1", "WO2", "WO5", "WO4"};
    const Qt::Key keys[] = {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left};
    for (int i = 0; i < 4; ++i) {
        press(keys[i]);
        QAccessibleInterface* focused = chartInterface()->focusChild();
        ASSERT_NE(focused, nullptr);
        EXPECT_TRUE(focused->text(QAccessible::Name).startsWith(QLatin1String(expected[i])));
        const std::vector<Heard> moves = heard(QAccessible::Focus);
        ASSERT_EQ(moves.size(), static_cast<size_t>(i + 1));
        EXPECT_EQ(moves.back().target, focused);
        EXPECT_EQ(moves.back().name, focused->text(QAccessible::Name));
    }
    press(Qt::Key_Left);  // the row's first bar already: no move, no event
    EXPECT_EQ(heard(QAccessible::Focus).size(), 4u);
}

TEST_F(ChartAccessibilityTest, AnAppliedChangeAndItsUndoAreAnnounced) {
    const auto wo5 = chart().FindTimeBarsInKeyGroup("WO5").front();
    view()->setFocusedBar(wo5.first, wo5.second);
    press(Qt::Key_C, Qt::ControlModifier);
    press(Qt::Key_Right);
    press(Qt::Key_Up, Qt::AltModifier);
    // Each step of the held copy is said.
    ASSERT_FALSE(heard(QAccessible::DescriptionChanged).empty());
    EXPECT_TRUE(heard(QAccessible::DescriptionChanged)
                    .back()
                    .description.startsWith(QStringLiteral("Move to R2, Fri 15 Feb 14:30")));
    Events().clear();
    press(Qt::Key_Return);
    QApplication::processEvents();
    // The activity is rebuilt: the table is to be read again.
    EXPECT_FALSE(heard(QAccessible::TableModelChanged).empty());
    std::vector<Heard> said = heard(QAccessible::DescriptionChanged);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said.front().target, chartInterface());
    EXPECT_EQ(said.front().description.toStdString(),
              "Change applied: WO5, activity 50 moved to R2, Fri 15 Feb 14:30 to 16:00");

    Events().clear();
    press(Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    said = heard(QAccessible::DescriptionChanged);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said.front().description.toStdString(), "Undone; 0 change(s) pending");

    // A drop the host refuses is said with its reason.
    widget->control().SetChangeVeto(
        [](const ProposedChange&) { return std::optional<std::string>("the line is frozen"); });
    const auto again = chart().FindTimeBarsInKeyGroup("WO5").front();
    view()->setFocusedBar(again.first, again.second);
    press(Qt::Key_C, Qt::ControlModifier);
    press(Qt::Key_Right);
    Events().clear();
    press(Qt::Key_Return);
    QApplication::processEvents();
    said = heard(QAccessible::DescriptionChanged);
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.back().description.toStdString(), "Refused: the line is frozen");
}

TEST_F(ChartAccessibilityTest, TheGridTheDetailFieldsAndTheLegendReadAsNameAndValue) {
    const auto wo4 = chart().FindTimeBarsInKeyGroup("WO4").front();
    view()->setFocusedBar(wo4.first, wo4.second);
    press(Qt::Key_Space);  // a click shows the work order's details and activities

    ListGridView* grid = widget->gridView();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(table->tableInterface(), nullptr);
    const int rows = grid->grid().GridRowCount();
    const int columns = grid->grid().GridColumnCount();
    ASSERT_GT(rows, 0);
    EXPECT_EQ(table->tableInterface()->rowCount(), rows);
    EXPECT_EQ(table->childCount(), rows * columns);
    for (int column = 1; column <= columns; ++column) {
        QAccessibleInterface* cell = table->tableInterface()->cellAt(0, column - 1);
        EXPECT_EQ(cell->text(QAccessible::Name).toStdString(),
                  QString::fromStdString(grid->grid().ColumnTitle(column)).trimmed().toStdString());
        EXPECT_EQ(cell->text(QAccessible::Value), grid->displayedText(column, 1));
        EXPECT_EQ(table->indexOfChild(cell), column - 1);
    }

    QAccessibleInterface* workOrder =
        QAccessible::queryAccessibleInterface(widget->surfaceWidget(QStringLiteral("TxtWONo")));
    EXPECT_EQ(workOrder->text(QAccessible::Name), QStringLiteral("Work order"));
    EXPECT_EQ(workOrder->text(QAccessible::Value), QStringLiteral("WO4"));

    QAccessibleInterface* legend = QAccessible::queryAccessibleInterface(widget->legendDetails());
    const QStringList captions =
        static_cast<qt_detail::LegendStrip*>(widget->legendDetails())->captions();
    ASSERT_EQ(legend->childCount(), captions.size());
    for (int entry = 0; entry < legend->childCount(); ++entry) {
        EXPECT_EQ(legend->child(entry)->text(QAccessible::Name), captions.at(entry));
        EXPECT_EQ(legend->indexOfChild(legend->child(entry)), entry);
    }
}

}  // namespace
}  // namespace tessaro
