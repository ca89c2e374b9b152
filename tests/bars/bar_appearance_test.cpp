#include <gtest/gtest.h>

#include "bars/work_order_look.hpp"

namespace tessaro {
namespace {

class BarAppearance : public ::testing::Test {
protected:
    BarAppearance() {
        look.InitBarColourTables();
        look.CreateWOTimeBarStyles();
        chart.AddRow("R1;Lathe");
        chart.AddTimeBar(1, 0, 60, 37255, 37255, "WO1$1$1");
        otherStyle = chart.AddBarStyle(27, 0);
        chart.SetTimeBarStyle(1, 1, otherStyle);
    }

    ChartBar Bar() const { return chart.Bar(1, 1); }

    ScheduleChart chart;
    WorkOrderLook look{chart};
    int16_t otherStyle = 0;
};

TEST_F(BarAppearance, StatusTextPicksTheColourEntryByCharacterCode) {
    struct Case {
        const char* status;
        int32_t index;
    } cases[] = {
        {"", 0},  {"A", 0}, {"C", 0}, {"CZZ", 0}, {"D", 1}, {"E", 5}, {"F", 2},
        {"G", 3}, {"d", 4}, {"H", 4}, {"DX", 4},  {"Z", 4}, {"$", 0}, {" F", 0},
    };
    for (const Case& c : cases) {
        for (int16_t selected : {0, -1}) {
            look.ApplyBarColour(c.status, selected, 1, 1, 1);
            const ColourTable& table =
                selected != 0 ? look.SelectedBarColours() : look.NormalBarColours();
            EXPECT_EQ(Bar().Colour, table[c.index]) << "'" << c.status << "' " << selected;
        }
    }
}

TEST_F(BarAppearance, KnownColoursOfTheStatusLetters) {
    look.ApplyBarColour("D", 0, 1, 1, 1);
    EXPECT_EQ(Bar().Colour, 7001344);
    look.ApplyBarColour("D", -1, 1, 1, 1);
    EXPECT_EQ(Bar().Colour, 4755712);
}

TEST_F(BarAppearance, ActivityTimeType8ShowsEntry6WhateverTheStatus) {
    for (const char* status : {"F", "D", "", "Q"}) {
        look.ApplyBarColour(status, 0, 1, 1, 8);
        EXPECT_EQ(Bar().Colour, 9869055) << status;
        look.ApplyBarColour(status, -1, 1, 1, 8);
        EXPECT_EQ(Bar().Colour, 255) << status;
    }
}

// The six (chkflag, Execute_online) pairs in the order their styles are created.
TEST_F(BarAppearance, StylePairsPickTheirStyleAndItsSelectedForm) {
    struct Case {
        int16_t first, second;
        int32_t place;
    } cases[] = {{0, 0, 0}, {2, 1, 1}, {2, 0, 2}, {1, 1, 3}, {1, 0, 4}, {0, 1, 5}};
    for (const Case& c : cases) {
        look.ApplyBarStyle("D", 1, 1, c.first, c.second, 0, 1);
        EXPECT_EQ(Bar().Style, look.NormalBarStyles()[c.place]) << c.first << c.second;
        EXPECT_EQ(Bar().Colour, 7001344);
        look.ApplyBarStyle("D", 1, 1, c.first, c.second, -1, 1);
        EXPECT_EQ(Bar().Style, look.SelectedBarStyles()[c.place]) << c.first << c.second;
        EXPECT_EQ(Bar().Colour, 4755712);
    }
    // Creation order: first key 1, second key 0 is style 5, selected style 11.
    look.ApplyBarStyle("D", 1, 1, 1, 0, 0, 1);
    EXPECT_EQ(Bar().Style, look.NormalBarStyles()[0] + 4);
    look.ApplyBarStyle("D", 1, 1, 1, 0, -1, 1);
    EXPECT_EQ(Bar().Style, look.NormalBarStyles()[0] + 10);
}

TEST_F(BarAppearance, UnknownPairSetsTheColourButKeepsTheStyle) {
    for (const auto& [first, second] : {std::pair<int16_t, int16_t>{3, 0}, {0, 2}, {-1, 1}}) {
        look.ApplyBarStyle("G", 1, 1, first, second, 0, 1);
        EXPECT_EQ(Bar().Style, otherStyle);
        EXPECT_EQ(Bar().Colour, 16756318);
    }
}

}  // namespace
}  // namespace tessaro
