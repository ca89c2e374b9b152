#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// One pending change of a work-order activity, as the host receives it from rescheduling().
struct Vadel_Class2 {
    std::string wonumber;
    // The activity number (the bar record's schedule number, 16-bit).
    int16_t woact = 0;
    int16_t wosubact = 0;
    // New start and end in seconds since 1 January 2000 00:00:00.
    int32_t starttime = 0;
    int32_t endtime = 0;
    // "F" or "B" for a paste forward or backward, "" otherwise.
    std::string schmethod;
    // "Y" when the activity was dropped on another resource row, else "N".
    std::string reschangeflg;
    std::string newresource;
    std::string oldresource;
};

}  // namespace tessaro
