#include <tessaro/control/tessaro_ctrl.hpp>

#include <tessaro/runtime/checked_arithmetic.hpp>

namespace tessaro {
namespace {

constexpr int16_t kZoomStep = 50;

}  // namespace

void Tessaro_Ctrl::ToolButtonClicked(int16_t position) {
    // The sums are always taken from the heights saved at creation, never from the current ones,
    // so pressing "Hide Mutliline" twice leaves the chart where one press put it.
    if (position == 1) {
        ctResSched_.SetHeight(static_cast<float>(Add16(SavedGridHeight_, SavedChartHeight_)));
    } else if (position == 2) {
        ctResSched_.SetHeight(static_cast<float>(SavedChartHeight_));
        vaSpread_.SetHeight(static_cast<float>(SavedGridHeight_));
    } else if (position == 4) {
        ctResSched_.SetTimeScale(Sub16(ctResSched_.TimeScale(), kZoomStep));
    } else if (position == 3) {
        ctResSched_.SetTimeScale(Add16(ctResSched_.TimeScale(), kZoomStep));
    }
}

}  // namespace tessaro
