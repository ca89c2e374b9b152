// Feeds arbitrary payload text to each loader of a control that already has two rows, and to the
// key splitter; checks that whatever loads stays consistent.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

namespace {

void LoadOne(tessaro::Tessaro_Ctrl& control, uint8_t loader, std::string_view text) {
    switch (loader % 5) {
        case 0:
            control.LoadScheduleTime(text);
            break;
        case 1:
            control.LoadResource(text);
            break;
        case 2:
            control.LoadCalendarEvents(text);
            break;
        case 3:
            control.LoadResourceEvents(text);
            break;
        default: {
            std::string number;
            int16_t position = 0;
            int16_t count = 0;
            control.DisAssembleKeyID(std::string(text), number, position, count);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    tessaro::Tessaro_Ctrl control;
    control.LoadResource(
        R"(<r><a resno="R1" shortdesc="Lathe"/><a resno="R2" shortdesc="Mill"/></r>)");
    try {
        LoadOne(control, data[0],
                std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    } catch (const tessaro::AutomationError&) {
        // Refusing a payload is fine; crashing or leaving a half-made chart is not.
    }
    const tessaro::ScheduleChart& chart = control.ctResSched();
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            const tessaro::ChartBar shown = chart.Bar(row, bar);
            if (shown.Start.Minute < 0 || shown.Start.Minute > 1439 ||
                (shown.Kind == tessaro::WorkOrderBarKind && chart.FindTimeBarRow(shown.Key) == 0)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
