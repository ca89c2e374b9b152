#include "sub_lanes.hpp"

#include <algorithm>
#include <numeric>

#include <tessaro/bars/chart_conventions.hpp>

namespace tessaro::qt_detail {

std::vector<uint8_t> AssignLanes(const std::vector<std::pair<int64_t, int64_t>>& spans,
                                 int& laneCount) {
    std::vector<std::size_t> order(spans.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return spans[a].first < spans[b].first; });
    std::vector<uint8_t> lanes(spans.size(), 0);
    // The end of the last bar put in each lane.
    std::vector<int64_t> laneEnds;
    for (const std::size_t i : order) {
        const auto [start, end] = spans[i];
        std::size_t lane = 0;
        while (lane < laneEnds.size() && laneEnds[lane] > start) {
            ++lane;
        }
        if (lane == laneEnds.size()) {
            if (laneEnds.size() < static_cast<std::size_t>(kMaximumLanes)) {
                laneEnds.push_back(end);
            } else {
                lane = laneEnds.size() - 1;
            }
        }
        laneEnds[lane] = std::max(laneEnds[lane], end);
        lanes[i] = static_cast<uint8_t>(lane);
    }
    laneCount = std::max<int>(1, static_cast<int>(laneEnds.size()));
    return lanes;
}

RowLanes LanesOfRow(const ScheduleChart& chart, int16_t row) {
    RowLanes lanes;
    const int32_t bars = chart.TimeBarCount(row);
    lanes.laneOf.assign(static_cast<std::size_t>(bars) + 1, 0);
    std::vector<std::pair<int64_t, int64_t>> spans;
    std::vector<int> places;
    for (int32_t i = 1; i <= bars; ++i) {
        const ChartBar& bar = chart.Bar(row, static_cast<int16_t>(i));
        if (bar.Kind == WorkOrderBarKind) {
            spans.emplace_back(bar.Start.AbsoluteMinutes(), bar.End.AbsoluteMinutes());
            places.push_back(i);
        }
    }
    const std::vector<uint8_t> assigned = AssignLanes(spans, lanes.count);
    lanes.lanesOf.assign(lanes.laneOf.size(), 1);
    // Groups of bars that overlap one another in a chain, in start order: each group splits the
    // row into as many lanes as it uses.
    std::vector<std::size_t> order(spans.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return spans[a].first < spans[b].first; });
    std::size_t groupStart = 0;
    int64_t groupEnd = 0;
    for (std::size_t k = 0; k <= order.size(); ++k) {
        const bool ends =
            k == order.size() || (k > groupStart && spans[order[k]].first >= groupEnd);
        if (ends && k > groupStart) {
            int used = 1;
            for (std::size_t g = groupStart; g < k; ++g) {
                used = std::max(used, assigned[order[g]] + 1);
            }
            for (std::size_t g = groupStart; g < k; ++g) {
                lanes.lanesOf[static_cast<std::size_t>(places[order[g]])] =
                    static_cast<uint8_t>(used);
            }
            groupStart = k;
        }
        if (k < order.size()) {
            const auto [start, end] = spans[order[k]];
            groupEnd = k == groupStart ? end : std::max(groupEnd, end);
        }
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
        lanes.laneOf[static_cast<std::size_t>(places[i])] = assigned[i];
    }
    return lanes;
}

QRect LaneRect(const QRect& barRect, int lane, int laneCount) {
    if (laneCount <= 1) {
        return barRect;
    }
    const int height = barRect.height();
    const int top = barRect.top() + height * lane / laneCount;
    const int bottom = barRect.top() + height * (lane + 1) / laneCount;
    // A pixel between lanes keeps neighbouring bars apart.
    return QRect(barRect.left(), top, barRect.width(), std::max(1, bottom - top - 1));
}

}  // namespace tessaro::qt_detail
