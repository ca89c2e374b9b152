#pragma once

#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
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
        if (holds_ > 0) {
            held_.emplace_back(args...);
            return;
        }
        Deliver(args...);
    }

    // The notifications of one change as they were held.
    using Held = std::tuple<std::decay_t<Args>...>;

    // While held, notifications are kept in order instead of delivered, so that listeners hear a
    // command only once it stands whole. Holds nest.
    void Hold() { ++holds_; }
    // The outermost release delivers what was held, after `tidy` (when given) has thinned the
    // list. Every kept notification reaches every listener even when one throws; the first
    // exception is passed on afterwards.
    void Release(const std::function<void(std::vector<Held>&)>& tidy = {}) {
        if (holds_ == 0 || --holds_ > 0) {
            return;
        }
        std::vector<Held> held = std::exchange(held_, {});
        if (tidy) {
            tidy(held);
        }
        std::exception_ptr failure;
        for (const Held& change : held) {
            try {
                std::apply([this](const auto&... args) { Deliver(args...); }, change);
            } catch (...) {
                if (!failure) {
                    failure = std::current_exception();
                }
            }
        }
        if (failure) {
            std::rethrow_exception(failure);
        }
    }

private:
    void Deliver(Args... args) {
        // A callback that throws must not leave the walk counted as running.
        struct Walk {
            Observable& observable;
            explicit Walk(Observable& o) : observable(o) { ++observable.depth_; }
            ~Walk() {
                if (--observable.depth_ == 0) {
                    observable.Compact();
                }
            }
        } walk(*this);
        // Index walk: callbacks subscribed during the walk are appended and not called this time.
        // One that throws does not keep the others from hearing; its exception is passed on.
        std::exception_ptr failure;
        const size_t count = entries_.size();
        for (size_t i = 0; i < count; ++i) {
            if (entries_[i].id != 0) {
                Callback callback = entries_[i].callback;
                try {
                    callback(args...);
                } catch (...) {
                    if (!failure) {
                        failure = std::current_exception();
                    }
                }
            }
        }
        if (failure) {
            std::rethrow_exception(failure);
        }
    }

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
    int holds_ = 0;
    std::vector<Held> held_;
};

}  // namespace tessaro
