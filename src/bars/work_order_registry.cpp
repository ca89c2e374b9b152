#include "bars/work_order_registry.hpp"

#include <limits>

#include "runtime/ascii.hpp"

namespace tessaro {

const Vadel_Class1& WorkOrderRegistry::Enter(std::string_view number) {
    const std::string_view key = TrimSpaces(number);
    const auto found = entries_.find(key);
    if (found == entries_.end()) {
        return entries_.emplace(std::string(key), Vadel_Class1{1}).first->second;
    }
    Vadel_Class1& entry = found->second;
    if (entry.WOCount < std::numeric_limits<int16_t>::max()) {
        ++entry.WOCount;
    }
    return entry;
}

const Vadel_Class1* WorkOrderRegistry::Find(std::string_view number) const {
    const auto found = entries_.find(TrimSpaces(number));
    return found == entries_.end() ? nullptr : &found->second;
}

}  // namespace tessaro
