#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/calendar.hpp>
#include "runtime/conversions.hpp"

#include "runtime/text_cursor.hpp"

namespace tessaro {

namespace {

constexpr int32_t kMinYear = 100;
constexpr int32_t kMaxYear = 9999;

[[noreturn]] void RaiseMismatch() {
    RaiseRuntimeError(RuntimeError::TypeMismatch);
}

// 1- and 2-digit years go to a window 1930..2029; longer years are taken literally.
int32_t ExpandYear(int32_t year, int digits) {
    if (digits > 2) {
        return year;
    }
    return year < 30 ? 2000 + year : 1900 + year;
}

int32_t CheckedDayNumber(int32_t year, int32_t month, int32_t day) {
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        RaiseMismatch();
    }
    return DayNumber(year, month, day);
}

// H:MM or H:MM:SS, then optionally AM or PM; the cursor must reach the end.
int32_t ReadTimeOfDay(TextCursor& cursor, bool allowMeridiem) {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    if (cursor.ReadNumber(2, hour) == 0 || !cursor.Accept(':') ||
        cursor.ReadNumber(2, minute) != 2) {
        RaiseMismatch();
    }
    if (cursor.Accept(':') && cursor.ReadNumber(2, second) != 2) {
        RaiseMismatch();
    }
    if (minute > 59 || second > 59) {
        RaiseMismatch();
    }

    cursor.SkipBlanks();
    const bool morning = allowMeridiem && cursor.AcceptWordIgnoringCase("AM");
    const bool afternoon = allowMeridiem && !morning && cursor.AcceptWordIgnoringCase("PM");
    if (!cursor.AtEnd()) {
        RaiseMismatch();
    }
    if (morning || afternoon) {
        if (hour < 1 || hour > 12) {
            RaiseMismatch();
        }
        // 12 AM is midnight and 12 PM is noon.
        hour = hour % 12 + (afternoon ? 12 : 0);
    } else if (hour > 23) {
        RaiseMismatch();
    }
    return (hour * 60 + minute) * 60 + second;
}

// year-month-day, then nothing, "T" and a 24-hour time, or blanks and a time.
DateTime ReadIsoDate(TextCursor& cursor, int32_t year) {
    int32_t month = 0;
    int32_t day = 0;
    if (!cursor.Accept('-') || cursor.ReadNumber(2, month) == 0 || !cursor.Accept('-') ||
        cursor.ReadNumber(2, day) == 0) {
        RaiseMismatch();
    }
    DateTime result{CheckedDayNumber(year, month, day), 0};
    if (cursor.Accept('T')) {
        result.SecondOfDay = ReadTimeOfDay(cursor, false);
    } else if (cursor.SkipBlanks() > 0) {
        result.SecondOfDay = ReadTimeOfDay(cursor, true);
    } else if (!cursor.AtEnd()) {
        RaiseMismatch();
    }
    return result;
}

// month/day/year, then nothing or blanks and a time.
DateTime ReadMonthDayYear(TextCursor& cursor, int32_t month) {
    int32_t day = 0;
    int32_t year = 0;
    if (!cursor.Accept('/') || cursor.ReadNumber(2, day) == 0 || !cursor.Accept('/')) {
        RaiseMismatch();
    }
    const int yearDigits = cursor.ReadNumber(4, year);
    if (yearDigits == 0) {
        RaiseMismatch();
    }
    DateTime result{CheckedDayNumber(ExpandYear(year, yearDigits), month, day), 0};
    if (cursor.SkipBlanks() > 0) {
        result.SecondOfDay = ReadTimeOfDay(cursor, true);
    } else if (!cursor.AtEnd()) {
        RaiseMismatch();
    }
    return result;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

DateTime TextToDate(std::string_view text) {
    TextCursor cursor(TrimBlanks(text));
    int32_t leading = 0;
    const int leadingDigits = cursor.ReadNumber(4, leading);
    if (leadingDigits == 4 && cursor.Peek() == '-') {
        return ReadIsoDate(cursor, leading);
    }
    if (leadingDigits >= 1 && leadingDigits <= 2 && cursor.Peek() == '/') {
        return ReadMonthDayYear(cursor, leading);
    }
    RaiseMismatch();
}

}  // namespace tessaro
