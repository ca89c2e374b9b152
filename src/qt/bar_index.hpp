#pragma once

// Which bars of a row meet a time window, without touching the others: the views paint and hit
// test through it so that a chart of many thousand bars costs only what is on screen.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>

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

// The index of every row of a chart, rebuilt row by row when the row is next asked for after a
// change.
class ChartBarIndex {
public:
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
        const auto count = static_cast<size_t>(chart.RowCount());
        if (allDirty_ || rows_.size() != count) {
            rows_.resize(count);
            dirty_.assign(count, true);
            allDirty_ = false;
        }
        const auto at = static_cast<size_t>(row - 1);
        if (dirty_[at]) {
            const int16_t bars = chart.TimeBarCount(row);
            std::vector<RowBarIndex::Entry> entries;
            entries.reserve(static_cast<size_t>(bars));
            for (int16_t bar = 1; bar <= bars; ++bar) {
                const ChartBar& b = chart.Bar(row, bar);
                entries.push_back({b.Start.AbsoluteMinutes(), b.End.AbsoluteMinutes(), bar});
            }
            rows_[at].rebuild(std::move(entries));
            dirty_[at] = false;
        }
        return rows_[at];
    }

private:
    std::vector<RowBarIndex> rows_;
    std::vector<bool> dirty_;
    bool allDirty_ = true;
};

}  // namespace tessaro::qt_detail
