#include "bars/work_order_bars.hpp"

namespace tessaro {

int16_t PutTimeBar(ScheduleChart& chart, int16_t row, const ChartBar& bar) {
    const int16_t index = chart.AddTimeBar(row, bar.Start.Minute, bar.End.Minute, bar.Start.Day,
                                           bar.End.Day, bar.Key);
    chart.SetTimeBarColour(row, index, bar.Colour);
    chart.SetTimeBarStyle(row, index, bar.Style);
    chart.SetTimeBarText(row, index, bar.Text);
    chart.SetTimeBarKind(row, index, bar.Kind);
    chart.SetTimeBarTag(row, index, bar.Tag);
    return index;
}

}  // namespace tessaro
