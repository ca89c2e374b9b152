#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"
#include "support/error_code.hpp"
#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;
using testing::Plan;

constexpr int32_t kDay = 37255;

// Puts a work-order bar straight onto the chart, for times no payload can express.
int16_t AddWorkOrderBar(ScheduleChart& chart, int16_t row, const std::string& workOrder,
                        ChartTime start, ChartTime end) {
    BarRecord record;
    record.work_order_no = workOrder;
    record.rsscheduleno = 1;
    std::string tag;
    AssembleBarRecordText(tag, record);
    const int16_t bar =
        chart.AddTimeBar(row, start.Minute, end.Minute, start.Day, end.Day, workOrder + "$1$1");
    chart.SetTimeBarKind(row, bar, WorkOrderBarKind);
    chart.SetTimeBarTag(row, bar, tag);
    return bar;
}

class Paste : public ::testing::Test {
protected:
    // Copies activity WO1 of the given span, then right-clicks the target bar.
    void CopyThenRightClick(int32_t spanMinutes, ChartTime targetEnd) {
        plan = std::make_unique<Plan>(
            std::initializer_list<std::pair<std::string, std::string>>{{"R1", "Lathe"}},
            std::vector<testing::SubActivity>{
                Placed("R1", "WO1", 3, kDay + 5, 0, spanMinutes),
                Placed("R1", "WO2", 1, targetEnd.Day - 1, targetEnd.Minute, 1440)});
        plan->Copy("WO1$1$1");
        const auto [row, bar] = plan->Find("WO2$1$1");
        plan->chart.RightClickBar(row, bar);
    }

    ChartBar Rebuilt() const {
        const auto [row, bar] = plan->Find("WO1$1$9");
        return plan->chart.Bar(row, bar);
    }

    std::unique_ptr<Plan> plan;
};

TEST_F(Paste, PlacesTheActivitySoItEndsWhereTheClickedBarEnds) {
    struct Case {
        int32_t span;
        ChartTime targetEnd;
        ChartTime start;
    } cases[] = {
        {90, {kDay, 600}, {kDay, 510}},
        {2910, {kDay + 1, 600}, {kDay - 1, 570}},
        {600, {kDay, 60}, {kDay - 1, 900}},  // a start minute below 0 is carried back a day
    };
    for (const Case& c : cases) {
        CopyThenRightClick(c.span, c.targetEnd);
        EXPECT_EQ(plan->control.PasteArmed(), -1);
        plan->control.mnuDrag().Choose("miFwdSch");
        EXPECT_EQ(Rebuilt().Start, c.start) << c.span;
        EXPECT_EQ(Rebuilt().End, c.targetEnd) << c.span;
        EXPECT_EQ(plan->control.TempBarKey(), "");
        EXPECT_EQ(plan->control.PasteArmed(), 0);
        EXPECT_EQ(plan->control.PendingChanges().Item("WO1$3")->schmethod, "F");
    }
}

TEST_F(Paste, ForwardAndBackwardDifferOnlyInTheMethod) {
    std::vector<std::string> outputs;
    for (const char* entry : {"miFwdSch", "miBackSch"}) {
        CopyThenRightClick(90, {kDay, 600});
        plan->control.mnuDrag().Choose(entry);
        outputs.push_back(plan->control.rescheduling().Xml());
    }
    const auto at = outputs[0].find("method=\"F\"");
    ASSERT_NE(at, std::string::npos);
    outputs[0].replace(at, 10, "method=\"B\"");
    EXPECT_EQ(outputs[0], outputs[1]);
}

TEST_F(Paste, FiniteEntriesDoNothing) {
    CopyThenRightClick(90, {kDay, 600});
    for (const char* entry : {"miFwdFinSch", "miBackFinSch"}) {
        plan->control.mnuDrag().Choose(entry);
    }
    EXPECT_NE(plan->control.TempBarKey(), "");
    EXPECT_EQ(plan->control.PendingChanges().Count(), 0);
}

TEST_F(Paste, IgnoreEndsTheCopyWithoutARecord) {
    CopyThenRightClick(90, {kDay, 600});
    // A move of the temporary bar that is not applied makes no record: there is nothing of it
    // on the chart but the temporary bar, which Ignore takes away.
    const auto [row, bar] = plan->TemporaryBar();
    plan->chart.SetTimeBarStartMinute(row, bar, 10);
    EXPECT_EQ(plan->control.PendingChanges().Count(), 0);
    plan->control.mnuDrag().Choose("miIgnore");
    EXPECT_EQ(plan->control.PendingChanges().Count(), 0);
    EXPECT_EQ(plan->control.LastChangeKey(), "");
    EXPECT_EQ(plan->control.TempBarKey(), "");
    EXPECT_EQ(plan->KeysOfRow(1), (std::vector<std::string>{"WO1$1$1", "WO2$1$1"}));
}

TEST_F(Paste, RightClickOpensTheMenuOfTheGesture) {
    Plan menus({{"R1", "Lathe"}, {"R2", "Mill"}},
               {Placed("R1", "WO1", 1, kDay, 0, 60), Placed("R2", "WO2", 1, kDay, 0, 60)});
    menus.control.LoadCalendarEvents(testing::CalendarXml({{"R2"}}));
    int shownSched = 0;
    int shownDrag = 0;
    menus.control.mnuSchedPopUp().Shown.Subscribe([&] { ++shownSched; });
    menus.control.mnuDrag().Shown.Subscribe([&] { ++shownDrag; });

    menus.chart.RightClickBar(2, 2);  // a calendar bar without a temporary bar: nothing
    EXPECT_EQ(shownSched + shownDrag, 0);
    menus.chart.RightClickBar(1, 1);
    EXPECT_EQ(shownSched, 1);
    EXPECT_EQ(menus.control.PasteArmed(), 0);

    menus.control.mnuSchedPopUp().Choose("miCopy");
    menus.chart.RightClickBar(2, 1);  // another row than the temporary bar's
    EXPECT_EQ(shownDrag, 1);
    EXPECT_FALSE(menus.control.mnuDrag().Item("miFwdSch").Visible());
    EXPECT_FALSE(menus.control.mnuDrag().Item("miBackSch").Visible());
    menus.chart.RightClickBar(2, 2);  // a calendar bar while a temporary bar exists
    EXPECT_EQ(shownDrag, 2);
    const auto [row, bar] = menus.TemporaryBar();
    menus.chart.RightClickBar(row, bar);
    EXPECT_EQ(shownDrag, 3);
    EXPECT_TRUE(menus.control.mnuDrag().Item("miFwdSch").Visible());
    EXPECT_EQ(menus.control.PasteArmed(), -1);
}

TEST_F(Paste, PasteChosenOnTheTemporaryBarItselfAppliesItWhereItStands) {
    Plan own({{"R1", "Lathe"}}, {Placed("R1", "WO1", 3, kDay + 5, 0, 90)});
    own.Copy("WO1$1$1");
    // Copy emptied the clicked key, so the paste has no target bar.
    const auto [row, bar] = own.TemporaryBar();
    own.chart.RightClickBar(row, bar);
    EXPECT_EQ(own.control.ClickedBarKey(), "");
    own.control.mnuDrag().Choose("miBackSch");
    EXPECT_EQ(own.control.TempBarKey(), "");
    const auto [r, b] = own.Find("WO1$1$9");
    ASSERT_GT(b, 0);
    EXPECT_EQ(own.chart.Bar(r, b).Start, (ChartTime{kDay + 5, 0}));
    EXPECT_EQ(own.KeysOfRow(1), std::vector<std::string>{"WO1$1$9"});
}

class Pack : public ::testing::Test {
protected:
    Pack() {
        chart.AddRow("R1;Lathe");
        anchor = AddWorkOrderBar(chart, 1, "A", {B, 0}, {B, 600});
    }

    // The worked examples count from day 100; the plan here starts in 2002 so that the moves
    // can be recorded as payload seconds.
    static constexpr int32_t B = 37300;

    void PackFrom(int16_t bar) {
        chart.RightClickBar(1, bar);
        control.mnuSchedPopUp().Choose("miPack");
    }

    Tessaro_Ctrl control;
    ScheduleChart& chart = control.ctResSched();
    int16_t anchor = 0;
};

TEST_F(Pack, LaysLaterBarsEndToEndFromTheAnchor) {
    const int16_t first = AddWorkOrderBar(chart, 1, "B", {B + 1, 0}, {B + 1, 90});
    const int16_t second = AddWorkOrderBar(chart, 1, "C", {B + 2, 0}, {B + 3, 120});
    PackFrom(anchor);
    EXPECT_EQ(chart.Bar(1, first).Start, (ChartTime{B, 600}));
    EXPECT_EQ(chart.Bar(1, first).End, (ChartTime{B, 690}));
    EXPECT_EQ(chart.Bar(1, second).Start, (ChartTime{B, 690}));
    EXPECT_EQ(chart.Bar(1, second).End, (ChartTime{B + 1, 810}));
    EXPECT_EQ(control.PackInProgress(), 0);
}

TEST_F(Pack, ALongBarKeepsItsLength) {
    const int16_t bar = AddWorkOrderBar(chart, 1, "B", {B + 5, 0}, {B + 6, 120});
    PackFrom(anchor);
    EXPECT_EQ(chart.Bar(1, bar).End, (ChartTime{B + 1, 720}));

    // Longer than 32767 minutes: packed like any other.
    const int16_t longer = AddWorkOrderBar(chart, 1, "L", {B + 100, 0}, {B + 130, 0});
    PackFrom(anchor);
    EXPECT_EQ(chart.Bar(1, longer).Start, (ChartTime{B + 1, 720}));
    EXPECT_EQ(chart.Bar(1, longer).End, (ChartTime{B + 31, 720}));
}

TEST_F(Pack, LeavesCalendarTemporaryEarlierAndAnchorBarsAlone) {
    const int16_t calendar = chart.AddUnkeyedTimeBar(1, 0, 60, B + 2, B + 2);
    chart.SetTimeBarKind(1, calendar, CalendarBarKind);
    const int16_t temporary = chart.AddUnkeyedTimeBar(1, 0, 60, B + 3, B + 3);
    chart.SetTimeBarKind(1, temporary, TemporaryBarKind);
    const int16_t earlier = AddWorkOrderBar(chart, 1, "E", {B - 1, 0}, {B - 1, 60});
    PackFrom(anchor);
    EXPECT_EQ(chart.Bar(1, calendar).Start, (ChartTime{B + 2, 0}));
    EXPECT_EQ(chart.Bar(1, temporary).Start, (ChartTime{B + 3, 0}));
    EXPECT_EQ(chart.Bar(1, earlier).Start, (ChartTime{B - 1, 0}));
    EXPECT_EQ(chart.Bar(1, anchor).Start, (ChartTime{B, 0}));
}

TEST_F(Pack, AnchorAloneMakesNoRecords) {
    Plan alone({{"R1", "Lathe"}}, {Placed("R1", "A", 1, 37300, 0, 60)});
    const auto [row, bar] = alone.Find("A$1$1");
    alone.chart.RightClickBar(row, bar);
    alone.control.mnuSchedPopUp().Choose("miPack");
    EXPECT_EQ(alone.control.PendingChanges().Count(), 0);
}

TEST_F(Pack, OverflowStopsThePackBeforeTheBarMovesAndResetsTheFlag) {
    // Bars in 1900 cannot be written as payload seconds: the first record would overflow.
    const int16_t early = AddWorkOrderBar(chart, 1, "Y", {100, 0}, {100, 600});
    const int16_t bar = AddWorkOrderBar(chart, 1, "B", {101, 0}, {101, 90});
    EXPECT_EQ(ErrorCode([&] { PackFrom(early); }), 6);
    EXPECT_EQ(control.PackInProgress(), 0);
    // The bar whose record could not be made never moved, nor did the one after it.
    EXPECT_EQ(chart.Bar(1, anchor).Start, (ChartTime{B, 0}));
    EXPECT_EQ(control.PendingChanges().Count(), 0);
    EXPECT_EQ(chart.Bar(1, bar).Start, (ChartTime{101, 0}));
}

}  // namespace
}  // namespace tessaro
