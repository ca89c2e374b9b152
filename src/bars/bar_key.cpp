#include "bars/bar_key.hpp"

#include <charconv>

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
    // The counts are written on the stack and the key in the caller's text, so a key as short
    // as most are stays inside the text and a load of a hundred thousand bars allocates none.
    char counts[2 * (1 + 6)];  // "$-32768$-32768"
    char* at = counts;
    char* const end = counts + sizeof counts;
    *at++ = kFieldSeparator;
    at = std::to_chars(at, end, SubActivityPosition).ptr;
    *at++ = kFieldSeparator;
    at = std::to_chars(at, end, SubActivityCount).ptr;
    szKeyId.assign(number);
    szKeyId.append(counts, static_cast<std::size_t>(at - counts));
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
