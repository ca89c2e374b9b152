#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <unordered_map>

#include "bars/vadel_class1.hpp"
#include "runtime/ascii.hpp"

namespace tessaro {

// Counts the sub-activities of each work order while one bar load runs. Work-order numbers
// compare ignoring letter case and surrounding spaces, so " WO1", "wo1" and "WO1" are one work
// order.
class WorkOrderRegistry {
public:
    // Returns the work order's count after this registration: 1 for a new work order, then 2,
    // 3, ...; the count stops at 32767 and keeps returning it.
    int16_t Register(std::string_view number) { return Enter(number).WOCount; }

    // Registers like Register and returns the work order's entry, which stays valid (and sees
    // later registrations) as long as the registry lives.
    const Vadel_Class1& Enter(std::string_view number);

    // Registers like Enter for a loaded sub-activity, whose count is its position in its key:
    // raises overflow (6), registering nothing, when the work order already holds 32767, so no
    // two bars of a load share a position.
    const Vadel_Class1& EnterNumbered(std::string_view number);

    // Returns nullptr for a work order that was never registered.
    const Vadel_Class1* Find(std::string_view number) const;

    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

    // Makes room for that many work orders, so a large load registers without rehashing.
    void Reserve(std::size_t workOrders) { entries_.reserve(workOrders); }

private:
    Vadel_Class1& Entered(std::string_view number, bool refuseFull);

    // Map nodes never move, so entries handed out stay valid.
    std::unordered_map<std::string, Vadel_Class1, AsciiCaseInsensitiveHash,
                       AsciiCaseInsensitiveEqual>
        entries_;
};

}  // namespace tessaro
