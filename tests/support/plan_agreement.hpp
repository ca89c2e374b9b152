#pragma once

// The promise the control makes about the changes it reports: whenever no copy is pending, the
// chart and rescheduling() tell the same story about every activity of the loaded payloads. The
// check needs neither GoogleTest nor libFuzzer, so property tests and fuzz targets share it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/chart_time.hpp>

namespace tessaro::testing {

// An activity: a work order and its schedule number, fields 1 and 2 of a work-order bar's tag.
struct ActivityId {
    std::string WorkOrder;
    int64_t Schedule = 0;

    auto operator<=>(const ActivityId&) const = default;

    std::string Name() const { return WorkOrder + "/" + std::to_string(Schedule); }
};

// Where one bar of an activity lies.
struct PlacedBar {
    int16_t Row = 0;
    ChartTime Start;
    ChartTime End;

    auto operator<=>(const PlacedBar&) const = default;
};

inline std::string TimeText(const ChartTime& time) {
    return "day " + std::to_string(time.Day) + " minute " + std::to_string(time.Minute);
}

// How test frameworks print a bar's place.
inline void PrintTo(const PlacedBar& bar, std::ostream* out) {
    *out << "row " << bar.Row << " " << TimeText(bar.Start) << " to " << TimeText(bar.End);
}

// The work order and schedule number a bar record starts with; nothing for a tag that does not
// hold them ("$" and "\" inside the work-order number are escaped with a "\").
inline std::optional<ActivityId> ActivityOfTag(std::string_view tag) {
    ActivityId id;
    std::size_t i = 0;
    for (; i < tag.size() && tag[i] != '$'; ++i) {
        if (tag[i] == '\\' && i + 1 < tag.size()) {
            ++i;
        }
        id.WorkOrder += tag[i];
    }
    if (i >= tag.size()) {
        return std::nullopt;
    }
    const std::size_t numberStart = i + 1;
    const std::size_t numberEnd = tag.find('$', numberStart);
    if (numberEnd == std::string_view::npos || numberEnd == numberStart) {
        return std::nullopt;
    }
    const std::string number(tag.substr(numberStart, numberEnd - numberStart));
    char* end = nullptr;
    id.Schedule = std::strtoll(number.c_str(), &end, 10);
    if (*end != '\0') {
        return std::nullopt;
    }
    return id;
}

class PlanAgreement {
public:
    // Takes the activities as the chart holds them right after the four payloads were loaded.
    explicit PlanAgreement(const Tessaro_Ctrl& control) : loaded_(ActivitiesOf(control)) {}

    // A copy is pending while the temporary bar is on the chart; the rule is not checked then.
    static bool CopyPending(const Tessaro_Ctrl& control) {
        const ScheduleChart& chart = control.ctResSched();
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                if (chart.Bar(row, bar).Kind == TemporaryBarKind) {
                    return true;
                }
            }
        }
        return false;
    }

    std::size_t LoadedActivities() const { return loaded_.size(); }

    // The host gave the activity new sub-activities, added it or took it out: where it stands now
    // is where its changes are measured from.
    void Reload(const Tessaro_Ctrl& control, const ActivityId& activity) {
        std::map<ActivityId, std::vector<PlacedBar>> now = ActivitiesOf(control);
        const auto shown = now.find(activity);
        if (shown == now.end()) {
            loaded_.erase(activity);
        } else {
            loaded_[activity] = std::move(shown->second);
        }
    }

    // Every way the chart and the changes disagree, one line each; empty when they agree (or a
    // copy is pending). An activity never holds fewer planned minutes on the chart than it was
    // loaded with (merging pieces of a row into one bar only adds their gaps), except one whose
    // copy the planner shortened.
    std::vector<std::string> Violations(Tessaro_Ctrl& control,
                                        const std::set<ActivityId>& shortened = {}) const {
        std::vector<std::string> found;
        if (CopyPending(control)) {
            return found;
        }
        const ScheduleChart& chart = control.ctResSched();
        CheckBarEnds(chart, found);
        const std::map<ActivityId, std::vector<PlacedBar>> now = ActivitiesOf(control, &found);
        pugi::xml_document output;
        const std::map<ActivityId, pugi::xml_node> records = RecordsOf(control, output, found);

        for (const auto& [id, loadedBars] : loaded_) {
            const auto shown = now.find(id);
            if (shown == now.end()) {
                found.push_back(id.Name() + ": loaded but no longer on the chart");
                continue;
            }
            if (shortened.count(id) == 0 &&
                PlannedMinutes(shown->second) < PlannedMinutes(loadedBars)) {
                found.push_back(id.Name() + ": " + std::to_string(PlannedMinutes(shown->second)) +
                                " planned minutes on the chart " + BarsText(chart, shown->second) +
                                ", loaded with " + std::to_string(PlannedMinutes(loadedBars)));
            }
            const auto record = records.find(id);
            if (record == records.end()) {
                if (shown->second != loadedBars) {
                    found.push_back(id.Name() + ": no record, but its bars are " +
                                    BarsText(chart, shown->second) + " instead of the loaded " +
                                    BarsText(chart, loadedBars));
                }
                continue;
            }
            CheckRecord(chart, id, record->second, loadedBars, shown->second, found);
        }
        for (const auto& [id, record] : records) {
            if (loaded_.count(id) == 0) {
                found.push_back(id.Name() + ": recorded but never loaded");
            }
        }
        return found;
    }

private:
    static int64_t PlannedMinutes(const std::vector<PlacedBar>& bars) {
        int64_t minutes = 0;
        for (const PlacedBar& bar : bars) {
            minutes += bar.End.AbsoluteMinutes() - bar.Start.AbsoluteMinutes();
        }
        return minutes;
    }

    static std::string BarsText(const ScheduleChart& chart, const std::vector<PlacedBar>& bars) {
        std::string text = "[";
        for (const PlacedBar& bar : bars) {
            text += (text.size() > 1 ? "; " : "") + chart.RowColumnText(bar.Row, 1) + " " +
                    TimeText(bar.Start) + " to " + TimeText(bar.End);
        }
        return text + "]";
    }

    static std::map<ActivityId, std::vector<PlacedBar>> ActivitiesOf(
        const Tessaro_Ctrl& control, std::vector<std::string>* found = nullptr) {
        std::map<ActivityId, std::vector<PlacedBar>> activities;
        const ScheduleChart& chart = control.ctResSched();
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                const ChartBar& shown = chart.Bar(row, bar);
                if (shown.Kind != WorkOrderBarKind) {
                    continue;
                }
                const std::optional<ActivityId> id = ActivityOfTag(shown.Tag);
                if (!id) {
                    if (found != nullptr) {
                        found->push_back("bar " + std::to_string(row) + "/" + std::to_string(bar) +
                                         " has a tag naming no activity: " + shown.Tag);
                    }
                    continue;
                }
                activities[*id].push_back({row, shown.Start, shown.End});
            }
        }
        for (auto& [id, bars] : activities) {
            std::sort(bars.begin(), bars.end());
        }
        return activities;
    }

    static void CheckBarEnds(const ScheduleChart& chart, std::vector<std::string>& found) {
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                const ChartBar& shown = chart.Bar(row, bar);
                if (shown.End < shown.Start) {
                    found.push_back("bar " + std::to_string(row) + "/" + std::to_string(bar) +
                                    " (kind " + std::to_string(shown.Kind) + ", key " + shown.Key +
                                    ") ends at " + TimeText(shown.End) + " before it starts at " +
                                    TimeText(shown.Start));
                }
            }
        }
    }

    // The records of the output by activity; a second record of one activity is a violation.
    static std::map<ActivityId, pugi::xml_node> RecordsOf(Tessaro_Ctrl& control,
                                                          pugi::xml_document& output,
                                                          std::vector<std::string>& found) {
        std::map<ActivityId, pugi::xml_node> records;
        if (!output.load_string(control.rescheduling().Xml().c_str())) {
            found.push_back("rescheduling() is not well-formed XML");
            return records;
        }
        for (pugi::xml_node info : output.document_element().children("Rescheduleinfo")) {
            const ActivityId id{info.attribute("workorder").value(),
                                info.attribute("position").as_llong()};
            if (!records.emplace(id, info).second) {
                found.push_back(id.Name() + ": more than one record");
            }
        }
        return records;
    }

    static void CheckRecord(const ScheduleChart& chart, const ActivityId& id, pugi::xml_node info,
                            const std::vector<PlacedBar>& loadedBars,
                            const std::vector<PlacedBar>& bars, std::vector<std::string>& found) {
        const std::string name = id.Name() + ": ";
        const int64_t start = info.attribute("starttime").as_llong();
        const int64_t end = info.attribute("endtime").as_llong();
        if (start > end) {
            found.push_back(name + "record ends at " + std::to_string(end) +
                            " before it starts at " + std::to_string(start));
        }
        ChartTime earliest = bars.front().Start;
        ChartTime latest = bars.front().End;
        for (const PlacedBar& bar : bars) {
            earliest = std::min(earliest, bar.Start);
            latest = std::max(latest, bar.End);
        }
        try {
            if (start != earliest.ToPayloadSeconds() || end != latest.ToPayloadSeconds()) {
                found.push_back(
                    name + "record spans " + std::to_string(start) + " to " + std::to_string(end) +
                    ", its bars " + std::to_string(earliest.ToPayloadSeconds()) + " to " +
                    std::to_string(latest.ToPayloadSeconds()) + " " + BarsText(chart, bars));
            }
        } catch (const AutomationError&) {
            found.push_back(name + "its bars lie outside the payload's seconds " +
                            BarsText(chart, bars));
        }

        const std::string flag = info.attribute("reschangeflg").value();
        const std::string newResource = info.attribute("newresource").value();
        const std::string oldResource = info.attribute("oldresource").value();
        if (flag == "Y") {
            for (const PlacedBar& bar : bars) {
                if (chart.RowColumnText(bar.Row, 1) != newResource) {
                    found.push_back(name + "recorded on " + newResource + " but a bar is on " +
                                    chart.RowColumnText(bar.Row, 1));
                }
            }
            return;
        }
        if (flag != "N") {
            found.push_back(name + "reschangeflg is \"" + flag + "\", neither Y nor N");
        }
        if (!newResource.empty() || !oldResource.empty()) {
            found.push_back(name + "no resource change, yet newresource \"" + newResource +
                            "\" and oldresource \"" + oldResource + "\"");
        }
        std::set<int16_t> loadedRows;
        for (const PlacedBar& bar : loadedBars) {
            loadedRows.insert(bar.Row);
        }
        for (const PlacedBar& bar : bars) {
            if (loadedRows.count(bar.Row) == 0) {
                found.push_back(name + "no resource change recorded, but a bar is on " +
                                chart.RowColumnText(bar.Row, 1) + ", a row it was not loaded on");
            }
        }
    }

    std::map<ActivityId, std::vector<PlacedBar>> loaded_;
};

}  // namespace tessaro::testing
