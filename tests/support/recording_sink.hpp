#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <tessaro/components/schedule_chart_events.hpp>

namespace tessaro::testing {

// Records every chart notification as "Name row,bar[,extra]" and lets a test react inside one.
class RecordingSink : public ScheduleChartEvents {
public:
    std::vector<std::string> log;
    std::function<void(const std::string& name, int16_t row, int16_t bar)> react;

    void BarChanging(int16_t row, int16_t bar, int16_t mode) override {
        Record("BarChanging", row, bar, std::to_string(mode));
    }
    void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) override {
        Record("BarRowChanging", sourceRow, bar, std::to_string(targetRow));
    }
    void BarChanged(int16_t row, int16_t bar) override { Record("BarChanged", row, bar); }
    void BarClick(int16_t row, int16_t bar) override { Record("BarClick", row, bar); }
    void BarSelected(int16_t row, int16_t bar) override { Record("BarSelected", row, bar); }
    void BarChosen(int16_t row, int16_t bar) override { Record("BarChosen", row, bar); }
    void BarRightClick(int16_t row, int16_t bar) override { Record("BarRightClick", row, bar); }
    void BarHovered(int16_t row, int16_t bar) override { Record("BarHovered", row, bar); }
    void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) override {
        Record("BarRemoveRequest", row, bar, confirmed ? "yes" : "no");
    }
    void GestureFlagsSet() override { log.push_back("GestureFlagsSet"); }

private:
    void Record(const std::string& name, int16_t row, int16_t bar, const std::string& extra = {}) {
        std::string entry = name + " " + std::to_string(row) + "," + std::to_string(bar);
        if (!extra.empty()) {
            entry += "," + extra;
        }
        log.push_back(entry);
        if (react) {
            react(name, row, bar);
        }
    }
};

}  // namespace tessaro::testing
