#include <tessaro/control/tessaro_ctrl.hpp>

#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/payloads.hpp"

namespace tessaro {
namespace {

// Controls on several threads, each created, loaded, read and destroyed on its own, check
// nothing against one another.
TEST(ThreadAffinity, EachControlWorksOnTheThreadThatCreatedIt) {
    std::vector<int> rows(4, 0);
    std::vector<std::thread> workers;
    for (size_t i = 0; i < rows.size(); ++i) {
        workers.emplace_back([&rows, i] {
            Tessaro_Ctrl control;
            control.LoadResource(testing::ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}}));
            rows[i] = control.ctResSched().RowCount();
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(rows, std::vector<int>(4, 2));
}

TEST(ThreadAffinityDeathTest, AMethodCalledFromAnotherThreadFailsAnAssertion) {
#ifdef NDEBUG
    GTEST_SKIP() << "release builds do not check the calling thread";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            Tessaro_Ctrl control;
            std::thread([&control] { control.CanUndo(); }).join();
        },
        "Tessaro_Ctrl used from a thread other than the one that created it");
#endif
}

}  // namespace
}  // namespace tessaro
