#pragma once

#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {

// Raises invalid procedure call (5) when `valid` is false: the components' one answer to a bad
// index or argument.
inline void CheckArgument(bool valid) {
    if (!valid) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
}

}  // namespace tessaro
