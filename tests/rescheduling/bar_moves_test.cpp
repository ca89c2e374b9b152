#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "rescheduling/move_gesture.hpp"
#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;
using testing::Plan;

constexpr int32_t kDay = 37300;

// WO1 activity 10 has three pieces on R1 (with WO2 between them) and one on R2; WO1 activity 20
// is a separate activity on R1.
class BarMoves : public ::testing::Test {
protected:
    BarMoves()
        : plan({{"R1", "Lathe"}, {"R2", "Mill"}},
               {Placed("R1", "WO1", 10, kDay, 480, 60), Placed("R1", "WO2", 5, kDay, 600, 60),
                Placed("R1", "WO1", 10, kDay, 720, 60), Placed("R1", "WO1", 20, kDay + 1, 0, 60),
                Placed("R1", "WO1", 10, kDay, 900, 30), Placed("R2", "WO3", 1, kDay, 480, 60)}) {}

    // Drags the temporary bar so that it starts at (day, minute), onto the given row.
    void DragTemporaryBar(int16_t targetRow, int32_t day, int32_t minute) {
        const auto [row, bar] = plan.TemporaryBar();
        ASSERT_GT(bar, 0);
        plan.chart.DragBar(row, bar, targetRow, day, minute);
    }

    Plan plan;
};

TEST_F(BarMoves, CopyLaysTheTemporaryBarOverTheWholeActivity) {
    plan.Copy("WO1$1$4");
    EXPECT_EQ(plan.control.TempBarKey(), "T$4");
    EXPECT_EQ(plan.control.TempBarItem(), 1);
    EXPECT_EQ(plan.control.SourceItem(), 1);
    EXPECT_EQ(plan.control.SourceBarIndex(), 1);
    EXPECT_EQ(plan.control.TempBarActive(), -1);
    EXPECT_EQ(plan.control.ClickedBarKey(), "");
    const auto [row, bar] = plan.TemporaryBar();
    const ChartBar temporary = plan.chart.Bar(row, bar);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(temporary.Kind, TemporaryBarKind);
    EXPECT_EQ(temporary.Start, (ChartTime{kDay, 480}));
    EXPECT_EQ(temporary.End, (ChartTime{kDay, 930}));
    EXPECT_EQ(temporary.Colour, 9894550);
    EXPECT_EQ(temporary.Text, "10");
    EXPECT_EQ(temporary.Tag, plan.chart.TimeBarTag(1, 1));
    EXPECT_EQ(plan.chart.Style(temporary.Style).Flags, 25);
}

TEST_F(BarMoves, DragInTimeRebuildsTheActivityAsOneBarAndRecordsIt) {
    plan.Copy("WO1$2$4");
    DragTemporaryBar(1, kDay + 2, 60);

    // The three pieces of activity 10 became one bar at the new times; activity 20, WO2 and the
    // temporary bar's row neighbours stay.
    EXPECT_EQ(plan.KeysOfRow(1), (std::vector<std::string>{"WO2$1$1", "WO1$3$4", "WO1$1$9"}));
    const auto [row, bar] = plan.Find("WO1$1$9");
    const ChartBar rebuilt = plan.chart.Bar(row, bar);
    EXPECT_EQ(rebuilt.Start, (ChartTime{kDay + 2, 60}));
    EXPECT_EQ(rebuilt.End, (ChartTime{kDay + 2, 510}));
    EXPECT_EQ(rebuilt.Text, ".");
    EXPECT_EQ(rebuilt.Colour, 7001344);
    EXPECT_EQ(rebuilt.Style, plan.control.NormalBarStyles()[0]);
    EXPECT_EQ(rebuilt.Tag.substr(0, 22), "WO1$10$Open$60$510$IT1");

    EXPECT_EQ(plan.control.TempBarKey(), "");
    EXPECT_EQ(plan.control.MovePending(), 0);
    EXPECT_EQ(plan.control.TempBarActive(), 0);
    EXPECT_EQ(plan.control.TempBarItem(), -1);
    EXPECT_EQ(plan.control.WorkOrderSpan(), tessaro::WorkOrderSpan{});

    ASSERT_EQ(plan.control.PendingChanges().Count(), 1);
    const Vadel_Class2& change = *plan.control.PendingChanges().Item("WO1$10");
    EXPECT_EQ(change.starttime, (ChartTime{kDay + 2, 60}.ToPayloadSeconds()));
    EXPECT_EQ(change.endtime, (ChartTime{kDay + 2, 510}.ToPayloadSeconds()));
    EXPECT_EQ(change.reschangeflg, "N");
    // The change is applied: nothing is left for Ignore to drop.
    EXPECT_EQ(plan.control.LastChangeKey(), "");
}

TEST_F(BarMoves, DropOnAnotherRowRebuildsTheActivityThereAndRecordsBothResources) {
    plan.Copy("WO1$1$4");
    DragTemporaryBar(2, kDay + 3, 0);
    const Vadel_Class2& change = *plan.control.PendingChanges().Item("WO1$10");
    EXPECT_EQ(change.reschangeflg, "Y");
    EXPECT_EQ(change.oldresource, "R1");
    EXPECT_EQ(change.newresource, "R2");
    EXPECT_EQ(plan.KeysOfRow(1), (std::vector<std::string>{"WO2$1$1", "WO1$3$4"}));
    EXPECT_EQ(plan.KeysOfRow(2), (std::vector<std::string>{"WO3$1$1", "WO1$1$9"}));
    EXPECT_EQ(plan.control.TempBarKey(), "");
    EXPECT_EQ(plan.control.ResChangeFlag(), "N");
}

TEST_F(BarMoves, WorkOrderBarsCannotChangeRowsAndTheirDragsAreRefused) {
    plan.chart.DragBar(1, 2, 2, kDay + 5, 0);
    EXPECT_EQ(plan.KeysOfRow(1)[1], "WO2$1$1");
    EXPECT_EQ(plan.chart.Bar(1, 2).Start, (ChartTime{kDay, 600}));
    EXPECT_EQ(plan.control.PasteArmed(), 0);
    EXPECT_EQ(plan.control.MovePending(), 0);
    EXPECT_EQ(plan.control.PendingChanges().Count(), 0);
}

// Edge drags of a work-order bar and of the temporary bar over a bar from day 0 minute 600 to
// day 2 minute 660: (which edge, new day offset, new minute) -> the temporary bar's start and
// end afterwards. A work-order bar always goes back; the temporary bar keeps only an edge moved
// inward to another day.
TEST_F(BarMoves, EdgeDragsStandOnlyInwardToAnotherDayAndOnlyForTheTemporaryBar) {
    const ChartTime start{kDay, 600};
    const ChartTime end{kDay + 2, 660};
    struct Case {
        const char* name;
        bool startEdge;
        int32_t dayOffset;
        int32_t minute;
        ChartTime start;
        ChartTime end;
    } cases[] = {
        {"start within its day", true, 0, 500, start, end},
        {"start to an earlier day", true, -1, 900, start, end},
        {"end within its day", false, 2, 700, start, end},
        {"end to a later day", false, 3, 10, start, end},
        {"start to a later day", true, 1, 10, {kDay + 1, 10}, end},
        {"end to an earlier day", false, 1, 100, start, {kDay + 1, 100}},
        {"start past the end", true, 3, 0, start, end},
        {"end before the start", false, -1, 0, start, end},
    };
    for (const Case& c : cases) {
        for (bool temporary : {false, true}) {
            Plan fresh({{"R1", "Lathe"}}, {Placed("R1", "WO2", 5, kDay, 600, 2 * 1440 + 60)});
            int16_t bar = 1;
            if (temporary) {
                fresh.Copy("WO2$1$1");
                bar = fresh.TemporaryBar().second;
            }
            if (c.startEdge) {
                fresh.chart.DragBarStart(1, bar, kDay + c.dayOffset, c.minute);
            } else {
                fresh.chart.DragBarEnd(1, bar, kDay + c.dayOffset, c.minute);
            }
            const auto [row, found] =
                temporary ? fresh.TemporaryBar() : std::pair<int16_t, int16_t>{1, 1};
            ASSERT_GT(found, 0) << c.name;
            EXPECT_EQ(fresh.chart.Bar(row, found).Start, temporary ? c.start : start)
                << c.name << temporary;
            EXPECT_EQ(fresh.chart.Bar(row, found).End, temporary ? c.end : end)
                << c.name << temporary;
            EXPECT_EQ(fresh.control.ResizePending(), 0) << c.name << temporary;
            EXPECT_EQ(fresh.control.PendingChanges().Count(), 0) << c.name << temporary;
        }
    }
}

TEST_F(BarMoves, RemovalIsRefusedForWorkOrderAndCalendarBars) {
    plan.control.LoadCalendarEvents(testing::CalendarXml({{"R2"}}));
    plan.chart.RequestBarRemoval(2, 2, true);
    plan.chart.RequestBarRemoval(1, 1, true);
    EXPECT_EQ(plan.chart.TimeBarCount(2), 2);
    EXPECT_EQ(plan.chart.TimeBarCount(1), 5);
    EXPECT_EQ(plan.control.PendingChanges().Count(), 0);
}

TEST_F(BarMoves, ClickAndGestureFlagsSetTheGestureState) {
    plan.chart.RaiseGestureFlagsSet();
    EXPECT_EQ(plan.control.MovePending(), -1);
    EXPECT_EQ(plan.control.TempBarActive(), -1);
    EXPECT_EQ(plan.control.PasteArmed(), -1);
    plan.chart.ClickBar(1, 1);
    EXPECT_EQ(plan.control.MovePending(), 0);
    EXPECT_EQ(plan.control.PasteArmed(), 0);
    EXPECT_EQ(plan.control.ResizePending(), 0);
}

TEST_F(BarMoves, RebuiltBarKeepsTheStyleOfTheCopiedBar) {
    testing::SubActivity flagged = Placed("R1", "WO9", 1, kDay + 4, 0, 60);
    flagged.chkflag = "1";
    flagged.executeOnline = "1";
    flagged.flag = "G";
    Plan styled({{"R1", "Lathe"}}, {flagged});
    styled.chart.ClickBar(1, 1);  // selected first: the rebuilt bar still gets the normal form
    styled.Copy("WO9$1$1");
    const auto [row, bar] = styled.TemporaryBar();
    styled.chart.DragBar(row, bar, 1, kDay + 5, 0);
    const auto [r, b] = styled.Find("WO9$1$9");
    EXPECT_EQ(styled.chart.Bar(r, b).Style, styled.control.NormalBarStyles()[3]);
    EXPECT_EQ(styled.chart.Bar(r, b).Colour, 16756318);
}

TEST_F(BarMoves, CommandsWhoseBarIsGoneDoNothing) {
    const auto [row, bar] = plan.Find("WO2$1$1");
    plan.chart.RightClickBar(row, bar);
    plan.chart.RemoveTimeBar(row, bar);  // the clicked bar goes before a command is chosen
    for (const char* entry : {"miPack", "miCopy"}) {
        plan.control.mnuSchedPopUp().Choose(entry);
    }
    EXPECT_EQ(plan.control.TempBarKey(), "");
    EXPECT_EQ(plan.control.PendingChanges().Count(), 0);
    EXPECT_EQ(plan.control.PackInProgress(), 0);
    EXPECT_EQ(plan.KeysOfRow(1).size(), 4u);
}

TEST_F(BarMoves, ApplyingWithoutATemporaryBarChangesNothing) {
    plan.control.mnuDrag().Choose("miFwdSch");
    EXPECT_EQ(plan.KeysOfRow(1).size(), 5u);
    EXPECT_EQ(plan.control.PendingChanges().Count(), 0);
}

// A copy and a drag start and end on their own: each transition leaves the phase that holds
// what is still under way, and the fields the control shows are read from it.
TEST(MoveGestureTransitions, EachLeavesThePhaseThatHoldsWhatIsUnderWay) {
    using Phase = GesturePhase;
    const auto drag = [](uint64_t id, int16_t mode) {
        return BarDrag{{1, id}, mode, {kDay, 480}, {kDay, 540}, std::nullopt};
    };
    struct Step {
        const char* name;
        std::function<void(MoveGesture&)> apply;
        Phase phase;
        int16_t resizePending;
        const char* rowChange;
        const char* tempBarKey;
        const char* lastChangeKey;
    };
    const std::vector<Step> steps = {
        {"an edge drag alone", [&](MoveGesture& g) { g.BeginDrag(drag(7, 3)); }, Phase::Dragging,
         -1, "N", "", ""},
        {"a copy beside it",
         [](MoveGesture& g) {
             g.BeginCopy({{"WO1", 10}, nullptr, 0, {1, 9}, "T$4", ""}, 1, 1);
         },
         Phase::DraggingBesideCopy, -1, "N", "T$4", ""},
        {"the end of another bar's drag", [](MoveGesture& g) { EXPECT_FALSE(g.EndDragOf(9)); },
         Phase::DraggingBesideCopy, -1, "N", "T$4", ""},
        {"the edge drag ends", [](MoveGesture& g) { EXPECT_TRUE(g.EndDragOf(7)); }, Phase::Copied,
         0, "N", "T$4", ""},
        {"no drag to drop", [](MoveGesture& g) { g.DropDrag(); }, Phase::Copied, 0, "N", "T$4", ""},
        {"a row change without a drag", [](MoveGesture& g) { g.BeginRowChange("R1", "R2"); },
         Phase::Copied, 0, "N", "T$4", ""},
        {"the temporary bar is dragged", [&](MoveGesture& g) { g.BeginDrag(drag(9, 1)); },
         Phase::DraggingBesideCopy, 0, "N", "T$4", ""},
        {"onto another row", [](MoveGesture& g) { g.BeginRowChange("R1", "R2"); },
         Phase::DraggingBesideCopy, 0, "Y", "T$4", ""},
        {"a drag that failed on the way gives way",
         [&](MoveGesture& g) { g.BeginDrag(drag(9, 2)); }, Phase::DraggingBesideCopy, -1, "Y",
         "T$4", ""},
        {"the edge stands",
         [](MoveGesture& g) {
             g.EndDragOf(9);
             g.NoteShortenedCopy();
         },
         Phase::Copied, 0, "N", "T$4", "WO1$10"},
        {"a drag onto another row",
         [&](MoveGesture& g) {
             g.BeginDrag(drag(9, 1));
             g.BeginRowChange("R1", "R2");
         },
         Phase::DraggingBesideCopy, 0, "Y", "T$4", "WO1$10"},
        {"the copy ends under the drag", [](MoveGesture& g) { g.EndCopy(); }, Phase::Dragging, 0,
         "N", "", ""},
        {"the drag is dropped", [](MoveGesture& g) { g.DropDrag(); }, Phase::Idle, 0, "N", "", ""},
    };
    MoveGesture gesture;
    for (const Step& step : steps) {
        step.apply(gesture);
        EXPECT_EQ(gesture.Phase(), step.phase) << step.name;
        EXPECT_EQ(gesture.ResizePending(), step.resizePending) << step.name;
        EXPECT_EQ(gesture.ResChangeFlag(), step.rowChange) << step.name;
        EXPECT_EQ(gesture.NewResource(), step.rowChange == std::string("Y") ? "R2" : "")
            << step.name;
        EXPECT_EQ(gesture.TempBarKey(), step.tempBarKey) << step.name;
        EXPECT_EQ(gesture.LastChangeKey(), step.lastChangeKey) << step.name;
    }
}

}  // namespace
}  // namespace tessaro
