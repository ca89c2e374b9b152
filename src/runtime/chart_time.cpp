#include <tessaro/runtime/chart_time.hpp>

#include <tessaro/runtime/calendar.hpp>
#include "runtime/checked_arithmetic.hpp"

#include "runtime/floor_division.hpp"

namespace tessaro {

namespace {

constexpr int64_t kMinutesPerDay = 1440;
constexpr int64_t kSecondsPerMinute = 60;

}  // namespace

ChartTime ChartTime::FromPayloadSeconds(int32_t seconds) {
    const int64_t minutes = FloorDiv(seconds, kSecondsPerMinute);
    return ChartTime{static_cast<int32_t>(kDayOf2000 + FloorDiv(minutes, kMinutesPerDay)),
                     static_cast<int32_t>(FloorMod(minutes, kMinutesPerDay))};
}

int32_t ChartTime::ToPayloadSeconds() const {
    return CheckedInt32(((int64_t{Day} - kDayOf2000) * kMinutesPerDay + Minute) *
                        kSecondsPerMinute);
}

ChartTime ChartTime::Normalised() const {
    return ChartTime{CheckedInt32(Day + FloorDiv(Minute, kMinutesPerDay)),
                     static_cast<int32_t>(FloorMod(Minute, kMinutesPerDay))};
}

int64_t ChartTime::AbsoluteMinutes() const {
    return int64_t{Day} * kMinutesPerDay + Minute;
}

int32_t MinutesBetween(const ChartTime& from, const ChartTime& to) {
    return CheckedInt32(to.AbsoluteMinutes() - from.AbsoluteMinutes());
}

}  // namespace tessaro
