#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"
#include "support/error_code.hpp"
#include "support/payloads.hpp"
#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::SubActivity;
using testing::WorkOrdersXml;

SubActivity On(const char* resno, const char* workOrder) {
    SubActivity subActivity;
    subActivity.resno = resno;
    subActivity.workOrder = workOrder;
    return subActivity;
}

class WorkOrderBarLoader : public ::testing::Test {
protected:
    WorkOrderBarLoader() {
        control.LoadResource(testing::ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}}));
    }

    std::vector<std::string> Keys(int16_t row) const {
        std::vector<std::string> keys;
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            keys.push_back(chart.TimeBarKey(row, bar));
        }
        return keys;
    }

    Tessaro_Ctrl control;
    ScheduleChart& chart = control.ctResSched();
};

TEST_F(WorkOrderBarLoader, SubActivityBecomesAKeyedRecordedColouredBar) {
    const std::string payload = WorkOrdersXml({On("R2", "WO1")});
    control.LoadResourceEvents(payload);

    ASSERT_EQ(chart.TimeBarCount(1), 0);
    ASSERT_EQ(chart.TimeBarCount(2), 1);
    const ChartBar bar = chart.Bar(2, 1);
    EXPECT_EQ(bar.Start, (ChartTime{36524, 0}));
    EXPECT_EQ(bar.End, (ChartTime{36524, 60}));
    EXPECT_EQ(bar.Key, "WO1$1$1");
    EXPECT_EQ(bar.Kind, WorkOrderBarKind);
    EXPECT_EQ(bar.Text, ".");
    EXPECT_EQ(bar.Colour, 7001344);
    EXPECT_EQ(bar.Style, control.NormalBarStyles()[0]);
    EXPECT_EQ(bar.Tag,
              "WO1$10$Open$0$60$IT1$SO1$Acme$D$01/10/2002$01/12/2002$01/02/2002$01/09/2002$"
              "08:00$17:00$1$1$3600");
    EXPECT_EQ(chart.FindTimeBarRow("WO1$1$1"), 2);

    EXPECT_EQ(control.Box2().Text(), payload);
    EXPECT_EQ(chart.Setting(89), -1);
    EXPECT_EQ(chart.Setting(137), -1);
    EXPECT_EQ(chart.Setting(51), -1);
    EXPECT_EQ(chart.TimeBarFont().Name, "Verdana");
    EXPECT_EQ(chart.TimeBarFont().Size, 8);
}

TEST_F(WorkOrderBarLoader, PayloadSecondsBecomeDaysAndMinutesWithoutSeconds) {
    struct Case {
        const char* start;
        const char* duration;
        ChartTime from;
        ChartTime to;
    } cases[] = {
        {"0", "3600", {36524, 0}, {36524, 60}},  {"86399", "2", {36524, 1439}, {36525, 0}},
        {"-1", "61", {36523, 1439}, {36524, 1}}, {"94694400", "172800", {37620, 0}, {37622, 0}},
        {"100", "0", {36524, 1}, {36524, 1}},  // the shortest: a negative duration is refused
    };
    for (const Case& c : cases) {
        Tessaro_Ctrl fresh;
        fresh.LoadResource(testing::ResourcesXml({{"R1", "Lathe"}}));
        SubActivity subActivity;
        subActivity.start = c.start;
        subActivity.duration = c.duration;
        fresh.LoadResourceEvents(WorkOrdersXml({subActivity}));
        EXPECT_EQ(fresh.ctResSched().Bar(1, 1).Start, c.from) << c.start;
        EXPECT_EQ(fresh.ctResSched().Bar(1, 1).End, c.to) << c.start;
    }
}

TEST_F(WorkOrderBarLoader, PositionsCountRowsFirstThenPayloadOrder) {
    control.LoadResourceEvents(WorkOrdersXml(
        {On("R2", "WO1"), On("R1", "WO1"), On("R9", "WO1"), On("R2", "wo1"), On("R1", "WO2")}));
    EXPECT_EQ(Keys(1), (std::vector<std::string>{"WO1$1$3", "WO2$1$1"}));
    EXPECT_EQ(Keys(2), (std::vector<std::string>{"WO1$2$3", "wo1$3$3"}));
}

TEST_F(WorkOrderBarLoader, SecondLoadAddsBarsWithTheSameKeys) {
    const std::string payload = WorkOrdersXml({On("R1", "WO1"), On("R2", "WO1")});
    control.LoadResourceEvents(payload);
    control.LoadResourceEvents(payload);
    EXPECT_EQ(Keys(1), (std::vector<std::string>{"WO1$1$2", "WO1$1$2"}));
    EXPECT_EQ(Keys(2), (std::vector<std::string>{"WO1$2$2", "WO1$2$2"}));
}

TEST_F(WorkOrderBarLoader, EarlierBarsOfOtherWorkOrdersKeepTheirKeys) {
    control.LoadResourceEvents(WorkOrdersXml({On("R1", "WO1"), On("R1", "WO1")}));
    control.LoadResourceEvents(WorkOrdersXml({On("R2", "WO2")}));
    EXPECT_EQ(Keys(1), (std::vector<std::string>{"WO1$1$2", "WO1$2$2"}));
    EXPECT_EQ(Keys(2), std::vector<std::string>{"WO2$1$1"});
}

TEST_F(WorkOrderBarLoader, StatusFlagsAndActivityTypePickColourAndStyle) {
    SubActivity special = On("R1", "WO1");
    special.flag = "F";
    special.activityTimeType = "8";
    special.chkflag = "1";
    special.executeOnline = "0";
    SubActivity unknownPair = On("R1", "WO2");
    unknownPair.flag = "G";
    unknownPair.chkflag = "3";
    control.LoadResourceEvents(WorkOrdersXml({special, unknownPair}));
    EXPECT_EQ(chart.Bar(1, 1).Colour, 9869055);
    EXPECT_EQ(chart.Bar(1, 1).Style, control.NormalBarStyles()[4]);
    EXPECT_EQ(chart.Bar(1, 2).Colour, 16756318);
    EXPECT_EQ(chart.Bar(1, 2).Style, 0);
}

TEST_F(WorkOrderBarLoader, QuoteInAResourceNumberMatchesLikeAnyOtherCharacter) {
    control.LoadResource(testing::ResourcesXml({{"O'Neil", "Press"}, {"R1", "Lathe"}}));
    control.LoadResourceEvents(WorkOrdersXml({On("O'Neil", "WO1"), On("R1", "WO1")}));
    EXPECT_EQ(Keys(1), std::vector<std::string>{"WO1$1$2"});
    EXPECT_EQ(Keys(2), std::vector<std::string>{"WO1$2$2"});
}

TEST_F(WorkOrderBarLoader, DollarInTextFieldsComesBackIntact) {
    SubActivity subActivity = On("R1", "WO1");
    subActivity.customer = "Smith $ Sons";
    subActivity.status = "$Open\\";
    control.LoadResourceEvents(WorkOrdersXml({subActivity}));
    BarRecord record;
    DisassembleBarRecordText(chart.Bar(1, 1).Tag, record);
    EXPECT_EQ(record.sdesc4, "Smith $ Sons");
    EXPECT_EQ(record.status, "$Open\\");
    EXPECT_EQ(record.timeindays1, 3600);
}

// A "$" or "\\" that a reference stands for is escaped in the record too.
TEST_F(WorkOrderBarLoader, DollarFromAReferenceComesBackIntact) {
    SubActivity subActivity = On("R1", "WO1");
    subActivity.customer = "Smith XX Sons YY";
    std::string xml = WorkOrdersXml({subActivity});
    xml.replace(xml.find("XX"), 2, "&#36;");
    xml.replace(xml.find("YY"), 2, "&#x5C;");
    control.LoadResourceEvents(xml);
    BarRecord record;
    DisassembleBarRecordText(chart.Bar(1, 1).Tag, record);
    EXPECT_EQ(record.sdesc4, "Smith $ Sons \\");
}

// Each load counts in a registry of its own: a refused payload leaves no count behind.
TEST_F(WorkOrderBarLoader, LoadAfterAFailingOneCountsAfresh) {
    SubActivity bad = On("R2", "WO7");
    bad.start = "soon";
    EXPECT_EQ(ErrorCode([&] {
                  control.LoadResourceEvents(WorkOrdersXml({On("R1", "WO7"), bad}));
              }),
              13);
    control.LoadResourceEvents(WorkOrdersXml({On("R1", "WO7")}));
    EXPECT_EQ(Keys(1), std::vector<std::string>{"WO7$1$1"});
}

// Rebuilt bars are counted in the registry the moves find; a refused payload leaves it, so the
// next rebuild of the work order still gets the next position.
TEST(WorkOrderBarLoaderRegistry, FailingLoadLeavesTheRebuildCountsAsTheyWere) {
    testing::Plan plan({{"R1", "Lathe"}}, {testing::Placed("R1", "WO1", 10, 37300, 480, 60),
                                           testing::Placed("R1", "WO1", 20, 37300, 600, 60)});
    const auto moveActivity = [&](const char* key, int32_t minute) {
        plan.Copy(key);
        const auto [row, bar] = plan.TemporaryBar();
        plan.chart.DragBar(row, bar, row, 37301, minute);
    };
    moveActivity("WO1$1$2", 0);
    ASSERT_EQ(plan.Find("WO1$1$9").first, 1);

    SubActivity bad = On("R1", "WO1");
    bad.duration = "long";
    EXPECT_EQ(ErrorCode([&] { plan.control.LoadResourceEvents(WorkOrdersXml({bad})); }), 13);

    moveActivity("WO1$2$2", 120);
    EXPECT_EQ(plan.Find("WO1$2$9").first, 1);
}

TEST_F(WorkOrderBarLoader, BlankWorkOrderRaisesTheControlsOwnError) {
    try {
        control.LoadResourceEvents(WorkOrdersXml({On("R1", "WO1"), On("R2", "  ")}));
        FAIL();
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), -2147220503);
    }
    EXPECT_EQ(chart.TimeBarCount(1), 0);
}

TEST_F(WorkOrderBarLoader, DollarInTheWorkOrderIsNamedInTheError) {
    try {
        control.LoadResourceEvents(WorkOrdersXml({On("R1", "WO$1")}));
        FAIL();
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Code(), 5);
        EXPECT_NE(error.Description().find("WO$1"), std::string::npos);
    }
}

TEST_F(WorkOrderBarLoader, RecordsOfUnknownResourcesNeedNoReadableValues) {
    SubActivity elsewhere = On("R9", "  ");
    elsewhere.start = "not read";
    control.LoadResourceEvents(WorkOrdersXml({elsewhere, On("R1", "WO1")}));
    EXPECT_EQ(Keys(1), std::vector<std::string>{"WO1$1$1"});
}

TEST_F(WorkOrderBarLoader, ManyRecordsLoadAndEachRowHoldsUpTo32767Bars) {
    std::vector<SubActivity> subActivities;
    for (int i = 0; i < 40000; ++i) {
        subActivities.push_back(
            On(i < 32767 ? "R1" : "R2", ("WO" + std::to_string(i / 5)).c_str()));
    }
    control.LoadResourceEvents(WorkOrdersXml(subActivities));
    EXPECT_EQ(chart.TimeBarCount(1), 32767);
    EXPECT_EQ(chart.TimeBarCount(2), 40000 - 32767);
    EXPECT_EQ(chart.TimeBarKey(2, 7233), "WO7999$5$5");

    EXPECT_EQ(ErrorCode([&] {
                  control.LoadResourceEvents(WorkOrdersXml({On("R2", "X"), On("R1", "Y")}));
              }),
              6);
    EXPECT_EQ(chart.TimeBarCount(2), 40000 - 32767);
}

// A full row takes no more bars, but a later load still rewrites the keys of all of them, up to
// its 32767th.
TEST_F(WorkOrderBarLoader, RowOf32767BarsStaysWholeWhileOtherRowsLoad) {
    control.LoadResourceEvents(
        testing::RepeatedWorkOrdersXml({{On("R1", "X"), 32765}, {On("R1", "Z"), 2}}));
    ASSERT_EQ(chart.TimeBarKey(1, 32767), "Z$2$2");
    control.LoadResourceEvents(WorkOrdersXml({On("R2", "Z")}));
    EXPECT_EQ(chart.TimeBarCount(1), 32767);
    EXPECT_EQ(chart.TimeBarKey(1, 32767), "Z$2$1");
    EXPECT_EQ(Keys(2), std::vector<std::string>{"Z$1$1"});
}

// Positions are 16-bit: a work order's 32767 sub-activities are numbered apart.
TEST_F(WorkOrderBarLoader, WorkOrderOf32767SubActivitiesNumbersEachApart) {
    control.LoadResourceEvents(
        testing::RepeatedWorkOrdersXml({{On("R1", "X"), 16384}, {On("R2", "X"), 16383}}));
    EXPECT_EQ(chart.TimeBarKey(1, 1), "X$1$32767");
    EXPECT_EQ(chart.TimeBarKey(2, 16383), "X$32767$32767");
}

// A load makes the change records again: a changed activity may reach back to the first whole
// minute of payload seconds.
TEST(WorkOrderBarLoaderRecords, ChangedActivityReachesTheFirstWholeMinuteOfPayloadSeconds) {
    testing::Plan plan({{"R1", "Lathe"}}, {testing::Placed("R1", "WO1", 10, 37300, 480, 60)});
    plan.Copy("WO1$1$1");
    const auto [row, bar] = plan.TemporaryBar();
    plan.chart.DragBar(row, bar, row, 37301, 0);
    SubActivity earliest = On("R1", "WO1");
    earliest.start = "-2147483640";
    plan.control.LoadResourceEvents(WorkOrdersXml({earliest}));
    EXPECT_EQ(plan.control.PendingChanges().Item("WO1$10")->starttime, -2147483640);
}

}  // namespace
}  // namespace tessaro
