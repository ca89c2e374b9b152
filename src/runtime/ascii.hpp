#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

// Lower-cases ASCII letters only; every other byte, UTF-8 included, stays as it is.
constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text with its ASCII letters lower-cased.
inline std::string AsciiLowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = AsciiLower(c);
    }
    return lowered;
}

// True when the texts differ at most in the letter case of ASCII letters.
constexpr bool AsciiEqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Hash and equality for unordered containers whose keys compare ignoring ASCII letter case;
// both accept any string-like key, so look-ups need not build a string.
struct AsciiCaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        std::size_t hash = 14695981039346656037ull;  // FNV-1a
        for (const char c : text) {
            hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
        }
        return hash;
    }
};

struct AsciiCaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return AsciiEqualIgnoringCase(a, b);
    }
};

// The text without leading and trailing spaces, as automation's Trim gives it: tabs and other
// blanks stay.
constexpr std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace tessaro
