#pragma once

#include <tessaro/control/tessaro_ctrl.hpp>

#include "rescheduling/change_journal.hpp"
#include "rescheduling/undo_history.hpp"

namespace tessaro {

// One planner command (an applied drag, a paste, a Pack): whatever it changes, even when it
// stops half-way on an error, becomes one step of the history.
class Tessaro_Ctrl::Command {
public:
    explicit Command(Tessaro_Ctrl& control) : control_(control) { control_.History_->Open(); }
    ~Command() { control_.History_->Close(control_.ctResSched_, control_.Journal_->Pending()); }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    Tessaro_Ctrl& control_;
};

}  // namespace tessaro
