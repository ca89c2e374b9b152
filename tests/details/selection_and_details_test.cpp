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
using testing::SubActivity;

constexpr int32_t kDay = 37300;

SubActivity Flagged(SubActivity subActivity, const char* flag, const char* chkflag,
                    const char* executeOnline) {
    subActivity.flag = flag;
    subActivity.chkflag = chkflag;
    subActivity.executeOnline = executeOnline;
    return subActivity;
}

// WO1 has three sub-activities on rows 1, 1 and 3; WO2 one on row 2.
class Selection : public ::testing::Test {
protected:
    Selection()
        : plan({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Oven"}},
               {Flagged(Placed("R1", "WO1", 1, kDay, 480, 60), "G", "1", "0"),
                Flagged(Placed("R1", "WO1", 2, kDay, 600, 60), "E", "2", "1"),
                Flagged(Placed("R3", "WO1", 3, kDay, 480, 60), "A", "9", "9"),
                Flagged(Placed("R2", "WO2", 1, kDay, 480, 60), "D", "0", "0")}) {}

    struct Look {
        int32_t colour;
        int16_t style;
        bool operator==(const Look&) const = default;
    };

    std::vector<Look> LooksOfWO1() const {
        std::vector<Look> looks;
        for (const auto& [row, bar] : {std::pair<int16_t, int16_t>{1, 1}, {1, 2}, {3, 1}}) {
            looks.push_back({plan.chart.Bar(row, bar).Colour, plan.chart.Bar(row, bar).Style});
        }
        return looks;
    }

    Plan plan;
    const ColourTable& normal = plan.control.NormalBarColours();
    const ColourTable& selected = plan.control.SelectedBarColours();
    const StyleTable& normalStyles = plan.control.NormalBarStyles();
    const StyleTable& selectedStyles = plan.control.SelectedBarStyles();
};

TEST_F(Selection, ClickedBarHighlightsItsWholeWorkOrderAcrossRows) {
    const std::vector<Look> loaded = LooksOfWO1();
    EXPECT_EQ(loaded,
              (std::vector<Look>{
                  {normal[3], normalStyles[4]}, {normal[5], normalStyles[1]}, {normal[0], 0}}));
    plan.control.BarSelection(3, 1, false);
    EXPECT_EQ(LooksOfWO1(), (std::vector<Look>{{selected[3], selectedStyles[4]},
                                               {selected[5], selectedStyles[1]},
                                               {selected[0], 0}}));
    EXPECT_EQ(plan.control.SelectedBarKey(), "WO1$3$3");

    plan.control.SelectWorkOrderFirstSubActivity("WO2");
    EXPECT_EQ(LooksOfWO1(), loaded);
    EXPECT_EQ(plan.chart.Bar(2, 1).Colour, selected[1]);
    EXPECT_EQ(plan.control.SelectedBarKey(), "WO2$1$1");
}

TEST_F(Selection, KeyWithoutWorkOrderHighlightsNothing) {
    plan.chart.SetTimeBarKey(2, 1, "plain");
    plan.control.BarSelection(2, 1, true);
    EXPECT_EQ(plan.control.SelectedBarKey(), "plain");
    EXPECT_EQ(plan.chart.Bar(2, 1).Colour, normal[1]);
}

TEST_F(Selection, ActivityTimeType8ShowsEntry6OfEitherTable) {
    SubActivity special = Placed("R1", "WO5", 1, kDay, 0, 60);
    special.activityTimeType = "8";
    Plan typed({{"R1", "Lathe"}}, {special});
    EXPECT_EQ(typed.chart.Bar(1, 1).Colour, normal[6]);
    typed.control.SelectWorkOrderFirstSubActivity("WO5");
    EXPECT_EQ(typed.chart.Bar(1, 1).Colour, selected[6]);
}

TEST_F(Selection, FirstSubActivityIsFoundWhateverTheCountAndAMissingOneSelectsNothing) {
    plan.control.SelectWorkOrderFirstSubActivity("WO1");
    EXPECT_EQ(plan.chart.Bar(3, 1).Colour, selected[0]);
    EXPECT_TRUE(plan.chart.ContainerFlag());

    EXPECT_EQ(ErrorCode([&] { plan.control.SelectWorkOrderFirstSubActivity("NONE"); }), 0);
    EXPECT_EQ(plan.chart.Bar(3, 1).Colour, normal[0]);
    EXPECT_EQ(plan.control.SelectedBarKey(), "");

    try {
        plan.control.SelectWorkOrderFirstSubActivity("  ");
        FAIL();
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), -2147220503);
    }
}

TEST_F(Selection, SelectionAfterAMoveReachesTheRebuiltBar) {
    plan.Copy("WO1$2$3");
    const auto [row, bar] = plan.TemporaryBar();
    plan.chart.DragBar(row, bar, row, kDay + 1, 0);
    ASSERT_EQ(plan.KeysOfRow(1), (std::vector<std::string>{"WO1$1$3", "WO1$1$9"}));
    EXPECT_EQ(plan.chart.Bar(1, 2).Style, normalStyles[1]);

    plan.control.SelectWorkOrderFirstSubActivity("WO1");
    EXPECT_EQ(plan.chart.Bar(1, 1).Colour, selected[3]);
    EXPECT_EQ(plan.chart.Bar(1, 2).Colour, selected[5]);
    EXPECT_EQ(plan.chart.Bar(1, 2).Style, selectedStyles[1]);
    EXPECT_EQ(plan.chart.Bar(3, 1).Colour, selected[0]);
    plan.control.SelectWorkOrderFirstSubActivity("WO2");
    EXPECT_EQ(plan.chart.Bar(1, 2).Colour, normal[5]);
}

TEST_F(Selection, DoubleClickSelectsOnlyTheChosenActivity) {
    plan.chart.DoubleClickBar(1, 2);
    EXPECT_EQ(LooksOfWO1()[0].colour, normal[3]);
    EXPECT_EQ(LooksOfWO1()[1].colour, selected[5]);
    EXPECT_EQ(plan.control.ResChangeFlag(), "N");
}

// The row of a chosen bar lists its work orders from the bar's start day on.
class WorkOrderGrid : public ::testing::Test {
protected:
    std::vector<std::string> FirstColumn() const {
        std::vector<std::string> cells;
        for (int32_t row = 1; row <= grid.GridRowCount(); ++row) {
            cells.push_back(grid.CellText(1, row));
        }
        return cells;
    }

    Plan plan{{{"R1", "Lathe"}, {"R2", "Mill"}},
              {Placed("R1", "WO0", 1, kDay - 1, 1400, 600), Placed("R1", "WO1", 1, kDay, 600, 60),
               Placed("R1", "WO2", 1, kDay, 300, 60), Placed("R1", "WO1", 2, kDay + 1, 0, 60),
               Placed("R2", "WO1", 3, kDay, 0, 60)}};
    ListGrid& grid = plan.control.vaSpread();
};

TEST_F(WorkOrderGrid, ChosenBarFillsTheDetailsAndTheGrid) {
    plan.chart.ClickBar(1, 2);
    EXPECT_EQ(plan.control.TxtWONo().Text(), "WO1");
    EXPECT_EQ(plan.control.TxtWOStatus().Text(), "D");
    EXPECT_EQ(plan.control.TxtCustNo().Text(), "Acme");
    EXPECT_EQ(plan.control.TxtWOAct().Text(), "1");
    EXPECT_EQ(plan.control.TxtWOStTime().Text(), "08:00");
    EXPECT_EQ(FirstColumn(), (std::vector<std::string>{"WO1", "WO2", "", "", "", "", "", "", ""}));
    // WO1 shows its last qualifying bar; an earlier day is not listed, an earlier minute is.
    EXPECT_EQ(grid.CellText(12, 1), "2");
    EXPECT_EQ(grid.CellText(13, 1), "3600");
    EXPECT_EQ(grid.CellBackColour(1, 1), 16711680);
    EXPECT_EQ(grid.CellForeColour(13, 1), 16777215);
    EXPECT_EQ(grid.CellBackColour(1, 2), 16777215);
}

TEST_F(WorkOrderGrid, AllNineRowsAreUsed) {
    std::vector<SubActivity> many;
    for (int i = 0; i < 10; ++i) {
        many.push_back(Placed("R1", ("W" + std::to_string(i)).c_str(), 1, kDay, i * 60, 30));
    }
    Plan busy({{"R1", "Lathe"}}, many);
    busy.chart.ClickBar(1, 1);
    EXPECT_EQ(busy.control.vaSpread().CellText(1, 9), "W8");
}

TEST_F(WorkOrderGrid, CalendarBarRefillsTheGridAndKeepsTheDetails) {
    plan.chart.ClickBar(1, 2);
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R1", "2/15/2002"}}));
    const int32_t redraws = plan.chart.RedrawCount();
    plan.chart.ClickBar(1, 5);
    EXPECT_GT(plan.chart.RedrawCount(), redraws);
    EXPECT_EQ(plan.control.TxtWONo().Text(), "WO1");
    EXPECT_EQ(FirstColumn()[0], "WO1");
    EXPECT_EQ(grid.CellBackColour(1, 1), 16777215);
}

TEST_F(WorkOrderGrid, GridClickSelectsEveryBarOfTheWorkOrder) {
    plan.chart.ClickBar(1, 2);
    grid.ClickCell(3, 1);
    const ColourTable& selected = plan.control.SelectedBarColours();
    for (const auto& [row, bar] : {std::pair<int16_t, int16_t>{1, 2}, {1, 4}, {2, 1}}) {
        EXPECT_EQ(plan.chart.Bar(row, bar).Colour, selected[1]) << row << "/" << bar;
    }
    EXPECT_EQ(plan.chart.LastShownBar(), (std::pair<int16_t, int16_t>{2, 1}));
    EXPECT_EQ(grid.CellBackColour(1, 1), 16711680);

    grid.ClickCell(1, 5);  // an empty row only takes the highlight off
    EXPECT_EQ(plan.chart.Bar(1, 2).Colour, plan.control.NormalBarColours()[1]);
}

TEST_F(WorkOrderGrid, HoverDescribesTheBar) {
    plan.chart.HoverBar(1, 2);
    EXPECT_EQ(plan.chart.HintText(), "WO1$Acme$IT1");
    plan.Copy("WO2$1$1");
    plan.chart.HoverBar(plan.TemporaryBar().first, plan.TemporaryBar().second);
    EXPECT_EQ(plan.chart.HintText(), "WO2");
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R2"}}));
    plan.chart.HoverBar(2, 2);
    EXPECT_EQ(plan.chart.HintText(), "");
}

TEST(Refresh, RestoresThePayloadsAndForgetsTheChanges) {
    Plan plan({{"R1", "Lathe"}}, {Placed("R1", "WO1", 1, kDay, 480, 60)});
    plan.control.LoadScheduleTime(testing::HeaderXml("2/1/2002", "3/1/2002"));
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R1"}}));
    plan.Copy("WO1$1$1");
    plan.chart.DragBar(plan.TemporaryBar().first, plan.TemporaryBar().second, 1, kDay + 2, 0);
    plan.control.vaSpread().ClickCell(1, 1);
    ASSERT_EQ(plan.control.PendingChanges().Count(), 1);

    plan.control.mnuSchedPopUp().Choose("miRefresh");
    EXPECT_EQ(plan.control.PendingChanges().Count(), 0);
    EXPECT_EQ(plan.KeysOfRow(1), std::vector<std::string>{"WO1$1$1"});
    EXPECT_EQ(plan.chart.Bar(1, 2).Start, (ChartTime{kDay, 480}));
    EXPECT_EQ(plan.chart.TimeBarCount(1), 2);
    EXPECT_EQ(plan.control.TempBarKey(), "");
}

TEST(Refresh, ReplaysTheStoresWithoutChangingThem) {
    Plan plan({{"R1", "Lathe"}, {"R2", "Mill"}},
              {Placed("R1", "WO1", 1, kDay, 480, 60), Placed("R2", "WO1", 2, kDay, 600, 60)});
    plan.control.LoadScheduleTime(testing::HeaderXml("2/1/2002", "3/1/2002"));
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R1"}, {"R2"}}));
    TextStore* const stores[] = {&plan.control.Box1(), &plan.control.Box2(), &plan.control.Box3(),
                                 &plan.control.Box4()};
    std::vector<std::string> texts;
    int changes = 0;
    for (TextStore* store : stores) {
        texts.push_back(store->Text());
        store->Changed.Subscribe([&changes] { ++changes; });
    }

    plan.control.miRefresh_Click();
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(stores[i]->Text(), texts[i]) << "Box" << i + 1;
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(plan.KeysOfRow(1), std::vector<std::string>{"WO1$1$2"});
    EXPECT_EQ(plan.KeysOfRow(2), std::vector<std::string>{"WO1$2$2"});
    EXPECT_EQ(plan.chart.RangeStartDay(), 37286);
}

TEST(Refresh, StopsAtTheFirstEmptyStore) {
    Tessaro_Ctrl control;
    control.LoadScheduleTime(testing::HeaderXml("2/1/2002", "3/1/2002"));
    control.LoadResource(testing::ResourcesXml({{"R1", "Lathe"}}));
    EXPECT_EQ(ErrorCode([&] { control.miRefresh_Click(); }), 5);
    EXPECT_EQ(control.ctResSched().RowCount(), 1);
    EXPECT_EQ(control.ctResSched().RangeStartDay(), 37286);
}

}  // namespace
}  // namespace tessaro
