#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/bars/bar_record.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"
#include "support/conflict_agreement.hpp"
#include "support/plan.hpp"

namespace tessaro {

void PrintTo(const PlanConflict& conflict, std::ostream* os) {
    *os << testing::DescribeConflict(conflict);
}

namespace {

using testing::Placed;

constexpr int32_t kDay = 37255;  // 1 January 2002

// Writes that reach the plan through the chart itself, each made after the control last
// answered, so the answer must come from what the write marked. R1: WO1/10 08:00-10:00,
// WO2/10 09:00-10:00 (overlapping), WO1/20 11:00-12:00; R2: WO3/10 08:00-09:00, WO3/20
// 10:00-11:00, in order.
TEST(ConflictTracker, ChartWritesAfterAnAnswerAreInTheNextOne) {
    struct Case {
        const char* what;
        std::function<void(testing::Plan&)> write;
    };
    const std::vector<Case> cases = {
        {"a host rewrites a tag through the chart: WO3/20 becomes WO3/5, out of order",
         [](testing::Plan& plan) {
             const auto [row, bar] = plan.Find("WO3$2$2");
             BarRecord record;
             DisassembleBarRecordText(plan.chart.TimeBarTag(row, bar), record);
             record.rsscheduleno = 5;
             std::string tag;
             AssembleBarRecordText(tag, record);
             plan.chart.SetTimeBarTag(row, bar, tag);
         }},
        {"a bar put first in its row moves every other bar's index",
         [](testing::Plan& plan) {
             const auto [row, bar] = plan.Find("WO1$2$2");
             plan.chart.SetTimeBarIndex(row, bar, 1);
         }},
        {"a copy of a bar added and put before the others overlaps its original",
         [](testing::Plan& plan) {
             const auto [row, bar] = plan.Find("WO1$1$2");
             const ChartBar original = plan.chart.Bar(row, bar);
             const int16_t added =
                 plan.chart.AddTimeBar(row, original.Start.Minute + 30, original.End.Minute,
                                       original.Start.Day, original.End.Day, "");
             plan.chart.SetTimeBarKind(row, added, WorkOrderBarKind);
             plan.chart.SetTimeBarTag(row, added, original.Tag);
             plan.chart.SetTimeBarIndex(row, added, 1);
         }},
        {"the first bar of a row removed",
         [](testing::Plan& plan) { plan.chart.RemoveTimeBar(1, 1); }},
        {"WO1/10 moved onto R2, over WO3/10",
         [](testing::Plan& plan) {
             const auto [row, bar] = plan.Find("WO1$1$2");
             plan.chart.MoveTimeBarToRow(row, bar, 2);
         }},
        {"a row added with a bar of WO3 before its first activity",
         [](testing::Plan& plan) {
             const auto [row, bar] = plan.Find("WO3$1$2");
             const ChartBar earlier = plan.chart.Bar(row, bar);
             const int16_t added = plan.chart.AddRow("R3;Drill");
             const int16_t copy = plan.chart.AddTimeBar(added, 0, 60, kDay, kDay, "");
             plan.chart.SetTimeBarKind(added, copy, WorkOrderBarKind);
             BarRecord record;
             DisassembleBarRecordText(earlier.Tag, record);
             record.rsscheduleno = 30;
             std::string tag;
             AssembleBarRecordText(tag, record);
             plan.chart.SetTimeBarTag(added, copy, tag);
         }},
        {"a bar's times written while the chart holds its changes, as inside a command",
         [](testing::Plan& plan) {
             plan.chart.HoldChanges();
             const auto [row, bar] = plan.Find("WO3$2$2");
             plan.chart.PlaceTimeBar(row, bar, {kDay, 420}, {kDay, 500});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::Plan plan(
            {{"R1", "Lathe"}, {"R2", "Mill"}},
            {Placed("R1", "WO1", 10, kDay, 480, 120), Placed("R1", "WO2", 10, kDay, 540, 60),
             Placed("R1", "WO1", 20, kDay, 660, 60), Placed("R2", "WO3", 10, kDay, 480, 60),
             Placed("R2", "WO3", 20, kDay, 600, 60)});
        const std::vector<PlanConflict> before = plan.control.PlanConflicts();
        ASSERT_EQ(plan.control.PlanConflictsOfRows(2, 2).size(), 0u);
        c.write(plan);
        const int16_t rows = plan.chart.RowCount();
        for (int16_t first = 1; first <= rows; ++first) {
            const std::vector<std::string> disagreements =
                testing::ConflictDisagreements(plan.control, first, first);
            EXPECT_TRUE(disagreements.empty()) << ::testing::PrintToString(disagreements);
        }
        EXPECT_NE(testing::SortedConflicts(plan.control.PlanConflicts()),
                  testing::SortedConflicts(before));
        plan.chart.ReleaseChanges();
    }
}

}  // namespace
}  // namespace tessaro
