#pragma once

// A small plan loaded through the control's own loaders, with the look-ups workflow tests need.

#include <string>
#include <utility>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/payloads.hpp"

namespace tessaro::testing {

// Payload seconds of a chart time.
inline std::string Seconds(int32_t day, int32_t minute) {
    return std::to_string((static_cast<int64_t>(day) - 36524) * 86400 + minute * 60);
}

// A sub-activity on a resource from (day, minute) for a number of minutes.
inline SubActivity Placed(const char* resno, const char* workOrder, int32_t rsscheduleno,
                          int32_t day, int32_t minute, int32_t minutes) {
    SubActivity subActivity;
    subActivity.resno = resno;
    subActivity.workOrder = workOrder;
    subActivity.rsscheduleno = std::to_string(rsscheduleno);
    subActivity.start = Seconds(day, minute);
    subActivity.duration = std::to_string(minutes * 60);
    return subActivity;
}

class Plan {
public:
    Plan(std::initializer_list<std::pair<std::string, std::string>> resources,
         const std::vector<SubActivity>& subActivities) {
        control.LoadResource(ResourcesXml(resources));
        control.LoadResourceEvents(WorkOrdersXml(subActivities));
    }

    // The first bar carrying the key, as (row, bar); (0, 0) when none does.
    std::pair<int16_t, int16_t> Find(const std::string& key) const {
        const int16_t row = chart.FindTimeBarRow(key);
        return {row, chart.FindTimeBarInRow(key, row)};
    }

    // Every work-order bar of a row as its key, in bar order.
    std::vector<std::string> KeysOfRow(int16_t row) const {
        std::vector<std::string> keys;
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            if (chart.TimeBarKind(row, bar) == WorkOrderBarKind) {
                keys.push_back(chart.TimeBarKey(row, bar));
            }
        }
        return keys;
    }

    // Right-clicks the bar with the key and chooses Copy from the menu it opens.
    void Copy(const std::string& key) {
        const auto [row, bar] = Find(key);
        chart.RightClickBar(row, bar);
        control.mnuSchedPopUp().Choose("miCopy");
    }

    std::pair<int16_t, int16_t> TemporaryBar() const { return Find(control.TempBarKey()); }

    Tessaro_Ctrl control;
    ScheduleChart& chart = control.ctResSched();
};

}  // namespace tessaro::testing
