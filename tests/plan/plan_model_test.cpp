#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "plan/plan_model.hpp"

namespace tessaro {
namespace {

class PlanModelTest : public ::testing::Test {
protected:
    PlanModelTest() {
        chart.AddRow("R1;Lathe");
        chart.AddRow("R2;Mill");
        Put(1, "WO1", 1, 10, {100, 60}, {100, 240});
        Put(2, "WO1", 2, 20, {100, 300}, {100, 400});
        Put(2, "WO1", 3, 10, {100, 0}, {100, 50});
        Put(1, "WO2", 1, 10, {101, 0}, {101, 60});
        ChartBar calendar;
        calendar.Start = {100, 0};
        calendar.End = {100, 30};
        calendar.Kind = CalendarBarKind;
        calendar.Key = "WO1";
        PutTimeBar(chart, 1, calendar);
    }

    void Put(int16_t row, const std::string& workOrder, int16_t position, int32_t activity,
             ChartTime start, ChartTime end, const std::string& status = "Released") {
        BarRecord record;
        record.work_order_no = workOrder;
        record.rsscheduleno = activity;
        record.status = status;
        ChartBar bar;
        bar.Start = start;
        bar.End = end;
        AssembleKeyID(bar.Key, workOrder, position, 3);
        AssembleBarRecordText(bar.Tag, record);
        bar.Kind = WorkOrderBarKind;
        PutTimeBar(chart, row, bar);
    }

    ScheduleChart chart;
    PlanModel plan{chart};
};

TEST_F(PlanModelTest, AnActivityIsItsWorkOrderBarsOnEveryRow) {
    const PlannedActivity split = plan.Activity({"WO1", 10});
    ASSERT_EQ(split.Pieces.size(), 2u);
    EXPECT_EQ(split.Rows, (std::vector<int16_t>{1, 2}));
    EXPECT_EQ(split.Start, (ChartTime{100, 0}));
    EXPECT_EQ(split.End, (ChartTime{100, 240}));
    EXPECT_EQ(split.Pieces[1].Row, 2);
    EXPECT_EQ(split.Pieces[1].Index, 2);
    EXPECT_EQ(split.Pieces[1].Id, chart.TimeBarId(2, 2));
    EXPECT_EQ(split.Pieces[1].Record->rsscheduleno, 10);

    EXPECT_FALSE(plan.Activity({"WO1", 30}).OnChart());
    EXPECT_FALSE(plan.Activity({"WO", 10}).OnChart());
    EXPECT_EQ(plan.ActivitiesOf("WO1"), (std::vector<int32_t>{10, 20}));
    EXPECT_TRUE(plan.ActivitiesOf("WO3").empty());
}

TEST_F(PlanModelTest, ARecordIsReadFromTheTagTheBarCarriesNow) {
    EXPECT_EQ(plan.RecordOf(1, 1)->status, "Released");
    // A host writes the tag through the chart: the next read sees it.
    BarRecord started = *plan.RecordOf(1, 1);
    started.status = "Started";
    std::string tag;
    AssembleBarRecordText(tag, started);
    chart.SetTimeBarTag(1, 1, tag);
    EXPECT_EQ(plan.RecordOf(1, 1)->status, "Started");
    EXPECT_EQ(plan.Activity({"WO1", 10}).Pieces[0].Record->status, "Started");

    chart.SetTimeBarTag(1, 1, "WO1$10$short");
    EXPECT_THROW(plan.RecordOf(1, 1), AutomationError);
    EXPECT_THROW(plan.Activity({"WO1", 10}), AutomationError);
}

TEST_F(PlanModelTest, OnlyAWorkOrderBarNamingAWorkOrderBelongsToAnActivity) {
    EXPECT_EQ(plan.ActivityOf(2, 1), (ActivityId{"WO1", 20}));
    EXPECT_EQ(plan.ActivityOf(1, 3), std::nullopt);  // the calendar bar
    chart.SetTimeBarTag(1, 2, "");
    EXPECT_EQ(plan.ActivityOf(1, 2), std::nullopt);
    EXPECT_EQ(plan.ActivitiesOf("WO2"), std::vector<int32_t>{});
}

}  // namespace
}  // namespace tessaro
