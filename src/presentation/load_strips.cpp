#include "load_strips.hpp"

#include <algorithm>
#include <cmath>

#include <tessaro/plan/working_time.hpp>

namespace tessaro::qt_detail {

double LoadStrips::ratio(const ScheduleChart& chart, int row, int64_t from, int64_t to) {
    if (from != from_ || to != to_) {
        ratios_.clear();
        from_ = from;
        to_ = to;
    }
    const auto [at, added] = ratios_.try_emplace(row, 0.0);
    if (added) {
        at->second = LoadOfRow(chart, static_cast<int16_t>(row), from, to).Ratio();
    }
    return at->second;
}

QRect LoadStripRect(const QRect& line, double dpiScale) {
    const int width = static_cast<int>(std::lround(36 * dpiScale));
    const int height = std::max(3, static_cast<int>(std::lround(4 * dpiScale)));
    const int pad = static_cast<int>(std::lround(4 * dpiScale));
    return QRect(line.right() - pad - width + 1, line.top() + (line.height() - height) / 2, width,
                 height);
}

QRect LoadStripFill(const QRect& strip, double ratio) {
    const double share = std::clamp(ratio, 0.0, 1.0);
    return QRect(strip.left(), strip.top(), static_cast<int>(std::lround(strip.width() * share)),
                 strip.height());
}

}  // namespace tessaro::qt_detail
