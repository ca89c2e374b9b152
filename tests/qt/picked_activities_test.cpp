// Several activities at once on the small plant, with real mouse events: Ctrl+click and the
// rubber band pick them, and one drag of a copy moves them all as one command.

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

#include "qt/small_plant_widget.hpp"

namespace tessaro {
namespace {

using Picks = std::vector<ActivityKey>;

class PickedActivitiesTest : public ::testing::Test {
protected:
    void SetUp() override { widget = testing::MakeSmallPlantWidget(); }

    Tessaro_Ctrl& ctrl() { return widget->control(); }
    ScheduleChart& chart() { return ctrl().ctResSched(); }
    ScheduleChartView* view() const { return widget->chartView(); }
    QWidget* port() const { return view()->viewport(); }

    std::pair<int16_t, int16_t> barOf(const std::string& workOrder) {
        const auto bars = chart().FindTimeBarsInKeyGroup(workOrder);
        EXPECT_FALSE(bars.empty()) << workOrder;
        return bars.empty() ? std::pair<int16_t, int16_t>{} : bars.front();
    }
    QPoint centreOf(const std::string& workOrder) {
        const auto [row, bar] = barOf(workOrder);
        return view()->barRect(row, bar).center();
    }
    QPoint at(int row, int minute) {
        return view()->pointAt(row, ChartTime{testing::kSmallPlantDay, minute});
    }

    std::unique_ptr<TessaroWidget> widget;
};

TEST_F(PickedActivitiesTest, CtrlClickTogglesAnActivityAndAPlainClickClearsThePicks) {
    struct Step {
        const char* workOrder;
        Qt::KeyboardModifiers modifiers;
        Picks picked;
    };
    const std::vector<Step> steps = {
        {"WO1", Qt::ControlModifier, {{"WO1", 10}}},
        {"WO4", Qt::ControlModifier, {{"WO1", 10}, {"WO4", 40}}},
        {"WO1", Qt::ControlModifier, {{"WO4", 40}}},
        {"WO6", Qt::ControlModifier, {{"WO4", 40}, {"WO6", 60}}},
        {"WO2", Qt::NoModifier, {}},
    };
    for (const Step& step : steps) {
        QTest::mouseClick(port(), Qt::LeftButton, step.modifiers, centreOf(step.workOrder));
        EXPECT_EQ(view()->pickedActivities(), step.picked) << step.workOrder;
        EXPECT_EQ(ctrl().PickedActivities(), step.picked) << step.workOrder;
    }
}

TEST_F(PickedActivitiesTest, ARubberBandAndOneDragOfACompanionMoveThreeActivitiesAsOneCommand) {
    // From R1 before WO1 to R3 past WO4: WO1, WO2 and WO4 are touched, WO5 is not.
    QTest::mousePress(port(), Qt::LeftButton, Qt::ShiftModifier, at(1, 7 * 60));
    QTest::mouseMove(port(), at(2, 10 * 60));
    QTest::mouseMove(port(), at(3, 12 * 60 + 30));
    QTest::mouseRelease(port(), Qt::LeftButton, Qt::ShiftModifier, at(3, 12 * 60 + 30));
    const Picks picked = {{"WO2", 20}, {"WO1", 10}, {"WO4", 40}};
    ASSERT_EQ(ctrl().PickedActivities(), picked);

    const auto [row, bar] = barOf("WO1");
    chart().RightClickBar(row, bar);
    ASSERT_TRUE(ctrl().mnuSchedPopUp().Choose("miCopy"));
    testing::CloseMenus();
    const auto companions = ctrl().CompanionCopyBars();
    ASSERT_EQ(companions.size(), 2u);
    // WO4's companion on R3 is dragged a day later and a row down; the copy follows.
    std::pair<int, int> onR3;
    for (const auto& companion : companions) {
        if (companion.first == 3) {
            onR3 = companion;
        }
    }
    ASSERT_EQ(onR3.first, 3);
    const QPoint from = view()->barRect(onR3.first, onR3.second).center();
    const QPoint to = view()->pointAt(4, ChartTime{testing::kSmallPlantDay + 1, 0}) +
                      QPoint(from.x() - at(3, 0).x(), 0);
    testing::DragMouse(port(), from, to);

    const std::vector<ActivityChange> changes = ctrl().Changes();
    ASSERT_EQ(changes.size(), 3u);
    const auto shift = changes.front().Start - changes.front().LoadedStart;
    EXPECT_LE(std::chrono::abs(shift - std::chrono::hours(24)), std::chrono::hours(1));
    for (const ActivityChange& change : changes) {
        SCOPED_TRACE(change.Activity.WorkOrder);
        EXPECT_EQ(change.Start - change.LoadedStart, shift);
        EXPECT_EQ(change.Resource, change.Activity.WorkOrder == "WO4" ? "R4" : "R2");
    }
    ASSERT_TRUE(ctrl().CanUndo());
    ctrl().Undo();
    EXPECT_TRUE(ctrl().Changes().empty());
    EXPECT_FALSE(ctrl().CanUndo());
}

}  // namespace
}  // namespace tessaro
