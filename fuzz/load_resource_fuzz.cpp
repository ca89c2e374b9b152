// LoadResource on arbitrary resource text, on a fresh control holding a few of the sample plant's
// calendar entries and work-order bars.

#include <cstddef>
#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include <tessaro/control/tessaro_ctrl.hpp>
#include "runtime/ascii.hpp"

#include "fuzz_support.hpp"

using namespace tessaro;
using namespace tessaro::fuzzing;

namespace {

// The records of a payload that loaded: the element children of its root element.
int32_t RecordCount(std::string_view payload) {
    payload = TrimSpaces(payload);
    pugi::xml_document document;
    FUZZ_CHECK(document.load_buffer(payload.data(), payload.size(), pugi::parse_default,
                                    pugi::encoding_utf8));
    int32_t records = 0;
    for (pugi::xml_node record : document.document_element().children()) {
        records += record.type() == pugi::node_element;
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PlantExcerpt& plant = SamplePlantExcerpt();

    Tessaro_Ctrl control;
    control.LoadScheduleTime(plant.header);
    control.LoadResource(plant.resources);
    control.LoadCalendarEvents(plant.calendars);
    control.LoadResourceEvents(plant.workOrders);
    const ChartSnapshot before(control);
    const std::string_view payload = AsText(data, size);
    if (!LoadedOrLeftAlone(control, before, [&] { control.LoadResource(payload); })) {
        return 0;
    }

    // Every row was replaced, one per resource record, and the old bars went with them.
    const ChartSnapshot after(control);
    FUZZ_CHECK(after.SameWindow(before));
    FUZZ_CHECK(static_cast<int32_t>(after.Rows.size()) == RecordCount(payload));
    for (std::size_t row = 0; row < after.Rows.size(); ++row) {
        FUZZ_CHECK(after.Rows[row].find(';') != std::string::npos);
        FUZZ_CHECK(after.Bars[row].empty());
    }
    return 0;
}
