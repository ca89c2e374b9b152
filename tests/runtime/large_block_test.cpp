#include <cstdint>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/large_block.hpp"

namespace tessaro {
namespace {

// Sizes around the point where blocks are mapped on their own, and well past it.
class LargeBlock : public ::testing::TestWithParam<std::size_t> {};

TEST_P(LargeBlock, WholeBlockIsWritableAndAligned) {
    const std::size_t bytes = GetParam();
    LargeCharBuffer buffer(bytes);
    ASSERT_NE(buffer.Data(), nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer.Data()) % alignof(std::max_align_t), 0u);
    for (std::size_t i = 0; i < bytes; i += 4096) {
        buffer.Data()[i] = static_cast<char>(i);
    }
    if (bytes > 0) {
        buffer.Data()[bytes - 1] = 'z';
        EXPECT_EQ(buffer.Data()[bytes - 1], 'z');
    }
    EXPECT_EQ(buffer.Size(), bytes);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LargeBlock,
                         ::testing::Values(0, 1, 4096, (2u << 20) - 1, 2u << 20, (2u << 20) + 1,
                                           (40u << 20) + 123));

TEST(LargeBlockAllocator, VectorKeepsItsContentsWhileGrowingPastTheMappedSize) {
    std::vector<int64_t, LargeBlockAllocator<int64_t>> values;
    for (int64_t i = 0; i < 1'000'000; ++i) {
        values.push_back(i);
    }
    EXPECT_EQ(std::accumulate(values.begin(), values.end(), int64_t{0}), 499'999'500'000);
    values.shrink_to_fit();
    EXPECT_EQ(values.back(), 999'999);
}

}  // namespace
}  // namespace tessaro
