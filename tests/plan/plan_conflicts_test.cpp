#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "plan/plan_conflicts.hpp"
#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37255;  // 1 January 2002

PlanTime At(int32_t minute) {
    return std::chrono::sys_days{std::chrono::days{kDay - 25567}} + std::chrono::minutes{minute};
}

TEST(OutOfOrder, PairsEachLaterActivityWithTheEarlierOneThatEndsLatest) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> spans;  // start and end minutes, in schedule order
        std::vector<std::pair<std::size_t, std::size_t>> expected;
    };
    const std::vector<Case> cases = {
        {"in order", {{0, 60}, {60, 120}, {200, 300}}, {}},
        {"the second starts early", {{0, 60}, {30, 120}}, {{0, 1}}},
        {"a short second hides nothing", {{0, 600}, {10, 20}, {30, 40}}, {{0, 1}, {0, 2}}},
        {"the latest end moves on", {{0, 60}, {70, 200}, {100, 300}}, {{1, 2}}},
        {"one activity", {{0, 60}}, {}},
    };
    for (const Case& c : cases) {
        std::vector<ActivitySpan> spans;
        for (const auto& [start, end] : c.spans) {
            spans.push_back(
                {static_cast<int32_t>(spans.size() + 1) * 10, {kDay, start}, {kDay, end}});
        }
        EXPECT_EQ(OutOfOrder(spans), c.expected) << c.what;
    }
}

// R1: WO1/10 08:00-10:00 and WO1/20 09:00-11:00 (overlapping, and 20 starting before 10 ends),
// WO2/10 11:40-12:40 over the calendar block 12:00-13:00; R2: WO1/30 after both.
TEST(PlanConflicts, OverlapsPrecedenceAndNonWorkingTimeAreFoundWithTheirTimes) {
    testing::Plan plan(
        {{"R1", "Lathe"}, {"R2", "Mill"}},
        {Placed("R1", "WO1", 10, kDay, 480, 120), Placed("R1", "WO1", 20, kDay, 540, 120),
         Placed("R1", "WO2", 10, kDay, 700, 60), Placed("R2", "WO1", 30, kDay, 1000, 60)});
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R1", "1/1/2002", "43200", "3600"}}));
    const auto bar = [&](const char* key) { return plan.Find(key).second; };

    const std::vector<PlanConflict> expected = {
        {ConflictKind::NonWorkingTime, {"WO2", 10}, {}, 1, bar("WO2$1$1"), "R1", At(720), At(760)},
        {ConflictKind::Overlap,
         {"WO1", 10},
         {"WO1", 20},
         1,
         bar("WO1$1$3"),
         "R1",
         At(540),
         At(600)},
        {ConflictKind::Precedence,
         {"WO1", 20},
         {"WO1", 10},
         1,
         bar("WO1$2$3"),
         "R1",
         At(540),
         At(600)},
    };
    EXPECT_EQ(plan.control.PlanConflicts(), expected);
}

}  // namespace
}  // namespace tessaro
