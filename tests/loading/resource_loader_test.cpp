#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/error_code.hpp"
#include "support/payloads.hpp"

namespace tessaro {
namespace {

using testing::PayloadXml;
using testing::ResourcesXml;

class ResourceLoader : public ::testing::Test {
protected:
    std::vector<std::string> RowTexts() const {
        std::vector<std::string> texts;
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            texts.push_back(chart.RowText(row));
        }
        return texts;
    }

    Tessaro_Ctrl control;
    ScheduleChart& chart = control.ctResSched();
};

TEST_F(ResourceLoader, OneRowPerResourceInPayloadOrder) {
    control.LoadResource(ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}}));
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"R1;Lathe", "R2;Mill"}));
    EXPECT_EQ(control.Box1().Text(), ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}}));
    EXPECT_EQ(chart.Setting(120), -1);
    EXPECT_EQ(chart.Setting(13), 2);
    EXPECT_EQ(chart.Setting(11), 2);
    EXPECT_EQ(chart.ListFont().Size, 12);
    EXPECT_TRUE(chart.ListFont().Bold);
}

TEST_F(ResourceLoader, ReadingRulesForExtraAndMissingAttributes) {
    struct Case {
        const char* name;
        std::string payload;
        std::vector<std::string> rows;
    } cases[] = {
        {"extra attributes ignored",
         PayloadXml({{{"resno", "R1"}, {"loc", "A"}, {"shortdesc", "Lathe"}},
                     {{"shortdesc", "Mill"}, {"loc", "B"}, {"resno", "R2"}}}),
         {"R1;Lathe", "R2;Mill"}},
        {"shorter second element",
         PayloadXml({{{"resno", "R1"}, {"shortdesc", "Lathe"}, {"loc", "A"}},
                     {{"resno", "R2"}, {"shortdesc", "Mill"}}}),
         {"R1;Lathe", "R2;Mill"}},
        {"texts kept as sent, a \";\" only in the description",
         PayloadXml({{{"resno", " R$1 "}, {"shortdesc", "Paint &amp; Cure; hot"}}}),
         {" R$1 ;Paint & Cure; hot"}},
        {"white space, comments and instructions skipped",
         "  <?xml version=\"1.0\"?>\n<res>\n  <!-- lathes -->\n  <?pi x?>\n"
         "  <r resno=\"R1\" shortdesc=\"Lathe\"/>\n</res>\n",
         {"R1;Lathe"}},
        {"prefixed names read by their base name",
         "<res xmlns:a=\"urn:a\"><r resno=\"R1\" shortdesc=\"Lathe\"/></res>",
         {"R1;Lathe"}},
    };
    for (const Case& c : cases) {
        Tessaro_Ctrl fresh;
        fresh.LoadResource(c.payload);
        std::vector<std::string> rows;
        for (int16_t row = 1; row <= fresh.ctResSched().RowCount(); ++row) {
            rows.push_back(fresh.ctResSched().RowText(row));
        }
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

TEST_F(ResourceLoader, ReloadReplacesRowsAndTheirBars) {
    control.LoadResource(ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}}));
    chart.AddTimeBar(2, 0, 60, 37255, 37255, "WO1$1$1");
    control.LoadResource(ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}}));
    EXPECT_EQ(chart.RowCount(), 2);
    EXPECT_EQ(chart.TimeBarCount(2), 0);
    EXPECT_EQ(chart.FindTimeBarRow("WO1$1$1"), 0);
}

TEST_F(ResourceLoader, AcceptsUpTo32767ResourcesAndRefusesMore) {
    std::vector<testing::Attributes> records;
    for (int i = 0; i < 32767; ++i) {
        records.push_back({{"resno", "R" + std::to_string(i)}, {"shortdesc", "M"}});
    }
    control.LoadResource(PayloadXml(records));
    EXPECT_EQ(chart.RowCount(), 32767);
    EXPECT_EQ(chart.RowText(32767), "R32766;M");

    records.push_back({{"resno", "R+"}, {"shortdesc", "M"}});
    EXPECT_EQ(ErrorCode([&] { control.LoadResource(PayloadXml(records)); }), 6);
    EXPECT_EQ(chart.RowCount(), 32767);
}

}  // namespace
}  // namespace tessaro
