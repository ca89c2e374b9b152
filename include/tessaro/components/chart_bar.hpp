#pragma once

#include <cstdint>
#include <string>

#include <tessaro/runtime/chart_time.hpp>

namespace tessaro {

// What the chart holds for one bar. Start and End always have minutes 0..1439.
struct ChartBar {
    ChartTime Start;
    ChartTime End;
    std::string Key;
    std::string Tag;
    std::string Text;
    int32_t Kind = 0;
    int32_t Colour = -1;
    int16_t Style = 0;
};

}  // namespace tessaro
