#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;
using testing::Plan;

constexpr int32_t kDay = 37300;

using Items = std::vector<std::string>;

struct Outcome {
    std::string result;
    int16_t barId;
    Items entries;
    Items hidden;
    Items searched;
};

Outcome Query(Plan& plan, const std::string& key, bool checkOnly) {
    auto [row, bar] = plan.Find(key);
    Outcome outcome;
    outcome.result = checkOnly ? plan.control.CheckConflictTest(row, bar)
                               : plan.control.ConflictTimeBars(row, bar);
    outcome.barId = bar;
    outcome.entries = plan.control.lstConflictWorkOrders().Items();
    outcome.hidden = plan.control.lstConflictHidden().Items();
    outcome.searched = plan.control.CmbConflictTB().Items();
    return outcome;
}

TEST(Conflicts, BarOverlappingOnlyCalendarAndTemporaryBarsHasNone) {
    Plan plan({{"R1", "Lathe"}},
              {Placed("R1", "WO1", 3, kDay, 480, 60), Placed("R1", "WO1", 3, kDay + 1, 480, 60),
               Placed("R1", "WO2", 1, kDay + 2, 0, 60)});
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R1", "2/15/2002", "28800", "3600"}}));
    plan.Copy("WO2$1$1");
    plan.chart.MoveTimeBar(plan.TemporaryBar().first, plan.TemporaryBar().second, 480, 540, kDay,
                           kDay);
    for (bool checkOnly : {false, true}) {
        const Outcome outcome = Query(plan, "WO1$1$2", checkOnly);
        EXPECT_EQ(outcome.result, "WO1$1$2");
        EXPECT_EQ(outcome.entries, Items{});
        EXPECT_EQ(outcome.hidden, Items{});
        EXPECT_EQ(outcome.searched, (Items{"WO1$1$2", "WO1$2$2"}));
        EXPECT_EQ(outcome.barId, 2);  // the last bar searched
    }
}

TEST(Conflicts, OverlapsWithinTheCheckedActivityAreNoConflict) {
    Plan plan({{"R1", "Lathe"}},
              {Placed("R1", "WO1", 3, kDay, 480, 60), Placed("R1", "WO1", 3, kDay, 500, 60)});
    EXPECT_EQ(Query(plan, "WO1$1$2", false).result, "WO1$1$2");
}

TEST(Conflicts, OtherActivityOfTheWorkOrderOverlappingItself) {
    Plan plan({{"R1", "Lathe"}},
              {Placed("R1", "WO1", 3, kDay, 480, 60), Placed("R1", "WO1", 4, kDay + 1, 480, 60),
               Placed("R1", "WO1", 4, kDay + 1, 500, 60)});
    const Outcome listed = Query(plan, "WO1$1$3", false);
    EXPECT_EQ(listed.result, "");
    EXPECT_EQ(listed.entries, (Items{"WO1$3", "WO1$4"}));
    EXPECT_EQ(listed.hidden, (Items{"WO1$1$3", "WO1$3$3"}));
    EXPECT_EQ(Query(plan, "WO1$1$3", true).result, "WO1$1$3");
}

TEST(Conflicts, AnotherActivityOverlappingTheCheckedBar) {
    Plan plan({{"R1", "Lathe"}},
              {Placed("R1", "WO1", 3, kDay, 480, 60), Placed("R1", "WO1", 4, kDay, 500, 60)});
    EXPECT_EQ(Query(plan, "WO1$1$2", false).entries, (Items{"WO1$3", "WO1$4"}));
    const Outcome checked = Query(plan, "WO1$1$2", true);
    EXPECT_EQ(checked.result, "");
    EXPECT_EQ(checked.entries, Items{});
    EXPECT_EQ(checked.searched, Items{"WO1$1$2"});
}

TEST(Conflicts, EachConflictingActivityIsListedOnceWithTheBarThatFirstReportedIt) {
    Plan plan({{"R1", "Lathe"}, {"R2", "Mill"}},
              {Placed("R1", "WO1", 3, kDay, 480, 60), Placed("R1", "WO7", 0, kDay, 450, 60),
               Placed("R1", "WO1", 3, kDay, 600, 60), Placed("R1", "WO7", 0, kDay, 620, 60),
               Placed("R1", "WO8", 2, kDay, 630, 10), Placed("R2", "WO9", 1, kDay, 480, 60)});
    const Outcome outcome = Query(plan, "WO1$2$2", false);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(outcome.entries, (Items{"WO1$3", "WO7$0", "WO8$2"}));
    EXPECT_EQ(outcome.hidden, (Items{"WO1$2$2", "WO7$1$2", "WO8$1$1"}));
    EXPECT_EQ(outcome.barId, 3);
}

// The search reaches the last of 32767 bars of a row, as the checked bar and as the one found.
TEST(Conflicts, TheLastOf32767BarsOfARowIsSearchedAndFound) {
    Plan plan({{"R1", "Lathe"}, {"R2", "Mill"}}, {Placed("R2", "WO3", 1, kDay, 480, 60)});
    ChartBar earlier;
    earlier.Start = {kDay - 10, 0};
    earlier.End = {kDay - 10, 60};
    std::vector<ChartBar> spare(32765, earlier);
    plan.chart.AppendTimeBars(1, spare);
    plan.control.LoadResourceEvents(testing::WorkOrdersXml(
        {Placed("R1", "WO1", 3, kDay, 480, 60), Placed("R1", "WO2", 4, kDay, 500, 60)}));
    ASSERT_EQ(plan.Find("WO2$1$1"), (std::pair<int16_t, int16_t>{1, 32767}));

    const Outcome last = Query(plan, "WO2$1$1", false);
    EXPECT_EQ(last.entries, (Items{"WO2$4", "WO1$3"}));
    EXPECT_EQ(last.barId, 32767);
    const Outcome before = Query(plan, "WO1$1$1", false);
    EXPECT_EQ(before.entries, (Items{"WO1$3", "WO2$4"}));
    EXPECT_EQ(before.hidden, (Items{"WO1$1$1", "WO2$1$1"}));
}

TEST(Conflicts, TemporaryBarTextIsTheScheduleNumberOrTheWorkOrder) {
    Plan plan({{"R1", "Lathe"}},
              {Placed("R1", "WO7", 0, kDay, 480, 60), Placed("R1", "WO8", 12, kDay, 600, 60)});
    plan.Copy("WO7$1$1");
    EXPECT_EQ(plan.chart.Bar(plan.TemporaryBar().first, plan.TemporaryBar().second).Text, "WO7");
    plan.Copy("WO8$1$1");
    EXPECT_EQ(plan.chart.Bar(plan.TemporaryBar().first, plan.TemporaryBar().second).Text, "12");
    EXPECT_EQ(plan.chart.TimeBarCount(1), 3);  // the first temporary bar went
}

TEST(Conflicts, CopyOnACalendarBarOnlyRemovesTheTemporaryBar) {
    Plan plan({{"R1", "Lathe"}}, {Placed("R1", "WO7", 0, kDay, 480, 60)});
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R1"}}));
    plan.Copy("WO7$1$1");
    plan.chart.RightClickBar(1, 2);  // the calendar bar: the temporary bar exists
    EXPECT_EQ(plan.control.ClickedBarKey(), "");
    plan.control.mnuSchedPopUp().Choose("miCopy");
    EXPECT_EQ(plan.control.TempBarKey(), "");
    EXPECT_EQ(plan.chart.TimeBarCount(1), 2);
}

TEST(ConflictList, DoubleClickSelectsTheEntrysWorkOrder) {
    Plan plan({{"R1", "Lathe"}, {"R2", "Mill"}},
              {Placed("R1", "WO1", 3, kDay, 480, 60), Placed("R1", "WO7", 1, kDay, 500, 60),
               Placed("R2", "WO7", 1, kDay, 480, 60), Placed("R2", "WO9", 1, kDay, 600, 60)});
    const ColourTable& normal = plan.control.NormalBarColours();
    const ColourTable& selected = plan.control.SelectedBarColours();
    plan.control.BarSelection(2, 2, true);  // WO9 selected first
    ASSERT_EQ(plan.chart.Bar(2, 2).Colour, selected[1]);
    Query(plan, "WO1$1$1", false);

    plan.control.lstConflictWorkOrders().SelectItem(1);
    plan.control.lstConflictWorkOrders().DoubleClick();
    EXPECT_EQ(plan.chart.Bar(2, 2).Colour, normal[1]);
    EXPECT_EQ(plan.chart.Bar(1, 2).Colour, selected[1]);
    EXPECT_EQ(plan.chart.Bar(2, 1).Colour, selected[1]);
    EXPECT_EQ(plan.control.lstConflictWorkOrders().ListCount(), 2);

    plan.control.lstConflictWorkOrders().SelectItem(0);
    plan.control.lstConflictWorkOrders().DoubleClick();
    EXPECT_EQ(plan.chart.Bar(1, 1).Colour, selected[1]);
    EXPECT_EQ(plan.chart.Bar(1, 2).Colour, normal[1]);
}

TEST(ConflictList, DoubleClickWithoutAnEntryOrBarDoesNothing) {
    Plan plan({{"R1", "Lathe"}}, {Placed("R1", "WO1", 3, kDay, 480, 60)});
    plan.control.lstConflictWorkOrders().DoubleClick();
    plan.control.lstConflictWorkOrders().AddItem("WO1$3");
    plan.control.lstConflictHidden().AddItem("GONE$1$1");
    plan.control.lstConflictWorkOrders().SelectItem(0);
    plan.control.lstConflictWorkOrders().DoubleClick();
    EXPECT_EQ(plan.control.SelectedBarKey(), "");
}

}  // namespace
}  // namespace tessaro
