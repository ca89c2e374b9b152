#pragma once

#include <cstdint>

namespace tessaro {

// The work-order registry's entry: how many sub-activities of one work order a bar load has
// registered so far.
struct Vadel_Class1 {
    int16_t WOCount = 0;
};

}  // namespace tessaro
