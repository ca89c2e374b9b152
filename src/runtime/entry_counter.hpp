#pragma once

// Counts the nested entries into the control from a host or a component, so that what the
// outermost entry changed is reported once, on its way out, never from inside a command.

#include <exception>
#include <functional>
#include <utility>

namespace tessaro {

class EntryCounter {
public:
    // Runs on the way out of the outermost entry; nothing runs while none is set.
    void SetReport(std::function<void()> report) { report_ = std::move(report); }

    // Run as the outermost entry begins and as it ends, before the report: what an entry
    // changes can be held back from listeners until it is whole.
    void SetBoundary(std::function<void()> enter, std::function<void()> leave) {
        enter_ = std::move(enter);
        leave_ = std::move(leave);
    }

    int Depth() const { return depth_; }

    // One entry; the outermost reports when it ends. When the entry ends normally, an exception
    // of the boundary's leave reaches its caller once the report ran; on the way out of another
    // exception it is dropped, so that one is not lost.
    class Scope {
    public:
        explicit Scope(EntryCounter& counter)
            : counter_(counter), exceptions_(std::uncaught_exceptions()) {
            if (counter_.depth_++ == 0 && counter_.enter_) {
                counter_.enter_();
            }
        }
        ~Scope() noexcept(false) {
            if (--counter_.depth_ != 0) {
                return;
            }
            std::exception_ptr failure;
            if (counter_.leave_) {
                try {
                    counter_.leave_();
                } catch (...) {
                    failure = std::current_exception();
                }
            }
            if (counter_.report_) {
                // A host's handler that throws must not end the host from a destructor.
                try {
                    counter_.report_();
                } catch (...) {
                }
            }
            if (failure && std::uncaught_exceptions() == exceptions_) {
                std::rethrow_exception(failure);
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        EntryCounter& counter_;
        int exceptions_;
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
    std::function<void()> enter_;
    std::function<void()> leave_;
};

}  // namespace tessaro
