#pragma once

// Fixed-size slots for objects that a load creates by the hundred thousand and that live as long
// as the chart holds them (the chart's bars). Slots are cut from 2 MiB blocks. Blocks made for a
// reservation that fills at least half of each are huge pages where the system offers them, so a
// large load faults a block at a time instead of a page at a time; other blocks fill page by page,
// so a small chart holds no more than it uses. A block goes back to the system when its last slot
// is freed, save the one block the pool would take from next, so a bar added and removed again maps
// nothing. Any thread may take and give slots. Sanitizer builds and systems without such blocks use
// the ordinary allocator, so the sanitizers see every object.

#include <cstddef>
#include <mutex>

namespace tessaro {

class SlotPool {
public:
    // Slots of `slotBytes` bytes, aligned for any object.
    explicit SlotPool(std::size_t slotBytes);
    ~SlotPool();
    SlotPool(const SlotPool&) = delete;
    SlotPool& operator=(const SlotPool&) = delete;

    // Makes room for `count` more slots, which the next takes fill first; blocks it fills at least
    // half of are huge pages. Only a hint: Take works without it.
    void Reserve(std::size_t count);
    // Throws std::bad_alloc when memory is exhausted.
    void* Take();
    // A slot this pool handed out; null is ignored.
    void Give(void* slot) noexcept;

private:
    struct Block;

    Block* NewBlock(bool filled);
    // Puts the block at the head of the blocks with a free slot, or takes it out of them.
    void Open(Block* block);
    void Close(Block* block);
    std::size_t SlotsPerBlock() const;

    std::size_t slotBytes_;
    std::mutex mutex_;
    // Blocks that have a free slot, most recently freed into first.
    Block* open_ = nullptr;
};

}  // namespace tessaro
