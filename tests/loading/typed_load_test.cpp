// Plan values load as their XML does: the same chart, the same errors, nothing changed by a
// refusal.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "support/planner_session.hpp"
#include "support/samples.hpp"
#include "support/typed_plant.hpp"

namespace tessaro {
namespace {

using namespace std::chrono;

constexpr sys_days kMonday = sys_days{year{2027} / January / 4};

struct TypedPlant {
    PlanHeader header{kMonday, kMonday + days{13}, "MFG", "L1", "M1", "{g}", "01", "", "1", "0",
                      ""};
    std::vector<PlanResource> resources{{"L1", "Lathe & co"}, {"M1", "Mill \"big\""}};
    std::vector<CalendarEntry> calendars{{"L1", kMonday, hours{22}, hours{8}},
                                         {"M1", kMonday + days{1}, hours{0}, hours{6}}};
    std::vector<PlannedSubActivity> subActivities{
        Sub("L1", "WO-1", 10, 10, hours{8}, minutes{90}),
        Sub("M1", "WO-1", 20, 10, hours{10}, minutes{120}),
        Sub("L1", "WO-2", 10, 10, hours{8} + days{1}, minutes{45})};

    static PlannedSubActivity Sub(std::string resource, std::string workOrder, int32_t activity,
                                  int32_t code, seconds from, seconds length) {
        PlannedSubActivity s;
        s.Resource = std::move(resource);
        s.WorkOrder = std::move(workOrder);
        s.Activity = activity;
        s.SubActivity = code;
        s.Start = sys_seconds{kMonday} + from;
        s.Duration = length;
        s.Status = "Released";
        s.Flag = "R";
        s.ItemCode = "VLV-1";
        s.SalesOrder = "SO-1";
        s.Customer = "Acme <North>";
        s.RequiredDate = s.PromisedDate = s.WorkOrderStart = s.WorkOrderEnd = kMonday;
        return s;
    }

    void Load(Tessaro_Ctrl& control) const {
        control.LoadPlanHeader(header);
        control.LoadResources(resources);
        control.LoadCalendars(calendars);
        control.LoadSubActivities(subActivities);
    }
};

std::string Chart(Tessaro_Ctrl& control) {
    const ScheduleChart& chart = control.ctResSched();
    std::string text = std::to_string(control.WindowStart().Day) + "-" +
                       std::to_string(control.WindowEnd().Day) + "\n";
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        text += chart.RowText(row) + "\n";
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            const ChartBar& b = chart.Bar(row, bar);
            text += std::to_string(b.Kind) + " " + b.Key + " " + b.Tag + " " +
                    std::to_string(b.Start.Day) + "+" + std::to_string(b.Start.Minute) + " " +
                    std::to_string(b.End.Day) + "+" + std::to_string(b.End.Minute) + "\n";
        }
    }
    return text;
}

TEST(TypedLoad, ValuesLoadTheChartTheirXmlLoadsAndRefreshReloadsIt) {
    const TypedPlant plant;
    Tessaro_Ctrl typed;
    plant.Load(typed);
    Tessaro_Ctrl xml;
    xml.LoadScheduleTime(typed.Box3().Text());
    xml.LoadResource(typed.Box1().Text());
    xml.LoadCalendarEvents(typed.Box4().Text());
    xml.LoadResourceEvents(typed.Box2().Text());
    const std::string loaded = Chart(typed);
    EXPECT_EQ(loaded, Chart(xml));
    EXPECT_NE(loaded.find("L1;Lathe & co"), std::string::npos);
    EXPECT_NE(loaded.find("Acme <North>"), std::string::npos);
    typed.miRefresh_Click();
    EXPECT_EQ(Chart(typed), loaded);
}

TEST(TypedLoad, RefusedValuesRaiseTheirXmlErrorAndChangeNothing) {
    struct Case {
        const char* name;
        void (*spoil)(TypedPlant&);
        ErrorKind error;
    };
    const std::vector<Case> cases = {
        {"a window ending before it starts",
         [](TypedPlant& p) { p.header.To = p.header.From - days{1}; }, ErrorKind::InvalidArgument},
        {"a resource code holding \";\"", [](TypedPlant& p) { p.resources[1].Code = "M;1"; },
         ErrorKind::InvalidArgument},
        {"a negative calendar length", [](TypedPlant& p) { p.calendars[0].Length = -hours{1}; },
         ErrorKind::InvalidArgument},
        {"a negative duration", [](TypedPlant& p) { p.subActivities[2].Duration = -minutes{1}; },
         ErrorKind::InvalidArgument},
        {"a start past the payloads' seconds",
         [](TypedPlant& p) { p.subActivities[2].Start += days{365 * 70}; }, ErrorKind::Overflow},
        {"a work-order number holding \"$\"",
         [](TypedPlant& p) { p.subActivities[0].WorkOrder = "WO$1"; }, ErrorKind::InvalidArgument},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tessaro_Ctrl control;
        const TypedPlant good;
        good.Load(control);
        const std::string before = Chart(control);
        TypedPlant spoilt;
        c.spoil(spoilt);
        try {
            spoilt.Load(control);
            ADD_FAILURE() << "loaded";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.Kind(), c.error) << error.what();
        }
        // The loads before the refused one went through: load the good plant's payloads again
        // and nothing of the refused one is left.
        good.Load(control);
        EXPECT_EQ(Chart(control), before);
    }
}

// Activities added, updated and removed one at a time: the others keep their changes and undo
// history, a refused edit changes nothing, and Refresh reloads the plan as the host left it.
TEST(TypedLoad, ActivitiesAreAddedUpdatedAndRemovedWithoutAReload) {
    const TypedPlant plant;
    Tessaro_Ctrl control;
    plant.Load(control);
    ScheduleChart& chart = control.ctResSched();
    // A planner's change of WO-2/10: copied and dragged a day on.
    const int16_t moved = chart.FindTimeBarInRow("WO-2$1$1", 1);
    chart.RightClickBar(1, moved);
    control.miCopy_Click();
    chart.DragBar(1, chart.TimeBarCount(1), 1, chart.Bar(1, moved).Start.Day + 1, 480);
    ASSERT_EQ(control.Changes().size(), 1u);

    const auto has = [&](const std::string& text) {
        return Chart(control).find(text) != std::string::npos;
    };
    control.AddSubActivities(
        std::vector{TypedPlant::Sub("M1", "WO-3", 10, 10, hours{30}, minutes{30})});
    EXPECT_TRUE(has("WO-3$"));
    EXPECT_EQ(control.Changes().size(), 1u);
    ASSERT_TRUE(control.CanUndo());

    control.UpdateActivity(
        {"WO-1", 20}, std::vector{TypedPlant::Sub("L1", "WO-1", 20, 10, hours{14}, minutes{60})});
    EXPECT_EQ(chart.TimeBarCount(2), 2);  // M1 keeps its calendar entry and WO-3
    for (const auto& refused : {TypedPlant::Sub("L1", "WO-9", 20, 10, hours{14}, minutes{60}),
                                TypedPlant::Sub("L1", "WO-1", 20, 10, hours{14}, -minutes{60})}) {
        const std::string before = Chart(control);
        EXPECT_THROW(control.UpdateActivity({"WO-1", 20}, std::vector{refused}), AutomationError);
        EXPECT_EQ(Chart(control), before);
    }

    control.RemoveActivity({"WO-1", 10});
    EXPECT_FALSE(has("WO-1$10$"));
    control.Undo();  // the planner's change of WO-2 is still undone as one step
    EXPECT_TRUE(control.Changes().empty());
    EXPECT_FALSE(control.CanUndo());

    // The same bars, in the kept payload's order within their rows.
    const auto sorted = [&] {
        std::string text = Chart(control);
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos;
             at = end + 1) {
            lines.push_back(text.substr(at, end - at));
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    const std::vector<std::string> edited = sorted();
    control.miRefresh_Click();
    EXPECT_EQ(sorted(), edited);
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

// Every bar's row, times and kind, row by row.
std::string Placement(const ScheduleChart& chart) {
    std::string text;
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        text += chart.RowColumnText(row, 1) + ":";
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            const ChartBar& b = chart.Bar(row, bar);
            text += " " + std::to_string(b.Kind) + "@" + std::to_string(b.Start.AbsoluteMinutes()) +
                    "-" + std::to_string(b.End.AbsoluteMinutes());
        }
        text += "\n";
    }
    return text;
}

TEST(TypedLoad, TheSamplePlantAsValuesStandsWhereItsPayloadsPutIt) {
    const testing::PlantTexts sample{
        testing::ReadSample("header.xml"), testing::ReadSample("resources.xml"),
        testing::ReadSample("calendars.xml"), testing::ReadSample("workorders.xml")};
    Tessaro_Ctrl fromXml;
    testing::LoadPlant(fromXml, sample);
    Tessaro_Ctrl fromValues;
    testing::ReadTypedPlant(sample.header, sample.resources, sample.calendars, sample.workOrders)
        .LoadInto(fromValues);
    EXPECT_EQ(Placement(fromValues.ctResSched()), Placement(fromXml.ctResSched()));
    EXPECT_EQ(fromValues.WindowStart(), fromXml.WindowStart());
}

}  // namespace
}  // namespace tessaro
