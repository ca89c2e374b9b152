#include <gtest/gtest.h>

#include <set>
#include <string>

#include <plantgen/plant_generator.hpp>
#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/bar_record_codec.hpp"

#include "support/samples.hpp"

namespace tessaro {
namespace {

using testing::ReadSample;

struct BarCounts {
    int32_t calendar = 0;
    int32_t workOrder = 0;
};

BarCounts CountBars(const ScheduleChart& chart) {
    BarCounts counts;
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            const int32_t kind = chart.TimeBarKind(row, bar);
            counts.calendar += kind == CalendarBarKind;
            counts.workOrder += kind == WorkOrderBarKind;
        }
    }
    return counts;
}

// Every work-order bar's key names its record's work order with a position within the count,
// and its tag splits back into eighteen fields.
void ExpectConsistentWorkOrderBars(Tessaro_Ctrl& control) {
    ScheduleChart& chart = control.ctResSched();
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            if (chart.TimeBarKind(row, bar) != WorkOrderBarKind) {
                continue;
            }
            std::string number;
            int16_t position = 0;
            int16_t count = 0;
            control.DisAssembleKeyID(chart.TimeBarKey(row, bar), number, position, count);
            BarRecord record;
            DisassembleBarRecordText(chart.TimeBarTag(row, bar), record);
            ASSERT_EQ(number, record.work_order_no) << row << "/" << bar;
            ASSERT_GE(position, 1);
            ASSERT_LE(position, count);
            ASSERT_EQ(chart.FindTimeBarRow(chart.TimeBarKey(row, bar)) != 0, true);
        }
    }
}

TEST(PlantLoad, SamplePlantLoadsInRefreshOrder) {
    Tessaro_Ctrl control;
    control.LoadScheduleTime(ReadSample("header.xml"));
    control.LoadResource(ReadSample("resources.xml"));
    control.LoadCalendarEvents(ReadSample("calendars.xml"));
    control.LoadResourceEvents(ReadSample("workorders.xml"));

    const ScheduleChart& chart = control.ctResSched();
    EXPECT_EQ(chart.RangeStartDay(), DayNumber(2027, 1, 4));
    EXPECT_EQ(chart.RangeEndDay(), DayNumber(2027, 1, 22));
    EXPECT_EQ(chart.RowCount(), 12);
    EXPECT_EQ(chart.RowText(1).substr(0, 9), "LATHE-01;");
    const BarCounts counts = CountBars(chart);
    EXPECT_EQ(counts.calendar, 241);
    EXPECT_EQ(counts.workOrder, 205);
    ExpectConsistentWorkOrderBars(control);

    std::set<int32_t> colours;
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            if (chart.TimeBarKind(row, bar) == WorkOrderBarKind) {
                colours.insert(chart.Bar(row, bar).Colour);
            }
        }
    }
    EXPECT_EQ(colours, std::set<int32_t>(control.NormalBarColours().begin(),
                                         control.NormalBarColours().end()));
}

TEST(PlantLoad, GeneratedPlantLoadsEveryRecord) {
    const plantgen::PlantPayloads plant = plantgen::GeneratePlant({20, 3000, 7, true, 21});
    Tessaro_Ctrl control;
    control.LoadScheduleTime(plant.header);
    control.LoadResource(plant.resources);
    control.LoadCalendarEvents(plant.calendars);
    control.LoadResourceEvents(plant.workOrders);
    EXPECT_EQ(control.ctResSched().RowCount(), 20);
    EXPECT_EQ(CountBars(control.ctResSched()).workOrder, 3000);
    ExpectConsistentWorkOrderBars(control);
}

}  // namespace
}  // namespace tessaro
