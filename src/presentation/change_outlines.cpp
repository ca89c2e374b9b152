#include "change_outlines.hpp"

#include <string>

#include "activity_placement.hpp"

namespace tessaro::qt_detail {

std::vector<ChangeOutline> ChangeOutlinesOf(const Tessaro_Ctrl& control) {
    std::vector<ChangeOutline> outlines;
    for (const auto& [key, record] : control.PendingChanges()) {
        if (!record) {
            continue;
        }
        const std::optional<LoadedPlacement> loaded =
            control.LoadedPlacementOf(record->wonumber, record->woact);
        if (!loaded) {
            continue;
        }
        const ActivityPlacement now = FindActivityPlacement(control.ctResSched(), record->wonumber,
                                                            std::to_string(record->woact));
        outlines.push_back({loaded->Row, loaded->Start.AbsoluteMinutes(),
                            loaded->End.AbsoluteMinutes(), now.row, now.start, now.end});
    }
    return outlines;
}

}  // namespace tessaro::qt_detail
