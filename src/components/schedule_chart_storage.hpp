#pragma once

// How the schedule chart keeps its rows and bars; shared by the files that implement it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {

struct ScheduleChart::StoredBar : ChartBar {
    // From a pool of slots: a large load creates a hundred thousand bars at once.
    TESSARO_NO_EXPORT static void* operator new(std::size_t bytes);
    TESSARO_NO_EXPORT static void operator delete(void* bar) noexcept;
    // Room for that many more bars, for a load about to add them.
    TESSARO_NO_EXPORT static void Reserve(std::size_t bars);

    // Stable identity: lets a gesture find its bar again after a handler changed the row.
    uint64_t id = 0;
    int16_t row = 0;
    // 0-based place in the row, kept current so key look-ups never scan a row.
    int32_t position = 0;
};

struct ScheduleChart::Row {
    std::string text;
    std::vector<std::unique_ptr<StoredBar>> bars;
};

namespace chart_detail {

[[noreturn]] inline void RaiseInvalidArgument() {
    RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
}

// The key group a key belongs to: its text before the first "$".
inline std::string_view KeyGroup(std::string_view key) {
    return key.substr(0, key.find('$'));
}

inline ChartTime MakeTime(int32_t day, int32_t minute) {
    return ChartTime{day, minute}.Normalised();
}

}  // namespace chart_detail
}  // namespace tessaro
