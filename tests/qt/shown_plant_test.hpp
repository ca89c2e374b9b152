#pragma once

// The fixture of the widget tests that drive a shown control on a small plant with real mouse
// events: the plant loaded through the control's own loaders over 11 to 20 February 2002, the
// chart scrolled to it, and what the tests reach (the control, its chart, the chart view and the
// viewport the mouse events go to, a work order's first bar). Tooltips and menus a case left
// open are closed after it.

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QPoint>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "qt/widget_test_support.hpp"
#include "support/plan.hpp"

namespace tessaro::testing {

class ShownPlantTest : public ::testing::Test {
protected:
    void TearDown() override {
        QToolTip::hideText();
        CloseMenus();
        widget.reset();
    }

    // A fresh control shown with the plant, the chart starting at `firstDay`; a case may call it
    // again for a fresh start.
    void ShowPlant(std::initializer_list<std::pair<std::string, std::string>> resources,
                   const std::vector<SubActivity>& subActivities, int32_t firstDay,
                   std::span<const tessaro::CalendarEntry> calendars = {}) {
        widget = std::make_unique<TessaroWidget>();
        ASSERT_TRUE(ShowActive(widget.get()));
        ctrl().LoadScheduleTime(HeaderXml("2/11/2002", "2/20/2002"));
        ctrl().LoadResource(ResourcesXml(resources));
        if (!calendars.empty()) {
            ctrl().LoadCalendars(calendars);
        }
        ctrl().LoadResourceEvents(WorkOrdersXml(subActivities));
        view()->scrollToDay(firstDay);
        QApplication::processEvents();
    }

    Tessaro_Ctrl& ctrl() { return widget->control(); }
    ScheduleChart& chart() { return ctrl().ctResSched(); }
    ScheduleChartView* view() const { return widget->chartView(); }
    QWidget* port() const { return view()->viewport(); }

    // The first bar of the work order as (row, bar); (0, 0), and a failure, when it has none.
    std::pair<int16_t, int16_t> firstBarOf(const std::string& workOrder) {
        const auto bars = chart().FindTimeBarsInKeyGroup(workOrder);
        EXPECT_FALSE(bars.empty()) << workOrder;
        return bars.empty() ? std::pair<int16_t, int16_t>{0, 0} : bars.front();
    }

    // The middle of the work order's first bar, on screen.
    QPoint centreOf(const std::string& workOrder) {
        const auto [row, bar] = firstBarOf(workOrder);
        return bar == 0 ? QPoint() : view()->barRect(row, bar).center();
    }

    std::unique_ptr<TessaroWidget> widget;
};

}  // namespace tessaro::testing
