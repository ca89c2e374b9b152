#include "runtime/value_rollback.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tessaro {
namespace {

TEST(ValueRollbackTest, RestoresTheOldValueWhenTheScopeEnds) {
    int16_t packInProgress = 7;
    {
        ValueRollback guard(packInProgress, int16_t{-1});
        EXPECT_EQ(packInProgress, -1);
        packInProgress = 3;  // changes inside the scope are discarded too
    }
    EXPECT_EQ(packInProgress, 7);
}

TEST(ValueRollbackTest, RestoresWhenAnExceptionLeavesTheScope) {
    std::string caption = "idle";
    try {
        ValueRollback guard(caption, std::string("loading"));
        throw std::runtime_error("load failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(caption, "idle");
}

}  // namespace
}  // namespace tessaro
