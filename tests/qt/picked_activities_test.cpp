// Several activities at once on the small plant, with real mouse and key events: Ctrl+click and
// the rubber band pick them, and one drag of a copy, by the mouse or the keys, moves them all as
// one command.

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "qt/shown_plant_test.hpp"
#include "qt/small_plant_widget.hpp"

namespace tessaro {
namespace {

using Picks = std::vector<ActivityKey>;

class PickedActivitiesTest : public testing::ShownPlantTest {
protected:
    void SetUp() override { widget = testing::MakeSmallPlantWidget(); }

    QPoint at(int row, int minute) {
        return view()->pointAt(row, ChartTime{testing::kSmallPlantDay, minute});
    }
};

TEST_F(PickedActivitiesTest, CtrlAddsToThePicksAndPlainGesturesReplaceThem) {
    // A step clicks the work order's bar or, without one, draws a band along the row from one
    // minute of the day to another, starting on empty chart.
    struct Band {
        int row = 0;
        int fromMinute = 0;
        int toMinute = 0;
    };
    struct Step {
        Qt::KeyboardModifiers modifiers;
        const char* clicked;
        Band band;
        Picks picked;
    };
    const auto click = [](Qt::KeyboardModifiers modifiers, const char* workOrder, Picks picked) {
        return Step{modifiers, workOrder, Band{}, std::move(picked)};
    };
    const auto band = [](Qt::KeyboardModifiers modifiers, Band along, Picks picked) {
        return Step{modifiers, nullptr, along, std::move(picked)};
    };
    const Qt::KeyboardModifiers toggling = Qt::ControlModifier;
    const Qt::KeyboardModifiers adding = Qt::ControlModifier | Qt::ShiftModifier;
    const std::vector<Step> steps = {
        click(toggling, "WO1", {{"WO1", 10}}),
        click(toggling, "WO4", {{"WO1", 10}, {"WO4", 40}}),
        click(toggling, "WO1", {{"WO4", 40}}),
        click(toggling, "WO6", {{"WO4", 40}, {"WO6", 60}}),
        // R1 07:00-13:00 touches WO1 and WO2, WO2 first in the row's bar order.
        band(adding, {1, 7 * 60, 13 * 60}, {{"WO4", 40}, {"WO6", 60}, {"WO2", 20}, {"WO1", 10}}),
        // R3 08:00-14:00 touches WO4, picked already and staying so, and WO5.
        band(adding, {3, 8 * 60, 14 * 60},
             {{"WO4", 40}, {"WO6", 60}, {"WO2", 20}, {"WO1", 10}, {"WO5", 50}}),
        // Ctrl+click unpicks what a band picked.
        click(toggling, "WO2", {{"WO4", 40}, {"WO6", 60}, {"WO1", 10}, {"WO5", 50}}),
        band(Qt::ShiftModifier, {3, 8 * 60, 14 * 60}, {{"WO4", 40}, {"WO5", 50}}),
        click(Qt::NoModifier, "WO2", {}),
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "step " << i + 1);
        const Step& step = steps[i];
        if (step.clicked != nullptr) {
            QTest::mouseClick(port(), Qt::LeftButton, step.modifiers, centreOf(step.clicked));
        } else {
            const QPoint from = at(step.band.row, step.band.fromMinute);
            const QPoint to = at(step.band.row, step.band.toMinute);
            QTest::mousePress(port(), Qt::LeftButton, step.modifiers, from);
            QTest::mouseMove(port(), (from + to) / 2);
            QTest::mouseMove(port(), to);
            QTest::mouseRelease(port(), Qt::LeftButton, step.modifiers, to);
        }
        EXPECT_EQ(view()->pickedActivities(), step.picked);
        EXPECT_EQ(ctrl().PickedActivities(), step.picked);
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

    const auto [row, bar] = firstBarOf("WO1");
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

TEST_F(PickedActivitiesTest, TheKeysMoveTheCompanionsGhostsAndDropThemAllAsOneCommand) {
    // Held by the copy of WO1 or by WO4's companion, the keys move every ghost alike: two hours
    // later and a row down, WO6's from R4 staying on the last row.
    for (const char* held : {"WO1", "WO4"}) {
        SCOPED_TRACE(held);
        SetUp();
        for (const char* workOrder : {"WO1", "WO4", "WO6"}) {
            QTest::mouseClick(port(), Qt::LeftButton, Qt::ControlModifier, centreOf(workOrder));
        }
        const auto [row, bar] = firstBarOf("WO1");
        view()->setFocusedBar(row, bar);
        QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
        std::vector<std::pair<int, int>> copies = ctrl().CompanionCopyBars();
        ASSERT_EQ(copies.size(), 2u);
        copies.push_back(testing::TemporaryBarOf(ctrl()));
        for (const auto& [copyRow, copyBar] : copies) {
            if (std::string(held) == "WO4" && copyRow == 3) {
                view()->setFocusedBar(copyRow, copyBar);
            }
        }
        const QImage before = testing::Snapshot(port());
        const QPoint scroll(view()->horizontalScrollBar()->value(),
                            view()->verticalScrollBar()->value());
        QTest::keyClick(view(), Qt::Key_Right);
        QTest::keyClick(view(), Qt::Key_Right);
        QTest::keyClick(view(), Qt::Key_Down, Qt::AltModifier);
        ASSERT_EQ(view()->dragState(), ScheduleChartView::DragState::MovingBar);
        ASSERT_EQ(scroll, QPoint(view()->horizontalScrollBar()->value(),
                                 view()->verticalScrollBar()->value()));

        // Each ghost stands over empty chart: its middle shows it.
        const QImage moving = testing::Snapshot(port());
        for (const auto& [copyRow, copyBar] : copies) {
            const ChartBar& copy =
                chart().Bar(static_cast<int16_t>(copyRow), static_cast<int16_t>(copyBar));
            const int ghostRow = std::min(copyRow + 1, 4);
            const QPoint middle =
                (view()->pointAt(ghostRow, ChartTime{copy.Start.Day, copy.Start.Minute + 120}) +
                 view()->pointAt(ghostRow, ChartTime{copy.End.Day, copy.End.Minute + 120})) /
                2;
            EXPECT_NE(moving.pixel(middle), before.pixel(middle)) << "R" << copyRow;
        }

        QTest::keyClick(view(), Qt::Key_Return);
        const std::vector<ActivityChange> changes = ctrl().Changes();
        ASSERT_EQ(changes.size(), 3u);
        for (const ActivityChange& change : changes) {
            SCOPED_TRACE(change.Activity.WorkOrder);
            EXPECT_EQ(change.Start - change.LoadedStart, std::chrono::hours(2));
            EXPECT_EQ(change.Resource, change.Activity.WorkOrder == "WO1" ? "R2" : "R4");
        }
        ctrl().Undo();
        EXPECT_TRUE(ctrl().Changes().empty());
        EXPECT_FALSE(ctrl().CanUndo());
        TearDown();
    }
}

}  // namespace
}  // namespace tessaro
