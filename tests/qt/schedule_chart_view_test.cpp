#include <tessaro/qt/schedule_chart_view.hpp>

#include <memory>
#include <string>
#include <vector>

#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "qt/widget_test_support.hpp"

namespace tessaro {
namespace {

using testing::DragMouse;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingSink;
using testing::Snapshot;

using testing::Rgb;

bool IsDark(QColor c) {
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

// Three resources over the year 2002 at 240 pixels a day (ten to the hour, a pixel is six
// minutes); one red bar on Monday 7 January 08:00-12:00, in sight at the left of the chart.
class ChartViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        monday = DayNumber(2002, 1, 7);
        chart.SetRangeStartDay(DayNumber(2002, 1, 1));
        chart.SetRangeEndDay(DayNumber(2002, 12, 31));
        chart.SetTimeScale(240);
        chart.SetDayNames("Sun;Mon;Tue;Wed;Thu;Fri;Sat;");
        chart.SetEventSink(&sink);
        chart.AddRow("R1;Lathe");
        chart.AddRow("R2;Mill");
        chart.AddRow("R3;Drill");
        chart.AddTimeBar(1, 480, 720, monday, monday, "WO1");
        chart.SetTimeBarColour(1, 1, Rgb(200, 30, 30));

        view = std::make_unique<ScheduleChartView>(chart);
        view->resize(900, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->scrollToDay(monday);
    }

    QWidget* port() const { return view->viewport(); }
    QPoint centre(int row, int bar) const { return view->barRect(row, bar).center(); }
    QColor pixel(const QPoint& at) const { return Snapshot(port()).pixelColor(at); }
    ChartBar bar(int row, int index) const {
        return chart.Bar(static_cast<int16_t>(row), static_cast<int16_t>(index));
    }

    int32_t monday = 0;
    ScheduleChart chart;
    RecordingSink sink;
    std::unique_ptr<ScheduleChartView> view;
};

// ---- Geometry ----

TEST_F(ChartViewTest, BarRectFollowsTheTimeAxisAndTheRow) {
    const QRect rect = view->barRect(1, 1);
    EXPECT_EQ(rect.width(), 40);  // four hours at ten pixels an hour
    EXPECT_EQ(rect.left(), view->chartArea().left() + 80);
    EXPECT_GT(rect.top(), view->headerHeight());
    EXPECT_LT(rect.bottom(), view->headerHeight() + view->rowHeight());
    EXPECT_TRUE(view->barRect(1, 2).isEmpty());
    EXPECT_TRUE(view->barRect(9, 1).isEmpty());
}

TEST_F(ChartViewTest, PointsRowsAndTimesRoundTrip) {
    for (int row = 1; row <= 3; ++row) {
        // Whole pixels: six minutes each at this zoom.
        for (const int32_t minute : {0, 60, 606, 1434}) {
            const ChartTime time{monday + 1, minute};
            const QPoint at = view->pointAt(row, time);
            EXPECT_EQ(view->rowAt(at), row) << row << " " << minute;
            EXPECT_EQ(view->timeAt(at), time) << row << " " << minute;
        }
    }
    EXPECT_EQ(view->rowAt(QPoint(500, 2)), 0);  // the header
    EXPECT_EQ(view->rowAt(view->pointAt(4, {monday, 0})), 0);
}

TEST_F(ChartViewTest, BarAtTellsEdgesFromTheBody) {
    const QRect rect = view->barRect(1, 1);
    const int y = rect.center().y();
    const struct {
        int x;
        ScheduleChartView::BarPart part;
    } cases[] = {
        {rect.left() - 3, ScheduleChartView::BarPart::StartEdge},
        {rect.left() + 2, ScheduleChartView::BarPart::StartEdge},
        {rect.center().x(), ScheduleChartView::BarPart::Body},
        {rect.right() + 1, ScheduleChartView::BarPart::EndEdge},
        {rect.right() + 10, ScheduleChartView::BarPart::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(view->barAt(QPoint(c.x, y)).part, c.part) << c.x - rect.left();
    }
}

TEST_F(ChartViewTest, ZoomChangesThePaintedWidthOfADay) {
    const QRect before = view->barRect(1, 1);
    chart.SetTimeScale(480);
    EXPECT_DOUBLE_EQ(view->dayWidth(), 480.0);
    EXPECT_EQ(view->barRect(1, 1).width(), 2 * before.width());
    // The moment at the left edge stays there while zooming.
    EXPECT_EQ(view->firstVisibleDay(), monday);
}

TEST_F(ChartViewTest, TimeScalesBelowOneShowTheWholeWindow) {
    for (const int16_t scale : {0, -5, -32768}) {
        chart.SetTimeScale(scale);
        EXPECT_DOUBLE_EQ(view->dayWidth(), view->fitDayWidth()) << scale;
        EXPECT_GE(view->dayWidth(), 1.0);
        EXPECT_FALSE(view->canZoomOut()) << scale;
    }
    // A window short enough to fit: its last day ends at the chart's right edge.
    chart.SetRangeEndDay(monday + 20);
    chart.SetRangeStartDay(monday);
    chart.SetTimeScale(0);
    const int end = view->pointAt(1, {monday + 21, 0}).x();
    EXPECT_NEAR(end, view->chartArea().right() + 1, 1);
}

TEST_F(ChartViewTest, ShowTimeBarScrollsTheBarIntoSight) {
    for (int i = 4; i <= 40; ++i) {
        chart.AddRow("R" + std::to_string(i));
    }
    const int16_t far = chart.AddTimeBar(35, 600, 900, monday + 200, monday + 200, "FAR");
    EXPECT_FALSE(view->chartArea().intersects(view->barRect(35, far)));
    chart.ShowTimeBar(35, far);
    EXPECT_TRUE(view->chartArea().contains(view->barRect(35, far)));
    EXPECT_EQ(chart.LastShownBar(), (std::pair<int16_t, int16_t>{35, 1}));
}

// ---- Painting ----

TEST_F(ChartViewTest, BarsArePaintedInTheirOwnOrTheirStylesColour) {
    const int16_t style = chart.AddBarStyle(15, 0);
    chart.SetBarStyleColour(style, Rgb(30, 60, 200));
    const int16_t styled = chart.AddTimeBar(2, 480, 720, monday, monday, "WO2");
    chart.SetTimeBarStyle(2, styled, style);
    const int16_t plain = chart.AddTimeBar(3, 480, 720, monday, monday, "WO3");
    const QImage image = Snapshot(port());
    const struct {
        int row;
        int bar;
        QColor colour;
    } cases[] = {
        {1, 1, QColor(200, 30, 30)},        // its own colour
        {2, styled, QColor(30, 60, 200)},   // colour -1: the style's
        {3, plain, QColor(128, 128, 128)},  // style 0: the chart's default grey
    };
    for (const auto& c : cases) {
        EXPECT_EQ(image.pixelColor(centre(c.row, c.bar)), c.colour) << c.row;
    }
}

TEST_F(ChartViewTest, CalendarBlocksFillTheRowBehindWorkOrderBars) {
    const int16_t block = chart.AddTimeBar(1, 0, 0, monday, monday + 1, "");
    chart.SetTimeBarKind(1, block, ScheduleChartView::kCalendarBarKind);
    chart.SetTimeBarKind(1, 1, ScheduleChartView::kWorkOrderBarKind);
    const QRect blockRect = view->barRect(1, block);
    EXPECT_EQ(blockRect.height(), view->rowHeight() - 1);
    const QImage image = Snapshot(port());
    // 02:30 near the top of the row: only the calendar block is there.
    const QColor calendar =
        image.pixelColor(view->pointAt(1, {monday, 150}).x(), blockRect.top() + 1);
    EXPECT_GT(calendar.red(), 230);
    EXPECT_GT(calendar.red() - calendar.green(), 20);
    EXPECT_GT(calendar.red() - calendar.blue(), 20);
    // The work-order bar lies on top of it, though added first.
    EXPECT_EQ(image.pixelColor(centre(1, 1)), QColor(200, 30, 30));
    // The block is background: clicks find the work-order bar over it.
    EXPECT_EQ(view->barAt(centre(1, 1)).bar, 1);
}

TEST_F(ChartViewTest, TemporaryBarIsLightGreenWithADashedOutline) {
    const int16_t temp = chart.AddTimeBar(2, 480, 900, monday, monday, "TMP");
    chart.SetTimeBarKind(2, temp, ScheduleChartView::kTemporaryBarKind);
    const QRect rect = view->barRect(2, temp);
    const QImage image = Snapshot(port());
    EXPECT_EQ(image.pixelColor(rect.center()), QColor(144, 238, 144));
    int outline = 0;
    for (int x = rect.left(); x <= rect.right(); ++x) {
        outline += image.pixelColor(x, rect.top()) != QColor(144, 238, 144) ? 1 : 0;
    }
    // Dashed: some of the top edge is outline, some is fill.
    EXPECT_GT(outline, rect.width() / 5);
    EXPECT_LT(outline, rect.width() * 9 / 10);
}

TEST_F(ChartViewTest, SelectedStylesAreOutlinedVisiblyStronger) {
    const int16_t normal = chart.AddBarStyle(15, 0);
    const int16_t selected = chart.AddBarStyle(ScheduleChartView::kSelectedStyleFlags, 0);
    for (const int16_t style : {normal, selected}) {
        chart.SetBarStyleColour(style, Rgb(255, 255, 0));
    }
    chart.SetTimeBarStyle(1, 1, normal);
    chart.SetTimeBarColour(1, 1, -1);
    const int16_t other = chart.AddTimeBar(2, 480, 720, monday, monday, "WO2");
    chart.SetTimeBarStyle(2, other, selected);
    const QImage image = Snapshot(port());
    const QRect normalRect = view->barRect(1, 1);
    const QRect selectedRect = view->barRect(2, other);
    EXPECT_FALSE(IsDark(image.pixelColor(normalRect.left() + 1, normalRect.center().y())));
    EXPECT_TRUE(IsDark(image.pixelColor(selectedRect.left() + 1, selectedRect.center().y())));
    EXPECT_TRUE(IsDark(image.pixelColor(selectedRect.left(), selectedRect.center().y())));
}

TEST_F(ChartViewTest, EndMarksHaveDistinctShapesAndSolidVariants) {
    // Probes around the mark's centre (size 16): left-low, right-high, above.
    const QPoint probes[] = {{-6, 5}, {5, -6}, {0, -6}};
    const struct {
        int16_t mark;
        bool solid;
        bool inside[3];
    } cases[] = {
        {4, true, {true, false, false}},    // triangle pointing right
        {5, true, {false, false, true}},    // diamond
        {6, true, {false, true, true}},     // triangle pointing down
        {1, false, {false, false, false}},  // hollow: no dark fill anywhere
    };
    for (const auto& c : cases) {
        const int16_t style = chart.AddBarStyle(15, 0);
        chart.SetBarStyleColour(style, Rgb(255, 255, 0));
        chart.SetBarStyleStartMark(style, c.mark);
        chart.SetBarStyleStartMarkSize(style, 16);
        chart.SetTimeBarStyle(1, 1, style);
        chart.SetTimeBarColour(1, 1, -1);
        const QRect rect = view->barRect(1, 1);
        const QPoint middle(rect.left(), rect.top() + rect.height() / 2);
        const QImage image = Snapshot(port());
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(IsDark(image.pixelColor(middle + probes[p])), c.inside[p])
                << "mark " << c.mark << " probe " << p;
        }
    }
}

TEST_F(ChartViewTest, WeekendsAreShadedAndHoursRuledWhenWideEnough) {
    chart.ClearRows();
    chart.AddRow("R1");
    const QImage wide = Snapshot(port());
    const int y = view->pointAt(1, {monday, 0}).y();
    const QColor weekday = wide.pixelColor(view->pointAt(1, {monday + 1, 150}).x(), y);
    const QColor saturday = wide.pixelColor(view->pointAt(1, {monday + 5, 150}).x(), y);
    EXPECT_EQ(weekday, QColor(Qt::white));
    EXPECT_LT(saturday.lightness(), weekday.lightness());
    // At ten pixels an hour the hours are ruled; at two and a half they are not.
    const QPoint tenOClock = view->pointAt(1, {monday + 1, 600});
    EXPECT_NE(wide.pixelColor(tenOClock), QColor(Qt::white));
    chart.SetTimeScale(60);
    view->scrollToDay(monday);
    EXPECT_EQ(Snapshot(port()).pixelColor(view->pointAt(1, {monday + 1, 600})), QColor(Qt::white));
}

TEST_F(ChartViewTest, PaintingTouchesOnlyTheBarsInSight) {
    // 500 resources with 200 bars each across the year: 100,000 bars.
    chart.ClearRows();
    const int32_t first = DayNumber(2002, 1, 1);
    for (int row = 1; row <= 500; ++row) {
        chart.AddRow("R" + std::to_string(row) + ";Machine " + std::to_string(row));
        for (int i = 0; i < 200; ++i) {
            const int32_t day = first + (i * 365) / 200;
            const int16_t b = chart.AddTimeBar(static_cast<int16_t>(row), 300 + (row % 7) * 60,
                                               600 + (row % 7) * 60, day, day, "");
            chart.SetTimeBarColour(static_cast<int16_t>(row), b, Rgb(0, 0, 255));
        }
    }
    Snapshot(port());
    const int visibleRows = view->chartArea().height() / view->rowHeight() + 1;
    EXPECT_GT(view->lastPaintedBarCount(), 0);
    EXPECT_LE(view->lastPaintedBarCount(), visibleRows * 4);

    // Far down and late in the year it is just as small, and still right.
    chart.ShowTimeBar(400, 150);
    const QImage image = Snapshot(port());
    EXPECT_GT(view->lastPaintedBarCount(), 0);
    EXPECT_LE(view->lastPaintedBarCount(), visibleRows * 4);
    EXPECT_EQ(image.pixelColor(centre(400, 150)), QColor(0, 0, 255));
}

TEST_F(ChartViewTest, AFullRowOf32767BarsIsPaintedHitAndMarkedToItsLastBar) {
    // Work-order bars ten minutes apart from February on; the last two on Monday in sight, the
    // last one (11:30-14:00) overlapping the one before it (10:00-11:40).
    std::vector<ChartBar> bars(32767);
    for (size_t i = 0; i < bars.size(); ++i) {
        const auto minute = static_cast<int32_t>(i) * 10;
        bars[i].Start = {monday + 30, minute};
        bars[i].End = {monday + 30, minute + 5};
        bars[i].Kind = ScheduleChartView::kWorkOrderBarKind;
        bars[i].Colour = Rgb(0, 0, 255);
    }
    bars[32765].Start = {monday, 600};
    bars[32765].End = {monday, 700};
    bars[32766].Start = {monday, 690};
    bars[32766].End = {monday, 840};
    bars[32766].Colour = Rgb(0, 160, 0);
    chart.AppendTimeBars(2, bars);

    EXPECT_EQ(Snapshot(port()).pixelColor(centre(2, 32767)), QColor(0, 160, 0));
    EXPECT_EQ(view->barAt(centre(2, 32767)).bar, 32767);
    EXPECT_TRUE(view->isConflicting(2, 32767));
    EXPECT_TRUE(view->isConflicting(2, 32766));
    EXPECT_FALSE(view->isConflicting(2, 32765));
}

// ---- Gestures ----

TEST_F(ChartViewTest, ClickRaisesBarClickThenBarSelected) {
    QTest::mouseClick(port(), Qt::LeftButton, {}, centre(1, 1));
    EXPECT_THAT(sink.log, ElementsAre("BarClick 1,1", "BarSelected 1,1"));
    EXPECT_EQ(view->lastClickedBar(), std::make_pair(1, 1));
}

TEST_F(ChartViewTest, ClicksBesideBarsReachNoBar) {
    QTest::mouseClick(port(), Qt::LeftButton, {}, view->pointAt(2, {monday, 600}));
    QTest::mouseClick(port(), Qt::RightButton, {}, view->pointAt(1, {monday + 2, 600}));
    EXPECT_THAT(sink.log, IsEmpty());
}

TEST_F(ChartViewTest, DoubleAndRightClicksReachTheirNotifications) {
    QTest::mouseDClick(port(), Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseRelease(port(), Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseClick(port(), Qt::RightButton, {}, centre(1, 1));
    EXPECT_THAT(sink.log, ElementsAre("BarChosen 1,1", "BarRightClick 1,1"));
    EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::Idle);
}

TEST_F(ChartViewTest, DragMovesTheBarLaterAndOntoAnotherRow) {
    const QPoint from = centre(1, 1);
    // Six hours later (60 pixels) and one row down.
    DragMouse(port(), from, from + QPoint(60, view->rowHeight()));
    EXPECT_THAT(sink.log,
                ElementsAre("BarChanging 1,1,1", "BarRowChanging 1,1,2", "BarChanged 2,1"));
    EXPECT_EQ(chart.TimeBarCount(1), 0);
    ASSERT_EQ(chart.TimeBarCount(2), 1);
    EXPECT_EQ(bar(2, 1).Start, (ChartTime{monday, 840}));
    EXPECT_EQ(bar(2, 1).End, (ChartTime{monday, 1080}));
    EXPECT_EQ(bar(2, 1).Key, "WO1");
    EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::Idle);
}

TEST_F(ChartViewTest, DraggedTimesSnapToQuarterHoursAtThisZoom) {
    const QPoint from = centre(1, 1);
    DragMouse(port(), from, from + QPoint(33, 0));  // 198 minutes: nearest quarter is 195
    EXPECT_EQ(bar(1, 1).Start, (ChartTime{monday, 480 + 195}));
    EXPECT_EQ(bar(1, 1).End, (ChartTime{monday, 720 + 195}));
}

TEST_F(ChartViewTest, EdgeDragsChangeOnlyThatEdge) {
    const struct {
        const char* name;
        int dx;
        bool startEdge;
        ChartTime start;
        ChartTime end;
        const char* mode;
    } cases[] = {
        {"start earlier", -30, true, {0, 300}, {0, 720}, "BarChanging 1,1,2"},
        {"end later", 30, false, {0, 480}, {0, 900}, "BarChanging 1,1,3"},
        {"end past midnight", 150, false, {0, 480}, {1, 180}, "BarChanging 1,1,3"},
    };
    for (const auto& c : cases) {
        chart.MoveTimeBar(1, 1, 480, 720, monday, monday);
        sink.log.clear();
        const QRect rect = view->barRect(1, 1);
        const QPoint grip(c.startEdge ? rect.left() : rect.right() + 1, rect.center().y());
        DragMouse(port(), grip, grip + QPoint(c.dx, 2));
        EXPECT_EQ(bar(1, 1).Start, (ChartTime{monday + c.start.Day, c.start.Minute})) << c.name;
        EXPECT_EQ(bar(1, 1).End, (ChartTime{monday + c.end.Day, c.end.Minute})) << c.name;
        EXPECT_THAT(sink.log, ElementsAre(c.mode, "BarChanged 1,1")) << c.name;
    }
}

TEST_F(ChartViewTest, ADragKeepsItsPlaceOnTheChartWhileTheChartScrolls) {
    const QPoint from = centre(1, 1);
    QTest::mousePress(port(), Qt::LeftButton, {}, from);
    QTest::mouseMove(port(), from + QPoint(15, 0));
    QTest::mouseMove(port(), from + QPoint(30, 0));
    // What a drag near the edge does: the chart moves on a day under the mouse.
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + 240);
    QTest::mouseMove(port(), from + QPoint(30, 0));
    QTest::mouseRelease(port(), Qt::LeftButton, {}, from + QPoint(30, 0));
    EXPECT_EQ(bar(1, 1).Start, (ChartTime{monday + 1, 480 + 180}));
}

TEST_F(ChartViewTest, AnEdgeCannotBeDraggedPastTheOtherOne) {
    const QRect rect = view->barRect(1, 1);
    const QPoint grip(rect.left(), rect.center().y());
    DragMouse(port(), grip, grip + QPoint(200, 0));
    EXPECT_LT(bar(1, 1).Start, bar(1, 1).End);
    EXPECT_EQ(bar(1, 1).End, (ChartTime{monday, 720}));
}

TEST_F(ChartViewTest, MovesWithinTheDragDistanceAreClicks) {
    const QPoint from = centre(1, 1);
    QTest::mousePress(port(), Qt::LeftButton, {}, from);
    QTest::mouseMove(port(), from + QPoint(3, 2));
    EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::Pressed);
    QTest::mouseRelease(port(), Qt::LeftButton, {}, from + QPoint(3, 2));
    EXPECT_THAT(sink.log, ElementsAre("BarClick 1,1", "BarSelected 1,1"));
    EXPECT_EQ(bar(1, 1).Start, (ChartTime{monday, 480}));
}

TEST_F(ChartViewTest, EscapeAbandonsADrag) {
    const QPoint from = centre(1, 1);
    QTest::mousePress(port(), Qt::LeftButton, {}, from);
    for (int dx = 10; dx <= 50; dx += 10) {
        QTest::mouseMove(port(), from + QPoint(dx, 0));
    }
    EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::MovingBar);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::Idle);
    QTest::mouseRelease(port(), Qt::LeftButton, {}, from + QPoint(50, 0));
    EXPECT_THAT(sink.log, IsEmpty());
    EXPECT_EQ(bar(1, 1).Start, (ChartTime{monday, 480}));
}

TEST_F(ChartViewTest, TheGhostFollowsTheMouseBeforeTheModelChanges) {
    const QPoint from = centre(1, 1);
    QTest::mousePress(port(), Qt::LeftButton, {}, from);
    for (int dy = 5; dy <= 2 * view->rowHeight(); dy += 5) {
        QTest::mouseMove(port(), from + QPoint(0, dy));
    }
    EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::MovingBar);
    const QImage image = Snapshot(port());
    // The ghost lies on row 3 in the bar's colour, translucent over the highlighted row.
    const QColor ghost = image.pixelColor(view->pointAt(3, {monday, 600}) + QPoint(0, 1));
    EXPECT_GT(ghost.red(), ghost.green() + 50);
    EXPECT_THAT(sink.log, IsEmpty());
    QTest::mouseRelease(port(), Qt::LeftButton, {}, from + QPoint(0, 2 * view->rowHeight()));
    EXPECT_EQ(chart.TimeBarCount(3), 1);
}

TEST_F(ChartViewTest, CalendarBlocksCanBeClickedButNotDragged) {
    chart.ClearRows();
    chart.AddRow("R1");
    const int16_t block = chart.AddTimeBar(1, 0, 0, monday, monday + 1, "");
    chart.SetTimeBarKind(1, block, ScheduleChartView::kCalendarBarKind);
    const QPoint at = view->pointAt(1, {monday, 600});
    DragMouse(port(), at, at + QPoint(80, 0));
    EXPECT_THAT(sink.log, IsEmpty());
    QTest::mouseClick(port(), Qt::LeftButton, {}, at);
    EXPECT_THAT(sink.log, ElementsAre("BarClick 1,1", "BarSelected 1,1"));
}

class RemovalTest : public ChartViewTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RemovalTest, DeleteAsksAndPassesTheAnswerOn) {
    std::vector<std::pair<int, int>> asked;
    view->setRemovalConfirmation([&](int row, int b) {
        asked.emplace_back(row, b);
        return GetParam();
    });
    QTest::keyClick(view.get(), Qt::Key_Delete);  // nothing clicked yet: nothing to remove
    EXPECT_THAT(asked, IsEmpty());
    QTest::mouseClick(port(), Qt::LeftButton, {}, centre(1, 1));
    sink.log.clear();
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_THAT(asked, ElementsAre(std::make_pair(1, 1)));
    EXPECT_THAT(sink.log,
                ElementsAre(std::string("BarRemoveRequest 1,1,") + (GetParam() ? "yes" : "no")));
}

INSTANTIATE_TEST_SUITE_P(Answers, RemovalTest, ::testing::Bool());

TEST_F(ChartViewTest, ARemovedBarIsNoLongerTheDeleteTarget) {
    view->setRemovalConfirmation([](int, int) { return true; });
    QTest::mouseClick(port(), Qt::LeftButton, {}, centre(1, 1));
    chart.RemoveTimeBar(1, 1);
    sink.log.clear();
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_THAT(sink.log, IsEmpty());
}

TEST_F(ChartViewTest, HoverAsksTheModelAndShowsItsHint) {
    sink.react = [&](const std::string& name, int16_t row, int16_t b) {
        if (name == "BarHovered") {
            chart.SetHintText("WO1 " + std::to_string(row) + "/" + std::to_string(b));
        }
    };
    const QPoint at = centre(1, 1);
    QHelpEvent help(QEvent::ToolTip, at, port()->mapToGlobal(at));
    QApplication::sendEvent(port(), &help);
    EXPECT_THAT(sink.log, ElementsAre("BarHovered 1,1"));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), "WO1 1/1");
    QToolTip::hideText();

    const QPoint empty = view->pointAt(3, {monday + 3, 0});
    QHelpEvent nothing(QEvent::ToolTip, empty, port()->mapToGlobal(empty));
    QApplication::sendEvent(port(), &nothing);
    EXPECT_THAT(sink.log, ElementsAre("BarHovered 1,1"));
}

TEST_F(ChartViewTest, AnErrorInAHandlerIsReportedAndTheViewKeepsWorking) {
    sink.react = [](const std::string& name, int16_t, int16_t) {
        if (name == "BarClick") {
            throw AutomationError(RuntimeErrorNumber(RuntimeError::TypeMismatch), "Handler",
                                  "Type mismatch");
        }
    };
    QSignalSpy spy(view.get(), &ScheduleChartView::errorRaised);
    QTest::mouseClick(port(), Qt::LeftButton, {}, centre(1, 1));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), static_cast<int>(0x800A000D));
    EXPECT_EQ(spy[0][1].toString(), QStringLiteral("Handler"));
    EXPECT_EQ(spy[0][2].toString(), QStringLiteral("Type mismatch"));
    // The notification chain stopped where the handler failed; the view is ready for more.
    EXPECT_THAT(sink.log, ElementsAre("BarClick 1,1"));
    EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::Idle);
    QTest::mouseClick(port(), Qt::RightButton, {}, centre(1, 1));
    EXPECT_THAT(sink.log, ElementsAre("BarClick 1,1", "BarRightClick 1,1"));
}

TEST_F(ChartViewTest, ModelChangesRepaintWithoutBeingAsked) {
    EXPECT_EQ(pixel(centre(1, 1)), QColor(200, 30, 30));
    chart.SetTimeBarColour(1, 1, Rgb(0, 145, 72));
    EXPECT_EQ(pixel(centre(1, 1)), QColor(0, 145, 72));
    chart.MoveTimeBar(1, 1, 60, 120, monday, monday);
    EXPECT_EQ(pixel(view->pointAt(1, {monday, 90})), QColor(0, 145, 72));
    EXPECT_NE(pixel(view->pointAt(1, {monday, 600})), QColor(0, 145, 72));
}

TEST_F(ChartViewTest, TheListColumnIsWideEnoughForItsTexts) {
    chart.AddRow("R4;A machine with a longer name");
    const QFontMetrics metrics(toQFont(chart.ListFont()));
    EXPECT_GE(view->listWidth(), metrics.horizontalAdvance("R4") +
                                     metrics.horizontalAdvance("A machine with a longer name"));
    EXPECT_EQ(view->chartArea().left(), view->listWidth() + 1);
}

TEST_F(ChartViewTest, ResourceDescriptionsInTheLoadedListFontAreShownWhole) {
    // The resource loader sets the list in 12-point bold.
    chart.SetListFont({"MS Sans Serif", 12, true});
    chart.AddRow("MILL-03;Horizontal machining centre");
    view->resize(1200, 300);
    const QFontMetrics metrics(toQFont(chart.ListFont()));
    const QString description = QStringLiteral("Horizontal machining centre");
    // The description's column, right of the widest code, reaches the list's edge.
    const int codes = metrics.horizontalAdvance(QStringLiteral("MILL-03")) + 2;
    const int room = view->listWidth() - codes - 4 * 6;  // six pixels each side of each text
    EXPECT_EQ(metrics.elidedText(description, Qt::ElideRight, room), description);
}

}  // namespace
}  // namespace tessaro
