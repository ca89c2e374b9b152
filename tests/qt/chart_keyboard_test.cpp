// Every gesture of the chart from the keyboard, with real key events on a small plant: the focus
// walking the work-order bars, Space, Enter and the menu keys doing what the mouse does, and the
// copy moved by keys and dropped with Enter making the record and the undo step the equal mouse
// drag makes.

#include <tessaro/qt/tessaro_widget.hpp>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

#include "qt/small_plant_widget.hpp"
#include "qt/widget_test_support.hpp"

namespace tessaro {
namespace {

using testing::MakeSmallPlantWidget;

class ChartKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { widget = MakeSmallPlantWidget(); }

    void TearDown() override {
        QToolTip::hideText();
        testing::CloseMenus();
    }

    Tessaro_Ctrl& ctrl() { return widget->control(); }
    ScheduleChart& chart() { return ctrl().ctResSched(); }
    ScheduleChartView* view() const { return widget->chartView(); }

    // The work order of the focused bar; "" for none, "copy" for the temporary bar.
    std::string focused() {
        const auto [row, bar] = view()->focusedBar();
        if (bar == 0) {
            return "";
        }
        const ChartBar& b = chart().Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
        if (b.Kind == ScheduleChartView::kTemporaryBarKind) {
            return "copy";
        }
        return b.Key.substr(0, b.Key.find('$'));
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view(), key, modifiers);
    }

    void focusOn(const char* workOrder) {
        const auto bars = chart().FindTimeBarsInKeyGroup(workOrder);
        ASSERT_FALSE(bars.empty());
        view()->setFocusedBar(bars[0].first, bars[0].second);
    }

    std::unique_ptr<TessaroWidget> widget;
};

TEST_F(ChartKeyboardTest, TheFocusWalksTheWorkOrderBarsInTimeAndAcrossRows) {
    struct Step {
        Qt::Key key;
        const char* focused;
    };
    const Step walk[] = {
        {Qt::Key_Right, "WO1"},  // the earliest bar of the topmost row, not its first bar
        {Qt::Key_Right, "WO2"},
        {Qt::Key_Right, "WO3"},
        {Qt::Key_Right, "WO3"},  // the row's end
        {Qt::Key_Home, "WO1"},
        {Qt::Key_End, "WO3"},
        {Qt::Key_Left, "WO2"},
        {Qt::Key_Down, "WO5"},  // R2 has no work order; WO5 overlaps WO2 in time
        {Qt::Key_Down, "WO6"},
        {Qt::Key_Down, "WO6"},  // the last row
        {Qt::Key_Up, "WO5"},    // the one ending closest before the next day
        {Qt::Key_Left, "WO4"},
        {Qt::Key_Up, "WO1"},
        {Qt::Key_PageDown, "WO6"},  // a screen of rows is past the last one
        {Qt::Key_PageUp, "WO3"},    // the nearest to the next day on the first row
    };
    QSignalSpy moves(view(), &ScheduleChartView::barFocusChanged);
    ASSERT_EQ(focused(), "");
    int changes = 0;
    std::string before;
    for (const Step& step : walk) {
        SCOPED_TRACE(QKeySequence(step.key).toString().toStdString() + " to " + step.focused);
        press(step.key);
        EXPECT_EQ(focused(), step.focused);
        changes += focused() != before ? 1 : 0;
        before = focused();
        // In sight, with the ring drawn around it.
        const auto [row, bar] = view()->focusedBar();
        const QRect rect = view()->barRect(row, bar);
        EXPECT_TRUE(view()->viewport()->rect().intersects(rect));
        EXPECT_EQ(
            testing::Snapshot(view()->viewport()).pixelColor(rect.center().x(), rect.top() - 2),
            view()->palette().color(QPalette::Highlight));
    }
    EXPECT_EQ(moves.count(), changes);
}

TEST_F(ChartKeyboardTest, SpaceEnterAndTheMenuKeysDoWhatTheMouseDoes) {
    using Signal = void (TessaroWidget::*)(const QString&, int);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Signal signal;
        bool menu;
    };
    const Case cases[] = {
        {Qt::Key_Space, Qt::NoModifier, &TessaroWidget::barClicked, false},
        {Qt::Key_Return, Qt::NoModifier, &TessaroWidget::barDoubleClicked, false},
        {Qt::Key_F10, Qt::ShiftModifier, &TessaroWidget::contextMenuRequested, true},
        {Qt::Key_Menu, Qt::NoModifier, &TessaroWidget::contextMenuRequested, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.modifiers | c.key).toString().toStdString());
        focusOn("WO4");
        QSignalSpy heard(widget.get(), c.signal);
        QSignalSpy selection(widget.get(), &TessaroWidget::selectionChanged);
        press(c.key, c.modifiers);
        ASSERT_EQ(heard.count(), 1);
        EXPECT_EQ(heard.first().at(0).toString(), QStringLiteral("WO4"));
        EXPECT_EQ(heard.first().at(1).toInt(), 40);
        if (c.key == Qt::Key_Space) {
            // A click shows the bar's details, as the mouse's does.
            EXPECT_EQ(ctrl().TxtWONo().Text(), "WO4");
        }
        if (c.key == Qt::Key_Return) {
            // A double-click selects the work order.
            ASSERT_EQ(selection.count(), 1);
            EXPECT_EQ(selection.first().at(0).toString(), QStringLiteral("WO4"));
        }
        QMenu* menu = testing::VisibleMenu(QStringLiteral("Scheduler"));
        ASSERT_EQ(menu != nullptr, c.menu);
        if (menu != nullptr) {
            // At the bar, not at the mouse, with its first entry ready for Enter.
            const auto [row, bar] = view()->focusedBar();
            const QRect at(view()->viewport()->mapToGlobal(view()->barRect(row, bar).topLeft()),
                           view()->barRect(row, bar).size());
            EXPECT_LE(std::abs(menu->geometry().top() - at.bottom()), 8);
            EXPECT_GE(menu->geometry().left(), at.left() - 1);
            ASSERT_NE(menu->activeAction(), nullptr);
            EXPECT_EQ(menu->activeAction()->objectName(), QStringLiteral("miCopy"));
            QTest::keyClick(menu, Qt::Key_Return);
            EXPECT_FALSE(menu->isVisible());
            EXPECT_NE(ctrl().TempBarKey(), "");
            ctrl().miIgnore_Click();
        }
    }
}

// Where the copy of WO2 lands: a day and two hours later, on the row below.
constexpr int64_t kMoved = 24 * 60 + 120;

TEST_F(ChartKeyboardTest, TheCopyMovedByKeysRecordsWhatTheEqualMouseDragRecords) {
    focusOn("WO2");
    press(Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(focused(), "copy");
    for (const auto& [key, modifiers] : std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_Right, Qt::NoModifier},
             {Qt::Key_Left, Qt::NoModifier},
             {Qt::Key_Right, Qt::ShiftModifier},
             {Qt::Key_Right, Qt::NoModifier},
             {Qt::Key_Right, Qt::NoModifier},
             {Qt::Key_Down, Qt::AltModifier},
             {Qt::Key_Down, Qt::AltModifier},
             {Qt::Key_Up, Qt::AltModifier},
         }) {
        press(key, modifiers);
    }
    // Held: the ghost and its tooltip say where it goes; nothing has changed yet.
    EXPECT_EQ(view()->dragState(), ScheduleChartView::DragState::MovingBar);
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("R2"))) << QToolTip::text().toStdString();
    EXPECT_TRUE(ctrl().Changes().empty());
    QSignalSpy moved(view(), &ScheduleChartView::barFocusChanged);
    press(Qt::Key_Return);
    EXPECT_EQ(view()->dragState(), ScheduleChartView::DragState::Idle);
    EXPECT_EQ(ctrl().TempBarKey(), "");
    // The rebuilt activity where the copy went takes the focus.
    EXPECT_EQ(focused(), "WO2");
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ((std::pair{moved.first().at(0).toInt(), moved.first().at(1).toInt()}),
              view()->focusedBar());
    const std::string byKeys = ctrl().rescheduling().Xml();
    ASSERT_EQ(ctrl().Changes().size(), 1u);
    const ActivityChange change = ctrl().Changes().front();
    EXPECT_EQ(change.Start - change.LoadedStart, std::chrono::minutes(kMoved));
    EXPECT_EQ(change.Resource, "R2");

    // One undo step takes the keyboard's drop back.
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(ctrl().Changes().empty());
    EXPECT_FALSE(ctrl().CanUndo());

    // The same move with the mouse on a fresh control: right-click, Copy, drag.
    const std::unique_ptr<TessaroWidget> other = MakeSmallPlantWidget();
    ScheduleChartView* otherView = other->chartView();
    ScheduleChart& otherChart = other->control().ctResSched();
    const auto source = otherChart.FindTimeBarsInKeyGroup("WO2").front();
    QTest::mouseClick(otherView->viewport(), Qt::RightButton, {},
                      otherView->barRect(source.first, source.second).center());
    QMenu* menu = testing::VisibleMenu(QStringLiteral("Scheduler"));
    ASSERT_NE(menu, nullptr);
    QAction* copy = menu->findChild<QAction*>(QStringLiteral("miCopy"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(copy).center());
    const auto temporary = testing::TemporaryBarOf(other->control());
    ASSERT_NE(temporary.second, 0);
    const QPoint from = otherView->barRect(temporary.first, temporary.second).center();
    const QPoint to =
        from + QPoint(static_cast<int>(std::lround(kMoved * otherView->timeAxis().minuteWidth())),
                      otherView->rowHeight());
    testing::DragMouse(otherView->viewport(), from, to);
    EXPECT_EQ(other->control().rescheduling().Xml(), byKeys);
}

TEST_F(ChartKeyboardTest, EscapeEndsTheCopyWithoutAChange) {
    focusOn("WO5");
    press(Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(focused(), "copy");
    press(Qt::Key_Right, Qt::ShiftModifier);
    press(Qt::Key_Escape);
    EXPECT_EQ(ctrl().TempBarKey(), "");
    EXPECT_EQ(view()->dragState(), ScheduleChartView::DragState::Idle);
    EXPECT_TRUE(ctrl().Changes().empty());
    EXPECT_FALSE(ctrl().CanUndo());
    EXPECT_EQ(focused(), "WO5");
}

TEST_F(ChartKeyboardTest, TabLeavesTheChartForTheGrid) {
    ASSERT_TRUE(view()->hasFocus());
    press(Qt::Key_Tab);
    EXPECT_TRUE(widget->gridView()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(view()->hasFocus());
}

}  // namespace
}  // namespace tessaro
