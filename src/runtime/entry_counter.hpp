#pragma once

// Counts the nested entries into the control from a host or a component, so that what the
// outermost entry changed is reported once, on its way out, never from inside a command.

#include <functional>
#include <utility>

namespace tessaro {

class EntryCounter {
public:
    // Runs on the way out of the outermost entry; nothing runs while none is set.
    void SetReport(std::function<void()> report) { report_ = std::move(report); }

    int Depth() const { return depth_; }

    // One entry; the outermost reports when it ends.
    class Scope {
    public:
        explicit Scope(EntryCounter& counter) : counter_(counter) { ++counter_.depth_; }
        ~Scope() {
            if (--counter_.depth_ == 0 && counter_.report_) {
                // A host's handler that throws must not end the host from a destructor.
                try {
                    counter_.report_();
                } catch (...) {
                }
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        EntryCounter& counter_;
    };

    // Holds the count up while the report itself runs, so an entry a host's handler makes does
    // not report from inside it; leaving it never reports.
    class Quiet {
    public:
        explicit Quiet(EntryCounter& counter) : counter_(counter) { ++counter_.depth_; }
        ~Quiet() { --counter_.depth_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        EntryCounter& counter_;
    };

private:
    int depth_ = 0;
    std::function<void()> report_;
};

}  // namespace tessaro
