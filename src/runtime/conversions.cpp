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

}  // namespace

int16_t TextToInt16(std::string_view text) {
    return CheckedInt16(ParseRoundedInteger(text));
}

int32_t TextToInt32(std::string_view text) {
    return CheckedInt32(ParseRoundedInteger(text));
}

}  // namespace tessaro
