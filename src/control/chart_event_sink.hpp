#pragma once

#include <tessaro/components/schedule_chart_events.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "control/host_events.hpp"

namespace tessaro {

// Hands the chart's notifications to the control's handlers.
class Tessaro_Ctrl::ChartEventSink : public ScheduleChartEvents {
public:
    explicit ChartEventSink(Tessaro_Ctrl& control) : control_(control) {}

    void BarChanging(int16_t row, int16_t bar, int16_t mode) override {
        Forward(&Tessaro_Ctrl::BarChanging, row, bar, mode);
    }
    void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) override {
        Forward(&Tessaro_Ctrl::BarRowChanging, sourceRow, bar, targetRow);
    }
    void BarChanged(int16_t row, int16_t bar) override {
        Forward(&Tessaro_Ctrl::BarChanged, row, bar);
    }
    void BarClick(int16_t row, int16_t bar) override { Forward(&Tessaro_Ctrl::BarClick, row, bar); }
    void BarSelected(int16_t row, int16_t bar) override {
        Forward(&Tessaro_Ctrl::BarSelected, row, bar);
    }
    void BarChosen(int16_t row, int16_t bar) override {
        Forward(&Tessaro_Ctrl::BarChosen, row, bar);
    }
    void BarRightClick(int16_t row, int16_t bar) override {
        Forward(&Tessaro_Ctrl::BarRightClick, row, bar);
    }
    void BarHovered(int16_t row, int16_t bar) override {
        Forward(&Tessaro_Ctrl::BarHovered, row, bar);
    }
    void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) override {
        Forward(&Tessaro_Ctrl::BarRemoveRequest, row, bar, confirmed);
    }
    void GestureFlagsSet() override { Forward(&Tessaro_Ctrl::GestureFlagsSet); }

private:
    // Every notification is an entry a host hears about once it is handled.
    template <typename... Params, typename... Args>
    void Forward(void (Tessaro_Ctrl::*handler)(Params...), Args... args) {
        HostEventScope scope(control_);
        (control_.*handler)(args...);
    }

    Tessaro_Ctrl& control_;
};

}  // namespace tessaro
