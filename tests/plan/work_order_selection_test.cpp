#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "bars/work_order_look.hpp"
#include "plan/work_order_selection.hpp"
#include "runtime/entry_counter.hpp"

namespace tessaro {
namespace {

// The selection on its own: a chart, the look it paints with and the entry counter it reports
// through, with no control around them.
class WorkOrderSelectionPart : public ::testing::Test {
protected:
    WorkOrderSelectionPart() {
        look.InitBarColourTables();
        look.CreateWOTimeBarStyles();
        entries.SetReport([this] { ++reports; });
        chart.AddRow("R1;Lathe");
        chart.AddRow("R2;Mill");
        Put(1, "WO1", 1, 10);
        Put(2, "WO1", 2, 20);
        Put(1, "WO2", 1, 10);
        Put(2, "WO1", 3, 10);
    }

    // A work-order bar in its loaded look.
    void Put(int16_t row, const std::string& workOrder, int16_t position, int32_t activity) {
        BarRecord record;
        record.work_order_no = workOrder;
        record.rsscheduleno = activity;
        record.flag = "D";
        ChartBar bar;
        bar.Start = {37255, 60 * position};
        bar.End = {37255, 60 * position + 30};
        AssembleKeyID(bar.Key, workOrder, position, 3);
        AssembleBarRecordText(bar.Tag, record);
        bar.Kind = WorkOrderBarKind;
        look.SetLoadedLook(bar, record.flag, 0, 0, record.activitytimetype);
        PutTimeBar(chart, row, bar);
    }

    bool Highlighted(int16_t row, int16_t bar) const {
        return chart.Bar(row, bar).Style == look.SelectedBarStyles()[0];
    }

    ScheduleChart chart;
    WorkOrderLook look{chart};
    EntryCounter entries;
    PlanModel plan{chart};
    WorkOrderSelection selection{chart, plan, look, entries};
    int reports = 0;
};

TEST_F(WorkOrderSelectionPart, PutTimeBarKeepsEveryFieldOfTheBar) {
    const ChartBar& put = chart.Bar(2, 1);
    EXPECT_EQ(put.Key, "WO1$2$3");
    EXPECT_EQ(put.Kind, WorkOrderBarKind);
    EXPECT_EQ(put.Style, look.NormalBarStyles()[0]);
    EXPECT_EQ(put.Colour, look.NormalBarColours()[1]);
    EXPECT_EQ(plan.RecordOf(2, 1)->rsscheduleno, 20);
    EXPECT_EQ(chart.FindTimeBarRow("WO1$2$3"), 2);
}

// Which bars show selected after each step, in the order (1,1) (1,2) (2,1) (2,2), and the key and
// work order the selection names.
TEST_F(WorkOrderSelectionPart, HighlightFollowsTheWorkOrderOrTheChosenActivity) {
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<bool> highlighted;
        const char* key;
        const char* workOrder;
    } steps[] = {
        {"select a bar of WO1",
         [&] { selection.BarSelection(1, 1); },
         {true, false, true, true},
         "WO1$3$3",
         "WO1"},
        {"select WO2's first sub-activity",
         [&] { selection.SelectWorkOrderFirstSubActivity("WO2"); },
         {false, true, false, false},
         "WO2$1$3",
         "WO2"},
        {"choose WO1's activity 10",
         [&] { selection.ChooseActivity(2, 2); },
         {true, false, false, true},
         "WO1$3$3",
         "WO1"},
        {"a work order without bars takes the highlight off",
         [&] { selection.SelectWorkOrderFirstSubActivity("WO9"); },
         {false, false, false, false},
         "",
         ""},
    };
    for (const Step& step : steps) {
        step.act();
        const std::vector<bool> now{Highlighted(1, 1), Highlighted(1, 2), Highlighted(2, 1),
                                    Highlighted(2, 2)};
        EXPECT_EQ(now, step.highlighted) << step.what;
        EXPECT_EQ(selection.SelectedBarKey(), step.key) << step.what;
        EXPECT_EQ(selection.SelectedWorkOrder(), step.workOrder) << step.what;
    }
}

TEST_F(WorkOrderSelectionPart, EachSelectionCallIsOneEntryThatReportsOnce) {
    selection.SelectWorkOrderFirstSubActivity("WO1");  // selects through BarSelection inside
    EXPECT_EQ(reports, 1);
    {
        EntryCounter::Scope outer(entries);
        selection.BarSelection(1, 2);
        selection.BarSelection(1, 1);
        EXPECT_EQ(reports, 1);
    }
    EXPECT_EQ(reports, 2);
    {
        // The report's own run does not report again when a host's handler calls back in.
        EntryCounter::Quiet quiet(entries);
        selection.BarSelection(1, 2);
    }
    EXPECT_EQ(reports, 2);
}

}  // namespace
}  // namespace tessaro
