#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include <tessaro/components/chart_bar.hpp>
#include <tessaro/components/font.hpp>
#include <tessaro/components/observable.hpp>
#include <tessaro/components/schedule_chart_events.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A bar style: creation flags, colour and the marks drawn at the bar's two ends.
struct BarStyle {
    int32_t Flags = 0;
    int32_t Colour = 8421504;
    int16_t StartMark = 0;
    int16_t StartMarkSize = 0;
    int16_t EndMark = 0;
    int16_t EndMarkSize = 0;

    bool operator==(const BarStyle&) const = default;
};

// What changed in the chart, for views that repaint or scroll.
struct ChartChange {
    enum class Kind { Rows, Bars, Bar, Styles, Appearance, Container, ShowBar, Redraw };
    Kind What;
    int16_t Row = 0;
    int16_t Bar = 0;

    bool operator==(const ChartChange&) const = default;
};

// A write of a plain setting or an appearance property, in the order the chart received it.
struct ChartSettingWrite {
    int32_t Id;
    std::variant<int32_t, std::string> Value;

    bool operator==(const ChartSettingWrite&) const = default;
};

// Identifiers of the appearance properties that the setting log records beside the plain settings.
namespace chart_property {
inline constexpr int32_t kTimeScale = 28;
inline constexpr int32_t kRangeStartDay = 31;
inline constexpr int32_t kRangeEndDay = 32;
inline constexpr int32_t kDayNames = 41;
inline constexpr int32_t kTimeScaleFormat = 43;
}  // namespace chart_property

// The schedule chart hosted by the control: resource rows with a ";"-separated list text, and
// time bars on them. Rows, bars and styles are 1-based; an operation given a row, bar or style that
// does not exist raises invalid procedure call (5). Counts are 16-bit: the 32768th row, bar of a
// row or style raises overflow (6). Times are held as (day, minute) with minutes 0..1439; minutes
// outside that range are carried into the day when written.
class TESSARO_EXPORT ScheduleChart {
    struct Row;
    struct StoredBar;
    // Transparent hashing: a look-up by string_view allocates nothing.
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };
    using KeyIndex =
        std::unordered_map<std::string, std::vector<StoredBar*>, KeyHash, std::equal_to<>>;

public:
    // Every row and bar of a chart, taken out by TakeRows so that a reload that fails can put
    // them back whole.
    class TESSARO_EXPORT TakenRows {
    public:
        TakenRows();
        ~TakenRows();
        TakenRows(TakenRows&&) noexcept;
        TakenRows& operator=(TakenRows&&) noexcept;

    private:
        friend class ScheduleChart;
        std::vector<Row> rows_;
        KeyIndex keyIndex_;
    };

    ScheduleChart();
    ~ScheduleChart();
    ScheduleChart(const ScheduleChart&) = delete;
    ScheduleChart& operator=(const ScheduleChart&) = delete;

    // Notifications go to one sink (the control); with none, they are dropped.
    void SetEventSink(ScheduleChartEvents* sink) { sink_ = sink; }

    // Repaint and scroll requests for views.
    Observable<const ChartChange&> Changed;
    // The Rows, Bars and Bar changes of Changed, each as it is made and never held: for models
    // kept beside the chart (the plan's conflicts), which must stand current inside a command
    // too, when a host's handler asks them. A listener must be cheap: it hears every write.
    Observable<const ChartChange&> ContentChanged;
    // Holds the repaint and scroll requests of a whole command, so that views hear it once it
    // stands whole and never a bar index that the rest of the command took away. Holds nest.
    void HoldChanges() { Changed.Hold(); }
    // The outermost release delivers what was held, thinned: one Rows change stands for every
    // row and bar change, a row's Bars change for its Bar changes, each request once, a ShowBar
    // only when its bar is still there. A listener's exception is passed on once all have heard.
    void ReleaseChanges();

    // ---- Rows ----
    int16_t RowCount() const;
    // Removes every row and every bar on them.
    void ClearRows();
    // Returns the new row's index.
    int16_t AddRow(std::string text);
    const std::string& RowText(int16_t row) const;
    // Column 1 is the text before the first ";"; a column past the last one is "".
    std::string RowColumnText(int16_t row, int16_t column) const;

    // ---- Bars ----
    int16_t TimeBarCount(int16_t row) const;
    // Returns the new bar's index in the row; the empty key leaves the bar unkeyed.
    int16_t AddTimeBar(int16_t row, int32_t startMinute, int32_t endMinute, int32_t startDay,
                       int32_t endDay, std::string key);
    int16_t AddUnkeyedTimeBar(int16_t row, int32_t startMinute, int32_t endMinute, int32_t startDay,
                              int32_t endDay);
    // The bars after it move down one index.
    void RemoveTimeBar(int16_t row, int16_t bar);
    // Moves the bar to that index of its row, the bars between shifting by one: a bar added back
    // can take its old place, which Pack and the conflict walk, following the row's order, see.
    // Raises 5 for a row, bar or index that does not exist.
    void SetTimeBarIndex(int16_t row, int16_t bar, int16_t index);
    // Moves the bar, keeping its identity, to the end of another row and returns its index there;
    // raises nothing but the change for views. A full target row raises 6 and keeps the bar.
    int16_t MoveTimeBarToRow(int16_t row, int16_t bar, int16_t targetRow);
    // The control's own placing of a bar: both ends at once (minutes outside the day carried into
    // it), heard by views but raising no BarChanged, so that a command never hears its own writes.
    void PlaceTimeBar(int16_t row, int16_t bar, ChartTime start, ChartTime end);
    // Sets both ends, then raises BarChanged for the bar before returning.
    void MoveTimeBar(int16_t row, int16_t bar, int32_t startMinute, int32_t endMinute,
                     int32_t startDay, int32_t endDay);

    // A bar's identity for its whole life: never reused, kept when the bar changes rows.
    uint64_t TimeBarId(int16_t row, int16_t bar) const;
    // Returns (row, bar) of the bar with the identity, looking in rowHint first (any row is
    // searched when it is not there); (0, 0) when no bar has it any more. Identity 0 names no bar.
    std::pair<int16_t, int16_t> FindTimeBarById(uint64_t id, int16_t rowHint) const;
    // Empties the chart as ClearRows does and hands back what it held.
    TakenRows TakeRows();
    // Replaces every row and bar by what TakeRows took out.
    void RestoreRows(TakenRows rows);

    // Read-only view of a bar, for painting and inspection.
    const ChartBar& Bar(int16_t row, int16_t bar) const;

    const std::string& TimeBarKey(int16_t row, int16_t bar) const;
    void SetTimeBarKey(int16_t row, int16_t bar, std::string key);
    const std::string& TimeBarTag(int16_t row, int16_t bar) const;
    // The tag holds the bar's record, which the plan is read from: a new tag is a Bar change.
    void SetTimeBarTag(int16_t row, int16_t bar, std::string tag);
    int32_t TimeBarKind(int16_t row, int16_t bar) const;
    void SetTimeBarKind(int16_t row, int16_t bar, int32_t kind);
    // Style 0 is the chart's default look.
    int16_t TimeBarStyle(int16_t row, int16_t bar) const;
    void SetTimeBarStyle(int16_t row, int16_t bar, int16_t style);
    // -1 draws the bar in its style's colour.
    int32_t TimeBarColour(int16_t row, int16_t bar) const;
    void SetTimeBarColour(int16_t row, int16_t bar, int32_t colour);
    const std::string& TimeBarText(int16_t row, int16_t bar) const;
    void SetTimeBarText(int16_t row, int16_t bar, std::string text);

    // Time writes keep the other part of the same end and raise BarChanged before returning.
    int32_t TimeBarStartDay(int16_t row, int16_t bar) const;
    void SetTimeBarStartDay(int16_t row, int16_t bar, int32_t day);
    int32_t TimeBarStartMinute(int16_t row, int16_t bar) const;
    void SetTimeBarStartMinute(int16_t row, int16_t bar, int32_t minute);
    int32_t TimeBarEndDay(int16_t row, int16_t bar) const;
    void SetTimeBarEndDay(int16_t row, int16_t bar, int32_t day);
    int32_t TimeBarEndMinute(int16_t row, int16_t bar) const;
    void SetTimeBarEndMinute(int16_t row, int16_t bar, int32_t minute);

    // ---- Bulk filling, for loaders ----
    // Makes room in the key index for that many more key groups, so a large load never rehashes
    // it; a smaller count than the index holds does nothing.
    void ReserveKeyGroups(std::size_t groups);
    // Makes room in memory for that many more bars, which a large load then fills a huge page at a
    // time where the system offers them; bars added without it take memory page by page.
    void ReserveBars(std::size_t bars);
    // Appends a row for each text, in their order, with a single notification for all of them,
    // so a view measures and lays out the list once. Raises 6, adding nothing, when the chart
    // would pass 32767 rows.
    void AddRows(std::vector<std::string> texts);
    // Appends the bars to the end of the row in their order, taking their texts, as AddTimeBar and
    // the setters would one by one, with a single notification for the row. Raises 5 for a row or
    // a non-zero style that does not exist and 6 when the row would pass 32767 bars, in both
    // cases before any bar is added.
    void AppendTimeBars(int16_t row, std::span<ChartBar> bars);

    // ---- Search ----
    // Returns the row of the first bar carrying the key (row order, then bar order); 0 when no
    // bar carries it. The empty key names no bar.
    int16_t FindTimeBarRow(std::string_view key) const;
    // Returns the first bar of the row carrying the key; 0 when it is not on the row or row is 0.
    int16_t FindTimeBarInRow(std::string_view key, int16_t row) const;
    // Keys fall into groups by their text before the first "$" (a key without "$" is a group of
    // its own). Returns every bar of the group as (row, bar), in row order, then bar order;
    // empty for the empty group or one no bar is in. Costs the size of the group, not of the
    // chart.
    std::vector<std::pair<int16_t, int16_t>> FindTimeBarsInKeyGroup(std::string_view group) const;
    // Returns the first bar of searchRow whose half-open span [start, end) intersects the given
    // bar's; bars that only touch do not overlap and the given bar itself is never reported.
    // Returns 0 when none does.
    int16_t FirstConflictingTimeBar(int16_t row, int16_t bar, int16_t searchRow);
    // Returns the next overlapping bar after the one returned last for the same query (starts over
    // for a different query); 0 when there are no more.
    int16_t NextConflictingTimeBar(int16_t row, int16_t bar, int16_t searchRow);

    // ---- Display requests ----
    // Asks the views to scroll the bar into sight.
    void ShowTimeBar(int16_t row, int16_t bar);
    void RedrawChart();
    int32_t RedrawCount() const { return redrawCount_; }
    // The bar last asked for by ShowTimeBar; (0, 0) before the first request.
    std::pair<int16_t, int16_t> LastShownBar() const { return lastShown_; }
    // Refuses the row change being notified; raises 5 outside a BarRowChanging notification.
    void CancelRowChange();

    // ---- Styles ----
    // Returns the new style's index.
    int16_t AddBarStyle(int32_t flags, int32_t reserved);
    int16_t StyleCount() const;
    const BarStyle& Style(int16_t style) const;
    void SetBarStyleColour(int16_t style, int32_t colour);
    void SetBarStyleStartMark(int16_t style, int16_t mark);
    void SetBarStyleStartMarkSize(int16_t style, int16_t size);
    void SetBarStyleEndMark(int16_t style, int16_t mark);
    void SetBarStyleEndMarkSize(int16_t style, int16_t size);

    // ---- Appearance ----
    const Font& ListFont() const { return listFont_; }
    void SetListFont(Font font);
    const Font& TimeBarFont() const { return timeBarFont_; }
    void SetTimeBarFont(Font font);
    // Pixels per day at full zoom; the view draws values below 1 as 1.
    int16_t TimeScale() const { return timeScale_; }
    void SetTimeScale(int16_t scale);
    int32_t RangeStartDay() const { return rangeStartDay_; }
    void SetRangeStartDay(int32_t day);
    int32_t RangeEndDay() const { return rangeEndDay_; }
    void SetRangeEndDay(int32_t day);
    // ";"-separated, Sunday first.
    const std::string& DayNames() const { return dayNames_; }
    void SetDayNames(std::string names);
    // ","-separated, January first.
    const std::string& MonthNames() const { return monthNames_; }
    void SetMonthNames(std::string names);
    const std::string& TimeScaleFormat() const { return timeScaleFormat_; }
    void SetTimeScaleFormat(std::string format);
    const std::string& DateFormat() const { return dateFormat_; }
    void SetDateFormat(std::string format);
    const std::string& ListColumnTitle() const { return listColumnTitle_; }
    void SetListColumnTitle(std::string title);

    // Plain settings by number; true is -1. Setting returns nothing for a setting never written.
    void SetSetting(int32_t id, int32_t value);
    void SetSettingFlag(int32_t id, bool value) { SetSetting(id, value ? -1 : 0); }
    std::optional<int32_t> Setting(int32_t id) const;
    // The latest writes of plain settings and appearance properties above, in order; the oldest
    // are forgotten past kSettingLogLimit, so a control refreshed for a year stays small.
    static constexpr size_t kSettingLogLimit = 4096;
    const std::vector<ChartSettingWrite>& SettingLog() const { return settingLog_; }

    // ---- Container properties ----
    // Height in twips, as the container holds it.
    float Height() const { return height_; }
    void SetHeight(float twips);
    const std::string& HintText() const { return hintText_; }
    void SetHintText(std::string text);
    bool ContainerFlag() const { return containerFlag_; }
    void SetContainerFlag(bool value) { containerFlag_ = value; }

    // ---- Gestures: what a view calls; each raises the notifications a planner's gesture raises.
    // BarClick, then BarSelected (skipped when the first handler removed the bar).
    void ClickBar(int16_t row, int16_t bar);
    void DoubleClickBar(int16_t row, int16_t bar);
    void RightClickBar(int16_t row, int16_t bar);
    void HoverBar(int16_t row, int16_t bar);
    // BarChanging mode 1; BarRowChanging when targetRow differs (the bar goes to the end of
    // targetRow unless refused); the bar's start is set and its length kept; BarChanged where the
    // bar now is. Stops quietly when a handler removed the bar.
    void DragBar(int16_t row, int16_t bar, int16_t targetRow, int32_t startDay,
                 int32_t startMinute);
    // BarChanging mode 2 (start) or 3 (end); the edge is set; BarChanged.
    void DragBarStart(int16_t row, int16_t bar, int32_t day, int32_t minute);
    void DragBarEnd(int16_t row, int16_t bar, int32_t day, int32_t minute);
    void RequestBarRemoval(int16_t row, int16_t bar, bool confirmed);
    void RaiseGestureFlagsSet();

private:
    struct BarRef {
        int16_t row;
        int16_t bar;
    };

    TESSARO_NO_EXPORT StoredBar& At(int16_t row, int16_t bar);
    TESSARO_NO_EXPORT const StoredBar& At(int16_t row, int16_t bar) const;
    TESSARO_NO_EXPORT Row& RowAt(int16_t row);
    TESSARO_NO_EXPORT const Row& RowAt(int16_t row) const;
    TESSARO_NO_EXPORT int16_t AppendBar(int16_t row, std::unique_ptr<StoredBar> stored);
    TESSARO_NO_EXPORT std::unique_ptr<StoredBar> DetachBar(int16_t row, int16_t bar);
    TESSARO_NO_EXPORT void IndexKey(StoredBar& stored);
    TESSARO_NO_EXPORT void UnindexKey(StoredBar& stored);
    TESSARO_NO_EXPORT void SetTimes(StoredBar& stored, ChartTime start, ChartTime end);
    TESSARO_NO_EXPORT std::optional<BarRef> Locate(uint64_t id, int16_t row) const;
    TESSARO_NO_EXPORT void RaiseBarChanged(int16_t row, int16_t bar);
    TESSARO_NO_EXPORT void DragEdge(int16_t row, int16_t bar, int16_t mode, int32_t day,
                                    int32_t minute);
    TESSARO_NO_EXPORT void LogSetting(int32_t id, std::variant<int32_t, std::string> value);
    TESSARO_NO_EXPORT void NotifyBar(int16_t row, int16_t bar);
    TESSARO_NO_EXPORT void NotifyContent(const ChartChange& change);
    TESSARO_NO_EXPORT void NotifyAppearance();

    ScheduleChartEvents* sink_ = nullptr;
    std::vector<Row> rows_;
    // Bars by key group (see FindTimeBarsInKeyGroup); a key look-up searches its group.
    KeyIndex keyIndex_;
    std::vector<BarStyle> styles_;
    uint64_t nextBarId_ = 1;

    struct ConflictCursor {
        int16_t row = 0;
        int16_t bar = 0;
        int16_t searchRow = 0;
        int16_t last = 0;
    } conflictCursor_;

    int rowChangeDepth_ = 0;
    bool rowChangeCancelled_ = false;
    int32_t redrawCount_ = 0;
    std::pair<int16_t, int16_t> lastShown_{0, 0};

    Font listFont_{"MS Sans Serif", 8.25, false};
    Font timeBarFont_{"Arial", 8.25, false};
    int16_t timeScale_ = 100;
    int32_t rangeStartDay_ = 0;
    int32_t rangeEndDay_ = 0;
    std::string dayNames_ = "Sunday;Monday;Tuesday;Wednesday;Thursday;Friday;Saturday";
    std::string monthNames_ =
        "January,February,March,April,May,June,July,August,September,October,November,December";
    std::string timeScaleFormat_;
    std::string dateFormat_ = "D, M n/Y";
    std::string listColumnTitle_ = "Resources";
    std::unordered_map<int32_t, int32_t> settings_;
    std::vector<ChartSettingWrite> settingLog_;

    float height_ = 0;
    std::string hintText_;
    bool containerFlag_ = false;
};

}  // namespace tessaro
