#pragma once

// Which bars of a row meet a time window, without touching the others: the views paint and hit
// test through it so that a chart of many thousand bars costs only what is on screen.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>

#include "sub_lanes.hpp"

namespace tessaro::qt_detail {

// One row's bars sorted by start, with the running maximum of their ends: the first bar that can
// reach a window is found by binary search on that maximum, the last by binary search on starts.
class RowBarIndex {
public:
    struct Entry {
        int64_t start;
        int64_t end;
        int16_t bar;
    };

    // Entries in any order; an entry whose end lies before its start is taken end first.
    void rebuild(std::vector<Entry> entries) {
        for (Entry& entry : entries) {
            if (entry.end < entry.start) {
                std::swap(entry.start, entry.end);
            }
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.start < b.start; });
        entries_ = std::move(entries);
        maxEnd_.resize(entries_.size());
        int64_t running = std::numeric_limits<int64_t>::min();
        for (size_t i = 0; i < entries_.size(); ++i) {
            running = std::max(running, entries_[i].end);
            maxEnd_[i] = running;
        }
    }

    // Calls visit(entry) for every bar whose closed span [start, end] meets [from, to], in start
    // order. A bar of zero length at the window's edge is still reported.
    template <typename Visit>
    void forEachIn(int64_t from, int64_t to, Visit&& visit) const {
        const auto first = std::lower_bound(maxEnd_.begin(), maxEnd_.end(), from);
        const auto last = std::upper_bound(entries_.begin(), entries_.end(), to,
                                           [](int64_t t, const Entry& e) { return t < e.start; });
        for (auto it = entries_.begin() + (first - maxEnd_.begin()); it < last; ++it) {
            if (it->end >= from) {
                visit(*it);
            }
        }
    }

    size_t size() const { return entries_.size(); }

private:
    std::vector<Entry> entries_;
    std::vector<int64_t> maxEnd_;
};

// Where work-order bars of one row overlap: the merged spans of two or more bars, and the bars
// that overlap another one (sorted, for binary search).
struct RowConflicts {
    std::vector<std::pair<int64_t, int64_t>> zones;
    std::vector<int16_t> bars;

    bool contains(int16_t bar) const { return std::binary_search(bars.begin(), bars.end(), bar); }
};

// Sweeps the entries of the bars of one kind in start order: a bar that starts before the
// latest end seen so far overlaps the bar holding that end. Half-open spans: touching bars and
// bars of no length do not overlap.
inline RowConflicts FindConflicts(const std::vector<RowBarIndex::Entry>& sortedEntries) {
    RowConflicts found;
    int64_t latestEnd = std::numeric_limits<int64_t>::min();
    int16_t latestBar = 0;
    for (const RowBarIndex::Entry& entry : sortedEntries) {
        if (entry.end <= entry.start) {
            continue;
        }
        if (latestBar != 0 && entry.start < latestEnd) {
            found.bars.push_back(entry.bar);
            found.bars.push_back(latestBar);
            const int64_t zoneEnd = std::min(entry.end, latestEnd);
            if (!found.zones.empty() && entry.start <= found.zones.back().second) {
                found.zones.back().second = std::max(found.zones.back().second, zoneEnd);
            } else {
                found.zones.emplace_back(entry.start, zoneEnd);
            }
        }
        if (latestBar == 0 || entry.end > latestEnd) {
            latestEnd = entry.end;
            latestBar = entry.bar;
        }
    }
    std::sort(found.bars.begin(), found.bars.end());
    found.bars.erase(std::unique(found.bars.begin(), found.bars.end()), found.bars.end());
    return found;
}

// The index of every row of a chart, rebuilt row by row when the row is next asked for after a
// change, with the overlaps of the row's bars of one kind (the work-order bars).
class ChartBarIndex {
public:
    explicit ChartBarIndex(int32_t conflictKind = 2000) : conflictKind_(conflictKind) {}

    void markRowDirty(int16_t row) {
        if (row >= 1 && static_cast<size_t>(row) <= dirty_.size()) {
            dirty_[static_cast<size_t>(row - 1)] = true;
        }
    }

    void markAllDirty() {
        std::fill(dirty_.begin(), dirty_.end(), true);
        allDirty_ = true;
    }

    // The row's index as of the chart's current bars; row must exist in the chart.
    const RowBarIndex& row(const ScheduleChart& chart, int16_t row) {
        return rows_[refresh(chart, row)];
    }

    // The overlaps of the row's bars of the conflict kind; row must exist in the chart.
    const RowConflicts& conflicts(const ScheduleChart& chart, int16_t row) {
        return conflicts_[refresh(chart, row)];
    }

    // The lanes of the row's work-order bars, worked out when first asked for after a change of
    // the row; a row without overlaps has a single lane and costs nothing more.
    const RowLanes& lanes(const ScheduleChart& chart, int16_t row) {
        static const RowLanes single;
        const size_t at = refresh(chart, row);
        if (conflicts_[at].bars.empty()) {
            return single;
        }
        if (!lanes_[at]) {
            lanes_[at] = LanesOfRow(chart, row);
        }
        return *lanes_[at];
    }

private:
    size_t refresh(const ScheduleChart& chart, int16_t row) {
        const auto count = static_cast<size_t>(chart.RowCount());
        if (allDirty_ || rows_.size() != count) {
            rows_.resize(count);
            conflicts_.resize(count);
            lanes_.assign(count, std::nullopt);
            dirty_.assign(count, true);
            allDirty_ = false;
        }
        const auto at = static_cast<size_t>(row - 1);
        if (dirty_[at]) {
            // A wider counter than a bar number, so that it can pass the last of 32767 bars.
            const int32_t bars = chart.TimeBarCount(row);
            std::vector<RowBarIndex::Entry> entries;
            std::vector<RowBarIndex::Entry> conflictEntries;
            entries.reserve(static_cast<size_t>(bars));
            for (int32_t i = 1; i <= bars; ++i) {
                const auto bar = static_cast<int16_t>(i);
                const ChartBar& b = chart.Bar(row, bar);
                entries.push_back({b.Start.AbsoluteMinutes(), b.End.AbsoluteMinutes(), bar});
                if (b.Kind == conflictKind_) {
                    conflictEntries.push_back(entries.back());
                }
            }
            std::stable_sort(conflictEntries.begin(), conflictEntries.end(),
                             [](const RowBarIndex::Entry& a, const RowBarIndex::Entry& b) {
                                 return a.start < b.start;
                             });
            conflicts_[at] = FindConflicts(conflictEntries);
            rows_[at].rebuild(std::move(entries));
            lanes_[at].reset();
            dirty_[at] = false;
        }
        return at;
    }

    int32_t conflictKind_;
    std::vector<RowBarIndex> rows_;
    std::vector<RowConflicts> conflicts_;
    std::vector<std::optional<RowLanes>> lanes_;
    std::vector<bool> dirty_;
    bool allDirty_ = true;
};

}  // namespace tessaro::qt_detail
