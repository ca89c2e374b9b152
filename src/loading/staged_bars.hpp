#pragma once

// The bars a loader reads from its payload, staged row after row before any goes on the chart:
// a payload that fails leaves the chart as it was, and each row then takes its bars in one append.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include <tessaro/components/chart_bar.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "runtime/large_block.hpp"

namespace tessaro {

class StagedBars {
public:
    void Reserve(std::size_t bars) { bars_.reserve(bars); }

    // A new bar on the row being read.
    ChartBar& Add() { return bars_.emplace_back(); }

    // Ends the row's bars; raises overflow (6), naming the row, when the row cannot take them: a
    // chart row holds at most 32767 bars.
    void EndRow(const ScheduleChart& chart, int32_t row) {
        const std::size_t added = bars_.size() - (rowEnds_.empty() ? 0 : rowEnds_.back());
        if (chart.TimeBarCount(static_cast<int16_t>(row)) + added >
            static_cast<std::size_t>(std::numeric_limits<int16_t>::max())) {
            RaiseRuntimeError(RuntimeError::Overflow, "A chart row holds at most 32767 bars; row " +
                                                          std::to_string(row) +
                                                          " would hold more.");
        }
        rowEnds_.push_back(bars_.size());
    }

    // Every staged bar, rows in order.
    std::span<ChartBar> Bars() { return bars_; }

    // Appends each ended row's bars to rows 1, 2, ... in turn, taking their texts; the chart
    // first makes room for all of them.
    void AppendTo(ScheduleChart& chart) {
        chart.ReserveBars(bars_.size());
        std::size_t rowStart = 0;
        for (std::size_t row = 0; row < rowEnds_.size(); ++row) {
            chart.AppendTimeBars(static_cast<int16_t>(row + 1),
                                 Bars().subspan(rowStart, rowEnds_[row] - rowStart));
            rowStart = rowEnds_[row];
        }
    }

private:
    std::vector<ChartBar, LargeBlockAllocator<ChartBar>> bars_;
    std::vector<std::size_t> rowEnds_;
};

}  // namespace tessaro
