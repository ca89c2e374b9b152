#include <gtest/gtest.h>

#include <string>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/samples.hpp"

namespace tessaro {
namespace {

using testing::ReadSample;

// The planner's session on the shipped plant: a rush order clashes on the first lathe.
class SamplePlantWorkflow : public ::testing::Test {
protected:
    SamplePlantWorkflow() {
        control.LoadScheduleTime(ReadSample("header.xml"));
        control.LoadResource(ReadSample("resources.xml"));
        control.LoadCalendarEvents(ReadSample("calendars.xml"));
        control.LoadResourceEvents(ReadSample("workorders.xml"));
        const auto bars = chart.FindTimeBarsInKeyGroup("WO-24014");
        rushRow = bars.front().first;
        rushBar = bars.front().second;
    }

    Tessaro_Ctrl control;
    ScheduleChart& chart = control.ctResSched();
    int16_t rushRow = 0;
    int16_t rushBar = 0;
};

TEST_F(SamplePlantWorkflow, RushOrderConflictsWithTheJobOnItsLathe) {
    ASSERT_EQ(chart.RowText(rushRow).substr(0, 9), "LATHE-01;");
    int16_t row = rushRow;
    int16_t bar = rushBar;
    EXPECT_EQ(control.ConflictTimeBars(row, bar), "");
    const auto& entries = control.lstConflictWorkOrders().Items();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0], "WO-24014$10");
    EXPECT_EQ(entries[1], "WO-24021$10");

    // Double-clicking the clash selects the other order's bars.
    control.lstConflictWorkOrders().SelectItem(1);
    control.lstConflictWorkOrders().DoubleClick();
    EXPECT_EQ(control.SelectedBarKey().substr(0, 9), "WO-24021$");
}

TEST_F(SamplePlantWorkflow, MovingTheRushOrderADayLaterIsWhatTheHostSaves) {
    const ChartBar before = chart.Bar(rushRow, rushBar);
    chart.RightClickBar(rushRow, rushBar);
    control.mnuSchedPopUp().Choose("miCopy");
    const int16_t tempRow = chart.FindTimeBarRow(control.TempBarKey());
    const int16_t tempBar = chart.FindTimeBarInRow(control.TempBarKey(), tempRow);
    chart.DragBar(tempRow, tempBar, tempRow, before.Start.Day + 1, before.Start.Minute);

    const std::string start = std::to_string(before.Start.ToPayloadSeconds() + 86400);
    const std::string end = std::to_string(before.End.ToPayloadSeconds() + 86400);
    EXPECT_EQ(control.rescheduling().Xml(),
              "<Saveres><Rescheduleinfo company=\"\" workorder=\"WO-24014\" position=\"10\" "
              "subact=\"10\" starttime=\"" +
                  start + "\" endtime=\"" + end +
                  "\" method=\"\" reschangeflg=\"N\" newresource=\"\" oldresource=\"\"/>"
                  "</Saveres>");
    EXPECT_EQ(control.TempBarKey(), "");

    control.mnuSchedPopUp().Choose("miRefresh");
    EXPECT_EQ(control.rescheduling().Xml(), "<Saveres/>");
    EXPECT_EQ(chart.Bar(rushRow, rushBar).Start, before.Start);
}

}  // namespace
}  // namespace tessaro
