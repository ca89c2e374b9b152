#pragma once

// What the fuzz targets share: the sample plant's payloads, a snapshot of what a load must leave
// alone, and the checks of what the control promises about its bars. A broken promise traps.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/bars/bar_record.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"

namespace tessaro::fuzzing {

// Stops the run on a broken promise, naming the check; libFuzzer keeps the input that got here.
inline void CheckAt(bool promise, const char* file, int line) {
    if (!promise) {
        std::fprintf(stderr, "Broken promise: %s:%d\n", file, line);
        __builtin_trap();
    }
}

#define FUZZ_CHECK(promise) ::tessaro::fuzzing::CheckAt((promise), __FILE__, __LINE__)

inline std::string ReadSample(const char* name) {
    std::ifstream file(std::string(TESSARO_SAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The sample payload cut after its first `records` record lines, with its root closed again: a
// few records of the plant instead of all of them, so each fuzz input stays cheap.
inline std::string SampleExcerpt(const char* name, const char* root, std::size_t records) {
    const std::string text = ReadSample(name);
    std::size_t end = text.find("/>\n");
    for (std::size_t kept = 1; kept < records && end != std::string::npos; ++kept) {
        end = text.find("/>\n", end + 3);
    }
    FUZZ_CHECK(end != std::string::npos);
    return text.substr(0, end + 3) + "</" + root + ">\n";
}

// The sample plant's header and resources with a few of its calendar entries and work-order
// records, read once: each loader target loads the payloads it does not fuzz from here.
struct PlantExcerpt {
    std::string header = ReadSample("header.xml");
    std::string resources = ReadSample("resources.xml");
    std::string calendars = SampleExcerpt("calendars.xml", "calendars", 6);
    std::string workOrders = SampleExcerpt("workorders.xml", "workorders", 6);
};

inline const PlantExcerpt& SamplePlantExcerpt() {
    static const PlantExcerpt excerpt;
    return excerpt;
}

inline std::string_view AsText(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The errors the payloads and splitters are documented to raise: 5, 6, 13, 94 and the blank
// work-order number.
inline bool IsDocumentedError(const AutomationError& error) {
    const int32_t code = error.Code();
    return error.Number() == kBarKeyBlankErrorNumber ||
           (error.Number() == static_cast<int32_t>(0x800A0000u + static_cast<uint32_t>(code)) &&
            (code == 5 || code == 6 || code == 13 || code == 94));
}

// What a load promises to leave as it was when it fails: the window, the rows and every bar.
struct ChartSnapshot {
    DateTime WindowStart;
    DateTime WindowEnd;
    int32_t RangeStartDay = 0;
    int32_t RangeEndDay = 0;
    int16_t Styles = 0;
    std::vector<std::string> Rows;
    std::vector<std::vector<ChartBar>> Bars;

    explicit ChartSnapshot(const Tessaro_Ctrl& control) {
        const ScheduleChart& chart = control.ctResSched();
        WindowStart = control.WindowStart();
        WindowEnd = control.WindowEnd();
        RangeStartDay = chart.RangeStartDay();
        RangeEndDay = chart.RangeEndDay();
        Styles = chart.StyleCount();
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            Rows.push_back(chart.RowText(row));
            std::vector<ChartBar>& bars = Bars.emplace_back();
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                bars.push_back(chart.Bar(row, bar));
            }
        }
    }

    bool SameWindow(const ChartSnapshot& other) const {
        return WindowStart == other.WindowStart && WindowEnd == other.WindowEnd &&
               RangeStartDay == other.RangeStartDay && RangeEndDay == other.RangeEndDay;
    }
};

inline bool SameBar(const ChartBar& a, const ChartBar& b) {
    return a.Start == b.Start && a.End == b.End && a.Key == b.Key && a.Tag == b.Tag &&
           a.Text == b.Text && a.Kind == b.Kind && a.Colour == b.Colour && a.Style == b.Style;
}

// The same rows with the same bars on them.
inline bool SameRowsAndBars(const ChartSnapshot& a, const ChartSnapshot& b) {
    if (a.Rows != b.Rows || a.Bars.size() != b.Bars.size()) {
        return false;
    }
    for (std::size_t row = 0; row < a.Bars.size(); ++row) {
        if (a.Bars[row].size() != b.Bars[row].size()) {
            return false;
        }
        for (std::size_t bar = 0; bar < a.Bars[row].size(); ++bar) {
            if (!SameBar(a.Bars[row][bar], b.Bars[row][bar])) {
                return false;
            }
        }
    }
    return true;
}

// What a failing load leaves: the window, the rows and every bar as they were.
inline bool SameChart(const ChartSnapshot& a, const ChartSnapshot& b) {
    return a.SameWindow(b) && SameRowsAndBars(a, b);
}

// Runs one load. A load that fails must raise a documented error and leave the window, the rows
// and every bar as `before` holds them; returns whether the load went through.
template <typename Load>
bool LoadedOrLeftAlone(const Tessaro_Ctrl& control, const ChartSnapshot& before, Load load) {
    try {
        load();
    } catch (const AutomationError& error) {
        FUZZ_CHECK(IsDocumentedError(error));
        FUZZ_CHECK(SameChart(before, ChartSnapshot(control)));
        return false;
    }
    return true;
}

// The separators of a bar record that split it: "$" not escaped by a "\".
inline int CountRecordSeparators(std::string_view record) {
    int separators = 0;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (record[i] == '\\') {
            ++i;
        } else if (record[i] == '$') {
            ++separators;
        }
    }
    return separators;
}

// A work-order bar's tag is its bar record: eighteen fields that split without an error.
inline BarRecord CheckedBarRecord(const std::string& tag) {
    FUZZ_CHECK(CountRecordSeparators(tag) == 17);
    BarRecord record;
    try {
        DisassembleBarRecordText(tag, record);
    } catch (const AutomationError&) {
        FUZZ_CHECK(false);
    }
    return record;
}

// The chart holds every bar's ends with minutes 0..1439.
inline void CheckBarTimes(const ChartBar& bar) {
    FUZZ_CHECK(bar.Start.Minute >= 0 && bar.Start.Minute <= 1439);
    FUZZ_CHECK(bar.End.Minute >= 0 && bar.End.Minute <= 1439);
}

// Every work-order bar carries a record that splits into eighteen fields and a key
// "number$position$count" whose number is the record's work-order number.
inline void CheckWorkOrderBar(const ChartBar& bar) {
    const BarRecord record = CheckedBarRecord(bar.Tag);
    const auto key = TrySplitBarKey(bar.Key);
    FUZZ_CHECK(key.has_value());
    FUZZ_CHECK(key->WorkOrder == record.work_order_no);
}

}  // namespace tessaro::fuzzing
