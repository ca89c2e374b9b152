// Runs one measured piece of work on a generated plant, for callgrind to count its instructions
// apart from the plant's generation: `./run bench instructions` counts the control's full load
// of a plant against pugixml's parse of the same four payloads, which no machine's page-fault
// cost or core speed can tilt.
//
//   tessaro-instruction-probe load|parse RESOURCES SUBACTIVITIES

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include <plantgen/plant_generator.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

namespace {

using tessaro::plantgen::PlantPayloads;

// Callgrind counts from the first call of this function to its return.
[[gnu::noinline]] void MeasuredLoad(const PlantPayloads& plant) {
    auto control = std::make_unique<tessaro::Tessaro_Ctrl>();
    control->LoadScheduleTime(plant.header);
    control->LoadResource(plant.resources);
    control->LoadCalendarEvents(plant.calendars);
    control->LoadResourceEvents(plant.workOrders);
    // The control goes with the measure's end, so its teardown is not counted.
    static std::unique_ptr<tessaro::Tessaro_Ctrl> kept;
    kept = std::move(control);
}

[[gnu::noinline]] void MeasuredParse(const PlantPayloads& plant) {
    for (const std::string* payload :
         {&plant.header, &plant.resources, &plant.calendars, &plant.workOrders}) {
        pugi::xml_document document;
        if (!document.load_buffer(payload->data(), payload->size())) {
            std::fputs("pugixml could not parse a payload\n", stderr);
            std::exit(1);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 ||
        (std::string_view(argv[1]) != "load" && std::string_view(argv[1]) != "parse")) {
        std::fputs("usage: tessaro-instruction-probe load|parse RESOURCES SUBACTIVITIES\n", stderr);
        return 2;
    }
    const PlantPayloads plant =
        tessaro::plantgen::GeneratePlant({std::atoi(argv[2]), std::atoi(argv[3]), 1, true, 21});
    if (std::string_view(argv[1]) == "load") {
        MeasuredLoad(plant);
    } else {
        MeasuredParse(plant);
    }
    return 0;
}
