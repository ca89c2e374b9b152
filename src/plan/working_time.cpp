#include "plan/working_time.hpp"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <tessaro/bars/chart_conventions.hpp>

namespace tessaro {
namespace {

int64_t Overlap(int64_t aStart, int64_t aEnd, int64_t bStart, int64_t bEnd) {
    return std::max<int64_t>(0, std::min(aEnd, bEnd) - std::max(aStart, bStart));
}

// The first block that ends after the minute.
MinuteSpans::const_iterator FirstEndingAfter(const MinuteSpans& blocks, int64_t minute) {
    return std::upper_bound(blocks.begin(), blocks.end(), minute,
                            [](int64_t value, const std::pair<int64_t, int64_t>& block) {
                                return value < block.second;
                            });
}

bool LiesInWorkingTime(const MinuteSpans& blocks, int64_t start, int64_t minutes) {
    const auto next = FirstEndingAfter(blocks, start);
    return next == blocks.end() || next->first >= start + minutes;
}

}  // namespace

MinuteSpans NonWorkingSpans(const ScheduleChart& chart, int16_t row) {
    MinuteSpans blocks;
    const int32_t bars = chart.TimeBarCount(row);
    for (int32_t i = 1; i <= bars; ++i) {
        const ChartBar& bar = chart.Bar(row, static_cast<int16_t>(i));
        if (bar.Kind == CalendarBarKind && bar.Start < bar.End) {
            blocks.emplace_back(bar.Start.AbsoluteMinutes(), bar.End.AbsoluteMinutes());
        }
    }
    std::sort(blocks.begin(), blocks.end());
    MinuteSpans merged;
    for (const auto& block : blocks) {
        if (!merged.empty() && block.first <= merged.back().second) {
            merged.back().second = std::max(merged.back().second, block.second);
        } else {
            merged.push_back(block);
        }
    }
    return merged;
}

int64_t NearestWorkingStart(const MinuteSpans& blocks, int64_t start, int64_t minutes,
                            int64_t reach) {
    minutes = std::max<int64_t>(minutes, 1);
    if (LiesInWorkingTime(blocks, start, minutes)) {
        return start;
    }
    // A bar that fits anywhere fits right after a block or right before one.
    std::optional<int64_t> best;
    const auto consider = [&](int64_t candidate) {
        const int64_t distance = std::llabs(candidate - start);
        if (distance > reach || !LiesInWorkingTime(blocks, candidate, minutes)) {
            return;
        }
        const int64_t bestDistance = best ? std::llabs(*best - start) : 0;
        if (!best || distance < bestDistance || (distance == bestDistance && candidate > *best)) {
            best = candidate;
        }
    };
    for (auto block = FirstEndingAfter(blocks, start - reach - minutes);
         block != blocks.end() && block->first <= start + reach + minutes; ++block) {
        consider(block->second);
        consider(block->first - minutes);
    }
    return best.value_or(start);
}

ResourceLoad LoadOfRow(const ScheduleChart& chart, int16_t row, int64_t from, int64_t to) {
    ResourceLoad load;
    if (to <= from) {
        return load;
    }
    const int32_t bars = chart.TimeBarCount(row);
    for (int32_t i = 1; i <= bars; ++i) {
        const ChartBar& bar = chart.Bar(row, static_cast<int16_t>(i));
        if (bar.Kind == WorkOrderBarKind) {
            load.BookedMinutes +=
                Overlap(bar.Start.AbsoluteMinutes(), bar.End.AbsoluteMinutes(), from, to);
        }
    }
    load.WorkingMinutes = to - from;
    for (const auto& [blockStart, blockEnd] : NonWorkingSpans(chart, row)) {
        load.WorkingMinutes -= Overlap(blockStart, blockEnd, from, to);
    }
    return load;
}

}  // namespace tessaro
