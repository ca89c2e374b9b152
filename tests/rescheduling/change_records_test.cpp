#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/error_code.hpp"
#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;
using testing::Plan;

std::vector<std::string> Keys(const Tessaro_Ctrl& control) {
    std::vector<std::string> keys;
    for (const auto& [key, change] : control.PendingChanges()) {
        keys.push_back(key);
    }
    return keys;
}

constexpr int32_t kDay = 37300;

// Pack records every bar it moves, which makes records without a temporary bar.
class ChangeRecords : public ::testing::Test {
protected:
    ChangeRecords()
        : plan({{"R1", "Lathe"}},
               {Placed("R1", "A", 1, kDay, 0, 600), Placed("R1", "W100", 20, kDay + 1, 0, 60),
                Placed("R1", "W100", 21, kDay + 2, 0, 60),
                Placed("R1", "W100", 20, kDay + 3, 0, 60)}) {}

    void Pack() {
        const auto [row, bar] = plan.Find("A$1$1");
        plan.chart.RightClickBar(row, bar);
        plan.control.mnuSchedPopUp().Choose("miPack");
    }

    Plan plan;
};

TEST_F(ChangeRecords, OneRecordPerActivityKeepingTheFirstStart) {
    Pack();
    // W100/20 moved twice (two pieces): one record, first start, last end, listed after W100/21.
    EXPECT_EQ(Keys(plan.control), (std::vector<std::string>{"W100$21", "W100$20"}));
    const Vadel_Class2& merged = *plan.control.PendingChanges().Item("W100$20");
    EXPECT_EQ(merged.starttime, (ChartTime{kDay, 600}.ToPayloadSeconds()));
    EXPECT_EQ(merged.endtime, (ChartTime{kDay, 780}.ToPayloadSeconds()));
    EXPECT_EQ(merged.woact, 20);
    EXPECT_EQ(merged.wosubact, 1);
    EXPECT_EQ(merged.schmethod, "");
    EXPECT_EQ(merged.reschangeflg, "N");
}

TEST_F(ChangeRecords, PackingAgainKeepsTheFirstStart) {
    Pack();
    Pack();
    EXPECT_EQ(Keys(plan.control), (std::vector<std::string>{"W100$21", "W100$20"}));
    // A second Pack moves every bar onto itself and records each piece again, in bar order;
    // the start first recorded survives.
    const Vadel_Class2& first = *plan.control.PendingChanges().Item("W100$20");
    EXPECT_EQ(first.starttime, (ChartTime{kDay, 600}.ToPayloadSeconds()));
}

TEST_F(ChangeRecords, StartsBefore2000GiveNegativeSeconds) {
    Plan early({{"R1", "Lathe"}},
               {Placed("R1", "A", 1, 36523, 0, 60), Placed("R1", "B", 1, 36523, 120, 60)});
    const auto [row, bar] = early.Find("A$1$1");
    early.chart.RightClickBar(row, bar);
    early.control.mnuSchedPopUp().Choose("miPack");
    const Vadel_Class2& moved = *early.control.PendingChanges().Item("B$1");
    EXPECT_EQ(moved.starttime, -86400 + 3600);
    EXPECT_EQ(moved.endtime, -86400 + 7200);
}

TEST_F(ChangeRecords, ScheduleNumberOutside16BitsStopsBeforeAnythingIsStored) {
    Plan wide({{"R1", "Lathe"}},
              {Placed("R1", "A", 1, kDay, 0, 60), Placed("R1", "B", 40000, kDay, 120, 60)});
    const auto [row, bar] = wide.Find("A$1$1");
    wide.chart.RightClickBar(row, bar);
    EXPECT_EQ(ErrorCode([&] { wide.control.mnuSchedPopUp().Choose("miPack"); }), 6);
    EXPECT_EQ(wide.control.PendingChanges().Count(), 0);
    EXPECT_EQ(wide.control.PackInProgress(), 0);
}

}  // namespace
}  // namespace tessaro
