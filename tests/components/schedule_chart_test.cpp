#include <tessaro/components/schedule_chart.hpp>

#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/error_code.hpp"
#include "support/recording_sink.hpp"

namespace tessaro {
namespace {

using ::testing::ElementsAre;

using testing::RecordingSink;

class ScheduleChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.SetEventSink(&sink);
        chart.AddRow("R1;Lathe");
        chart.AddRow("R2;Mill");
        chart.AddRow("R3;Oven");
    }

    int16_t AddBar(int16_t row, int32_t startDay, int32_t startMinute, int32_t endDay,
                   int32_t endMinute, std::string key = {}) {
        return chart.AddTimeBar(row, startMinute, endMinute, startDay, endDay, std::move(key));
    }

    ScheduleChart chart;
    RecordingSink sink;
};

TEST_F(ScheduleChartTest, GesturesRaiseTheirNotificationsInOrder) {
    AddBar(1, 100, 60, 100, 120);
    AddBar(1, 100, 200, 100, 300);
    AddBar(2, 100, 0, 100, 30);

    chart.ClickBar(1, 2);
    chart.DoubleClickBar(1, 1);
    chart.RightClickBar(2, 1);
    chart.HoverBar(1, 2);
    chart.RequestBarRemoval(1, 1, true);
    chart.RequestBarRemoval(1, 1, false);
    chart.RaiseGestureFlagsSet();
    chart.DragBarStart(1, 1, 100, 30);
    chart.DragBarEnd(1, 1, 100, 150);
    chart.DragBar(1, 2, 1, 101, 0);
    chart.DragBar(1, 2, 3, 101, 0);

    EXPECT_THAT(
        sink.log,
        ElementsAre("BarClick 1,2", "BarSelected 1,2", "BarChosen 1,1", "BarRightClick 2,1",
                    "BarHovered 1,2", "BarRemoveRequest 1,1,yes", "BarRemoveRequest 1,1,no",
                    "GestureFlagsSet", "BarChanging 1,1,2", "BarChanged 1,1", "BarChanging 1,1,3",
                    "BarChanged 1,1", "BarChanging 1,2,1", "BarChanged 1,2", "BarChanging 1,2,1",
                    "BarRowChanging 1,2,3", "BarChanged 3,1"));
}

TEST_F(ScheduleChartTest, RemovalRequestLeavesTheRemovalToTheHandler) {
    AddBar(1, 100, 60, 100, 120);
    chart.RequestBarRemoval(1, 1, true);
    EXPECT_EQ(chart.TimeBarCount(1), 1);
}

TEST_F(ScheduleChartTest, TimeWritesRaiseBarChangedBeforeReturning) {
    AddBar(1, 100, 60, 100, 120);
    std::vector<int32_t> seenStartMinutes;
    sink.react = [&](const std::string& name, int16_t row, int16_t bar) {
        if (name == "BarChanged") {
            seenStartMinutes.push_back(chart.TimeBarStartMinute(row, bar));
        }
    };

    chart.MoveTimeBar(1, 1, 90, 150, 101, 101);
    chart.SetTimeBarStartMinute(1, 1, 95);
    chart.SetTimeBarStartDay(1, 1, 101);
    chart.SetTimeBarEndMinute(1, 1, 160);
    chart.SetTimeBarEndDay(1, 1, 102);

    EXPECT_THAT(seenStartMinutes, ElementsAre(90, 95, 95, 95, 95));
    EXPECT_EQ(sink.log.size(), 5u);
    EXPECT_EQ(chart.TimeBarEndDay(1, 1), 102);
    EXPECT_EQ(chart.TimeBarEndMinute(1, 1), 160);
}

TEST_F(ScheduleChartTest, PlainWritesRaiseNothing) {
    AddBar(1, 100, 60, 100, 120, "K");
    chart.SetTimeBarKey(1, 1, "K2");
    chart.SetTimeBarTag(1, 1, "tag");
    chart.SetTimeBarKind(1, 1, 2000);
    chart.SetTimeBarColour(1, 1, 255);
    chart.SetTimeBarText(1, 1, ".");
    chart.SetTimeBarStyle(1, 1, chart.AddBarStyle(15, 0));
    AddBar(1, 100, 60, 100, 120);
    chart.RemoveTimeBar(1, 2);
    EXPECT_TRUE(sink.log.empty());
}

TEST_F(ScheduleChartTest, HandlerMayRemoveTheBarItIsToldAbout) {
    AddBar(1, 100, 60, 100, 120, "A");
    AddBar(1, 100, 200, 100, 300, "B");
    sink.react = [&](const std::string& name, int16_t row, int16_t bar) {
        if (name == "BarChanged") {
            chart.RemoveTimeBar(row, bar);
        }
    };

    chart.MoveTimeBar(1, 1, 0, 10, 100, 100);

    ASSERT_EQ(chart.TimeBarCount(1), 1);
    EXPECT_EQ(chart.TimeBarKey(1, 1), "B");
    EXPECT_EQ(chart.FindTimeBarRow("A"), 0);
}

TEST_F(ScheduleChartTest, GestureStopsQuietlyWhenAHandlerRemovedItsBar) {
    AddBar(1, 100, 60, 100, 120, "A");
    AddBar(1, 100, 200, 100, 300, "B");
    sink.react = [&](const std::string& name, int16_t row, int16_t bar) {
        if (name == "BarChanging" || name == "BarClick") {
            chart.RemoveTimeBar(row, bar);
        }
    };

    chart.DragBar(1, 1, 2, 105, 0);
    chart.ClickBar(1, 1);

    EXPECT_THAT(sink.log, ElementsAre("BarChanging 1,1,1", "BarClick 1,1"));
    EXPECT_EQ(chart.RowCount(), 3);
    EXPECT_EQ(chart.TimeBarCount(1), 0);
    EXPECT_EQ(chart.TimeBarCount(2), 0);
}

TEST_F(ScheduleChartTest, DragToAnotherRowMovesTheBarAndKeepsItsLength) {
    AddBar(1, 100, 1400, 101, 20, "A");
    chart.DragBar(1, 1, 2, 110, 1430);

    EXPECT_EQ(chart.TimeBarCount(1), 0);
    ASSERT_EQ(chart.TimeBarCount(2), 1);
    EXPECT_EQ(chart.FindTimeBarRow("A"), 2);
    const ChartBar& bar = chart.Bar(2, 1);
    EXPECT_EQ(bar.Start, (ChartTime{110, 1430}));
    EXPECT_EQ(bar.End, (ChartTime{111, 50}));
}

TEST_F(ScheduleChartTest, CancelledRowChangeKeepsTheRowButTakesTheNewTimes) {
    AddBar(1, 100, 60, 100, 120, "A");
    sink.react = [&](const std::string& name, int16_t, int16_t) {
        if (name == "BarRowChanging") {
            chart.CancelRowChange();
        }
    };

    chart.DragBar(1, 1, 2, 103, 0);

    EXPECT_EQ(chart.TimeBarCount(2), 0);
    EXPECT_EQ(chart.FindTimeBarRow("A"), 1);
    EXPECT_EQ(chart.Bar(1, 1).Start, (ChartTime{103, 0}));
    EXPECT_EQ(sink.log.back(), "BarChanged 1,1");
}

TEST_F(ScheduleChartTest, CancelRowChangeOutsideTheNotificationIsRefused) {
    EXPECT_EQ(ErrorCode([&] { chart.CancelRowChange(); }), 5);
}

TEST_F(ScheduleChartTest, MinutesOutsideTheDayAreCarriedIntoIt) {
    struct Case {
        int32_t day, minute, expectedDay, expectedMinute;
    };
    const Case cases[] = {
        {100, 0, 100, 0},    {100, 1439, 100, 1439}, {100, 1440, 101, 0}, {100, 1500, 101, 60},
        {100, 2880, 102, 0}, {100, -1, 99, 1439},    {100, -1440, 99, 0}, {100, -1441, 98, 1439},
    };
    for (const Case& c : cases) {
        const int16_t bar = chart.AddUnkeyedTimeBar(1, c.minute, 0, c.day, c.day);
        EXPECT_EQ(chart.TimeBarStartDay(1, bar), c.expectedDay) << c.minute;
        EXPECT_EQ(chart.TimeBarStartMinute(1, bar), c.expectedMinute) << c.minute;
        chart.SetTimeBarEndMinute(1, bar, c.minute);
        EXPECT_EQ(chart.TimeBarEndDay(1, bar), c.expectedDay) << c.minute;
        EXPECT_EQ(chart.TimeBarEndMinute(1, bar), c.expectedMinute) << c.minute;
    }
}

TEST_F(ScheduleChartTest, OverlapUsesHalfOpenSpans) {
    struct Case {
        int32_t startMinute, endMinute;
        bool overlaps;
    };
    // The searched bar runs from minute 100 to 200 of day 10.
    const Case cases[] = {
        {0, 100, false},  {200, 300, false}, {0, 101, true},    {199, 300, true},
        {120, 150, true}, {50, 250, true},   {150, 150, false}, {100, 200, true},
    };
    for (const Case& c : cases) {
        ScheduleChart fresh;
        fresh.AddRow("R1;A");
        fresh.AddUnkeyedTimeBar(1, 100, 200, 10, 10);
        fresh.AddUnkeyedTimeBar(1, c.startMinute, c.endMinute, 10, 10);
        EXPECT_EQ(fresh.FirstConflictingTimeBar(1, 1, 1), c.overlaps ? 2 : 0)
            << c.startMinute << ".." << c.endMinute;
    }
}

TEST_F(ScheduleChartTest, ConflictSearchWalksEveryOverlapOnceAndSkipsTheSearchedBar) {
    AddBar(1, 10, 0, 10, 60);     // 1: overlaps
    AddBar(1, 10, 100, 10, 200);  // 2: the searched bar
    AddBar(1, 10, 300, 10, 400);  // 3: after it
    AddBar(1, 10, 150, 11, 0);    // 4: overlaps
    AddBar(1, 9, 0, 10, 120);     // 5: overlaps across midnight
    chart.SetTimeBarKind(1, 5, 1000);

    std::vector<int16_t> found;
    for (int16_t bar = chart.FirstConflictingTimeBar(1, 2, 1); bar >= 1;
         bar = chart.NextConflictingTimeBar(1, 2, 1)) {
        found.push_back(bar);
    }
    EXPECT_THAT(found, ElementsAre(4, 5));
    EXPECT_EQ(chart.NextConflictingTimeBar(1, 2, 1), 0);
    EXPECT_EQ(chart.FirstConflictingTimeBar(1, 1, 1), 5);
}

TEST_F(ScheduleChartTest, KeyIndexFollowsAddRemoveKeyWritesAndRowMoves) {
    AddBar(2, 1, 0, 1, 10, "A");
    AddBar(1, 1, 0, 1, 10, "B");
    AddBar(1, 1, 0, 1, 10, "A");
    AddBar(3, 1, 0, 1, 10, "A");
    EXPECT_EQ(chart.FindTimeBarRow("A"), 1);
    EXPECT_EQ(chart.FindTimeBarInRow("A", 1), 2);
    EXPECT_EQ(chart.FindTimeBarInRow("A", 2), 1);

    chart.RemoveTimeBar(1, 1);
    EXPECT_EQ(chart.FindTimeBarInRow("A", 1), 1);
    EXPECT_EQ(chart.FindTimeBarRow("B"), 0);

    chart.SetTimeBarKey(1, 1, "C");
    EXPECT_EQ(chart.FindTimeBarRow("A"), 2);
    EXPECT_EQ(chart.FindTimeBarInRow("C", 1), 1);

    chart.DragBar(2, 1, 3, 5, 0);
    EXPECT_EQ(chart.FindTimeBarRow("A"), 3);
    EXPECT_EQ(chart.FindTimeBarInRow("A", 3), 1);
    EXPECT_EQ(chart.FindTimeBarInRow("A", 2), 0);

    chart.ClearRows();
    EXPECT_EQ(chart.FindTimeBarRow("A"), 0);
    EXPECT_EQ(chart.FindTimeBarRow("C"), 0);
}

TEST_F(ScheduleChartTest, KeyGroupsGatherEveryKeyOfAWorkOrder) {
    using Bars = std::vector<std::pair<int16_t, int16_t>>;
    AddBar(3, 1, 0, 1, 10, "WO1$2$2");
    AddBar(1, 1, 0, 1, 10, "WO1$1$9");
    AddBar(1, 1, 0, 1, 10, "WO10$1$1");
    AddBar(1, 1, 0, 1, 10, "WO1");
    AddBar(2, 1, 0, 1, 10, "wo1$1$1");
    EXPECT_EQ(chart.FindTimeBarsInKeyGroup("WO1"), (Bars{{1, 1}, {1, 3}, {3, 1}}));
    EXPECT_EQ(chart.FindTimeBarsInKeyGroup("WO10"), (Bars{{1, 2}}));
    EXPECT_EQ(chart.FindTimeBarsInKeyGroup("WO"), Bars{});
    EXPECT_EQ(chart.FindTimeBarsInKeyGroup(""), Bars{});
    // Exact keys are still told apart within a group.
    EXPECT_EQ(chart.FindTimeBarRow("WO1$2$2"), 3);
    EXPECT_EQ(chart.FindTimeBarInRow("WO1$2$2", 1), 0);
    EXPECT_EQ(chart.FindTimeBarInRow("WO1", 1), 3);

    chart.RemoveTimeBar(1, 1);
    chart.SetTimeBarKey(3, 1, "WO2$1$1");
    EXPECT_EQ(chart.FindTimeBarsInKeyGroup("WO1"), (Bars{{1, 2}}));
    EXPECT_EQ(chart.FindTimeBarsInKeyGroup("WO2"), (Bars{{3, 1}}));
}

// A bar moved to an index keeps its identity; every look-up by index follows it.
TEST_F(ScheduleChartTest, SetTimeBarIndexMovesABarWithinItsRow) {
    const auto keys = [this] {
        std::string joined;
        for (int16_t bar = 1; bar <= chart.TimeBarCount(1); ++bar) {
            joined += chart.TimeBarKey(1, bar);
        }
        return joined;
    };
    for (const char* key : {"A", "B", "C", "D"}) {
        AddBar(1, 1, 0, 1, 10, key);
    }
    const uint64_t d = chart.TimeBarId(1, 4);
    chart.SetTimeBarIndex(1, 4, 2);
    EXPECT_EQ(keys(), "ADBC");
    EXPECT_EQ(chart.FindTimeBarById(d, 1), std::make_pair(int16_t{1}, int16_t{2}));
    EXPECT_EQ(chart.FindTimeBarInRow("C", 1), 4);
    chart.SetTimeBarIndex(1, 1, 3);
    EXPECT_EQ(keys(), "DBAC");
    EXPECT_EQ(chart.FindTimeBarInRow("A", 1), 3);
    EXPECT_EQ(chart.FindTimeBarsInKeyGroup("A"),
              (std::vector<std::pair<int16_t, int16_t>>{{1, 3}}));
    chart.SetTimeBarIndex(1, 2, 2);
    EXPECT_EQ(ErrorCode([&] { chart.SetTimeBarIndex(1, 2, 5); }), 5);
    EXPECT_EQ(ErrorCode([&] { chart.SetTimeBarIndex(1, 2, 0); }), 5);
    EXPECT_EQ(ErrorCode([&] { chart.SetTimeBarIndex(1, 5, 1); }), 5);
    EXPECT_EQ(keys(), "DBAC");
}

TEST_F(ScheduleChartTest, TheEmptyKeyNamesNoBar) {
    AddBar(1, 1, 0, 1, 10);
    chart.AddUnkeyedTimeBar(2, 0, 10, 1, 1);
    EXPECT_EQ(chart.FindTimeBarRow(""), 0);
    EXPECT_EQ(chart.FindTimeBarInRow("", 1), 0);
    EXPECT_EQ(chart.FindTimeBarInRow("A", 0), 0);
}

TEST_F(ScheduleChartTest, BadIndicesRaiseInvalidArgument) {
    AddBar(1, 1, 0, 1, 10);
    const std::vector<std::function<void()>> calls = {
        [&] { chart.RowText(0); },
        [&] { chart.RowText(4); },
        [&] { chart.TimeBarCount(-1); },
        [&] { chart.TimeBarKey(1, 2); },
        [&] { chart.TimeBarKind(2, 1); },
        [&] { chart.RemoveTimeBar(1, 0); },
        [&] { chart.AddTimeBar(4, 0, 10, 1, 1, "X"); },
        [&] { chart.SetTimeBarStyle(1, 1, 1); },
        [&] { chart.Style(1); },
        [&] { chart.DragBar(1, 1, 4, 1, 0); },
        [&] { chart.ClickBar(2, 1); },
        [&] { chart.ShowTimeBar(1, 2); },
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(ErrorCode(calls[i]), 5) << "call " << i;
    }
    EXPECT_TRUE(sink.log.empty());
}

TEST_F(ScheduleChartTest, RowColumnTextSplitsAtSemicolons) {
    chart.AddRow("R;4;Paint line");
    chart.AddRow("NoSeparator");
    EXPECT_EQ(chart.RowColumnText(1, 1), "R1");
    EXPECT_EQ(chart.RowColumnText(1, 2), "Lathe");
    EXPECT_EQ(chart.RowColumnText(1, 3), "");
    EXPECT_EQ(chart.RowColumnText(4, 1), "R");
    EXPECT_EQ(chart.RowColumnText(4, 3), "Paint line");
    EXPECT_EQ(chart.RowColumnText(5, 1), "NoSeparator");
}

TEST_F(ScheduleChartTest, RowsAreLimitedTo16Bits) {
    ScheduleChart big;
    for (int i = 0; i < 32767; ++i) {
        big.AddRow("R");
    }
    EXPECT_EQ(big.RowCount(), 32767);
    EXPECT_EQ(ErrorCode([&] { big.AddRow("R"); }), 6);
    EXPECT_EQ(big.RowCount(), 32767);
}

TEST_F(ScheduleChartTest, AFullRowRefusesBarsWithoutLosingTheDraggedOne) {
    for (int i = 0; i < 32767; ++i) {
        AddBar(2, 1, 0, 1, 10);
    }
    EXPECT_EQ(ErrorCode([&] { AddBar(2, 1, 0, 1, 10); }), 6);
    AddBar(1, 5, 0, 5, 10, "A");

    EXPECT_EQ(ErrorCode([&] { chart.DragBar(1, 1, 2, 6, 0); }), 6);
    EXPECT_EQ(chart.TimeBarCount(2), 32767);
    EXPECT_EQ(chart.FindTimeBarRow("A"), 1);
}

// Look-ups over rows and bars reach the last of 32767 and stop there.
TEST_F(ScheduleChartTest, LookUpsReachTheLastOf32767RowsAndBars) {
    ScheduleChart big;
    big.AddRows(std::vector<std::string>(32767, "R"));
    // Bars that only touch, but for the last one, which overlaps the one before it.
    std::vector<ChartBar> bars(32767);
    for (size_t i = 0; i < bars.size(); ++i) {
        const auto minute = static_cast<int32_t>(i) * 10;
        bars[i].Start = {1, minute};
        bars[i].End = {1, minute + 10};
    }
    bars.back().Start = {1, 32765 * 10 + 5};
    bars.back().Key = "WO9$1$1";
    big.AppendTimeBars(32767, bars);
    const uint64_t last = big.TimeBarId(32767, 32767);

    EXPECT_EQ(big.FindTimeBarById(last, 1), (std::pair<int16_t, int16_t>{32767, 32767}));
    EXPECT_EQ(big.FindTimeBarInRow("WO9$1$1", 32767), 32767);
    EXPECT_EQ(big.FirstConflictingTimeBar(32767, 32767, 32767), 32766);
    EXPECT_EQ(big.NextConflictingTimeBar(32767, 32767, 32767), 0);
    EXPECT_EQ(big.FirstConflictingTimeBar(32767, 32766, 32767), 32767);
    EXPECT_EQ(big.NextConflictingTimeBar(32767, 32766, 32767), 0);
    // A bar that went is looked for on every row, and on none after the last.
    big.RemoveTimeBar(32767, 32767);
    EXPECT_EQ(big.FindTimeBarById(last, 1), (std::pair<int16_t, int16_t>{0, 0}));
    EXPECT_EQ(big.FindTimeBarById(last, 32767), (std::pair<int16_t, int16_t>{0, 0}));
}

TEST_F(ScheduleChartTest, TimeWritesInsideBarChangedNotifyAgainBeforeReturning) {
    AddBar(1, 100, 60, 100, 120);
    int depth = 0;
    std::vector<std::string> order;
    sink.react = [&](const std::string& name, int16_t row, int16_t bar) {
        if (name != "BarChanged") {
            return;
        }
        order.push_back("enter " + std::to_string(chart.TimeBarStartMinute(row, bar)));
        if (++depth == 1) {
            // Put the start back, the way a handler undoes a refused stretch.
            chart.SetTimeBarStartMinute(row, bar, 60);
        }
        order.push_back("leave");
    };

    chart.DragBarStart(1, 1, 100, 30);

    EXPECT_THAT(order, ElementsAre("enter 30", "enter 60", "leave", "leave"));
    EXPECT_EQ(chart.TimeBarStartMinute(1, 1), 60);
}

TEST_F(ScheduleChartTest, AFailingRowChangeHandlerLeavesNoRowChangeOpen) {
    AddBar(1, 100, 60, 100, 120, "A");
    sink.react = [&](const std::string& name, int16_t, int16_t) {
        if (name == "BarRowChanging") {
            throw MakeRuntimeError(RuntimeError::Overflow);
        }
    };

    EXPECT_EQ(ErrorCode([&] { chart.DragBar(1, 1, 2, 101, 0); }), 6);
    EXPECT_EQ(chart.FindTimeBarRow("A"), 1);
    EXPECT_EQ(chart.Bar(1, 1).Start, (ChartTime{100, 60}));
    EXPECT_EQ(ErrorCode([&] { chart.CancelRowChange(); }), 5);
}

TEST_F(ScheduleChartTest, SettingLogKeepsEveryWriteInOrder) {
    chart.SetSettingFlag(80, true);
    chart.SetSetting(33, 0);
    chart.SetDayNames("Sun;");
    chart.SetSetting(33, 0);
    chart.SetTimeScale(250);

    EXPECT_EQ(chart.Setting(80), -1);
    EXPECT_EQ(chart.Setting(99), std::nullopt);
    EXPECT_THAT(
        chart.SettingLog(),
        ElementsAre(ChartSettingWrite{80, -1}, ChartSettingWrite{33, 0},
                    ChartSettingWrite{chart_property::kDayNames, std::string("Sun;")},
                    ChartSettingWrite{33, 0}, ChartSettingWrite{chart_property::kTimeScale, 250}));
}

TEST_F(ScheduleChartTest, ViewsAreToldWhatChanged) {
    std::vector<ChartChange::Kind> seen;
    const int id = chart.Changed.Subscribe([&](const ChartChange& c) { seen.push_back(c.What); });
    AddBar(1, 1, 0, 1, 10);
    chart.ShowTimeBar(1, 1);
    chart.RedrawChart();
    chart.Changed.Unsubscribe(id);
    chart.ClearRows();

    EXPECT_THAT(seen, ElementsAre(ChartChange::Kind::Bar, ChartChange::Kind::ShowBar,
                                  ChartChange::Kind::Redraw));
    EXPECT_EQ(chart.LastShownBar(), (std::pair<int16_t, int16_t>{1, 1}));
    EXPECT_EQ(chart.RedrawCount(), 1);
}

// A held command reaches views once, thinned to what still stands; a listener that throws keeps
// no other from hearing, and its exception comes afterwards.
TEST_F(ScheduleChartTest, HeldChangesReachEveryViewOnceTheCommandStandsWhole) {
    using Kind = ChartChange::Kind;
    const auto held = [&](const std::function<void()>& command) {
        std::vector<ChartChange> seen;
        const int throwing = chart.Changed.Subscribe([](const ChartChange&) { throw 1; });
        const int id = chart.Changed.Subscribe([&](const ChartChange& c) { seen.push_back(c); });
        chart.HoldChanges();
        command();
        EXPECT_TRUE(seen.empty());
        EXPECT_THROW(chart.ReleaseChanges(), int);
        chart.Changed.Unsubscribe(throwing);
        chart.Changed.Unsubscribe(id);
        return seen;
    };
    const int16_t bar = AddBar(2, 1, 0, 1, 10);
    EXPECT_THAT(held([&] {
                    chart.SetTimeBarText(2, bar, "a");
                    chart.ShowTimeBar(2, bar);
                    chart.RemoveTimeBar(2, bar);
                    chart.SetTimeBarText(1, AddBar(1, 1, 0, 1, 10), "b");
                    chart.RedrawChart();
                    chart.RedrawChart();
                }),
                ElementsAre(ChartChange{Kind::Bars, 2}, ChartChange{Kind::Bar, 1, 1},
                            ChartChange{Kind::Redraw}));
    EXPECT_THAT(held([&] {
                    chart.SetTimeBarText(1, 1, "c");
                    chart.AddRow("R4;Paint");
                    chart.ShowTimeBar(1, 1);
                }),
                ElementsAre(ChartChange{Kind::Rows}, ChartChange{Kind::ShowBar, 1, 1}));
}

}  // namespace
}  // namespace tessaro
