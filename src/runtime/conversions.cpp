#include "runtime/conversions.hpp"

#include <algorithm>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/checked_arithmetic.hpp"

#include "runtime/text_cursor.hpp"

namespace tessaro {

namespace {

// Far beyond every target width, yet small enough that one more digit cannot overflow int64;
// longer digit strings keep this value and still report overflow rather than a wrong number.
constexpr int64_t kSaturatedMagnitude = int64_t{1} << 40;

// Parses the whole text and rounds the fraction half to even; the caller narrows the result.
int64_t ParseRoundedInteger(std::string_view text) {
    TextCursor cursor(text);
    cursor.SkipBlanks();
    const bool negative = cursor.Accept('-');
    if (!negative) {
        cursor.Accept('+');
    }

    int64_t magnitude = 0;
    bool anyDigit = false;
    while (cursor.PeekDigit()) {
        magnitude = std::min(magnitude * 10 + cursor.TakeDigit(), kSaturatedMagnitude);
        anyDigit = true;
    }

    int32_t firstFractionDigit = 0;
    bool nonZeroAfterFirst = false;
    if (cursor.Accept('.')) {
        if (cursor.PeekDigit()) {
            firstFractionDigit = cursor.TakeDigit();
            anyDigit = true;
        }
        while (cursor.PeekDigit()) {
            nonZeroAfterFirst = cursor.TakeDigit() != 0 || nonZeroAfterFirst;
        }
    }

    cursor.SkipBlanks();
    if (!anyDigit || !cursor.AtEnd()) {
        RaiseRuntimeError(RuntimeError::TypeMismatch);
    }

    // An exact half goes to the even neighbour; anything above a half goes up.
    const bool aboveHalf = firstFractionDigit > 5 || (firstFractionDigit == 5 && nonZeroAfterFirst);
    const bool exactHalf = firstFractionDigit == 5 && !nonZeroAfterFirst;
    if (aboveHalf || (exactHalf && magnitude % 2 != 0)) {
        ++magnitude;
    }
    return negative ? -magnitude : magnitude;
}

// Nearly every number a payload holds is one to nine digits, maybe after a minus sign: read so,
// it is the number the general rules give, and it fits 32 bits. False for any other text.
bool ReadPlainDigits(std::string_view text, int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::size_t first = negative ? 1 : 0;
    constexpr std::size_t kMostDigits = 9;
    if (text.size() <= first || text.size() - first > kMostDigits) {
        return false;
    }
    int64_t magnitude = 0;
    for (std::size_t place = first; place < text.size(); ++place) {
        const auto digit = static_cast<unsigned>(text[place] - '0');
        if (digit > 9) {
            return false;
        }
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

int64_t ParsedInteger(std::string_view text) {
    int64_t value = 0;
    return ReadPlainDigits(text, value) ? value : ParseRoundedInteger(text);
}

}  // namespace

int16_t TextToInt16(std::string_view text) {
    return CheckedInt16(ParsedInteger(text));
}

int32_t TextToInt32(std::string_view text) {
    return CheckedInt32(ParsedInteger(text));
}

}  // namespace tessaro
