#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_look.hpp"

namespace tessaro {

void Tessaro_Ctrl::ApplyBarColour(std::string_view status, int16_t selected, int16_t row,
                                  int16_t bar, int16_t activityTimeType) {
    const ColourTable& colours = selected != 0 ? SelectedBarColours_ : NormalBarColours_;
    ctResSched_.SetTimeBarColour(row, bar, colours[StatusColourIndex(status)]);
    if (activityTimeType == kSpecialActivityTimeType) {
        ctResSched_.SetTimeBarColour(row, bar, colours[kSpecialActivityColourIndex]);
    }
}

void Tessaro_Ctrl::ApplyBarStyle(std::string_view status, int16_t row, int16_t bar,
                                 int16_t firstKey, int16_t secondKey, int16_t selected,
                                 int16_t activityTimeType) {
    ApplyBarColour(status, selected, row, bar, activityTimeType);
    if (const auto pair = StylePairIndex(firstKey, secondKey)) {
        const StyleTable& styles = selected != 0 ? SelectedBarStyles_ : NormalBarStyles_;
        ctResSched_.SetTimeBarStyle(row, bar, styles[*pair]);
    }
}

}  // namespace tessaro
