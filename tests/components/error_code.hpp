#pragma once

#include <cstdint>

#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {

// The automation error code `call` raises, or 0 when it returns normally.
template <typename Call>
int32_t ErrorCode(Call call) {
    try {
        call();
    } catch (const AutomationError& error) {
        return error.Code();
    }
    return 0;
}

}  // namespace tessaro
