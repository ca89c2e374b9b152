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
        HostEventScope scope(control_);
        control_.BarChanging(row, bar, mode);
    }
    void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) override {
        HostEventScope scope(control_);
        control_.BarRowChanging(sourceRow, bar, targetRow);
    }
    void BarChanged(int16_t row, int16_t bar) override {
        HostEventScope scope(control_);
        control_.BarChanged(row, bar);
    }
    void BarClick(int16_t row, int16_t bar) override {
        HostEventScope scope(control_);
        control_.BarClick(row, bar);
    }
    void BarSelected(int16_t row, int16_t bar) override {
        HostEventScope scope(control_);
        control_.BarSelected(row, bar);
    }
    void BarChosen(int16_t row, int16_t bar) override {
        HostEventScope scope(control_);
        control_.BarChosen(row, bar);
    }
    void BarRightClick(int16_t row, int16_t bar) override {
        HostEventScope scope(control_);
        control_.BarRightClick(row, bar);
    }
    void BarHovered(int16_t row, int16_t bar) override {
        HostEventScope scope(control_);
        control_.BarHovered(row, bar);
    }
    void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) override {
        HostEventScope scope(control_);
        control_.BarRemoveRequest(row, bar, confirmed);
    }
    void GestureFlagsSet() override {
        HostEventScope scope(control_);
        control_.GestureFlagsSet();
    }

private:
    Tessaro_Ctrl& control_;
};

}  // namespace tessaro
