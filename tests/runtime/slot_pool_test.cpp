#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/slot_pool.hpp"

namespace tessaro {
namespace {

// Each live slot is filled with a byte of its own number, so slots that overlap, or a free list
// written into a live slot, show as a changed byte (but for one number in 256).
struct LiveSlot {
    void* slot;
    std::size_t number;

    unsigned char Mark() const { return static_cast<unsigned char>(number * 131 + 7); }
};

void Stamp(const LiveSlot& live, std::size_t bytes) {
    std::memset(live.slot, live.Mark(), bytes);
}

bool Intact(const LiveSlot& live, std::size_t bytes) {
    const auto* first = static_cast<const unsigned char*>(live.slot);
    return std::all_of(first, first + bytes, [&](unsigned char b) { return b == live.Mark(); });
}

class SlotPoolTest : public ::testing::TestWithParam<std::size_t> {};

// Random takes, gives and reservations over several blocks' worth of slots, emptying blocks and
// refilling them.
TEST_P(SlotPoolTest, LiveSlotsAreAlignedAndNeverShared) {
    const std::size_t bytes = GetParam();
    SlotPool pool(bytes);
    std::mt19937 random(7);
    std::vector<LiveSlot> live;
    std::size_t next = 1;
    const auto take = [&] {
        LiveSlot slot{pool.Take(), next++};
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(slot.slot) % alignof(std::max_align_t), 0u);
        Stamp(slot, bytes);
        live.push_back(slot);
    };
    const auto give = [&] {
        const std::size_t at = random() % live.size();
        ASSERT_TRUE(Intact(live[at], bytes)) << "slot " << live[at].number;
        pool.Give(live[at].slot);
        live[at] = live.back();
        live.pop_back();
    };
    for (int round = 0; round < 3; ++round) {
        while (live.size() < 40000) {
            if (random() % 2000 == 0) {
                pool.Reserve(random() % 30000);
            }
            take();
            if (random() % 3 == 0) {
                give();
            }
        }
        while (!live.empty()) {
            give();
            if (random() % 5 == 0) {
                take();
            }
        }
    }
    pool.Give(nullptr);
}

INSTANTIATE_TEST_SUITE_P(SlotSizes, SlotPoolTest, ::testing::Values(1, 144, 4096));

}  // namespace
}  // namespace tessaro
