#include "bars/work_order_bars.hpp"

#include <span>

namespace tessaro {

int16_t PutTimeBar(ScheduleChart& chart, int16_t row, const ChartBar& bar) {
    // One append of the whole bar: it stands with everything it carries, or not at all.
    ChartBar whole = bar;
    chart.AppendTimeBars(row, std::span<ChartBar>(&whole, 1));
    return chart.TimeBarCount(row);
}

}  // namespace tessaro
