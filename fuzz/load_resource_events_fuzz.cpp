// LoadResourceEvents on arbitrary work-order text, on a fresh control holding the sample plant's
// window, resources and a few of its work-order bars.

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include "runtime/ascii.hpp"

#include "bars/bar_key.hpp"
#include "fuzz_support.hpp"

using namespace tessaro;
using namespace tessaro::fuzzing;

namespace {

// Work-order numbers compare ignoring letter case and surrounding spaces.
std::string WorkOrderOf(std::string_view number) {
    return AsciiLowered(TrimSpaces(number));
}

struct WorkOrderKeys {
    std::set<int16_t> Positions;
    std::set<int16_t> Counts;
    std::size_t Bars = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PlantExcerpt& plant = SamplePlantExcerpt();

    Tessaro_Ctrl control;
    control.LoadScheduleTime(plant.header);
    control.LoadResource(plant.resources);
    control.LoadResourceEvents(plant.workOrders);
    const ChartSnapshot before(control);
    if (!LoadedOrLeftAlone(control, before,
                           [&] { control.LoadResourceEvents(AsText(data, size)); })) {
        return 0;
    }

    const ChartSnapshot after(control);
    FUZZ_CHECK(after.SameWindow(before) && after.Rows == before.Rows);

    // The added bars: work-order bars whose record splits and whose key names its work order;
    // each work order's bars of this load are its positions 1..n, all with the count n.
    std::map<std::string, WorkOrderKeys> added;
    for (std::size_t row = 0; row < after.Rows.size(); ++row) {
        const std::vector<ChartBar>& has = after.Bars[row];
        FUZZ_CHECK(has.size() >= before.Bars[row].size());
        for (std::size_t bar = before.Bars[row].size(); bar < has.size(); ++bar) {
            CheckBarTimes(has[bar]);
            // No duration is negative.
            FUZZ_CHECK(has[bar].Start <= has[bar].End);
            FUZZ_CHECK(has[bar].Kind == WorkOrderBarKind);
            CheckWorkOrderBar(has[bar]);
            const BarKeyParts key = *TrySplitBarKey(has[bar].Key);
            WorkOrderKeys& keys = added[WorkOrderOf(key.WorkOrder)];
            FUZZ_CHECK(keys.Positions.insert(key.Position).second);
            keys.Counts.insert(key.Count);
            ++keys.Bars;
        }
    }
    for (const auto& [workOrder, keys] : added) {
        FUZZ_CHECK(keys.Counts.size() == 1 &&
                   static_cast<std::size_t>(*keys.Counts.begin()) == keys.Bars);
        FUZZ_CHECK(*keys.Positions.begin() == 1 &&
                   static_cast<std::size_t>(*keys.Positions.rbegin()) == keys.Bars);
    }

    // The bars there were stay; a bar of a work order this load counted takes its new count.
    for (std::size_t row = 0; row < after.Rows.size(); ++row) {
        for (std::size_t bar = 0; bar < before.Bars[row].size(); ++bar) {
            const ChartBar& had = before.Bars[row][bar];
            ChartBar has = after.Bars[row][bar];
            const auto oldKey = TrySplitBarKey(had.Key);
            const auto counted = oldKey ? added.find(WorkOrderOf(oldKey->WorkOrder)) : added.end();
            if (counted != added.end()) {
                std::string key;
                AssembleKeyID(key, oldKey->WorkOrder, oldKey->Position,
                              static_cast<int16_t>(counted->second.Bars));
                FUZZ_CHECK(has.Key == key);
                has.Key = had.Key;
            }
            FUZZ_CHECK(SameBar(has, had));
        }
    }
    return 0;
}
