// The automation conversions on arbitrary text: TextToInt16 and TextToInt32 against the number
// rules their header states, and TextToDate, whose result must be a real moment that converts
// back from its written forms to itself.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/calendar.hpp>
#include "runtime/conversions.hpp"

#include "fuzz_support.hpp"

using namespace tessaro;
using namespace tessaro::fuzzing;

namespace {

// The outcome of a conversion: its value or the error code it raised.
struct Outcome {
    int64_t Value = 0;
    int32_t Error = 0;

    bool operator==(const Outcome&) const = default;
};

template <typename Convert>
Outcome Run(Convert convert) {
    try {
        return Outcome{convert(), 0};
    } catch (const AutomationError& error) {
        return Outcome{0, error.Code()};
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The header's rules, written out independently: blanks, an optional sign, digits with an
// optional fraction (one digit at least), blanks; the fraction rounds half to even; a value
// outside [low, high] is overflow (6), any other text type mismatch (13).
Outcome ExpectedInteger(std::string_view text, int64_t low, int64_t high) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string whole;
    while (i < text.size() && IsDigit(text[i])) {
        whole += text[i++];
    }
    std::string fraction;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            fraction += text[i++];
        }
    }
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i != text.size() || (whole.empty() && fraction.empty())) {
        return Outcome{0, 13};
    }
    const std::size_t firstSignificant = whole.find_first_not_of('0');
    whole = firstSignificant == std::string::npos ? "" : whole.substr(firstSignificant);
    if (whole.size() > 15) {
        return Outcome{0, 6};
    }
    int64_t magnitude = whole.empty() ? 0 : std::stoll(whole);
    if (!fraction.empty()) {
        const char first = fraction[0];
        const bool restNonZero = fraction.find_first_not_of('0', 1) != std::string::npos;
        if (first > '5' || (first == '5' && (restNonZero || magnitude % 2 != 0))) {
            ++magnitude;
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < low || value > high) {
        return Outcome{0, 6};
    }
    return Outcome{value, 0};
}

void CheckIntegers(std::string_view text) {
    const Outcome narrow = Run([&] { return TextToInt16(text); });
    const Outcome wide = Run([&] { return TextToInt32(text); });
    FUZZ_CHECK(narrow == ExpectedInteger(text, std::numeric_limits<int16_t>::min(),
                                         std::numeric_limits<int16_t>::max()));
    FUZZ_CHECK(wide == ExpectedInteger(text, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
    if (wide.Error == 0) {
        // A converted number reads back from its decimal form.
        FUZZ_CHECK(TextToInt32(std::to_string(wide.Value)) == wide.Value);
    }
}

template <typename... Numbers>
std::string Printed(const char* format, Numbers... numbers) {
    char text[96];
    std::snprintf(text, sizeof text, format, numbers...);
    return text;
}

// The written forms of a moment the header's rules read: month/day/year and ISO 8601, with a
// 24-hour or a 12-hour time, the year in four digits.
void CheckDate(std::string_view text) {
    DateTime moment;
    try {
        moment = TextToDate(text);
    } catch (const AutomationError& error) {
        FUZZ_CHECK(error.Code() == 13);
        return;
    }
    FUZZ_CHECK(moment.SecondOfDay >= 0 && moment.SecondOfDay <= 86399);
    const CivilDate date = DateFromDayNumber(moment.Day);
    FUZZ_CHECK(date.Year >= 100 && date.Year <= 9999);
    FUZZ_CHECK(DayNumber(date.Year, date.Month, date.Day) == moment.Day);

    const int hour = moment.SecondOfDay / 3600;
    const int minute = moment.SecondOfDay / 60 % 60;
    const int second = moment.SecondOfDay % 60;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    const char* meridiem = hour < 12 ? "AM" : "PM";
    const std::string forms[] = {
        Printed("%d/%d/%04d %d:%02d:%02d", date.Month, date.Day, date.Year, hour, minute, second),
        Printed("%04d-%02d-%02dT%02d:%02d:%02d", date.Year, date.Month, date.Day, hour, minute,
                second),
        Printed("%04d-%02d-%02d %d:%02d:%02d", date.Year, date.Month, date.Day, hour, minute,
                second),
        Printed("%d/%d/%04d %d:%02d:%02d ", date.Month, date.Day, date.Year, hour12, minute,
                second) +
            meridiem,
    };
    for (const std::string& form : forms) {
        try {
            FUZZ_CHECK(TextToDate(form) == moment);
        } catch (const AutomationError&) {
            FUZZ_CHECK(false);
        }
    }
    if (moment.SecondOfDay == 0) {
        FUZZ_CHECK(TextToDate(Printed("%d/%d/%04d", date.Month, date.Day, date.Year)) == moment);
        FUZZ_CHECK(TextToDate(Printed("%04d-%02d-%02d", date.Year, date.Month, date.Day)) ==
                   moment);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    CheckIntegers(text);
    CheckDate(text);
    return 0;
}
