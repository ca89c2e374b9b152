#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

namespace ascii_detail {

// The eight bytes with their ASCII capitals lower-cased, all at once; a byte with its high bit
// set (UTF-8) stays as it is.
constexpr uint64_t LowerWord(uint64_t word) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighBits = kOnes * 0x80;
    const uint64_t low = word & ~kHighBits;
    // A byte's high bit is set in the first where its low bits are 'A' or more, in the second
    // where they are past 'Z'; neither sum carries into the next byte.
    const uint64_t fromA = low + kOnes * (0x80 - 'A');
    const uint64_t pastZ = low + kOnes * (0x80 - 'Z' - 1);
    const uint64_t capitals = fromA & ~pastZ & ~word & kHighBits;
    return word | (capitals >> 2);
}

template <typename Word>
Word Load(const char* at) {
    Word word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// A text of fewer than eight bytes as one word; texts of one length give words of the same
// bytes at the same places.
inline uint64_t ShortWord(std::string_view text) {
    const std::size_t size = text.size();
    if (size >= 4) {
        return Load<uint32_t>(text.data()) | uint64_t{Load<uint32_t>(text.data() + size - 4)} << 32;
    }
    uint64_t word = 0;
    for (const char c : text) {
        word = word << 8 | static_cast<unsigned char>(c);
    }
    return word;
}

}  // namespace ascii_detail

// Hash and equality for unordered containers whose keys compare ignoring ASCII letter case;
// both accept any string-like key, so look-ups need not build a string. Keys are read eight bytes
// at a time, the last word overlapping the one before it: a large load looks up a work order's
// number for every bar.
struct AsciiCaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        using ascii_detail::Load;
        using ascii_detail::LowerWord;
        uint64_t hash = 0x9E3779B97F4A7C15ull ^ text.size();
        const auto mix = [&hash](uint64_t word) {
            hash = (hash ^ LowerWord(word)) * 0xFF51AFD7ED558CCDull;
            hash ^= hash >> 32;
        };
        const std::size_t size = text.size();
        if (size < 8) {
            mix(ascii_detail::ShortWord(text));
            return static_cast<std::size_t>(hash);
        }
        for (std::size_t place = 0; place + 8 <= size; place += 8) {
            mix(Load<uint64_t>(text.data() + place));
        }
        if (size % 8 != 0) {
            mix(Load<uint64_t>(text.data() + size - 8));
        }
        return static_cast<std::size_t>(hash);
    }
};

struct AsciiCaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        using ascii_detail::Load;
        using ascii_detail::LowerWord;
        const std::size_t size = a.size();
        if (b.size() != size) {
            return false;
        }
        if (size < 8) {
            return LowerWord(ascii_detail::ShortWord(a)) == LowerWord(ascii_detail::ShortWord(b));
        }
        const auto same = [&](std::size_t place) {
            return LowerWord(Load<uint64_t>(a.data() + place)) ==
                   LowerWord(Load<uint64_t>(b.data() + place));
        };
        for (std::size_t place = 0; place + 8 <= size; place += 8) {
            if (!same(place)) {
                return false;
            }
        }
        return size % 8 == 0 || same(size - 8);
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
