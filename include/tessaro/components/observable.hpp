#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace tessaro {

// A list of change callbacks that views subscribe to; models call Notify after each change.
// A callback may subscribe or unsubscribe (itself or others) while it runs. Notify costs nothing
// beyond a size check when nobody listens, so models may call it on every write.
template <typename... Args>
class Observable {
public:
    using Callback = std::function<void(Args...)>;

    // Returns an id for Unsubscribe; ids are never reused.
    int Subscribe(Callback callback) {
        entries_.push_back({nextId_, std::move(callback)});
        return nextId_++;
    }

    // Unknown ids are ignored.
    void Unsubscribe(int id) {
        for (auto& entry : entries_) {
            if (entry.id == id) {
                entry.id = 0;
            }
        }
        if (depth_ == 0) {
            Compact();
        }
    }

    void Notify(Args... args) {
        if (entries_.empty()) {
            return;
        }
        ++depth_;
        // Index walk: callbacks subscribed during the walk are appended and not called this time.
        const size_t count = entries_.size();
        for (size_t i = 0; i < count; ++i) {
            if (entries_[i].id != 0) {
                Callback callback = entries_[i].callback;
                callback(args...);
            }
        }
        if (--depth_ == 0) {
            Compact();
        }
    }

private:
    struct Entry {
        int id;
        Callback callback;
    };

    void Compact() {
        std::erase_if(entries_, [](const Entry& e) { return e.id == 0; });
    }

    std::vector<Entry> entries_;
    int nextId_ = 1;
    int depth_ = 0;
};

}  // namespace tessaro
