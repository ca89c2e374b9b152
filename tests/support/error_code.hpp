#pragma once

#include <cstdint>

#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {

// Returns the automation error code the action raises, or 0 when it raises nothing.
template <typename Action>
int32_t ErrorCode(Action action) {
    try {
        action();
    } catch (const AutomationError& error) {
        return error.Code();
    }
    return 0;
}

}  // namespace tessaro
