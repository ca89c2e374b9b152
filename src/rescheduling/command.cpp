#include <exception>
#include <optional>

#include "rescheduling/rescheduler.hpp"

namespace tessaro {

Command::Command(Rescheduler& rescheduler)
    : rescheduler_(rescheduler), exceptions_(std::uncaught_exceptions()) {
    rescheduler_.history_.Open();
}

Command::~Command() noexcept(false) {
    UndoHistory& history = rescheduler_.history_;
    const bool failed = std::uncaught_exceptions() != exceptions_;
    std::exception_ptr closing;
    if (!failed) {
        try {
            history.Close(rescheduler_.plan_, rescheduler_.journal_);
            return;
        } catch (...) {
            // A command that cannot become a step cannot be kept either.
            closing = std::current_exception();
        }
    }
    // The command failed: the activities it changed go back to where they stood before it,
    // their records with them, and nothing of it becomes a step.
    if (std::optional<CommandStep> abandoned = history.Abandon()) {
        try {
            rescheduler_.RestoreStep(*abandoned, false);
        } catch (...) {
            // What could not be put back is left to the error that reaches the caller.
        }
    }
    if (closing) {
        std::rethrow_exception(closing);
    }
}

}  // namespace tessaro
