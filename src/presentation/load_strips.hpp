#pragma once

// How loaded each resource in sight is over the time in sight: booked minutes of its work-order
// bars against its working minutes, worked out only for the rows painted and kept until the
// window in sight or the row changes.

#include <cstdint>
#include <unordered_map>

#include <QRect>

#include <tessaro/components/schedule_chart.hpp>

namespace tessaro::qt_detail {

class LoadStrips {
public:
    void markRowDirty(int row) { ratios_.erase(row); }
    void markAllDirty() { ratios_.clear(); }

    // Booked against working minutes of the row in [from, to); above 1 when overbooked.
    double ratio(const ScheduleChart& chart, int row, int64_t from, int64_t to);

private:
    int64_t from_ = 0;
    int64_t to_ = 0;
    std::unordered_map<int, double> ratios_;
};

// The strip at the right end of a resource's line in the list, a few pixels high.
QRect LoadStripRect(const QRect& line, double dpiScale);

// The part of the strip filled for the ratio: all of it from 100 % on.
QRect LoadStripFill(const QRect& strip, double ratio);

}  // namespace tessaro::qt_detail
