#pragma once

// How work-order bars look: the colour of each status letter and the bar style of each pair of
// host flags, each in a normal and a selected form, and the styles of temporary and calendar
// bars. The styles are made on the chart once and reused while they keep the look given them.

#include <cstdint>
#include <string_view>

#include <tessaro/bars/bar_record.hpp>
#include <tessaro/bars/look_tables.hpp>
#include <tessaro/components/chart_bar.hpp>
#include <tessaro/components/schedule_chart.hpp>

namespace tessaro {

class WorkOrderLook {
public:
    explicit WorkOrderLook(ScheduleChart& chart) : chart_(chart) {}

    // Fills the colour tables with the control's colours; the styles are made by
    // CreateWOTimeBarStyles.
    void InitBarColourTables();
    // Adds twelve work-order bar styles and points the style tables at them; the old styles stay
    // in the chart and bars keep the style numbers they were given.
    void CreateWOTimeBarStyles();

    // Activity time type 8 takes the special colour whatever the status.
    void ApplyBarColour(std::string_view status, int16_t selected, int16_t row, int16_t bar,
                        int16_t activityTimeType);
    // A pair of host flags outside the six known ones leaves the bar's style as it is.
    void ApplyBarStyle(std::string_view status, int16_t row, int16_t bar, int16_t firstKey,
                       int16_t secondKey, int16_t selected, int16_t activityTimeType);
    // The selected or the normal form of the bar's look: the colour of its status letter and
    // the counterpart of its style; a style from neither table stays.
    void ApplySelectionLook(int16_t row, int16_t bar, const BarRecord& record, bool selected);
    // The normal look of a bar not yet on the chart, by the same rules as ApplyBarStyle.
    void SetLoadedLook(ChartBar& bar, std::string_view status, int16_t firstKey, int16_t secondKey,
                       int16_t activityTimeType) const;

    // The style of temporary bars and of calendar bars: made on first use, made again when a
    // host changed it or the chart lost it.
    int16_t TemporaryBarStyle();
    int16_t CalendarBarStyle();

    const ColourTable& NormalBarColours() const { return normalColours_; }
    const ColourTable& SelectedBarColours() const { return selectedColours_; }
    const StyleTable& NormalBarStyles() const { return normalStyles_; }
    const StyleTable& SelectedBarStyles() const { return selectedStyles_; }

private:
    ScheduleChart& chart_;
    ColourTable normalColours_{};
    ColourTable selectedColours_{};
    StyleTable normalStyles_{};
    StyleTable selectedStyles_{};
    int16_t temporaryStyle_ = 0;
    int16_t calendarStyle_ = 0;
};

}  // namespace tessaro
