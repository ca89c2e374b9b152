#include <gtest/gtest.h>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/error_code.hpp"
#include "support/payloads.hpp"

namespace tessaro {
namespace {

using testing::CalendarEntry;
using testing::CalendarXml;
using testing::PayloadXml;

class CalendarLoader : public ::testing::Test {
protected:
    CalendarLoader() {
        control.LoadResource(testing::ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}}));
    }

    Tessaro_Ctrl control;
    ScheduleChart& chart = control.ctResSched();
};

TEST_F(CalendarLoader, EntryBecomesALightRedCalendarBarOnItsRow) {
    const int16_t stylesBefore = chart.StyleCount();
    control.LoadCalendarEvents(CalendarXml({{"R2"}}));
    ASSERT_EQ(chart.TimeBarCount(1), 0);
    ASSERT_EQ(chart.TimeBarCount(2), 1);
    const ChartBar bar = chart.Bar(2, 1);
    EXPECT_EQ(bar.Start, (ChartTime{37255, 600}));
    EXPECT_EQ(bar.End, (ChartTime{37255, 720}));
    EXPECT_EQ(bar.Colour, -1);
    EXPECT_EQ(bar.Kind, CalendarBarKind);
    EXPECT_EQ(bar.Key, "");
    EXPECT_EQ(chart.StyleCount(), stylesBefore + 1);
    EXPECT_EQ(bar.Style, chart.StyleCount());
    EXPECT_EQ(chart.Style(bar.Style).Flags, 27);
    EXPECT_EQ(chart.Style(bar.Style).Colour, 13816575);
    EXPECT_EQ(control.Box4().Text(), CalendarXml({{"R2"}}));
}

// Start seconds and length in seconds -> start and end as the chart holds them.
TEST_F(CalendarLoader, SecondsBecomeMinutesOfTheEntrysDay) {
    struct Case {
        const char* start;
        const char* length;
        ChartTime from;
        ChartTime to;
    } cases[] = {
        {"36059", "90", {37255, 600}, {37255, 602}},   // 601.5 rounds to even 602
        {"36059", "150", {37255, 600}, {37255, 602}},  // 602.5 rounds to even 602
        {"36000", "89", {37255, 600}, {37255, 601}},
        {"82800", "7200", {37255, 1380}, {37256, 60}},  // past midnight: carried by the chart
        {"90000", "60", {37255, 60}, {37255, 61}},      // whole days fall away
        {"-60", "60", {37255, 1439}, {37256, 0}},       // counts back from midnight
        {"36000", "0", {37255, 600}, {37255, 600}},     // the shortest: a negative one is refused
    };
    for (const Case& c : cases) {
        Tessaro_Ctrl fresh;
        fresh.LoadResource(testing::ResourcesXml({{"R1", "Lathe"}}));
        fresh.LoadCalendarEvents(CalendarXml({{"R1", "1/1/2002", c.start, c.length}}));
        const ChartBar bar = fresh.ctResSched().Bar(1, 1);
        EXPECT_EQ(bar.Start, c.from) << c.start << "+" << c.length;
        EXPECT_EQ(bar.End, c.to) << c.start << "+" << c.length;
    }
}

TEST_F(CalendarLoader, UnknownResourcesAreSkippedAndEntriesKeepTheirOrder) {
    control.LoadCalendarEvents(
        CalendarXml({{"R1", "1/2/2002"}, {"R9"}, {"R1", "1/1/2002"}, {"r1"}, {"O'Neil"}}));
    ASSERT_EQ(chart.TimeBarCount(1), 2);
    EXPECT_EQ(chart.Bar(1, 1).Start.Day, 37256);
    EXPECT_EQ(chart.Bar(1, 2).Start.Day, 37255);
    EXPECT_EQ(chart.TimeBarCount(2), 0);
}

TEST_F(CalendarLoader, EntriesWithoutResnoAreNeverDrawn) {
    control.LoadCalendarEvents(PayloadXml(
        {testing::CalendarAttributes({"R1"}), {{"avlqty", "0"}, {"calendar_from", "1/1/2002"}}}));
    EXPECT_EQ(chart.TimeBarCount(1), 1);
}

TEST_F(CalendarLoader, LoadingTwiceDrawsTwiceInOneStyleUntilTheStyleIsChanged) {
    control.LoadCalendarEvents(CalendarXml({{"R1"}}));
    const int16_t styles = chart.StyleCount();
    control.LoadCalendarEvents(CalendarXml({{"R1"}}));
    ASSERT_EQ(chart.TimeBarCount(1), 2);
    EXPECT_EQ(chart.Bar(1, 1).Style, chart.Bar(1, 2).Style);
    EXPECT_EQ(chart.StyleCount(), styles);
    // A host that recoloured the style gets a fresh one for the next load.
    chart.SetBarStyleColour(chart.Bar(1, 1).Style, 255);
    control.LoadCalendarEvents(CalendarXml({{"R1"}}));
    EXPECT_NE(chart.Bar(1, 3).Style, chart.Bar(1, 1).Style);
}

TEST_F(CalendarLoader, ChartWithoutRowsStillGetsTheStyle) {
    Tessaro_Ctrl empty;
    const int16_t before = empty.ctResSched().StyleCount();
    empty.LoadCalendarEvents(CalendarXml({{"R1"}}));
    EXPECT_EQ(empty.ctResSched().StyleCount(), before + 1);
}

}  // namespace
}  // namespace tessaro
