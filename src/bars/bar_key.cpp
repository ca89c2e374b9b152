#include "bars/bar_key.hpp"

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"
#include "runtime/conversions.hpp"

#include "bars/field_splitter.hpp"

namespace tessaro {

void AssembleKeyID(std::string& szKeyId, std::string_view wonumber, int16_t SubActivityPosition,
                   int16_t SubActivityCount) {
    const std::string_view number = TrimSpaces(wonumber);
    if (number.empty()) {
        throw BarKeyBlankError();
    }
    std::string key;
    key.reserve(number.size() + 14);
    key.append(number);
    key += kFieldSeparator;
    key += std::to_string(SubActivityPosition);
    key += kFieldSeparator;
    key += std::to_string(SubActivityCount);
    szKeyId = std::move(key);
}

void DisAssembleKeyID(std::string_view szKeyId, std::string& wonumber, int16_t& SubActivityPosition,
                      int16_t& SubActivityCount) {
    if (TrimSpaces(szKeyId).empty()) {
        return;
    }
    FieldSplitter fields(szKeyId, FieldSplitter::Escapes::None);
    if (!fields.HasSeparator()) {
        return;
    }
    wonumber = std::string(fields.Next());
    SubActivityPosition = TextToInt16(fields.Next());
    SubActivityCount = TextToInt16(fields.Last());
}

std::optional<BarKeyParts> TrySplitBarKey(std::string_view key) {
    BarKeyParts parts;
    try {
        DisAssembleKeyID(key, parts.WorkOrder, parts.Position, parts.Count);
    } catch (const AutomationError&) {
        return std::nullopt;
    }
    if (parts.WorkOrder.empty() &&
        TrimSpaces(key).find(kFieldSeparator) == std::string_view::npos) {
        return std::nullopt;
    }
    return parts;
}

}  // namespace tessaro
