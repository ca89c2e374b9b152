#pragma once

#include <cstdint>

#include <tessaro/export.hpp>

namespace tessaro {

// The envelope of a group of work-order bars: the earliest start and the latest end. Whoever
// uses it sets its starting values; Extend only widens it.
struct TESSARO_EXPORT WorkOrderSpan {
    int32_t StartDay = 0;
    int32_t EndDay = 0;
    int16_t StartMinute = 0;
    int16_t EndMinute = 0;

    // An earlier start day takes the start day and minute; the same day with a smaller minute
    // takes the minute (and likewise for the end). Raises overflow (6) when a minute that would
    // be taken lies outside 16 bits; nothing changes then.
    void Extend(int32_t startDay, int32_t endDay, int32_t startMinute, int32_t endMinute);

    bool operator==(const WorkOrderSpan&) const = default;
};

}  // namespace tessaro
