#include "runtime/slot_pool.hpp"

#include <cstdint>
#include <new>

#include "runtime/large_block.hpp"

namespace tessaro {

namespace {

constexpr std::size_t kBlockBytes = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t bytes, std::size_t to) {
    return (bytes + to - 1) / to * to;
}

}  // namespace

// Sits at the start of its block, which large blocks align to their size, so a slot finds its
// block by rounding its address down.
struct SlotPool::Block {
    struct FreeSlot {
        FreeSlot* next;
    };

    Block* nextOpen = nullptr;
    Block* previousOpen = nullptr;
    FreeSlot* freed = nullptr;
    char* unused;  // the slots never handed out start here
    std::size_t live = 0;
    bool open = false;
};

SlotPool::SlotPool(std::size_t slotBytes)
    : slotBytes_(RoundUp(slotBytes < sizeof(void*) ? sizeof(void*) : slotBytes,
                         alignof(std::max_align_t))) {}

SlotPool::~SlotPool() {
    // Blocks with live slots outlive the pool only if their objects are leaked; those without are
    // already gone, save the open ones kept for reuse.
    while (open_ != nullptr) {
        Block* block = open_;
        open_ = block->nextOpen;
        if (block->live == 0) {
            FreeLargeBlock(block, kBlockBytes);
        }
    }
}

std::size_t SlotPool::SlotsPerBlock() const {
    return (kBlockBytes - RoundUp(sizeof(Block), alignof(std::max_align_t))) / slotBytes_;
}

SlotPool::Block* SlotPool::NewBlock(bool filled) {
    void* memory = AllocateLargeBlock(kBlockBytes, filled ? HugePages::All : HugePages::None);
    auto* block = new (memory) Block{};
    block->unused = static_cast<char*>(memory) + RoundUp(sizeof(Block), alignof(std::max_align_t));
    return block;
}

void SlotPool::Open(Block* block) {
    block->nextOpen = open_;
    block->previousOpen = nullptr;
    if (open_ != nullptr) {
        open_->previousOpen = block;
    }
    open_ = block;
    block->open = true;
}

void SlotPool::Close(Block* block) {
    (block->previousOpen != nullptr ? block->previousOpen->nextOpen : open_) = block->nextOpen;
    if (block->nextOpen != nullptr) {
        block->nextOpen->previousOpen = block->previousOpen;
    }
    block->nextOpen = block->previousOpen = nullptr;
    block->open = false;
}

void SlotPool::Reserve(std::size_t count) {
    if (!LargeBlocksAreAligned()) {
        return;
    }
    std::lock_guard lock(mutex_);
    const std::size_t perBlock = SlotsPerBlock();
    // A block is a huge page when the reservation fills at least half of it, so the memory a
    // reservation leaves unused is never more than it uses; a smaller reservation takes its slots
    // page by page wherever they are free.
    const std::size_t halfBlock = perBlock / 2;
    if (count < halfBlock) {
        return;
    }
    // Opened last to first, so that takes fill the huge blocks first and the last, smaller part
    // of the reservation after them.
    const std::size_t whole = count / perBlock;
    const std::size_t rest = count % perBlock;
    if (rest > 0) {
        Open(NewBlock(rest >= halfBlock));
    }
    for (std::size_t block = 0; block < whole; ++block) {
        Open(NewBlock(true));
    }
}

void* SlotPool::Take() {
    if (!LargeBlocksAreAligned()) {
        return ::operator new(slotBytes_);
    }
    std::lock_guard lock(mutex_);
    if (open_ == nullptr) {
        Open(NewBlock(false));
    }
    Block* block = open_;
    void* slot = nullptr;
    if (block->freed != nullptr) {
        slot = block->freed;
        block->freed = block->freed->next;
    } else {
        slot = block->unused;
        block->unused += slotBytes_;
    }
    ++block->live;
    const bool full = block->freed == nullptr &&
                      block->unused + slotBytes_ > reinterpret_cast<char*>(block) + kBlockBytes;
    if (full) {
        Close(block);
    }
    return slot;
}

void SlotPool::Give(void* slot) noexcept {
    if (slot == nullptr) {
        return;
    }
    if (!LargeBlocksAreAligned()) {
        ::operator delete(slot);
        return;
    }
    std::lock_guard lock(mutex_);
    auto* block = reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(slot) &
                                           ~(std::uintptr_t{kBlockBytes} - 1));
    auto* freed = static_cast<Block::FreeSlot*>(slot);
    freed->next = block->freed;
    block->freed = freed;
    --block->live;
    if (block->live == 0 && !(block->open && open_ == block && block->nextOpen == nullptr)) {
        // Empty: back to the system, unless it is the only block left to take from.
        if (block->open) {
            Close(block);
        }
        FreeLargeBlock(block, kBlockBytes);
        return;
    }
    if (!block->open) {
        Open(block);
    }
}

}  // namespace tessaro
