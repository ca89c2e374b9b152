#pragma once

// What a host hears: the control's events, and the state they last reported, so that each is
// raised once after the outermost entry that changed it, never from inside a command.

#include <cstdint>
#include <string>

#include <tessaro/components/observable.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

namespace tessaro {

struct Tessaro_Ctrl::HostEvents {
    Observable<int> PendingChangesChanged;
    Observable<const std::string&> SelectedWorkOrderChanged;
    Observable<bool> UndoAvailableChanged;
    Observable<bool> RedoAvailableChanged;

    int Depth = 0;
    uint64_t JournalVersion = 0;
    std::string SelectedWorkOrder;
    bool UndoAvailable = false;
    bool RedoAvailable = false;
};

// Marks an entry from the host or a component; the outermost one publishes on its way out.
class Tessaro_Ctrl::HostEventScope {
public:
    explicit HostEventScope(Tessaro_Ctrl& control) : control_(control) {
        ++control_.Events_->Depth;
    }
    ~HostEventScope() {
        if (--control_.Events_->Depth == 0) {
            // A host's handler that throws must not end the host from a destructor.
            try {
                control_.PublishHostEvents();
            } catch (...) {
            }
        }
    }
    HostEventScope(const HostEventScope&) = delete;
    HostEventScope& operator=(const HostEventScope&) = delete;

private:
    Tessaro_Ctrl& control_;
};

}  // namespace tessaro
