#pragma once

#include <exception>
#include <utility>

namespace tessaro {

// Runs an action as the scope ends. Leaving normally, the action's exception reaches the caller;
// leaving through another exception, the action's own is dropped so that the first is not lost.
template <typename Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action)
        : action_(std::move(action)), exceptions_(std::uncaught_exceptions()) {}
    ~ScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_) {
            action_();
            return;
        }
        try {
            action_();
        } catch (...) {
        }
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
    int exceptions_;
};

}  // namespace tessaro
