#pragma once

#include <string>

namespace tessaro {

// A font object as a hosted component hands it out: the control sets name, size and weight.
struct Font {
    std::string Name;
    double Size = 8.25;
    bool Bold = false;

    bool operator==(const Font&) const = default;
};

}  // namespace tessaro
