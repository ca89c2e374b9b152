#pragma once

// The small plant the keyboard and screen-reader tests walk, in a shown control with the chart
// focused: R1: WO2 12:00-14:00, WO1 08:00-10:00, WO3 16:00-17:00 (in that bar order); R2 without
// work orders; R3: WO4 09:00-11:00, WO5 13:30-15:00; R4: WO6 the next day 08:00-09:00 and WO7
// 08:30-09:30 over it.

#include <memory>

#include <QApplication>

#include <gtest/gtest.h>

#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "qt/widget_test_support.hpp"
#include "support/plan.hpp"

namespace tessaro::testing {

constexpr int32_t kSmallPlantDay = 37300;  // Friday 15 February 2002

inline std::unique_ptr<TessaroWidget> MakeSmallPlantWidget() {
    auto made = std::make_unique<TessaroWidget>();
    EXPECT_TRUE(ShowActive(made.get()));
    Tessaro_Ctrl& control = made->control();
    const int32_t day = kSmallPlantDay;
    control.LoadScheduleTime(HeaderXml("2/11/2002", "2/20/2002"));
    control.LoadResource(
        ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Drill"}, {"R4", "Saw"}}));
    control.LoadResourceEvents(WorkOrdersXml({
        Placed("R1", "WO2", 20, day, 720, 120),
        Placed("R1", "WO1", 10, day, 480, 120),
        Placed("R1", "WO3", 30, day, 960, 60),
        Placed("R3", "WO4", 40, day, 540, 120),
        Placed("R3", "WO5", 50, day, 810, 90),
        Placed("R4", "WO6", 60, day + 1, 480, 60),
        Placed("R4", "WO7", 70, day + 1, 510, 60),
    }));
    made->chartView()->scrollToDay(day - 1);
    made->chartView()->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    return made;
}

}  // namespace tessaro::testing
