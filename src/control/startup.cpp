#include <tessaro/control/tessaro_ctrl.hpp>

#include <cmath>

#include <tessaro/runtime/checked_arithmetic.hpp>
#include <tessaro/runtime/conversions.hpp>

#include "rescheduling/change_journal.hpp"
#include "rescheduling/move_gesture.hpp"

namespace tessaro {
namespace {

// Container heights are single-precision twips; the control keeps them rounded to 16 bits, the
// way the automation runtime rounds (half to even).
int16_t RoundedHeight(float twips) {
    return CheckedInt16(static_cast<int64_t>(std::nearbyint(static_cast<double>(twips))));
}

}  // namespace

void Tessaro_Ctrl::UserControl_Initialize() {
    SavedChartHeight_ = RoundedHeight(ctResSched_.Height());
    SavedGridHeight_ = RoundedHeight(vaSpread_.Height());
    WindowStart_ = TextToDate("1/1/2002");
    WindowEnd_ = TextToDate("12/31/2002");
    ctResSched_.SetSettingFlag(73, true);
    Gesture_->TempBarActive = -1;
    Gesture_->PasteArmed = -1;
    Gesture_->ResChangeFlag = "N";
    Journal_->Clear();
    SetupChartAppearance();
    InitBarColourTables();
    CreateWOTimeBarStyles();
    vaSpread_.SetGridColumnCount(13);
    vaSpread_.SetGridRowCount(9);
}

void Tessaro_Ctrl::SetupChartAppearance() {
    ScheduleChart& chart = ctResSched_;
    chart.SetSettingFlag(80, true);
    chart.SetSetting(33, 0);
    chart.SetSetting(25, 1);
    chart.SetSetting(29, 0);
    chart.SetSetting(30, 0);
    chart.SetDayNames("Sun;Mon;Tue;Wed;Thu;Fri;Sat;");
    chart.SetTimeScaleFormat("M ,Y");
    chart.SetSetting(82, 65);
    chart.SetSettingFlag(92, true);
    chart.SetRangeStartDay(WindowStart_.Day);
    chart.SetRangeEndDay(WindowEnd_.Day);
    chart.SetSetting(81, 3);
    chart.SetSettingFlag(48, false);
    chart.SetSetting(33, 0);
    chart.SetSetting(49, 6);
    chart.SetSetting(40, 5);
    chart.SetTimeScale(250);
}

void Tessaro_Ctrl::InitBarColourTables() {
    NormalBarColours_ = {16769716, 7001344, 11184810, 16756318, 16757738, 11468799, 9869055};
    SelectedBarColours_ = {14588478, 4755712, 15, 15276843, 16732623, 65535, 255};
}

}  // namespace tessaro
