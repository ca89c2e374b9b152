#include "bars/bar_look.hpp"

#include <array>

namespace tessaro {

int32_t StatusColourIndex(std::string_view status) {
    if (status < "D") {
        return 0;
    }
    if (status == "D") {
        return 1;
    }
    if (status == "E") {
        return 5;
    }
    if (status == "F") {
        return 2;
    }
    if (status == "G") {
        return 3;
    }
    return 4;
}

std::optional<int32_t> StylePairIndex(int16_t firstKey, int16_t secondKey) {
    struct Pair {
        int16_t first;
        int16_t second;
    };
    // In the order the styles are created.
    static constexpr std::array<Pair, 6> kPairs{{{0, 0}, {2, 1}, {2, 0}, {1, 1}, {1, 0}, {0, 1}}};
    for (std::size_t i = 0; i < kPairs.size(); ++i) {
        if (kPairs[i].first == firstKey && kPairs[i].second == secondKey) {
            return static_cast<int32_t>(i);
        }
    }
    return std::nullopt;
}

}  // namespace tessaro
