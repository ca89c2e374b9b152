// LoadCalendarEvents on arbitrary calendar text, on a fresh control holding the sample plant's
// window, resources and a few of its work-order bars.

#include <cstddef>
#include <cstdint>
#include <string>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "fuzz_support.hpp"

using namespace tessaro;
using namespace tessaro::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PlantExcerpt& plant = SamplePlantExcerpt();

    Tessaro_Ctrl control;
    control.LoadScheduleTime(plant.header);
    control.LoadResource(plant.resources);
    control.LoadResourceEvents(plant.workOrders);
    const ChartSnapshot before(control);
    if (!LoadedOrLeftAlone(control, before,
                           [&] { control.LoadCalendarEvents(AsText(data, size)); })) {
        return 0;
    }

    // One more calendar style; the bars there were stay, and every added bar is an unkeyed
    // calendar bar in that style.
    const ChartSnapshot after(control);
    FUZZ_CHECK(after.SameWindow(before) && after.Rows == before.Rows);
    FUZZ_CHECK(after.Styles == before.Styles + 1);
    for (std::size_t row = 0; row < after.Rows.size(); ++row) {
        const std::vector<ChartBar>& had = before.Bars[row];
        const std::vector<ChartBar>& has = after.Bars[row];
        FUZZ_CHECK(has.size() >= had.size());
        for (std::size_t bar = 0; bar < has.size(); ++bar) {
            CheckBarTimes(has[bar]);
            if (bar < had.size()) {
                FUZZ_CHECK(SameBar(has[bar], had[bar]));
            } else {
                // No length is negative; an end past midnight is carried by the chart.
                FUZZ_CHECK(has[bar].Start <= has[bar].End);
                FUZZ_CHECK(has[bar].Kind == CalendarBarKind && has[bar].Key.empty() &&
                           has[bar].Style == after.Styles && has[bar].Colour == -1);
            }
        }
    }
    return 0;
}
