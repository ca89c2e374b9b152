#pragma once

// The thread an object belongs to: the one that created it. Debug builds check the entries from
// a host against it, so that a call from another thread stops at once with a clear message
// instead of racing with the owner; release builds hold and check nothing.

#ifndef NDEBUG
#include <thread>
#endif

namespace tessaro {

class ThreadAffinity {
public:
#ifdef NDEBUG
    void Check(const char* /*owner*/) const noexcept {}
#else
    // Fails, naming the owner, when called from another thread than the one that created it.
    void Check(const char* owner) const noexcept {
        if (std::this_thread::get_id() != creator_) {
            Fail(owner);
        }
    }

private:
    [[noreturn]] static void Fail(const char* owner) noexcept;

    std::thread::id creator_ = std::this_thread::get_id();
#endif
};

}  // namespace tessaro
