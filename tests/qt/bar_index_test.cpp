#include "bar_index.hpp"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessaro::qt_detail
