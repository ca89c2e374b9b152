#pragma once

// A control with a small plan in every state a failing load must leave alone, and the check that
// a load was refused with its error while nothing but its payload store changed.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "support/control_snapshot.hpp"
#include "support/payloads.hpp"
#include "support/plan.hpp"

namespace tessaro::testing {

enum class Loader { Header, Resources, Calendars, WorkOrders };

inline const char* LoaderName(Loader loader) {
    switch (loader) {
        case Loader::Header:
            return "LoadScheduleTime";
        case Loader::Resources:
            return "LoadResource";
        case Loader::Calendars:
            return "LoadCalendarEvents";
        case Loader::WorkOrders:
            return "LoadResourceEvents";
    }
    return "";
}

inline void Load(Tessaro_Ctrl& control, Loader loader, std::string_view payload) {
    switch (loader) {
        case Loader::Header:
            control.LoadScheduleTime(payload);
            break;
        case Loader::Resources:
            control.LoadResource(payload);
            break;
        case Loader::Calendars:
            control.LoadCalendarEvents(payload);
            break;
        case Loader::WorkOrders:
            control.LoadResourceEvents(payload);
            break;
    }
}

// The place of the loader's store among Box1 to Box4.
inline std::size_t StoreOf(Loader loader) {
    switch (loader) {
        case Loader::Resources:
            return 0;
        case Loader::WorkOrders:
            return 1;
        case Loader::Header:
            return 2;
        case Loader::Calendars:
            return 3;
    }
    return 0;
}

template <typename Action>
std::optional<AutomationError> RaisedBy(Action action) {
    try {
        action();
    } catch (const AutomationError& error) {
        return error;
    }
    return std::nullopt;
}

// A window away from the start-up one, rows R1 and R2 with calendars, work orders WO1 (on both
// rows), WO2 and WO3, WO2's activity moved and waiting to be saved, and WO1 clicked: its bars
// selected and its rows in the grid and the detail panel.
class PlannedControl {
public:
    static constexpr int32_t kDay = 37300;

    PlannedControl()
        : plan({{"R1", "Lathe"}, {"R2", "Mill"}},
               {Placed("R1", "WO1", 10, kDay, 480, 60), Placed("R2", "WO1", 20, kDay, 600, 60),
                Placed("R1", "WO2", 5, kDay, 720, 60), Placed("R2", "WO3", 1, kDay + 1, 0, 120)}) {
        control.LoadScheduleTime(HeaderXml("2/1/2002", "6/30/2002"));
        control.LoadCalendarEvents(CalendarXml({{"R1"}, {"R2", "2/5/2002", "0", "28800"}}));
        plan.Copy("WO2$1$1");
        const auto [row, bar] = plan.TemporaryBar();
        plan.chart.DragBar(row, bar, row, kDay + 2, 60);
        const auto [clickedRow, clickedBar] = plan.Find("WO1$1$2");
        plan.chart.ClickBar(clickedRow, clickedBar);
    }

    // The work orders whose registry entries a snapshot asks for: the plan's and those of the
    // failing payloads.
    static std::vector<std::string> WorkOrders() { return {"WO1", "WO2", "WO3", "WO7", "X"}; }

    ControlSnapshot Snapshot() { return ControlSnapshot(control, WorkOrders()); }

    Plan plan;
    Tessaro_Ctrl& control = plan.control;
};

// The load raises the error with that code and a description; afterwards the control is as it
// was, except that the loader's store holds the payload.
inline void ExpectRefusedLeavingTheRest(PlannedControl& planned, Loader loader,
                                        std::string_view payload, int32_t code,
                                        const std::string& name) {
    const std::string context = std::string(LoaderName(loader)) + ", " + name;
    const ControlSnapshot before = planned.Snapshot();
    const std::optional<AutomationError> error =
        RaisedBy([&] { Load(planned.control, loader, payload); });
    ASSERT_TRUE(error.has_value()) << context << ": loaded";
    EXPECT_EQ(error->Code(), code) << context << ": " << error->Description().substr(0, 300);
    EXPECT_FALSE(error->Description().empty()) << context;
    // Values may be megabytes long; a description quotes only their start.
    EXPECT_LT(error->Description().size(), 1000u) << context;

    const ControlSnapshot after = planned.Snapshot();
    EXPECT_TRUE(SameState(before, after)) << context;
    std::array<std::string, 4> stores = before.Boxes();
    stores[StoreOf(loader)] = std::string(payload);
    // Compared without printing: a store may hold megabytes.
    EXPECT_TRUE(after.Boxes() == stores) << context << ": payload stores differ";
}

}  // namespace tessaro::testing
