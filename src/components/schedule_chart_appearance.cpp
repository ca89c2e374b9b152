#include <tessaro/components/schedule_chart.hpp>

#include <utility>

#include "runtime/checked_arithmetic.hpp"

#include "components/schedule_chart_storage.hpp"

namespace tessaro {

using chart_detail::RaiseInvalidArgument;

// ---- Styles ----

int16_t ScheduleChart::AddBarStyle(int32_t flags, int32_t /*reserved*/) {
    const int16_t index = CheckedInt16(static_cast<int64_t>(styles_.size()) + 1);
    styles_.push_back(BarStyle{flags});
    Changed.Notify({ChartChange::Kind::Styles});
    return index;
}

int16_t ScheduleChart::StyleCount() const {
    return static_cast<int16_t>(styles_.size());
}

const BarStyle& ScheduleChart::Style(int16_t style) const {
    if (style < 1 || style > StyleCount()) {
        RaiseInvalidArgument();
    }
    return styles_[static_cast<size_t>(style - 1)];
}

namespace {

template <typename Field, typename Value>
void WriteStyle(std::vector<BarStyle>& styles, Observable<const ChartChange&>& changed,
                int16_t style, Field BarStyle::*field, Value value) {
    if (style < 1 || static_cast<size_t>(style) > styles.size()) {
        RaiseInvalidArgument();
    }
    styles[static_cast<size_t>(style - 1)].*field = value;
    changed.Notify({ChartChange::Kind::Styles});
}

}  // namespace

void ScheduleChart::SetBarStyleColour(int16_t style, int32_t colour) {
    WriteStyle(styles_, Changed, style, &BarStyle::Colour, colour);
}

void ScheduleChart::SetBarStyleStartMark(int16_t style, int16_t mark) {
    WriteStyle(styles_, Changed, style, &BarStyle::StartMark, mark);
}

void ScheduleChart::SetBarStyleStartMarkSize(int16_t style, int16_t size) {
    WriteStyle(styles_, Changed, style, &BarStyle::StartMarkSize, size);
}

void ScheduleChart::SetBarStyleEndMark(int16_t style, int16_t mark) {
    WriteStyle(styles_, Changed, style, &BarStyle::EndMark, mark);
}

void ScheduleChart::SetBarStyleEndMarkSize(int16_t style, int16_t size) {
    WriteStyle(styles_, Changed, style, &BarStyle::EndMarkSize, size);
}

// ---- Appearance ----

void ScheduleChart::SetListFont(Font font) {
    listFont_ = std::move(font);
    NotifyAppearance();
}

void ScheduleChart::SetTimeBarFont(Font font) {
    timeBarFont_ = std::move(font);
    NotifyAppearance();
}

void ScheduleChart::SetTimeScale(int16_t scale) {
    timeScale_ = scale;
    LogSetting(chart_property::kTimeScale, scale);
}

void ScheduleChart::SetRangeStartDay(int32_t day) {
    rangeStartDay_ = day;
    LogSetting(chart_property::kRangeStartDay, day);
}

void ScheduleChart::SetRangeEndDay(int32_t day) {
    rangeEndDay_ = day;
    LogSetting(chart_property::kRangeEndDay, day);
}

void ScheduleChart::SetDayNames(std::string names) {
    dayNames_ = names;
    LogSetting(chart_property::kDayNames, std::move(names));
}

void ScheduleChart::SetMonthNames(std::string names) {
    monthNames_ = std::move(names);
    NotifyAppearance();
}

void ScheduleChart::SetTimeScaleFormat(std::string format) {
    timeScaleFormat_ = format;
    LogSetting(chart_property::kTimeScaleFormat, std::move(format));
}

void ScheduleChart::SetDateFormat(std::string format) {
    dateFormat_ = std::move(format);
    NotifyAppearance();
}

void ScheduleChart::SetListColumnTitle(std::string title) {
    listColumnTitle_ = std::move(title);
    NotifyAppearance();
}

void ScheduleChart::SetSetting(int32_t id, int32_t value) {
    settings_[id] = value;
    LogSetting(id, value);
}

std::optional<int32_t> ScheduleChart::Setting(int32_t id) const {
    const auto found = settings_.find(id);
    if (found == settings_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void ScheduleChart::LogSetting(int32_t id, std::variant<int32_t, std::string> value) {
    if (settingLog_.size() >= kSettingLogLimit) {
        // Forget the older half at once, so the log costs nothing per write on average.
        settingLog_.erase(settingLog_.begin(), settingLog_.begin() + kSettingLogLimit / 2);
    }
    settingLog_.push_back({id, std::move(value)});
    NotifyAppearance();
}

void ScheduleChart::NotifyAppearance() {
    Changed.Notify({ChartChange::Kind::Appearance});
}

void ScheduleChart::NotifyBar(int16_t row, int16_t bar) {
    NotifyContent({ChartChange::Kind::Bar, row, bar});
}

void ScheduleChart::NotifyContent(const ChartChange& change) {
    ContentChanged.Notify(change);
    Changed.Notify(change);
}

// ---- Container properties ----

void ScheduleChart::SetHeight(float twips) {
    height_ = twips;
    Changed.Notify({ChartChange::Kind::Container});
}

void ScheduleChart::SetHintText(std::string text) {
    hintText_ = std::move(text);
    Changed.Notify({ChartChange::Kind::Container});
}

}  // namespace tessaro
