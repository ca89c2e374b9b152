#pragma once

#include <tessaro/components/schedule_chart_events.hpp>

#include "control/control_parts.hpp"

namespace tessaro {

// Hands the chart's notifications to the parts that handle them; each is an entry a host hears
// about once it is handled.
class ControlParts::ChartEventSink : public ScheduleChartEvents {
public:
    explicit ChartEventSink(ControlParts& parts) : parts_(parts) {}

    void BarChanging(int16_t row, int16_t bar, int16_t mode) override {
        Forward([&] { parts_.Rescheduling.BarChanging(row, bar, mode); });
    }
    void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) override {
        Forward([&] { parts_.Rescheduling.BarRowChanging(sourceRow, bar, targetRow); });
    }
    void BarChanged(int16_t row, int16_t bar) override {
        Forward([&] { parts_.Rescheduling.BarChanged(row, bar); });
    }
    void BarClick(int16_t row, int16_t bar) override {
        Forward([&] { parts_.Rescheduling.BarClick(row, bar); });
    }
    void BarSelected(int16_t row, int16_t bar) override {
        Forward([&] { parts_.BarSelected(row, bar); });
    }
    void BarChosen(int16_t row, int16_t bar) override {
        Forward([&] { parts_.BarChosen(row, bar); });
    }
    void BarRightClick(int16_t row, int16_t bar) override {
        Forward([&] { parts_.Rescheduling.BarRightClick(row, bar); });
    }
    void BarHovered(int16_t row, int16_t bar) override {
        Forward([&] { parts_.Details.BarHovered(row, bar); });
    }
    void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) override {
        Forward([&] { parts_.Rescheduling.BarRemoveRequest(row, bar, confirmed); });
    }
    void GestureFlagsSet() override {
        Forward([&] { parts_.Rescheduling.GestureFlagsSet(); });
    }

private:
    template <typename Handler>
    void Forward(Handler handle) {
        EntryCounter::Scope entry(parts_.Entries);
        handle();
    }

    ControlParts& parts_;
};

}  // namespace tessaro
