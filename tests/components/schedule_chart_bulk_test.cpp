#include <tessaro/components/schedule_chart.hpp>

#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/error_code.hpp"

namespace tessaro {
namespace {

ChartBar MakeBar(int32_t day, int32_t startMinute, int32_t endMinute, std::string key,
                 int16_t style) {
    ChartBar bar;
    bar.Start = {day, startMinute};
    bar.End = {day, endMinute};
    bar.Key = std::move(key);
    bar.Tag = "record of " + bar.Key;
    bar.Text = ".";
    bar.Kind = 7;
    bar.Colour = 255;
    bar.Style = style;
    return bar;
}

// A chart with two rows and one style, holding one bar already on row 1.
class ScheduleChartBulkTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (ScheduleChart* chart : {&bulk, &single}) {
            chart->AddRow("R1;Lathe");
            chart->AddRow("R2;Mill");
            chart->AddBarStyle(27, 0);
            chart->AddTimeBar(1, 0, 60, 100, 100, "WO1$1$3");
        }
    }

    // The same bars through the one-by-one entry points.
    void AddOneByOne(int16_t row, const std::vector<ChartBar>& bars) {
        for (const ChartBar& bar : bars) {
            const int16_t index = single.AddTimeBar(row, bar.Start.Minute, bar.End.Minute,
                                                    bar.Start.Day, bar.End.Day, bar.Key);
            single.SetTimeBarTag(row, index, bar.Tag);
            single.SetTimeBarText(row, index, bar.Text);
            single.SetTimeBarKind(row, index, bar.Kind);
            single.SetTimeBarColour(row, index, bar.Colour);
            single.SetTimeBarStyle(row, index, bar.Style);
        }
    }

    ScheduleChart bulk;
    ScheduleChart single;
};

TEST_F(ScheduleChartBulkTest, AppendedBarsMatchBarsAddedOneByOne) {
    // Minutes past the end of the day carry into the next day, as AddTimeBar carries them.
    const std::vector<ChartBar> row1{MakeBar(100, 60, 120, "WO1$2$3", 1),
                                     MakeBar(100, 1400, 1500, "WO2$1$1", 0)};
    const std::vector<ChartBar> row2{MakeBar(101, 0, 30, "WO1$3$3", 1),
                                     MakeBar(101, 30, 60, "", 0)};
    for (const auto& [row, bars] : {std::pair{int16_t{1}, row1}, std::pair{int16_t{2}, row2}}) {
        std::vector<ChartBar> moved = bars;
        bulk.ReserveKeyGroups(bars.size());
        bulk.AppendTimeBars(row, moved);
        AddOneByOne(row, bars);
    }

    for (int16_t row = 1; row <= 2; ++row) {
        ASSERT_EQ(bulk.TimeBarCount(row), single.TimeBarCount(row));
        for (int16_t bar = 1; bar <= bulk.TimeBarCount(row); ++bar) {
            const ChartBar& got = bulk.Bar(row, bar);
            const ChartBar& want = single.Bar(row, bar);
            EXPECT_EQ(got.Start, want.Start) << row << "," << bar;
            EXPECT_EQ(got.End, want.End) << row << "," << bar;
            EXPECT_EQ(std::tie(got.Key, got.Tag, got.Text, got.Kind, got.Colour, got.Style),
                      std::tie(want.Key, want.Tag, want.Text, want.Kind, want.Colour, want.Style));
        }
    }
    for (const std::string key : {"WO1$1$3", "WO1$2$3", "WO1$3$3", "WO2$1$1", "WO3$1$1"}) {
        EXPECT_EQ(bulk.FindTimeBarRow(key), single.FindTimeBarRow(key)) << key;
        EXPECT_EQ(bulk.FindTimeBarInRow(key, 2), single.FindTimeBarInRow(key, 2)) << key;
    }
    EXPECT_EQ(bulk.FindTimeBarsInKeyGroup("WO1"), single.FindTimeBarsInKeyGroup("WO1"));
    // A bar appended in bulk is an ordinary bar: it can be removed and moved like any other.
    bulk.RemoveTimeBar(1, 1);
    EXPECT_EQ(bulk.FindTimeBarInRow("WO1$2$3", 1), 1);
}

TEST_F(ScheduleChartBulkTest, OneNotificationForTheRow) {
    std::vector<ChartChange> changes;
    bulk.Changed.Subscribe([&](const ChartChange& change) { changes.push_back(change); });
    std::vector<ChartBar> bars{MakeBar(100, 60, 120, "A$1$1", 0),
                               MakeBar(100, 60, 120, "B$1$1", 0)};
    bulk.AppendTimeBars(2, bars);
    ASSERT_EQ(changes.size(), 1U);
    EXPECT_EQ(changes[0].What, ChartChange::Kind::Bar);
    EXPECT_EQ(changes[0].Row, 2);
    EXPECT_EQ(changes[0].Bar, 1);
}

TEST_F(ScheduleChartBulkTest, RowsAddedTogetherFollowTheRowsThereWereWithOneNotification) {
    std::vector<ChartChange> changes;
    bulk.Changed.Subscribe([&](const ChartChange& change) { changes.push_back(change); });
    bulk.AddRows({"R3;Oven", "R4;Press"});
    ASSERT_EQ(bulk.RowCount(), 4);
    EXPECT_EQ(bulk.RowText(3), "R3;Oven");
    EXPECT_EQ(bulk.RowText(4), "R4;Press");
    EXPECT_EQ(bulk.TimeBarCount(3), 0);
    ASSERT_EQ(changes.size(), 1U);
    EXPECT_EQ(changes[0].What, ChartChange::Kind::Rows);
    EXPECT_EQ(changes[0].Row, 0);

    const std::size_t room = std::numeric_limits<int16_t>::max() - 4;
    EXPECT_EQ(ErrorCode([&] { bulk.AddRows(std::vector<std::string>(room + 1, "R;x")); }), 6);
    EXPECT_EQ(bulk.RowCount(), 4);
    bulk.AddRows(std::vector<std::string>(room, "R;x"));
    EXPECT_EQ(bulk.RowCount(), std::numeric_limits<int16_t>::max());
}

TEST_F(ScheduleChartBulkTest, RefusedBatchAddsNothing) {
    const int16_t kMax = std::numeric_limits<int16_t>::max();
    struct Case {
        const char* name;
        int16_t row;
        std::vector<ChartBar> bars;
        int32_t error;
    };
    std::vector<Case> cases{
        {"row 0", 0, {MakeBar(100, 0, 10, "A$1$1", 0)}, 5},
        {"row past the last", 3, {MakeBar(100, 0, 10, "A$1$1", 0)}, 5},
        {"style that does not exist, after a good bar",
         1,
         {MakeBar(100, 0, 10, "A$1$1", 1), MakeBar(100, 0, 10, "B$1$1", 2)},
         5},
        {"row would pass 32767 bars", 1, std::vector<ChartBar>(kMax, ChartBar{}), 6},
    };
    for (Case& c : cases) {
        EXPECT_EQ(ErrorCode([&] { bulk.AppendTimeBars(c.row, c.bars); }), c.error) << c.name;
        EXPECT_EQ(bulk.TimeBarCount(1), 1) << c.name;
        EXPECT_EQ(bulk.TimeBarCount(2), 0) << c.name;
        EXPECT_EQ(bulk.FindTimeBarRow("A$1$1"), 0) << c.name;
    }
}

}  // namespace
}  // namespace tessaro
