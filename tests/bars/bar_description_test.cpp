#include <tessaro/bars/bar_description.hpp>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "bars/bar_record_codec.hpp"
#include "support/error_code.hpp"

namespace tessaro {
namespace {

BarRecord Record(std::string workOrder, int32_t scheduleNumber) {
    BarRecord record;
    record.work_order_no = std::move(workOrder);
    record.rsscheduleno = scheduleNumber;
    record.status = "Released";
    record.item_code = "ITEM-1";
    record.sdesc4 = "Customer $ \\ Co";
    record.timeindays1 = 14400;
    return record;
}

std::string Text(const BarRecord& record) {
    std::string text;
    AssembleBarRecordText(text, record);
    return text;
}

enum class Look { Normal, Selected, NoStyle };

// One bar each: its kind, style and tag, and what the model must tell about it.
struct Case {
    const char* what;
    int32_t kind;
    Look look;
    std::string tag;
    BarRole role;
    std::optional<BarRecord> record;
    // Differs from the record only where later fields do not convert.
    std::optional<BarActivity> activity;
};

TEST(DescribeBar, TellsRoleSelectionAndRecordOfEveryKindOfBar) {
    const BarRecord escaped = Record("WO$7\\1", 20);
    const Case cases[] = {
        {"selected work order", WorkOrderBarKind, Look::Selected, Text(Record("WO-1", 10)),
         BarRole::WorkOrder, Record("WO-1", 10), BarActivity{"WO-1", 10}},
        {"escapes undone", WorkOrderBarKind, Look::Normal, Text(escaped), BarRole::WorkOrder,
         escaped, BarActivity{"WO$7\\1", 20}},
        {"the copy", TemporaryBarKind, Look::Normal, Text(Record("WO-2", -3)), BarRole::Temporary,
         Record("WO-2", -3), BarActivity{"WO-2", -3}},
        {"calendar carries none", CalendarBarKind, Look::Selected, Text(Record("WO-3", 1)),
         BarRole::Calendar, std::nullopt, std::nullopt},
        {"a host's own bar", 0, Look::NoStyle, Text(Record("WO-4", 1)), BarRole::Other,
         std::nullopt, std::nullopt},
        {"seventeen fields", WorkOrderBarKind, Look::Normal, "WO-5$10$R$0$0$I$S$C$G$$$$$$$1$1",
         BarRole::WorkOrder, std::nullopt, std::nullopt},
        {"nineteen fields", WorkOrderBarKind, Look::Normal, Text(Record("WO-6", 1)) + "$9",
         BarRole::WorkOrder, std::nullopt, std::nullopt},
        {"schedule not a number", WorkOrderBarKind, Look::Normal,
         "WO-7$ten$R$0$0$I$S$C$G$$$$$$$1$1$60", BarRole::WorkOrder, std::nullopt, std::nullopt},
        {"blank work order", WorkOrderBarKind, Look::Normal, "  $10$R$0$0$I$S$C$G$$$$$$$1$1$60",
         BarRole::WorkOrder, std::nullopt, std::nullopt},
        {"duration not a number", WorkOrderBarKind, Look::Normal,
         "WO-8$10$R$0$0$I$S$C$G$$$$$$$1$1$x", BarRole::WorkOrder, std::nullopt,
         BarActivity{"WO-8", 10}},
        {"no tag", WorkOrderBarKind, Look::Normal, "", BarRole::WorkOrder, std::nullopt,
         std::nullopt},
    };

    ScheduleChart chart;
    chart.AddRow("R1;Lathe");
    const int16_t normal = chart.AddBarStyle(15, 0);
    const int16_t selected = chart.AddBarStyle(SelectedBarStyleFlags, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int16_t bar = chart.AddTimeBar(1, 480, 600, 100, 100, "");
        chart.SetTimeBarKind(1, bar, c.kind);
        chart.SetTimeBarTag(1, bar, c.tag);
        chart.SetTimeBarStyle(1, bar,
                              c.look == Look::Selected ? selected
                              : c.look == Look::Normal ? normal
                                                       : int16_t{0});

        const BarDescription description = DescribeBar(chart, 1, bar);
        EXPECT_EQ(description.Role, c.role);
        EXPECT_EQ(description.Selected, c.look == Look::Selected);
        EXPECT_EQ(description.Record, c.record);

        const BarGlance glance = GlanceAtBar(chart, 1, bar);
        EXPECT_EQ(glance.Role, c.role);
        EXPECT_EQ(glance.Selected, c.look == Look::Selected);
        EXPECT_EQ(ActivityOfBar(chart, 1, bar), c.activity);
    }
    EXPECT_EQ(ErrorCode([&] { DescribeBar(chart, 1, 99); }), 5);
    EXPECT_EQ(ErrorCode([&] { GlanceAtBar(chart, 2, 1); }), 5);
    EXPECT_EQ(ErrorCode([&] { ActivityOfBar(chart, 1, 0); }), 5);
}

}  // namespace
}  // namespace tessaro
