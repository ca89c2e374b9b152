#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace tessaro {

// A list of change callbacks that views subscribe to; models call Notify after each change.
// Subscribers may unsubscribe (themselves or others) from inside a callback.
template <typename... Args>
class Observable {
public:
    using Callback = std::function<void(Args...)>;

    // Returns an id for Unsubscribe; ids are never reused.
    int Subscribe(Callback callback) {
        callbacks_.emplace(nextId_, std::move(callback));
        return nextId_++;
    }

    // Unknown ids are ignored.
    void Unsubscribe(int id) { callbacks_.erase(id); }

    void Notify(Args... args) const {
        // Copy, so a callback that unsubscribes does not invalidate the walk.
        const auto snapshot = callbacks_;
        for (const auto& [id, callback] : snapshot) {
            callback(args...);
        }
    }

    bool HasSubscribers() const { return !callbacks_.empty(); }

private:
    std::map<int, Callback> callbacks_;
    int nextId_ = 1;
};

}  // namespace tessaro
