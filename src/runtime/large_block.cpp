#include "runtime/large_block.hpp"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tessaro {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// From here on a block's faults cost more than the part of a huge page it may leave unused.
constexpr std::size_t kMappedFrom = std::size_t{256} << 10;

bool IsMapped(std::size_t bytes) {
#if defined(__linux__)
    return !kSanitized && bytes >= kMappedFrom;
#else
    (void)bytes;
    return false;
#endif
}

std::size_t MappedSize(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* AllocateLargeBlock(std::size_t bytes, HugePages huge) {
    if (!IsMapped(bytes)) {
        return ::operator new(bytes);
    }
#if defined(__linux__)
    // Huge pages need 2 MiB alignment: map one page more and give back the unaligned ends.
    const std::size_t size = MappedSize(bytes);
    void* mapped =
        mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) {
        munmap(mapped, aligned - start);
    }
    const std::uintptr_t end = aligned + size;
    if (start + size + kHugePage > end) {
        munmap(reinterpret_cast<void*>(end), start + size + kHugePage - end);
    }
    void* block = reinterpret_cast<void*>(aligned);
    // Only advice: without huge pages the block works the same, page by page.
    const std::size_t advised = huge == HugePages::All      ? size
                                : huge == HugePages::Filled ? bytes / kHugePage * kHugePage
                                                            : 0;
    if (advised > 0) {
        madvise(block, advised, MADV_HUGEPAGE);
    }
    return block;
#else
    return nullptr;
#endif
}

bool LargeBlocksAreAligned() {
    return IsMapped(kHugePage);
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) {
        return;
    }
    if (!IsMapped(bytes)) {
        ::operator delete(block);
        return;
    }
#if defined(__linux__)
    munmap(block, MappedSize(bytes));
#endif
}

void ReturnFreedMemory(std::size_t payloadBytes) noexcept {
#if defined(__GLIBC__)
    constexpr std::size_t kLargePayload = std::size_t{16} << 20;
    if (!kSanitized && payloadBytes >= kLargePayload) {
        malloc_trim(0);
    }
#else
    (void)payloadBytes;
#endif
}

}  // namespace tessaro
