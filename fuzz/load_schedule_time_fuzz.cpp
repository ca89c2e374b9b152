// LoadScheduleTime on arbitrary header text, on a fresh control holding the sample plant's
// resources and a few of its work-order bars.

#include <cstddef>
#include <cstdint>
#include <string>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "fuzz_support.hpp"

using namespace tessaro;
using namespace tessaro::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PlantExcerpt& plant = SamplePlantExcerpt();

    Tessaro_Ctrl control;
    control.LoadResource(plant.resources);
    control.LoadResourceEvents(plant.workOrders);
    const ChartSnapshot before(control);
    if (!LoadedOrLeftAlone(control, before,
                           [&] { control.LoadScheduleTime(AsText(data, size)); })) {
        return 0;
    }

    // The window and the chart's range change together, and the window never ends before it
    // starts; rows and bars stay.
    const ChartSnapshot after(control);
    FUZZ_CHECK(after.WindowStart <= after.WindowEnd);
    FUZZ_CHECK(after.RangeStartDay == after.WindowStart.Day);
    FUZZ_CHECK(after.RangeEndDay == after.WindowEnd.Day);
    FUZZ_CHECK(SameRowsAndBars(before, after));
    return 0;
}
