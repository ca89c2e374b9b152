#include "bars/work_order_registry.hpp"

#include <limits>

#include <tessaro/runtime/ascii.hpp>

namespace tessaro {

int16_t WorkOrderRegistry::Register(std::string_view number) {
    const std::string key(TrimSpaces(number));
    if (Vadel_Class1* entry = entries_.Find(key)) {
        if (entry->WOCount < std::numeric_limits<int16_t>::max()) {
            ++entry->WOCount;
        }
        return entry->WOCount;
    }
    entries_.Add(key, Vadel_Class1{1});
    return 1;
}

const Vadel_Class1* WorkOrderRegistry::Find(std::string_view number) const {
    return entries_.Find(std::string(TrimSpaces(number)));
}

}  // namespace tessaro
