#include "bar_index.hpp"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tessaro/bars/chart_conventions.hpp>

#include "bar_hit.hpp"
#include "chart_geometry.hpp"
#include "conflict_navigation.hpp"
#include "sub_lanes.hpp"

namespace tessaro::qt_detail {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<int16_t> BarsIn(const RowBarIndex& index, int64_t from, int64_t to) {
    std::vector<int16_t> bars;
    index.forEachIn(from, to, [&](const RowBarIndex::Entry& e) { bars.push_back(e.bar); });
    std::sort(bars.begin(), bars.end());
    return bars;
}

class RowBarIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Bar 1 is long and early: the running maximum of ends must still find it.
        index.rebuild({{0, 1000, 1}, {100, 200, 2}, {300, 300, 3}, {250, 400, 4}, {900, 950, 5}});
    }
    RowBarIndex index;
};

TEST_F(RowBarIndexTest, FindsExactlyTheBarsMeetingAWindow) {
    const struct {
        int64_t from, to;
        std::vector<int16_t> bars;
    } cases[] = {
        {150, 160, {1, 2}},            // inside bar 2 and the long bar
        {300, 300, {1, 3, 4}},         // a zero-length bar at the window is still found
        {201, 249, {1}},               // between bars 2 and 4
        {950, 950, {1, 5}},            // touching an end counts
        {1001, 2000, {}},              // after every bar
        {-50, -1, {}},                 // before every bar
        {-50, 5000, {1, 2, 3, 4, 5}},  // around everything
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BarsIn(index, c.from, c.to), c.bars) << c.from << ".." << c.to;
    }
}

TEST_F(RowBarIndexTest, ReversedBarsAreIndexedEndFirst) {
    index.rebuild({{500, 100, 7}});
    EXPECT_THAT(BarsIn(index, 200, 210), ElementsAre(7));
    EXPECT_THAT(BarsIn(index, 600, 700), IsEmpty());
}

TEST(RowBarIndexRandomTest, AgreesWithAFullScanOnManyWindows) {
    std::mt19937 random(20020107);
    std::uniform_int_distribution<int64_t> start(0, 500000);
    std::uniform_int_distribution<int64_t> length(0, 5000);
    std::vector<RowBarIndex::Entry> entries;
    for (int16_t bar = 1; bar <= 2000; ++bar) {
        const int64_t s = start(random);
        entries.push_back({s, s + length(random), bar});
    }
    RowBarIndex index;
    index.rebuild(entries);
    for (int query = 0; query < 300; ++query) {
        const int64_t from = start(random);
        const int64_t to = from + length(random) * 3;
        std::vector<int16_t> expected;
        for (const auto& e : entries) {
            if (e.end >= from && e.start <= to) {
                expected.push_back(e.bar);
            }
        }
        ASSERT_EQ(BarsIn(index, from, to), expected) << from << ".." << to;
    }
}

TEST(ChartBarIndexTest, RebuildsOnlyRowsMarkedDirty) {
    ScheduleChart chart;
    chart.AddRow("R1");
    chart.AddRow("R2");
    chart.AddTimeBar(1, 0, 60, 10, 10, "a");
    chart.AddTimeBar(2, 0, 60, 20, 20, "b");
    ChartBarIndex index;
    const int64_t day10 = 10 * 1440;
    EXPECT_EQ(index.row(chart, 1).size(), 1u);

    // A change the index was not told about stays unseen: rows are rebuilt on demand only.
    chart.AddTimeBar(1, 120, 180, 10, 10, "c");
    EXPECT_EQ(index.row(chart, 1).size(), 1u);
    index.markRowDirty(1);
    EXPECT_THAT(BarsIn(index.row(chart, 1), day10 + 100, day10 + 200), ElementsAre(2));

    // A new row makes every row current again.
    chart.AddRow("R3");
    chart.AddTimeBar(2, 0, 60, 30, 30, "d");
    EXPECT_EQ(index.row(chart, 2).size(), 2u);
    EXPECT_EQ(index.row(chart, 3).size(), 0u);

    chart.MoveTimeBar(2, 1, 0, 60, 40, 40);
    index.markAllDirty();
    EXPECT_THAT(BarsIn(index.row(chart, 2), 40 * 1440, 40 * 1440 + 10), ElementsAre(1));
}

// Two rows of 20 pixels under a 40-pixel header, a 100-pixel list, a day of 1440 pixels from day
// 10 on: a minute is a pixel, minute m of day 10 lies at x = 101 + m.
class ChartGeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        layout.rowHeight = 20;
        layout.headerHeight = 40;
        layout.listWidth = 100;
        layout.axis = TimeAxis(10, 12, 1440);
        chart.AddRow("R1");
        chart.AddRow("R2");
        block = chart.AddTimeBar(1, 0, 600, 10, 10, "block");
        chart.SetTimeBarKind(1, block, CalendarBarKind);
        early = chart.AddTimeBar(1, 100, 200, 10, 10, "early");
        late = chart.AddTimeBar(1, 150, 300, 10, 10, "late");
        for (const int16_t bar : {early, late}) {
            chart.SetTimeBarKind(1, bar, WorkOrderBarKind);
        }
    }
    ChartGeometry geometry(int scrollX = 0, int scrollY = 0) const {
        return {layout, QSize(800, 200), scrollX, scrollY, chart.RowCount()};
    }

    ChartLayout layout;
    ScheduleChart chart;
    ChartBarIndex index{WorkOrderBarKind};
    int16_t block = 0;
    int16_t early = 0;
    int16_t late = 0;
};

TEST_F(ChartGeometryTest, PlacesSpansAndRowsInTheFrame) {
    const ChartGeometry g = geometry(0, 0);
    EXPECT_EQ(g.chartArea(), QRect(QPoint(101, 40), QPoint(799, 199)));
    EXPECT_EQ(g.listArea(), QRect(0, 0, 100, 200));
    // Calendar blocks fill their row but its last line; other bars keep a margin of 4.
    EXPECT_EQ(g.spanRect(1, 14400, 14460, true), QRect(101, 40, 60, 19));
    EXPECT_EQ(g.spanRect(2, 14460, 14400, false), QRect(101, 64, 60, 12));
    EXPECT_EQ(g.spanRect(1, 14400, 14400, false).width(), 1);
    EXPECT_EQ(geometry(30, 20).spanRect(2, 14400, 14460, false), QRect(71, 44, 60, 12));
    EXPECT_EQ(g.timeAt(QPoint(161, 50)).Minute, 60);
    EXPECT_EQ(g.visibleRows(), std::make_pair(1, 2));
    EXPECT_EQ(geometry(0, 20).visibleRows(), std::make_pair(2, 2));
}

TEST_F(ChartGeometryTest, FindsTheTopmostBarAndItsPartUnderAPoint) {
    const struct {
        QPoint pos;
        int bar;
        BarZone part;
    } cases[] = {
        {{101 + 120, 50}, early, BarZone::Body},       // early alone
        {{101 + 175, 50}, late, BarZone::Body},        // the later bar lies on top
        {{101 + 101, 50}, early, BarZone::StartEdge},  // within the grip of its start
        {{101 + 300, 50}, late, BarZone::EndEdge},     // and of its end
        {{101 + 400, 50}, block, BarZone::Body},       // a calendar block where no bar is
        {{101 + 120, 42}, block, BarZone::Body},       // above the bar's margin: the block
        {{101 + 120, 70}, 0, BarZone::None},           // the second row is empty
        {{101 + 120, 30}, 0, BarZone::None},           // the header
        {{50, 50}, 0, BarZone::None},                  // the resource list
        {{101 + 120, 199}, 0, BarZone::None},          // below the last row
    };
    for (const auto& c : cases) {
        const BarUnderPoint hit = FindBarAt(geometry(), chart, index, c.pos, 4);
        EXPECT_EQ(hit.bar, c.bar) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(hit.part, c.part) << c.pos.x() << "," << c.pos.y();
        EXPECT_EQ(hit.row, c.bar == 0 ? 0 : 1) << c.pos.x() << "," << c.pos.y();
    }
}

TEST_F(ChartGeometryTest, ConflictStepsGoRoundTheOverlapsInOrder) {
    // A second overlap on row 2, later in the day than row 1's.
    for (const auto& [start, end] : {std::pair(500, 700), std::pair(600, 800)}) {
        chart.SetTimeBarKind(2, chart.AddTimeBar(2, start, end, 10, 10, "x"), WorkOrderBarKind);
    }
    const int64_t day = 10 * 1440;
    const struct {
        std::pair<int, int64_t> from;
        bool backwards;
        int row;
        int64_t start;
    } cases[] = {
        {{0, 0}, false, 1, day + 150},          // from nowhere: the first overlap
        {{0, 0}, true, 2, day + 600},           // backwards: the last one
        {{1, day + 150}, false, 2, day + 600},  // on to the next row
        {{2, day + 600}, false, 1, day + 150},  // wrapping round at the end
        {{2, day + 600}, true, 1, day + 150},   // and back
        {{1, day + 150}, true, 2, day + 600},   // wrapping round at the start
    };
    for (const auto& c : cases) {
        const std::optional<ConflictStop> stop =
            FindNextConflict(index, chart, c.from, c.backwards);
        ASSERT_TRUE(stop) << c.from.first << "@" << c.from.second;
        EXPECT_EQ(stop->row, c.row) << c.from.first << "@" << c.from.second;
        EXPECT_EQ(stop->start, c.start) << c.from.first << "@" << c.from.second;
        // The earliest overlapping bar of the overlap is the one to click.
        EXPECT_EQ(stop->firstBar, c.row == 1 ? early : 1) << c.from.first << "@" << c.from.second;
    }
    ScheduleChart calm;
    calm.AddRow("R1");
    EXPECT_FALSE(FindNextConflict(index, calm, {0, 0}, false));
}

TEST(SubLanesTest, OverlappingSpansTakeTheLowestFreeLane) {
    struct Case {
        const char* what;
        std::vector<std::pair<int64_t, int64_t>> spans;
        std::vector<uint8_t> lanes;
        int count;
    };
    const std::vector<Case> cases = {
        {"apart", {{0, 10}, {20, 30}}, {0, 0}, 1},
        {"touching is not overlapping", {{0, 10}, {10, 20}}, {0, 0}, 1},
        {"two overlap", {{0, 10}, {5, 15}}, {0, 1}, 2},
        {"listed late but starting first", {{5, 15}, {0, 10}}, {1, 0}, 2},
        {"a freed lane is taken again", {{0, 100}, {10, 20}, {30, 40}}, {0, 1, 1}, 2},
        {"three at once", {{0, 30}, {10, 40}, {20, 50}, {35, 60}}, {0, 1, 2, 0}, 3},
        {"none", {}, {}, 1},
    };
    for (const Case& c : cases) {
        int count = 0;
        EXPECT_EQ(AssignLanes(c.spans, count), c.lanes) << c.what;
        EXPECT_EQ(count, c.count) << c.what;
    }
    std::vector<std::pair<int64_t, int64_t>> pile(kMaximumLanes + 3, {0, 10});
    int count = 0;
    const std::vector<uint8_t> lanes = AssignLanes(pile, count);
    EXPECT_EQ(count, kMaximumLanes);
    EXPECT_EQ(lanes.back(), kMaximumLanes - 1) << "past the last lane bars share it";
}

TEST(SubLanesTest, LanesSplitTheBarsHeightWithoutLeavingIt) {
    const QRect bar(10, 100, 50, 20);
    EXPECT_EQ(LaneRect(bar, 0, 1), bar);
    for (const int count : {2, 3, 5}) {
        int top = bar.top();
        for (int lane = 0; lane < count; ++lane) {
            const QRect part = LaneRect(bar, lane, count);
            EXPECT_GE(part.top(), top) << count << " lanes, lane " << lane;
            EXPECT_LE(part.bottom(), bar.bottom());
            EXPECT_GE(part.height(), 1);
            top = part.bottom() + 1;
        }
    }
}

}  // namespace
}  // namespace tessaro::qt_detail
