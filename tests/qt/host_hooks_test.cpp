// What a host of today hooks into on a small plant, driven with real mouse events: the bar
// gestures as signals with their activity, the host's entries in the pop-up menu, a veto's
// reason shown to the planner, and the surface parts a host hides.

#include <tessaro/qt/tessaro_widget.hpp>

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

#include "qt/shown_plant_test.hpp"

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37300;  // Thursday 14 February 2002

// WO1/10 (Started) and WO2/20 on R1, WO3/30 on R2, each bar under its own key.
class HostHooksTest : public testing::ShownPlantTest {
protected:
    void SetUp() override {
        testing::SubActivity started = Placed("R1", "WO1", 10, kDay, 480, 120);
        started.status = "Started";
        ShowPlant({{"R1", "Lathe"}, {"R2", "Mill"}},
                  {started, Placed("R1", "WO2", 20, kDay, 720, 120),
                   Placed("R2", "WO3", 30, kDay, 480, 180)},
                  kDay - 1);
    }
};

TEST_F(HostHooksTest, EachGestureOnAWorkOrderBarNamesItsActivity) {
    using Signal = void (TessaroWidget::*)(const QString&, int);
    struct Case {
        const char* gesture;
        Signal signal;
        void (*act)(QWidget* port, QPoint at);
    };
    const Case cases[] = {
        {"click", &TessaroWidget::barClicked,
         [](QWidget* port, QPoint at) { QTest::mouseClick(port, Qt::LeftButton, {}, at); }},
        {"double-click", &TessaroWidget::barDoubleClicked,
         [](QWidget* port, QPoint at) {
             QTest::mouseClick(port, Qt::LeftButton, {}, at);
             QTest::mouseDClick(port, Qt::LeftButton, {}, at);
             QTest::mouseRelease(port, Qt::LeftButton, {}, at);
         }},
        {"hover", &TessaroWidget::barHovered,
         [](QWidget* port, QPoint at) { QTest::mouseMove(port, at); }},
        {"right-click", &TessaroWidget::contextMenuRequested,
         [](QWidget* port, QPoint at) { QTest::mouseClick(port, Qt::RightButton, {}, at); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gesture);
        QSignalSpy spy(widget.get(), c.signal);
        QTest::mouseMove(port(), QPoint(2, 2));
        c.act(port(), centreOf("WO2"));
        // The tooltip that hovering asks for comes after the platform's wake-up delay.
        ASSERT_TRUE(!spy.isEmpty() || spy.wait(3000));
        EXPECT_EQ(spy.first().at(0).toString().toStdString(), "WO2");
        EXPECT_EQ(spy.first().at(1).toInt(), 20);
        testing::CloseMenus();
        QToolTip::hideText();
    }
}

TEST_F(HostHooksTest, AHostEntryFollowsTheControlsMenuAndItsTriggerNamesTheActivity) {
    QAction entry(QStringLiteral("Open in the ERP"));
    ActivityKey heard;
    QObject::connect(&entry, &QAction::triggered, [&] { heard = widget->contextActivity(); });
    widget->addContextMenuAction(&entry);
    widget->addContextMenuAction(&entry);
    QSignalSpy errors(widget.get(), &TessaroWidget::errorRaised);

    QTest::mouseClick(port(), Qt::RightButton, {}, centreOf("WO3"));
    QMenu* menu = widget->popupMenu(QStringLiteral("mnuSchedPopUp"));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isVisible());
    QStringList own;
    for (const MenuItem& item : ctrl().mnuSchedPopUp().Items()) {
        if (item.Visible() && !item.IsSeparator()) {
            own << QString::fromStdString(item.Caption());
        }
    }
    QStringList shown;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            shown << action->text();
        }
    }
    EXPECT_EQ(shown, own + QStringList{entry.text()});

    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(&entry).center());
    EXPECT_EQ(heard, (ActivityKey{"WO3", 30}));
    EXPECT_EQ(errors.count(), 0);
    EXPECT_EQ(ctrl().TempBarKey(), "");

    widget->removeContextMenuAction(&entry);
    QTest::mouseClick(port(), Qt::RightButton, {}, centreOf("WO3"));
    EXPECT_FALSE(widget->popupMenu(QStringLiteral("mnuSchedPopUp"))->actions().contains(&entry));
}

TEST_F(HostHooksTest, AVetoedDropLeavesTheCopyWhereItWasAndTellsThePlannerWhy) {
    ctrl().SetChangeVeto([](const ProposedChange& change) -> std::optional<std::string> {
        if (change.Moves.front().Status == "Started") {
            return "WO1 has started";
        }
        return std::nullopt;
    });
    QSignalSpy refused(widget.get(), &TessaroWidget::changeRefused);
    QSignalSpy hints(widget.get(), &TessaroWidget::statusHint);
    const auto [row, bar] = chart().FindTimeBarsInKeyGroup("WO1").front();
    chart().RightClickBar(row, bar);
    ASSERT_TRUE(ctrl().mnuSchedPopUp().Choose("miCopy"));
    testing::CloseMenus();
    const auto [tempRow, copy] = testing::TemporaryBarOf(ctrl());
    ASSERT_GT(copy, 0);
    const ChartTime before = chart().Bar(tempRow, copy).Start;
    const QPoint from = view()->barRect(tempRow, copy).center();
    testing::DragMouse(port(), from, from + QPoint(static_cast<int>(view()->dayWidth()), 0));

    EXPECT_EQ(chart().Bar(tempRow, copy).Start, before);
    EXPECT_EQ(ctrl().PendingChanges().Count(), 0);
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.first().at(0).toString().toStdString(), "WO1 has started");
    EXPECT_TRUE(hints.contains(QVariantList{QStringLiteral("WO1 has started")}));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), "WO1 has started");
}

TEST_F(HostHooksTest, ThePlannersRefreshAsksBeforeItDiscardsChanges) {
    struct Case {
        bool changed;
        bool answer;
        std::vector<int> asked;
        int pendingAfter;
    };
    // Refresh reloads every payload the control was given.
    ctrl().LoadCalendarEvents(testing::CalendarXml({{"R1"}}));
    const Case cases[] = {
        {true, false, {1}, 1},
        {true, true, {1}, 0},
        {false, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.changed << c.answer);
        std::vector<int> asked;
        widget->setRefreshConfirmation([&](int pending) {
            asked.push_back(pending);
            return c.answer;
        });
        if (c.changed) {
            const auto [row, bar] = chart().FindTimeBarsInKeyGroup("WO3").front();
            chart().RightClickBar(row, bar);
            ASSERT_TRUE(ctrl().mnuSchedPopUp().Choose("miCopy"));
            const auto [tempRow, copy] = testing::TemporaryBarOf(ctrl());
            chart().DragBar(tempRow, copy, tempRow, kDay, 600);
            ASSERT_EQ(ctrl().PendingChanges().Count(), 1);
        }
        testing::CloseMenus();
        QTest::mouseClick(port(), Qt::RightButton, {}, centreOf("WO2"));
        QMenu* menu = widget->popupMenu(QStringLiteral("mnuSchedPopUp"));
        ASSERT_NE(menu, nullptr);
        QAction* refresh = menu->findChild<QAction*>(QStringLiteral("miRefresh"));
        ASSERT_NE(refresh, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(refresh).center());
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(ctrl().PendingChanges().Count(), c.pendingAfter);
        ctrl().miRefresh_Click();
        EXPECT_EQ(asked, c.asked) << "a host's own Refresh is not asked about";
    }
}

TEST_F(HostHooksTest, EachSurfacePartHidesAndShowsWithTheChartTakingItsPlace) {
    struct Case {
        SurfacePart part;
        QWidget* shown;
        bool chartGrows;
    };
    const Case cases[] = {
        {SurfacePart::Grid, widget->gridView(), true},
        // The detail frame lies below the grid: the chart takes its height.
        {SurfacePart::DetailPanel, widget->surfaceWidget(QStringLiteral("frameWO")), true},
        {SurfacePart::Toolbar, widget->surfaceWidget(QStringLiteral("ctToolBar1")), false},
        {SurfacePart::ConflictList, widget->conflictPanel(), false},
        {SurfacePart::Legend, widget->legendDetails(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.part));
        ASSERT_NE(c.shown, nullptr);
        const int chartHeight = view()->height();
        widget->setSurfacePartVisible(c.part, false);
        EXPECT_FALSE(widget->isSurfacePartVisible(c.part));
        EXPECT_FALSE(c.shown->isVisible());
        EXPECT_EQ(view()->height() > chartHeight, c.chartGrows);
        widget->setSurfacePartVisible(c.part, true);
        EXPECT_TRUE(widget->isSurfacePartVisible(c.part));
        EXPECT_TRUE(c.shown->isVisible());
        EXPECT_EQ(view()->height(), chartHeight);
    }
    // Without the grid the detail frame comes up to the chart and stays in sight.
    widget->setSurfacePartVisible(SurfacePart::Grid, false);
    QWidget* frame = widget->surfaceWidget(QStringLiteral("frameWO"));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_GT(frame->y(), view()->geometry().bottom());
    EXPECT_LT(frame->y() - view()->geometry().bottom(), 20);
}

}  // namespace
}  // namespace tessaro
