#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/ascii.hpp"

namespace tessaro {

// A forward-only reader over automation text, shared by the number and date parsers.
class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ == text_.size(); }

    // Returns '\0' at the end, which matches none of the characters the parsers look for.
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }

    bool PeekDigit() const { return Peek() >= '0' && Peek() <= '9'; }

    // Returns false and stays put when the next character is not `c`.
    bool Accept(char c) {
        if (AtEnd() || text_[position_] != c) {
            return false;
        }
        ++position_;
        return true;
    }

    // Compares ASCII letters ignoring case; returns false and stays put on a mismatch.
    bool AcceptWordIgnoringCase(std::string_view word) {
        if (text_.size() - position_ < word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (AsciiLower(text_[position_ + i]) != AsciiLower(word[i])) {
                return false;
            }
        }
        position_ += word.size();
        return true;
    }

    // Returns the digit's value; the caller checks PeekDigit first.
    int32_t TakeDigit() { return text_[position_++] - '0'; }

    // Blanks are spaces and tabs only; returns how many were skipped.
    std::size_t SkipBlanks() {
        const std::size_t start = position_;
        while (!AtEnd() && (text_[position_] == ' ' || text_[position_] == '\t')) {
            ++position_;
        }
        return position_ - start;
    }

    // Returns the digit count, 0 when no digit follows; stops after `maxDigits` so the value
    // cannot overflow, leaving any further digit for the caller to reject.
    int ReadNumber(int maxDigits, int32_t& value) {
        value = 0;
        int count = 0;
        while (count < maxDigits && PeekDigit()) {
            value = value * 10 + TakeDigit();
            ++count;
        }
        return count;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace tessaro
