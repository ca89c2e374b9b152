#pragma once

// Memory for the loaders' buffers of many megabytes: the payload texts the control keeps, the
// copy of a payload that the XML parser works in, the record table's fields and the bars staged
// before they go on the chart.
//
// Filling fresh memory costs one page fault per 4 KiB page, and on virtual machines a fault costs
// several microseconds: for a 40 MB payload that is most of the load. Blocks of 256 KiB and more
// are therefore mapped on their own and advised as huge pages where the system offers them, which
// turns ten thousand faults into twenty. Smaller blocks, other systems and sanitizer builds (whose
// checks must see every block) use the ordinary allocator.

#include <cstddef>
#include <memory>
#include <new>

namespace tessaro {

// Which of a block's pages are advised as huge pages.
enum class HugePages {
    // A short-lived block: every page, the last one whole though the block fills only part of it.
    All,
    // A block kept as long as the control holds its payload: the 2 MiB pages the block fills;
    // what follows them is filled page by page, so the control holds no more than the block.
    Filled,
    // None: a block that may stay mostly empty.
    None,
};

// Returns a block of at least `bytes` bytes aligned for any object; throws std::bad_alloc when
// memory is exhausted. A block must be freed with the same size it was allocated with.
void* AllocateLargeBlock(std::size_t bytes, HugePages huge = HugePages::All);
void FreeLargeBlock(void* block, std::size_t bytes) noexcept;
// Whether a block of 2 MiB is mapped on its own and aligned to its size, so that an address inside
// it finds the block's start by rounding down.
bool LargeBlocksAreAligned();

// Hands the memory the allocator keeps free back to the system after a load of a payload of that
// many bytes, so the control holds only what it keeps: glibc keeps freed small blocks mapped, and
// the parsed document of a 40 MB payload is some 90 MB of them. Does nothing for payloads under
// 16 MiB, on other systems and in sanitizer builds.
void ReturnFreedMemory(std::size_t payloadBytes) noexcept;

// A standard allocator over the blocks above, for the vectors that grow to payload size.
template <typename T>
struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    explicit LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(AllocateLargeBlock(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        FreeLargeBlock(block, count * sizeof(T));
    }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

// A character buffer of fixed size in a large block.
class LargeCharBuffer {
public:
    explicit LargeCharBuffer(std::size_t size)
        : data_(static_cast<char*>(AllocateLargeBlock(size == 0 ? 1 : size))), size_(size) {}
    ~LargeCharBuffer() { FreeLargeBlock(data_, size_ == 0 ? 1 : size_); }
    LargeCharBuffer(const LargeCharBuffer&) = delete;
    LargeCharBuffer& operator=(const LargeCharBuffer&) = delete;

    char* Data() { return data_; }
    std::size_t Size() const { return size_; }

private:
    char* data_;
    std::size_t size_;
};

}  // namespace tessaro
