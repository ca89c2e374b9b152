#pragma once

// The bar key ties a work-order bar to its work order: "number$position$count", for example
// "WO/0042$3$5" for the third of five sub-activities.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

inline constexpr char kFieldSeparator = '$';

// Raises BarKeyBlankError and leaves szKeyId unchanged when the number is blank; the number is
// trimmed of spaces, the integers are written in plain decimal.
void AssembleKeyID(std::string& szKeyId, std::string_view wonumber, int16_t SubActivityPosition,
                   int16_t SubActivityCount);

// Leaves every output unchanged for a blank key or one without "$". The outputs are written in
// the order number, position, count, so a failure leaves the earlier ones set: a key with one
// "$" raises 5 after the number, a part that is not a number raises 13, one outside 16 bits 6.
void DisAssembleKeyID(std::string_view szKeyId, std::string& wonumber, int16_t& SubActivityPosition,
                      int16_t& SubActivityCount);

struct BarKeyParts {
    std::string WorkOrder;
    int16_t Position = 0;
    int16_t Count = 0;
};

// The parts of a key that splits cleanly; nothing for a blank key, one without "$", or one whose
// parts are not 16-bit numbers.
std::optional<BarKeyParts> TrySplitBarKey(std::string_view key);

}  // namespace tessaro
