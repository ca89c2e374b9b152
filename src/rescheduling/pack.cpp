#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include <tessaro/runtime/checked_arithmetic.hpp>
#include <tessaro/runtime/value_rollback.hpp>

namespace tessaro {

void Tessaro_Ctrl::miPack_Click() {
    // Reset on every way out, an overflow included, so later bar changes are not recorded as
    // Pack moves.
    ValueRollback<int16_t> packing(PackInProgress_, -1);
    const int16_t row = ctResSched_.FindTimeBarRow(ClickedBarKey_);
    const int16_t anchor = ctResSched_.FindTimeBarInRow(ClickedBarKey_, row);
    if (anchor == 0) {
        return;
    }
    const int32_t count = ctResSched_.TimeBarCount(row);
    ChartTime previousEnd = ctResSched_.Bar(row, anchor).End;
    int32_t thresholdDay = previousEnd.Day;

    // Bars follow one another in index order from the anchor's end, each keeping its length; a
    // bar starting on a day before the last moved bar's start day stays where it is.
    for (int32_t i = 1; i <= count; ++i) {
        const auto index = static_cast<int16_t>(i);
        if (index == anchor || ctResSched_.TimeBarKind(row, index) != WorkOrderBarKind) {
            continue;
        }
        const ChartBar& bar = ctResSched_.Bar(row, index);
        if (bar.Start.Day < thresholdDay) {
            continue;
        }
        const int32_t length = MinutesBetween(bar.Start, bar.End);
        const int32_t days = length / 1440;
        const int32_t rest = length - days * 1440;
        // Normalised, so a chain that passes midnight compares the day its bars really start on.
        const ChartTime newEnd =
            ChartTime{Add32(previousEnd.Day, days), Add32(previousEnd.Minute, rest)}.Normalised();
        ctResSched_.MoveTimeBar(row, index, previousEnd.Minute, newEnd.Minute, previousEnd.Day,
                                newEnd.Day);
        thresholdDay = previousEnd.Day;
        previousEnd = newEnd;
    }
}

}  // namespace tessaro
