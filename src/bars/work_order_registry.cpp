#include "bars/work_order_registry.hpp"

#include <limits>
#include <string>

#include <tessaro/runtime/automation_error.hpp>

#include "runtime/ascii.hpp"

namespace tessaro {

const Vadel_Class1& WorkOrderRegistry::Enter(std::string_view number) {
    return Entered(number, false);
}

const Vadel_Class1& WorkOrderRegistry::EnterNumbered(std::string_view number) {
    return Entered(number, true);
}

Vadel_Class1& WorkOrderRegistry::Entered(std::string_view number, bool refuseFull) {
    const std::string_view key = TrimSpaces(number);
    const auto found = entries_.find(key);
    if (found == entries_.end()) {
        return entries_.emplace(std::string(key), Vadel_Class1{1}).first->second;
    }
    Vadel_Class1& entry = found->second;
    if (entry.WOCount < std::numeric_limits<int16_t>::max()) {
        ++entry.WOCount;
    } else if (refuseFull) {
        RaiseRuntimeError(RuntimeError::Overflow,
                          "Work order \"" + std::string(key.substr(0, 60)) +
                              "\" has more than 32767 sub-activities, more than its bar keys "
                              "can number.");
    }
    return entry;
}

const Vadel_Class1* WorkOrderRegistry::Find(std::string_view number) const {
    const auto found = entries_.find(TrimSpaces(number));
    return found == entries_.end() ? nullptr : &found->second;
}

}  // namespace tessaro
