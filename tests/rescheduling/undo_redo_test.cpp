#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "bars/work_order_bars.hpp"
#include "rescheduling/change_journal.hpp"
#include "rescheduling/undo_history.hpp"
#include "support/plan.hpp"
#include "support/plan_agreement.hpp"
#include "support/planner_session.hpp"
#include "support/samples.hpp"

namespace tessaro {
namespace {

using testing::Placed;
using testing::Plan;

constexpr int32_t kDay = 37300;

// What a planner sees of the chart and what the host would save: every bar with its row, key,
// record, times, kind, text and look, in row and bar order (Pack follows the bar order), and the
// change document.
struct Picture {
    std::vector<std::tuple<int16_t, std::string, std::string, int64_t, int64_t, int32_t,
                           std::string, int16_t, int32_t>>
        bars;
    std::string changes;
    bool operator==(const Picture&) const = default;
};

Picture PictureOf(Tessaro_Ctrl& control) {
    Picture picture;
    const ScheduleChart& chart = control.ctResSched();
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            const ChartBar& b = chart.Bar(row, bar);
            picture.bars.emplace_back(row, b.Key, b.Tag, b.Start.AbsoluteMinutes(),
                                      b.End.AbsoluteMinutes(), b.Kind, b.Text, b.Style, b.Colour);
        }
    }
    picture.changes = control.rescheduling().Xml();
    return picture;
}

// Every row's bars in bar order, each as its key, record, times, kind and text.
std::vector<std::string> RowsOf(Tessaro_Ctrl& control) {
    std::vector<std::string> rows;
    const ScheduleChart& chart = control.ctResSched();
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        std::string text;
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            const ChartBar& b = chart.Bar(row, bar);
            text += b.Key + " " + b.Tag + " " + std::to_string(b.Start.AbsoluteMinutes()) + "-" +
                    std::to_string(b.End.AbsoluteMinutes()) + " " + std::to_string(b.Kind) + " " +
                    b.Text + "; ";
        }
        rows.push_back(std::move(text));
    }
    return rows;
}

// Two resources; WO1 activity 10 in two pieces with WO2 between them.
struct Scene {
    Scene()
        : plan({{"R1", "Lathe"}, {"R2", "Mill"}},
               {Placed("R1", "WO1", 10, kDay, 480, 60), Placed("R1", "WO2", 5, kDay, 600, 60),
                Placed("R1", "WO1", 10, kDay, 720, 60), Placed("R1", "WO3", 1, kDay + 1, 0, 60),
                Placed("R2", "WO4", 1, kDay, 480, 60)}) {}

    void DragCopy(int16_t targetRow, int32_t day, int32_t minute) {
        const auto [row, bar] = plan.TemporaryBar();
        plan.chart.DragBar(row, bar, targetRow, day, minute);
    }

    Plan plan;
};

class UndoRedo : public ::testing::Test, protected Scene {};

// Each command is one step: undo gives back the picture before it, redo the picture after it.
TEST_F(UndoRedo, EachCommandIsUndoneAndRedoneExactly) {
    const std::vector<std::pair<const char*, std::function<void(Scene&)>>> commands = {
        {"drag in time", [](Scene& t) { t.plan.Copy("WO1$1$2"), t.DragCopy(1, kDay + 2, 60); }},
        {"drop on another row",
         [](Scene& t) { t.plan.Copy("WO1$1$2"), t.DragCopy(2, kDay + 3, 0); }},
        {"paste forward",
         [](Scene& t) {
             t.plan.Copy("WO1$1$2");
             const auto [row, bar] = t.plan.Find("WO3$1$1");
             t.plan.chart.RightClickBar(row, bar);
             t.plan.control.mnuDrag().Choose("miFwdSch");
         }},
        {"pack",
         [](Scene& t) {
             const auto [row, bar] = t.plan.Find("WO2$1$1");
             t.plan.chart.RightClickBar(row, bar);
             t.plan.control.mnuSchedPopUp().Choose("miPack");
         }},
    };
    for (const auto& [name, command] : commands) {
        Scene fresh;
        Tessaro_Ctrl& control = fresh.plan.control;
        const Picture before = PictureOf(control);
        EXPECT_FALSE(control.CanUndo()) << name;
        command(fresh);
        const Picture after = PictureOf(control);
        ASSERT_NE(after, before) << name;
        ASSERT_TRUE(control.CanUndo()) << name;
        control.Undo();
        EXPECT_EQ(PictureOf(control), before) << name;
        EXPECT_EQ(control.PendingChanges().Count(), 0) << name;
        EXPECT_FALSE(control.CanUndo()) << name;
        ASSERT_TRUE(control.CanRedo()) << name;
        control.Redo();
        EXPECT_EQ(PictureOf(control), after) << name;
        EXPECT_FALSE(control.CanRedo()) << name;
    }
}

TEST_F(UndoRedo, ANewCommandDropsWhatCouldBeRedoneAndALoadStartsAFreshHistory) {
    Tessaro_Ctrl& control = plan.control;
    plan.Copy("WO1$1$2");
    DragCopy(1, kDay + 2, 60);
    control.Undo();
    ASSERT_TRUE(control.CanRedo());
    plan.Copy("WO3$1$1");
    DragCopy(1, kDay + 4, 0);
    EXPECT_FALSE(control.CanRedo());
    EXPECT_TRUE(control.CanUndo());
    control.LoadCalendarEvents(testing::CalendarXml({{"R2"}}));
    EXPECT_FALSE(control.CanUndo());
    // Undo with nothing to undo changes nothing.
    const Picture refreshed = PictureOf(control);
    control.Undo();
    control.Redo();
    EXPECT_EQ(PictureOf(control), refreshed);
}

// Undo and redo put an activity's bars back in their places in the row, so a Pack after them
// chains the row as it would have chained it before the move.
TEST(UndoRedoPlaces, PackAfterAnUndoneMoveGivesThePlanPackGivesOnTheLoadedOne) {
    const auto scene = [] {
        return std::make_unique<Plan>(
            std::initializer_list<std::pair<std::string, std::string>>{{"R1", "Lathe"},
                                                                       {"R2", "Mill"}},
            std::vector<testing::SubActivity>{Placed("R1", "WO-A", 1, kDay, 480, 60),
                                              Placed("R1", "WO-B", 1, kDay, 600, 90),
                                              Placed("R1", "WO-C", 1, kDay, 900, 30)});
    };
    const auto packFromA = [](Plan& plan) {
        const auto [row, bar] = plan.Find("WO-A$1$1");
        plan.chart.RightClickBar(row, bar);
        plan.control.mnuSchedPopUp().Choose("miPack");
    };
    const std::unique_ptr<Plan> loaded = scene();
    packFromA(*loaded);
    const Picture packedAsLoaded = PictureOf(loaded->control);
    for (const int16_t targetRow : {1, 2}) {
        const std::unique_ptr<Plan> plan = scene();
        plan->Copy("WO-B$1$1");
        const auto [row, bar] = plan->TemporaryBar();
        plan->chart.DragBar(row, bar, targetRow, kDay + 1, 0);
        const Picture moved = PictureOf(plan->control);
        plan->control.Undo();
        plan->control.Redo();
        EXPECT_EQ(PictureOf(plan->control), moved) << "row " << targetRow;
        plan->control.Undo();
        EXPECT_EQ(plan->KeysOfRow(1),
                  (std::vector<std::string>{"WO-A$1$1", "WO-B$1$1", "WO-C$1$1"}))
            << "row " << targetRow;
        packFromA(*plan);
        EXPECT_EQ(PictureOf(plan->control), packedAsLoaded) << "row " << targetRow;
    }
}

// An undone change puts the activity's record back in its place in the change document.
TEST_F(UndoRedo, UndoPutsARecordBackInItsPlaceInTheList) {
    Tessaro_Ctrl& control = plan.control;
    const auto [row, bar] = plan.Find("WO1$1$2");
    plan.chart.RightClickBar(row, bar);
    control.mnuSchedPopUp().Choose("miPack");
    const Picture packed = PictureOf(control);
    ASSERT_EQ(control.PendingChanges().Keys(),
              (std::vector<std::string>{"WO2$5", "WO1$10", "WO3$1"}));
    plan.Copy("WO2$1$1");
    DragCopy(1, kDay + 2, 60);
    const Picture dragged = PictureOf(control);
    ASSERT_EQ(control.PendingChanges().Keys(),
              (std::vector<std::string>{"WO1$10", "WO3$1", "WO2$5"}));
    control.Undo();
    EXPECT_EQ(PictureOf(control), packed);
    control.Redo();
    EXPECT_EQ(PictureOf(control), dragged);
}

// The history drops its oldest steps once it holds more steps, bars or records than it may; the
// newest step stays however large it is.
TEST(UndoHistoryLimits, TheOldestStepsGoPastAnyLimit) {
    struct Case {
        UndoHistory::Limits limits;
        int kept;
    };
    // Each of the four steps holds one activity: a bar and a record before, and after.
    const Case cases[] = {
        {{1000, 1000, 1000}, 4}, {{2, 1000, 1000}, 2}, {{1000, 5, 1000}, 2},
        {{1000, 1000, 6}, 3},    {{1000, 1000, 1}, 1},
    };
    for (const Case& c : cases) {
        Scene scene;
        const ScheduleChart& chart = scene.plan.chart;
        const PlanModel plan(chart);
        ChangeJournal journal(plan);
        UndoHistory history(c.limits);
        for (const char* key : {"WO2$1$1", "WO3$1$1", "WO4$1$1", "WO2$1$1"}) {
            const auto [row, bar] = scene.plan.Find(key);
            const BarRecord record = *plan.RecordOf(row, bar);
            const ActivityId activity = ActivityId::Of(record);
            history.Open();
            journal.Touch(activity);
            history.Capture(plan, activity, journal.Hold(activity));
            journal.Record(record, "");
            history.Close(plan, journal);
        }
        int kept = 0;
        for (; history.CanUndo(); ++kept) {
            history.TakeUndo();
        }
        EXPECT_EQ(kept, c.kept) << c.limits.Steps << " " << c.limits.Bars << " "
                                << c.limits.Records;
    }
}

// The host hears every change of the records, of the selection and of what can be undone, once
// per gesture or command.
TEST_F(UndoRedo, HostsHearChangesOncePerCommand) {
    Tessaro_Ctrl& control = plan.control;
    std::vector<std::string> heard;
    control.PendingChangesChanged().Subscribe(
        [&](int count) { heard.push_back("changes " + std::to_string(count)); });
    control.SelectedWorkOrderChanged().Subscribe(
        [&](const std::string& workOrder) { heard.push_back("selected " + workOrder); });
    control.UndoAvailableChanged().Subscribe(
        [&](bool available) { heard.push_back(available ? "undo on" : "undo off"); });
    control.RedoAvailableChanged().Subscribe(
        [&](bool available) { heard.push_back(available ? "redo on" : "redo off"); });

    control.SelectWorkOrderFirstSubActivity("WO2");
    EXPECT_EQ(heard, std::vector<std::string>{"selected WO2"});
    heard.clear();
    const auto [row, bar] = plan.Find("WO2$1$1");
    plan.chart.RightClickBar(row, bar);
    control.mnuSchedPopUp().Choose("miPack");
    EXPECT_EQ(heard, (std::vector<std::string>{"changes 2", "undo on"}));
    heard.clear();
    control.Undo();
    EXPECT_EQ(heard, (std::vector<std::string>{"changes 0", "undo off", "redo on"}));
    heard.clear();
    control.LoadCalendarEvents(testing::CalendarXml({{"R2"}}));
    EXPECT_EQ(heard, std::vector<std::string>{"redo off"});
}

// Random sessions, undo and redo among every other gesture: the chart and the changes agree
// after every step, and undoing every step gives back the loaded plan.
// On a plant of 32767 resources, a Copy or Pack of the bar an Undo took away looks for it on
// every row, finds it on none and changes nothing.
TEST(UndoRedoAtTheRowLimit, ACommandOnTheBarAnUndoTookAwayDoesNothing) {
    for (const char* command : {"miCopy", "miPack"}) {
        Scene scene;
        Tessaro_Ctrl& control = scene.plan.control;
        ScheduleChart& chart = scene.plan.chart;
        chart.AddRows(std::vector<std::string>(32765, "R;Spare"));
        scene.plan.Copy("WO1$1$2");
        scene.DragCopy(2, kDay + 3, 0);
        // The rebuilt bar is the last of the row it was dropped on.
        chart.RightClickBar(2, chart.TimeBarCount(2));
        control.Undo();
        ASSERT_EQ(chart.TimeBarCount(2), 1) << command;

        EXPECT_TRUE(control.mnuSchedPopUp().Choose(command)) << command;
        EXPECT_EQ(control.TempBarKey(), "") << command;
        EXPECT_EQ(control.PendingChanges().Count(), 0) << command;
        EXPECT_TRUE(control.CanRedo()) << command;
    }
}

TEST(UndoRedoSessions, UndoingEverythingGivesBackTheLoadedPlan) {
    const testing::PlantTexts sample{
        testing::ReadSample("header.xml"), testing::ReadSample("resources.xml"),
        testing::ReadSample("calendars.xml"), testing::ReadSample("workorders.xml")};
    int undone = 0;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        std::mt19937 random(seed);
        Tessaro_Ctrl control;
        testing::LoadPlant(control, sample);
        const testing::PlanAgreement agreement(control);
        const std::vector<std::string> loadedRows = RowsOf(control);
        testing::PlannerSession planner(control, sample, [&](uint32_t bound) {
            // A third of the gestures undo or redo, so histories are walked both ways.
            const uint32_t pick = std::uniform_int_distribution<uint32_t>(0, bound - 1)(random);
            if (bound != testing::PlannerSession::kGestures) {
                return pick;
            }
            if (random() % 3 == 0) {
                return random() % 2 == 0 ? 19u : 20u;
            }
            // No Refresh, reload, accepted changes or host edits here (each starts the history or
            // the loaded plan afresh): a drag of the copy instead. The host's veto stays.
            return pick == 18 || pick >= 22 ? 2u : pick;
        });
        for (int step = 1; step <= 40; ++step) {
            try {
                planner.Step();
            } catch (const AutomationError&) {
            }
            if (!testing::PlanAgreement::CopyPending(control)) {
                const std::vector<std::string> violations = agreement.Violations(control);
                ASSERT_TRUE(violations.empty()) << "seed " << seed << " step " << step << " "
                                                << planner.Gesture() << ": " << violations.front();
            }
        }
        control.miIgnore_Click();
        while (control.CanUndo()) {
            control.Undo();
            ++undone;
        }
        EXPECT_EQ(control.PendingChanges().Count(), 0) << "seed " << seed;
        // Every bar is back in its place in its row, so a Pack now chains as on the loaded plan.
        EXPECT_EQ(RowsOf(control), loadedRows) << "seed " << seed;
        const std::vector<std::string> violations = agreement.Violations(control);
        EXPECT_TRUE(violations.empty()) << "seed " << seed << ": " << violations.front();
    }
    EXPECT_GT(undone, 20);
}

}  // namespace
}  // namespace tessaro
