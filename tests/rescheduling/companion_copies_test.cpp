#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/plan.hpp"
#include "support/plan_agreement.hpp"

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37300;

// R1: WO1/10 08:00-10:00 and WO2/10 10:00-11:00; R2: WO3/10 08:00-09:00; R3 empty. The three are
// picked and WO1/10 is copied, so its copy carries the other two.
class CompanionCopiesTest : public ::testing::Test {
protected:
    CompanionCopiesTest()
        : plan({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Drill"}},
               {Placed("R1", "WO1", 10, kDay, 480, 120), Placed("R1", "WO2", 10, kDay, 600, 60),
                Placed("R2", "WO3", 10, kDay, 480, 60)}),
          agreement(plan.control) {
        plan.control.SetPickedActivities({{"WO1", 10}, {"WO2", 10}, {"WO3", 10}, {"WO1", 10}});
        plan.Copy(plan.KeysOfRow(1).front());
    }

    // Where each activity stands: its resource and its start and end minute of the day.
    std::string Placement(const char* workOrder) const {
        const std::optional<PlanActivity> activity = plan.control.Activity({workOrder, 10});
        if (!activity) {
            return "gone";
        }
        const auto minute = [](PlanTime time) {
            return std::chrono::duration_cast<std::chrono::minutes>(
                       time - std::chrono::floor<std::chrono::days>(time))
                .count();
        };
        return activity->Bars.front().Resource + " " + std::to_string(minute(activity->Start)) +
               "-" + std::to_string(minute(activity->End));
    }

    std::vector<std::string> Placements() const {
        return {Placement("WO1"), Placement("WO2"), Placement("WO3")};
    }

    void DragCopyTo(int16_t targetRow, int32_t minute) {
        const auto [row, bar] = plan.TemporaryBar();
        plan.chart.DragBar(row, bar, targetRow, kDay, minute);
    }

    testing::Plan plan;
    testing::PlanAgreement agreement;
    const std::vector<std::string> loaded = {"R1 480-600", "R1 600-660", "R2 480-540"};
};

TEST_F(CompanionCopiesTest, ADropMovesEveryPickedActivityByTheSameTimeAndRowsAsOneCommand) {
    EXPECT_EQ(plan.control.PickedActivities().size(), 3u) << "a repeat is kept once";
    ASSERT_EQ(plan.control.CompanionCopyBars().size(), 2u);
    const std::vector<std::string> rowOne = plan.KeysOfRow(1);

    DragCopyTo(2, 540);
    EXPECT_EQ(Placements(), (std::vector<std::string>{"R2 540-660", "R2 660-720", "R3 540-600"}));
    EXPECT_EQ(plan.control.Changes().size(), 3u) << "one record an activity";
    EXPECT_TRUE(plan.control.CompanionCopyBars().empty());
    EXPECT_TRUE(agreement.Violations(plan.control).empty());

    plan.control.Undo();
    EXPECT_EQ(Placements(), loaded) << "one undo takes the whole drop back";
    EXPECT_EQ(plan.KeysOfRow(1), rowOne) << "each bar back in its place in the row";
    EXPECT_TRUE(plan.control.Changes().empty());
    EXPECT_FALSE(plan.control.CanUndo());
    plan.control.Redo();
    EXPECT_EQ(plan.control.Changes().size(), 3u);
    EXPECT_TRUE(agreement.Violations(plan.control).empty());
}

TEST_F(CompanionCopiesTest, CompanionsStayOnTheChartsRowsAndMoveBackInTime) {
    // Two rows up from R1 would leave the chart: every copy stays within its first and last row.
    DragCopyTo(3, 420);
    EXPECT_EQ(Placements(), (std::vector<std::string>{"R3 420-540", "R3 540-600", "R3 420-480"}));
    EXPECT_TRUE(agreement.Violations(plan.control).empty());
}

TEST_F(CompanionCopiesTest, ACompanionWhoseCopyWasTakenOffTheChartStaysWhereItIs) {
    // The companion copy on R2 (WO3's) goes, as a Delete on it takes it away.
    for (const auto& [row, bar] : plan.control.CompanionCopyBars()) {
        if (row == 2) {
            plan.chart.RemoveTimeBar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
        }
    }
    ASSERT_EQ(plan.control.CompanionCopyBars().size(), 1u);
    DragCopyTo(2, 540);
    EXPECT_EQ(Placements(), (std::vector<std::string>{"R2 540-660", "R2 660-720", "R2 480-540"}));
    EXPECT_EQ(plan.control.Changes().size(), 2u);
    EXPECT_TRUE(agreement.Violations(plan.control).empty());
}

TEST_F(CompanionCopiesTest, AVetoOfOneActivityRefusesTheWholeDrop) {
    std::vector<std::size_t> asked;
    plan.control.SetChangeVeto([&](const ProposedChange& change) -> std::optional<std::string> {
        asked.push_back(change.Moves.size());
        for (const ProposedChange::Move& move : change.Moves) {
            if (move.Activity.WorkOrder == "WO3") {
                return "WO3 is started";
            }
        }
        return std::nullopt;
    });
    DragCopyTo(2, 540);
    EXPECT_EQ(asked, std::vector<std::size_t>{3});
    EXPECT_EQ(Placements(), loaded);
    EXPECT_TRUE(plan.control.Changes().empty());
    EXPECT_EQ(plan.control.CompanionCopyBars().size(), 2u) << "the copies stay pending";
}

TEST_F(CompanionCopiesTest, PasteAndIgnoreKeepToTheDraggedActivity) {
    const auto [row, bar] = plan.Find(plan.KeysOfRow(1).back());
    plan.chart.RightClickBar(row, bar);
    plan.control.mnuDrag().Choose("miFwdSch");
    EXPECT_EQ(Placements(), (std::vector<std::string>{"R1 540-660", "R1 600-660", "R2 480-540"}));
    EXPECT_EQ(plan.control.Changes().size(), 1u);
    EXPECT_TRUE(plan.control.CompanionCopyBars().empty());

    plan.Copy(plan.KeysOfRow(1).front());
    plan.control.miIgnore_Click();
    EXPECT_TRUE(plan.control.CompanionCopyBars().empty());
    EXPECT_FALSE(testing::PlanAgreement::CopyPending(plan.control));
}

}  // namespace
}  // namespace tessaro
