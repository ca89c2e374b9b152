// What a host hears from the widget on the sample plant: the undo and redo actions and their
// shortcuts, driven with real key events, and every signal, caught by spies.

#include <tessaro/qt/tessaro_widget.hpp>

#include <functional>
#include <memory>
#include <string>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

#include "qt/widget_test_support.hpp"
#include "support/samples.hpp"

namespace tessaro {
namespace {

using testing::ReadSample;

// The first order of the plan: its turning on LATHE-01 and its milling on MILL-01. A move
// rebuilds an activity's bars under a new key, so bars are found by work order and resource.
struct Activity {
    const char* workOrder;
    const char* resource;
};
constexpr Activity kTurning{"WO-24001", "LATHE-01"};
constexpr Activity kMilling{"WO-24001", "MILL-01"};

class HostEventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget = std::make_unique<TessaroWidget>();
        ASSERT_TRUE(testing::ShowActive(widget.get()));
        ctrl().LoadScheduleTime(ReadSample("header.xml"));
        ctrl().LoadResource(ReadSample("resources.xml"));
        ctrl().LoadCalendarEvents(ReadSample("calendars.xml"));
        ctrl().LoadResourceEvents(ReadSample("workorders.xml"));
    }

    void TearDown() override {
        testing::CloseMenus();
        widget.reset();
    }

    Tessaro_Ctrl& ctrl() { return widget->control(); }
    ScheduleChart& chart() { return ctrl().ctResSched(); }
    int pending() { return ctrl().PendingChanges().Count(); }

    // The activity's first work-order bar; {0, 0} when it has none.
    std::pair<int16_t, int16_t> barOf(const Activity& activity) {
        for (const auto& [row, bar] : chart().FindTimeBarsInKeyGroup(activity.workOrder)) {
            if (chart().RowColumnText(row, 1) == activity.resource &&
                chart().TimeBarKind(row, bar) == ScheduleChartView::kWorkOrderBarKind) {
                return {row, bar};
            }
        }
        return {0, 0};
    }

    void rightClick(const Activity& activity) {
        const auto [row, bar] = barOf(activity);
        ASSERT_GT(row, 0) << activity.workOrder << " on " << activity.resource;
        chart().RightClickBar(row, bar);
    }

    // Copy of the activity and a drag of its temporary bar one day later on its own row.
    void moveOneDayLater(const Activity& activity) {
        rightClick(activity);
        ASSERT_TRUE(ctrl().mnuSchedPopUp().Choose("miCopy"));
        const auto [row, temporary] = testing::TemporaryBarOf(ctrl());
        ASSERT_GT(temporary, 0);
        const ChartTime start = chart().Bar(row, temporary).Start;
        chart().DragBar(row, temporary, row, start.Day + 1, start.Minute);
    }

    std::unique_ptr<TessaroWidget> widget;
};

TEST_F(HostEventsTest, EveryChangeOfThePendingRecordsIsHeardWithItsCountAndHistory) {
    QSignalSpy changes(widget.get(), &TessaroWidget::changesChanged);
    QSignalSpy undoAvailable(widget.get(), &TessaroWidget::undoAvailableChanged);
    QSignalSpy redoAvailable(widget.get(), &TessaroWidget::redoAvailableChanged);
    struct Step {
        const char* what;
        std::function<void()> act;
        bool canUndo;
        bool canRedo;
        // Ignore drops a copy never applied, which has no record: the records may stay unheard.
        bool changesRecords = true;
    };
    const Step steps[] = {
        {"a move", [&] { moveOneDayLater(kTurning); }, true, false},
        {"Pack",
         [&] {
             rightClick(kMilling);
             ASSERT_TRUE(ctrl().mnuSchedPopUp().Choose("miPack"));
         },
         true, false},
        {"undo", [&] { widget->undoAction()->trigger(); }, true, true},
        {"redo", [&] { widget->redoAction()->trigger(); }, true, false},
        {"Ignore",
         [&] {
             rightClick(kTurning);
             ASSERT_TRUE(ctrl().mnuSchedPopUp().Choose("miCopy"));
             rightClick(kTurning);
             ASSERT_TRUE(ctrl().mnuDrag().Choose("miIgnore"));
         },
         true, false, false},
        {"undo to the loaded plan",
         [&] {
             widget->undoAction()->trigger();
             widget->undoAction()->trigger();
         },
         false, true},
        {"redo of the move", [&] { widget->redoAction()->trigger(); }, true, true},
        {"Refresh",
         [&] {
             rightClick(kTurning);
             ASSERT_TRUE(ctrl().mnuSchedPopUp().Choose("miRefresh"));
         },
         false, false},
        {"a move after Refresh", [&] { moveOneDayLater(kTurning); }, true, false},
        {"a load", [&] { ctrl().LoadResource(ReadSample("resources.xml")); }, false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const qsizetype heard = changes.count();
        const int before = pending();
        step.act();
        if (step.changesRecords) {
            ASSERT_GT(changes.count(), heard);
        } else {
            EXPECT_EQ(pending(), before);
        }
        EXPECT_EQ(changes.constLast().at(0).toInt(), pending());
        EXPECT_EQ(ctrl().CanUndo(), step.canUndo);
        EXPECT_EQ(ctrl().CanRedo(), step.canRedo);
        EXPECT_EQ(widget->undoAction()->isEnabled(), step.canUndo);
        EXPECT_EQ(widget->redoAction()->isEnabled(), step.canRedo);
        // The availability signals carry every flip, so their last word is the current state.
        if (!undoAvailable.isEmpty()) {
            EXPECT_EQ(undoAvailable.constLast().at(0).toBool(), step.canUndo);
        }
        if (!redoAvailable.isEmpty()) {
            EXPECT_EQ(redoAvailable.constLast().at(0).toBool(), step.canRedo);
        }
    }
    // Each flip is heard once: move, undo-all, redo, Refresh, move, load for undo; undo, redo,
    // undo-all, Refresh for redo.
    EXPECT_EQ(undoAvailable.count(), 6);
    EXPECT_EQ(redoAvailable.count(), 4);
}

TEST_F(HostEventsTest, SelectionChangesAreHeardOnceWithTheWorkOrder) {
    QSignalSpy selection(widget.get(), &TessaroWidget::selectionChanged);
    const auto [row, bar] = barOf(kTurning);
    chart().ClickBar(row, bar);
    ctrl().SelectWorkOrderFirstSubActivity("WO-24001");
    ctrl().SelectWorkOrderFirstSubActivity("WO-24004");
    ctrl().SelectWorkOrderFirstSubActivity("WO-00000");
    ASSERT_EQ(selection.count(), 3);
    EXPECT_EQ(selection.at(0).at(0).toString(), QStringLiteral("WO-24001"));
    EXPECT_EQ(selection.at(1).at(0).toString(), QStringLiteral("WO-24004"));
    EXPECT_EQ(selection.at(2).at(0).toString(), QString());
}

// Real key presses: Ctrl+Z undoes and Ctrl+Shift+Z and Ctrl+Y redo while the chart has focus;
// with the focus in the work-order grid the same keys leave the plan alone, also when a host's
// menu bar holds the actions.
TEST_F(HostEventsTest, ShortcutsUndoAndRedoOnlyWhileTheChartHasFocus) {
    auto* menuBar = new QMenuBar(widget.get());
    menuBar->addMenu(QStringLiteral("Edit"))
        ->addActions({widget->undoAction(), widget->redoAction()});
    moveOneDayLater(kTurning);
    const int moved = pending();
    ASSERT_GT(moved, 0);
    struct Press {
        QWidget* focus;
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        int pendingAfter;
    };
    QWidget* chartView = widget->chartView();
    QWidget* grid = widget->gridView();
    const Press presses[] = {
        {grid, Qt::ControlModifier, Qt::Key_Z, moved},
        {chartView, Qt::ControlModifier, Qt::Key_Z, 0},
        {chartView, Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z, moved},
        {chartView, Qt::ControlModifier, Qt::Key_Z, 0},
        {grid, Qt::ControlModifier, Qt::Key_Y, 0},
        {chartView, Qt::ControlModifier, Qt::Key_Y, moved},
    };
    for (const Press& press : presses) {
        SCOPED_TRACE(press.focus->metaObject()->className());
        press.focus->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(press.focus->hasFocus());
        QTest::keyClick(press.focus, press.key, press.modifiers);
        EXPECT_EQ(pending(), press.pendingAfter);
    }
}

}  // namespace
}  // namespace tessaro
