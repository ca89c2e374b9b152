#include "runtime/thread_affinity.hpp"

#ifndef NDEBUG
#include <cstdio>
#include <cstdlib>
#endif

namespace tessaro {

#ifndef NDEBUG
void ThreadAffinity::Fail(const char* owner) noexcept {
    // As a failed assert does: the message names what was misused, and the abort stops the
    // process where a debugger shows both threads.
    std::fprintf(stderr,
                 "Assertion failed: %s used from a thread other than the one that created it\n",
                 owner);
    std::abort();
}
#endif

}  // namespace tessaro
