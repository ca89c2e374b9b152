#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include <optional>

namespace tessaro {
namespace {

struct MarkDefinition {
    int16_t startMark;
    std::optional<int16_t> startMarkSize;
    int16_t endMark;
    std::optional<int16_t> endMarkSize;
};

constexpr int32_t kNormalStyleFlags = 15;
constexpr int32_t kSelectedStyleFlags = SelectedBarStyleFlags;

// Index n of one set and of the other describe the same bar position: selection swaps them.
const MarkDefinition kNormalMarks[6] = {
    {0, {}, 0, {}}, {2, 7, 3, 7}, {2, 7, 0, {}}, {1, 7, 3, 7}, {1, 7, 0, {}}, {0, {}, 3, 7},
};
const MarkDefinition kSelectedMarks[6] = {
    {0, {}, 0, {}}, {5, 10, 6, 10}, {5, 10, 0, {}}, {4, 10, 6, 10}, {4, 10, 0, {}}, {0, 10, 6, 10},
};

void ApplyMarks(ScheduleChart& chart, int16_t style, const MarkDefinition& marks) {
    chart.SetBarStyleStartMark(style, marks.startMark);
    chart.SetBarStyleEndMark(style, marks.endMark);
    if (marks.startMarkSize) {
        chart.SetBarStyleStartMarkSize(style, *marks.startMarkSize);
    }
    if (marks.endMarkSize) {
        chart.SetBarStyleEndMarkSize(style, *marks.endMarkSize);
    }
}

}  // namespace

void Tessaro_Ctrl::CreateWOTimeBarStyles() {
    for (int16_t& style : NormalBarStyles_) {
        style = ctResSched_.AddBarStyle(kNormalStyleFlags, 0);
    }
    for (int16_t& style : SelectedBarStyles_) {
        style = ctResSched_.AddBarStyle(kSelectedStyleFlags, 0);
    }
    for (size_t i = 0; i < NormalBarStyles_.size(); ++i) {
        ApplyMarks(ctResSched_, NormalBarStyles_[i], kNormalMarks[i]);
    }
    for (size_t i = 0; i < SelectedBarStyles_.size(); ++i) {
        ApplyMarks(ctResSched_, SelectedBarStyles_[i], kSelectedMarks[i]);
    }
}

}  // namespace tessaro
