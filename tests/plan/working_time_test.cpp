#include <gtest/gtest.h>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "plan/precedence_links.hpp"
#include "plan/working_time.hpp"
#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37255;  // 1 January 2002

TEST(NearestWorkingStart, LeavesWorkingTimeAloneAndSnapsOutOfBlocksToTheNearerSide) {
    // Nights from 22:00 to 06:00 around the day 0-1440, and a lunch block 12:00-12:30.
    const MinuteSpans day = {{-120, 360}, {720, 750}, {1320, 1800}};
    // The same nights on and on, past any reach: no stretch of work is longer than 16 hours.
    MinuteSpans nights;
    for (int64_t night = -20; night < 40; ++night) {
        nights.emplace_back(night * 1440 - 120, night * 1440 + 360);
    }
    struct Case {
        const char* what;
        const MinuteSpans& blocks;
        int64_t start;
        int64_t minutes;
        int64_t expected;
    };
    const MinuteSpans none;
    const Case cases[] = {
        {"in working time", day, 480, 120, 480},
        {"ending where a block starts", day, 600, 120, 600},
        {"starting late in the night goes to its end", day, 300, 60, 360},
        {"starting early in the night goes before it", day, 1340, 60, 1260},
        {"over lunch: back to end at its start", day, 700, 30, 690},
        {"over lunch: on to its end", day, 740, 30, 750},
        {"as near either way: the later start", day, 720, 30, 750},
        {"longer than any stretch of work stays", nights, 400, 1000, 400},
        {"no blocks", none, 300, 60, 300},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NearestWorkingStart(c.blocks, c.start, c.minutes), c.expected) << c.what;
    }
    EXPECT_EQ(NearestWorkingStart(day, 300, 60, /*reach=*/60), 360) << "just within reach";
    EXPECT_EQ(NearestWorkingStart(day, 200, 60, /*reach=*/30), 200) << "out of reach";
}

// R1 works but for 12:00-13:00 and has WO1/10 08:00-10:00 and WO1/20 09:00-11:00; WO1/30 runs on
// R2 from 13:00 and WO2/10 on R1 over lunch.
class PlanTimesTest : public ::testing::Test {
protected:
    PlanTimesTest()
        : plan({{"R1", "Lathe"}, {"R2", "Mill"}},
               {Placed("R1", "WO1", 10, kDay, 480, 120), Placed("R1", "WO1", 20, kDay, 540, 120),
                Placed("R2", "WO1", 30, kDay, 780, 60), Placed("R1", "WO2", 10, kDay, 700, 60)}) {
        plan.control.LoadCalendarEvents(
            testing::CalendarXml({{"R1", "1/1/2002", "43200", "3600"}}));
    }

    int64_t Minute(int32_t minute) const { return ChartTime{kDay, minute}.AbsoluteMinutes(); }

    testing::Plan plan;
};

TEST_F(PlanTimesTest, ALoadCountsBookedMinutesAgainstTheWindowsWorkingTime) {
    const ResourceLoad day = LoadOfRow(plan.chart, 1, Minute(0), Minute(1440));
    EXPECT_EQ(day.BookedMinutes, 120 + 120 + 60);
    EXPECT_EQ(day.WorkingMinutes, 1440 - 60);
    const ResourceLoad morning = LoadOfRow(plan.chart, 1, Minute(480), Minute(600));
    EXPECT_EQ(morning.BookedMinutes, 120 + 60);
    EXPECT_GT(morning.Ratio(), 1.0);
    const ResourceLoad lunch = LoadOfRow(plan.chart, 1, Minute(720), Minute(780));
    EXPECT_EQ(lunch.WorkingMinutes, 0);
    EXPECT_EQ(lunch.Ratio(), 2.0) << "booked time with no working time is over";
    EXPECT_EQ(LoadOfRow(plan.chart, 2, Minute(0), Minute(600)).Ratio(), 0.0);
    EXPECT_EQ(NonWorkingSpans(plan.chart, 1), (MinuteSpans{{Minute(720), Minute(780)}}));
}

TEST_F(PlanTimesTest, LinksRunFromEachActivitysEndToTheNextOnesStart) {
    const PlanModel model(plan.chart);
    const std::vector<PrecedenceLink> links = PrecedenceLinks(model, "WO1");
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].FromRow, 1);
    EXPECT_EQ(links[0].FromTime, (ChartTime{kDay, 600}));
    EXPECT_EQ(links[0].ToTime, (ChartTime{kDay, 540}));
    EXPECT_TRUE(links[0].OutOfOrder);
    EXPECT_EQ(links[1].ToRow, 2);
    EXPECT_EQ(links[1].FromTime, (ChartTime{kDay, 660}));
    EXPECT_FALSE(links[1].OutOfOrder);
    EXPECT_TRUE(PrecedenceLinks(model, "WO2").empty());
    EXPECT_TRUE(PrecedenceLinks(model, "nobody").empty());
}

}  // namespace
}  // namespace tessaro
