// What the planner sees of a drop before making it, driven with real mouse events on a small
// plant: the copy snapping to working time unless Shift is held, the tally its ghost carries,
// and overlapping bars laid side by side so that each can be clicked.

#include <tessaro/qt/tessaro_widget.hpp>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <tessaro/qt/schedule_chart_view.hpp>

#include "qt/shown_plant_test.hpp"

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37300;  // Friday 15 February 2002

// R1: WO1 08:00-10:00, WO2 12:00-14:00. R2: WO3 08:00-11:00, a calendar block 12:00-14:00.
// R3: WO4 10:00-11:00 under WO5 09:00-12:00, which hides it in a single lane.
class DragPreviewTest : public testing::ShownPlantTest {
protected:
    void SetUp() override {
        const std::vector<CalendarEntry> blocks{
            {"R2", std::chrono::sys_days{std::chrono::days{kDay - 25567}}, std::chrono::hours{12},
             std::chrono::hours{2}}};
        ShowPlant({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Drill"}},
                  {
                      Placed("R1", "WO1", 10, kDay, 480, 120),
                      Placed("R1", "WO2", 20, kDay, 720, 120),
                      Placed("R2", "WO3", 30, kDay, 480, 180),
                      Placed("R3", "WO4", 40, kDay, 600, 60),
                      Placed("R3", "WO5", 50, kDay, 540, 180),
                  },
                  kDay, blocks);
    }

    // Copies the bar's activity and presses on its copy: the point pressed.
    QPoint pressCopyOf(std::pair<int16_t, int16_t> at) {
        chart().RightClickBar(at.first, at.second);
        EXPECT_TRUE(ctrl().mnuSchedPopUp().Choose("miCopy"));
        testing::CloseMenus();
        const auto [tempRow, copy] = testing::TemporaryBarOf(ctrl());
        EXPECT_GT(copy, 0);
        const QPoint from = view()->barRect(tempRow, copy).center();
        QTest::mousePress(port(), Qt::LeftButton, {}, from);
        return from;
    }

    // Moves the pressed copy in steps to the point with the modifiers held.
    void moveTo(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        for (int i = 1; i <= 6; ++i) {
            QTest::mouseEvent(QTest::MouseMove, port(), Qt::NoButton, modifiers,
                              from + (to - from) * i / 6);
        }
    }

    // Where a drag of the copy would put its start at the minute of the day, on the row.
    QPoint dropPoint(QPoint from, int row, int fromMinute, int toMinute) {
        const double perMinute = view()->dayWidth() / 1440.0;
        return QPoint(from.x() + static_cast<int>(std::lround((toMinute - fromMinute) * perMinute)),
                      view()->pointAt(row, ChartTime{kDay, 0}).y());
    }
};

TEST_F(DragPreviewTest, TheCopySnapsOutOfACalendarBlockUnlessShiftIsHeld) {
    struct Case {
        Qt::KeyboardModifiers modifiers;
        bool snapped;
    };
    for (const Case& c : {Case{{}, true}, Case{Qt::ShiftModifier, false}}) {
        SetUp();
        const QPoint from = pressCopyOf(firstBarOf("WO3"));
        // From 08:00 to 12:30, inside the block: the nearest working start is 14:00.
        const QPoint to = dropPoint(from, 2, 480, 750);
        moveTo(from, to, c.modifiers);
        QTest::mouseRelease(port(), Qt::LeftButton, c.modifiers, to);

        const auto [row, bar] = firstBarOf("WO3");
        const int32_t start = chart().Bar(row, bar).Start.Minute;
        if (c.snapped) {
            EXPECT_EQ(start, 14 * 60);
        } else {
            EXPECT_GT(start, 12 * 60);
            EXPECT_LT(start, 13 * 60);
        }
        TearDown();
    }
}

TEST_F(DragPreviewTest, TheGhostCarriesTheDropsConsequencesUntilEscape) {
    struct Case {
        bool veto;
        const char* line;
        Qt::CursorShape cursor;
    };
    for (const Case& c : {Case{false, "1 new overlap", Qt::ClosedHandCursor},
                          Case{true, "Refused: not on the lathe", Qt::ForbiddenCursor}}) {
        SetUp();
        if (c.veto) {
            ctrl().SetChangeVeto([](const ProposedChange&) -> std::optional<std::string> {
                return "not on the lathe";
            });
        }
        const QPoint from = pressCopyOf(firstBarOf("WO3"));
        // Onto R1 at 09:00, over WO1.
        moveTo(from, dropPoint(from, 1, 480, 540));

        EXPECT_TRUE(view()->dropPreviewText().contains(QString::fromUtf8(c.line)))
            << view()->dropPreviewText().toStdString();
        EXPECT_EQ(port()->cursor().shape(), c.cursor);
        QTest::keyClick(view(), Qt::Key_Escape);
        EXPECT_TRUE(view()->dropPreviewText().isEmpty());
        TearDown();
    }
}

TEST_F(DragPreviewTest, LanesShowABarAnotherBarWouldHide) {
    const auto [row, hidden] = firstBarOf("WO4");
    const QPoint inLane = view()->barRect(row, hidden).center();
    struct Case {
        bool lanes;
        const char* clicked;
    };
    for (const Case& c : {Case{true, "WO4"}, Case{false, "WO5"}}) {
        view()->setSubLanes(c.lanes);
        QSignalSpy gestures(view(), &ScheduleChartView::activityGesture);
        QTest::mouseClick(port(), Qt::LeftButton, {}, inLane);
        ASSERT_EQ(gestures.count(), 1) << c.lanes;
        EXPECT_EQ(gestures.first().at(1).toString().toStdString(), c.clicked);
    }
}

TEST_F(DragPreviewTest, AnActivityDroppedBeforeItsPredecessorIsMarkedAndReachedByF8) {
    // WO7/10 on R1 15:00-16:00; its WO7/20 on R2 17:00-18:00 dropped (Shift: exactly) at 15:30.
    ctrl().LoadResourceEvents(testing::WorkOrdersXml({
        Placed("R1", "WO7", 10, kDay, 900, 60),
        Placed("R2", "WO7", 20, kDay, 1020, 60),
    }));
    view()->scrollToDay(kDay);
    const auto laterBar = [&] {
        for (const auto& [row, bar] : chart().FindTimeBarsInKeyGroup("WO7")) {
            if (row == 2 && chart().TimeBarKind(row, bar) == WorkOrderBarKind) {
                return std::pair<int16_t, int16_t>{row, bar};
            }
        }
        return std::pair<int16_t, int16_t>{0, 0};
    };
    const QPoint from = pressCopyOf(laterBar());
    const QPoint to = dropPoint(from, 2, 1020, 930);
    moveTo(from, to, Qt::ShiftModifier);
    QTest::mouseRelease(port(), Qt::LeftButton, Qt::ShiftModifier, to);

    const auto [row, bar] = laterBar();
    ASSERT_GT(bar, 0);
    ASSERT_EQ(chart().Bar(row, bar).Start.Minute, 930);
    const QRect rect = view()->barRect(row, bar);
    const QColor mark = testing::Snapshot(port()).pixelColor(rect.left() + 1, rect.top() + 1);
    EXPECT_GT(mark.red(), 200);
    EXPECT_GT(mark.green(), 100);
    EXPECT_LT(mark.blue(), 60);

    QSignalSpy shown(view(), &ScheduleChartView::conflictShown);
    QTest::keyClick(view(), Qt::Key_F8);
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.first().at(0).toInt(), row);
    EXPECT_EQ(shown.first().at(1).toInt(), bar);
}

TEST_F(DragPreviewTest, TheLoadStripTurnsRedForAnOverbookedResource) {
    // Zoomed onto 10:00-11:00: R3 holds both its bars there, R2 only the end of WO3.
    view()->zoomBy(1000, view()->chartArea().left());
    view()->horizontalScrollBar()->setValue(
        static_cast<int>(view()->timeAxis().x(ChartTime{kDay, 600})));
    QApplication::processEvents();
    const QImage frame = testing::Snapshot(port());
    struct Case {
        int row;
        bool red;
    };
    for (const Case& c : {Case{3, true}, Case{2, false}}) {
        const QRect strip = view()->loadStripRect(c.row);
        ASSERT_FALSE(strip.isEmpty());
        const QColor left = frame.pixelColor(strip.left() + 1, strip.center().y());
        EXPECT_EQ(left.red() > 180 && left.green() < 100, c.red) << c.row;
    }
}

}  // namespace
}  // namespace tessaro
