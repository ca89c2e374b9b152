#include "bars/work_order_look.hpp"

#include <algorithm>
#include <optional>

#include "bars/bar_look.hpp"

namespace tessaro {
namespace {

struct MarkDefinition {
    int16_t startMark;
    std::optional<int16_t> startMarkSize;
    int16_t endMark;
    std::optional<int16_t> endMarkSize;
};

constexpr int32_t kNormalStyleFlags = 15;
constexpr int32_t kSelectedStyleFlags = 23;
constexpr int32_t kTemporaryStyleFlags = 25;
constexpr int32_t kCalendarStyleFlags = 27;
constexpr int32_t kCalendarColour = 13816575;  // RGB(255, 210, 210)

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

// The place of a style in a style table; -1 when the table does not hold it.
int32_t PlaceIn(const StyleTable& styles, int16_t style) {
    const auto found = std::find(styles.begin(), styles.end(), style);
    return found == styles.end() ? -1 : static_cast<int32_t>(found - styles.begin());
}

int32_t ColourOf(const ColourTable& colours, std::string_view status, int16_t activityTimeType) {
    return activityTimeType == kSpecialActivityTimeType
               ? colours[kSpecialActivityColourIndex]
               : colours[static_cast<std::size_t>(StatusColourIndex(status))];
}

// A style the control made is reused while it is still on the chart as the control made it.
bool StillStands(const ScheduleChart& chart, int16_t style, const BarStyle& look) {
    return style > 0 && style <= chart.StyleCount() && chart.Style(style) == look;
}

}  // namespace

void WorkOrderLook::InitBarColourTables() {
    normalColours_ = {16769716, 7001344, 11184810, 16756318, 16757738, 11468799, 9869055};
    selectedColours_ = {14588478, 4755712, 15, 15276843, 16732623, 65535, 255};
}

void WorkOrderLook::CreateWOTimeBarStyles() {
    for (int16_t& style : normalStyles_) {
        style = chart_.AddBarStyle(kNormalStyleFlags, 0);
    }
    for (int16_t& style : selectedStyles_) {
        style = chart_.AddBarStyle(kSelectedStyleFlags, 0);
    }
    for (size_t i = 0; i < normalStyles_.size(); ++i) {
        ApplyMarks(chart_, normalStyles_[i], kNormalMarks[i]);
    }
    for (size_t i = 0; i < selectedStyles_.size(); ++i) {
        ApplyMarks(chart_, selectedStyles_[i], kSelectedMarks[i]);
    }
}

void WorkOrderLook::ApplyBarColour(std::string_view status, int16_t selected, int16_t row,
                                   int16_t bar, int16_t activityTimeType) {
    const ColourTable& colours = selected != 0 ? selectedColours_ : normalColours_;
    chart_.SetTimeBarColour(row, bar, colours[StatusColourIndex(status)]);
    if (activityTimeType == kSpecialActivityTimeType) {
        chart_.SetTimeBarColour(row, bar, colours[kSpecialActivityColourIndex]);
    }
}

void WorkOrderLook::ApplyBarStyle(std::string_view status, int16_t row, int16_t bar,
                                  int16_t firstKey, int16_t secondKey, int16_t selected,
                                  int16_t activityTimeType) {
    ApplyBarColour(status, selected, row, bar, activityTimeType);
    if (const auto pair = StylePairIndex(firstKey, secondKey)) {
        const StyleTable& styles = selected != 0 ? selectedStyles_ : normalStyles_;
        chart_.SetTimeBarStyle(row, bar, styles[*pair]);
    }
}

void WorkOrderLook::ApplySelectionLook(int16_t row, int16_t bar, const BarRecord& record,
                                       bool selected) {
    // The colour follows the status letter the loader coloured the bar by, and the style its
    // counterpart in the other set, so deselecting restores the loaded look exactly.
    ApplyBarColour(record.flag, selected ? -1 : 0, row, bar, record.activitytimetype);
    const int16_t style = chart_.TimeBarStyle(row, bar);
    const StyleTable& from = selected ? normalStyles_ : selectedStyles_;
    const StyleTable& to = selected ? selectedStyles_ : normalStyles_;
    if (const int32_t place = PlaceIn(from, style); place >= 0) {
        chart_.SetTimeBarStyle(row, bar, to[static_cast<std::size_t>(place)]);
    }
}

void WorkOrderLook::SetLoadedLook(ChartBar& bar, std::string_view status, int16_t firstKey,
                                  int16_t secondKey, int16_t activityTimeType) const {
    bar.Colour = ColourOf(normalColours_, status, activityTimeType);
    if (const auto pair = StylePairIndex(firstKey, secondKey)) {
        bar.Style = normalStyles_[static_cast<std::size_t>(*pair)];
    }
}

int16_t WorkOrderLook::TemporaryBarStyle() {
    // One style serves every temporary bar: a chart that has only so many styles is not filled
    // by Copy after Copy.
    if (!StillStands(chart_, temporaryStyle_, BarStyle{kTemporaryStyleFlags})) {
        temporaryStyle_ = chart_.AddBarStyle(kTemporaryStyleFlags, 0);
    }
    return temporaryStyle_;
}

int16_t WorkOrderLook::CalendarBarStyle() {
    // A reload draws its calendars in the style the last one made.
    BarStyle calendar{kCalendarStyleFlags};
    calendar.Colour = kCalendarColour;
    if (!StillStands(chart_, calendarStyle_, calendar)) {
        calendarStyle_ = chart_.AddBarStyle(kCalendarStyleFlags, 0);
        chart_.SetBarStyleColour(calendarStyle_, kCalendarColour);
    }
    return calendarStyle_;
}

}  // namespace tessaro
