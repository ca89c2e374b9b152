// The typed host surface: the veto a host has over a planner's commands, the changes as values,
// accepting them once saved, and the kinds of error.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37300;  // Thursday 14 February 2002

PlanTime At(int32_t day, int32_t minute) {
    return std::chrono::sys_days{std::chrono::days{day - 25567}} + std::chrono::minutes{minute};
}

// WO1/10 (Started) and WO2/20 on R1, WO3/30 on R2.
class HostApi : public ::testing::Test {
protected:
    HostApi() {
        testing::SubActivity started = Placed("R1", "WO1", 10, kDay, 480, 60);
        started.status = "Started";
        plan.emplace(
            std::initializer_list<std::pair<std::string, std::string>>{{"R1", "Lathe"},
                                                                       {"R2", "Mill"}},
            std::vector<testing::SubActivity>{started, Placed("R1", "WO2", 20, kDay, 600, 60),
                                              Placed("R2", "WO3", 30, kDay, 480, 120)});
        control().ChangeRefused().Subscribe(
            [this](const std::string& reason) { refusals.push_back(reason); });
    }

    Tessaro_Ctrl& control() { return plan->control; }
    ScheduleChart& chart() { return plan->chart; }

    // Copy of the activity whose bar carries the key, its temporary bar dropped there.
    void Drop(const std::string& key, int16_t row, int32_t day, int32_t minute) {
        plan->Copy(key);
        const auto [r, b] = plan->TemporaryBar();
        chart().DragBar(r, b, row, day, minute);
    }

    void Pack(const std::string& key) {
        const auto [r, b] = plan->Find(key);
        chart().RightClickBar(r, b);
        control().miPack_Click();
    }

    std::string Bars() const {
        std::string text;
        for (int16_t row = 1; row <= plan->chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= plan->chart.TimeBarCount(row); ++bar) {
                const ChartBar& b = plan->chart.Bar(row, bar);
                text += std::to_string(row) + ":" + std::to_string(b.Kind) + "@" +
                        std::to_string(b.Start.Day - kDay) + "+" + std::to_string(b.Start.Minute) +
                        " ";
            }
        }
        return text;
    }

    std::optional<testing::Plan> plan;
    std::vector<std::string> refusals;
    std::vector<ProposedChange> asked;
};

// A host that refuses to move started work: each command is asked what it would do before it
// changes anything, and a refused one changes nothing (a refused drop leaves the copy pending
// where it was) while the planner hears the reason.
TEST_F(HostApi, AVetoIsAskedBeforeEachCommandAndARefusedOneChangesNothing) {
    control().SetChangeVeto([this](const ProposedChange& change) -> std::optional<std::string> {
        asked.push_back(change);
        for (const ProposedChange::Move& move : change.Moves) {
            if (move.Status == "Started") {
                return move.Activity.WorkOrder + " has started";
            }
        }
        return std::nullopt;
    });
    struct Case {
        const char* name;
        std::function<void()> command;
        ProposedChange::Kind kind;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"drop", [&] { Drop("WO1$1$1", 2, kDay + 1, 480); }, ProposedChange::Kind::Drop, true},
        {"paste",
         [&] {
             plan->Copy("WO1$1$1");
             const auto [r, b] = plan->Find("WO2$1$1");
             chart().RightClickBar(r, b);
             control().miFwdSch_Click();
         },
         ProposedChange::Kind::PasteForward, true},
        {"pack moving WO1", [&] { Pack("WO2$1$1"); }, ProposedChange::Kind::Pack, true},
        {"drop of another activity", [&] { Drop("WO2$1$1", 2, kDay + 1, 480); },
         ProposedChange::Kind::Drop, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        asked.clear();
        refusals.clear();
        const std::string before = Bars();
        c.command();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].What, c.kind);
        EXPECT_EQ(refusals.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(refusals[0], "WO1 has started");
            EXPECT_EQ(control().PendingChanges().Count(), 0);
            control().miIgnore_Click();
            EXPECT_EQ(Bars(), before);
        }
    }
    // What the last drop would do, as the host was asked.
    const ProposedChange::Move& drop = asked.at(0).Moves.at(0);
    EXPECT_EQ(drop.Activity, (ActivityKey{"WO2", 20}));
    EXPECT_EQ(drop.Resource, "R1");
    EXPECT_EQ(drop.NewResource, "R2");
    EXPECT_EQ(drop.Start, At(kDay, 600));
    EXPECT_EQ(drop.NewStart, At(kDay + 1, 480));
    EXPECT_EQ(drop.NewEnd, At(kDay + 1, 540));
}

TEST_F(HostApi, AVetoThatThrowsChangesNothingAndItsErrorReachesTheCaller) {
    control().SetChangeVeto([](const ProposedChange&) -> std::optional<std::string> {
        throw std::runtime_error("host failed");
    });
    const std::string before = Bars();
    EXPECT_THROW(Drop("WO2$1$1", 2, kDay + 1, 480), std::runtime_error);
    EXPECT_THROW(Pack("WO2$1$1"), std::runtime_error);
    control().miIgnore_Click();
    EXPECT_EQ(Bars(), before);
    EXPECT_EQ(control().PendingChanges().Count(), 0);
    EXPECT_FALSE(control().CanUndo());
}

// The changes as values say where each activity was loaded and where it is now; once accepted,
// the plan as it stands is where the next change is measured from.
TEST_F(HostApi, ChangesAreTypedAndAcceptedChangesBecomeTheLoadedPlan) {
    Drop("WO2$1$1", 2, kDay + 1, 480);
    const std::vector<ActivityChange> changes = control().Changes();
    ASSERT_EQ(changes.size(), 1u);
    // Set member by member: GCC 12 at -O3 takes the aggregate's cleanup path for uninitialised.
    ActivityChange moved;
    moved.Activity = {"WO2", 20};
    moved.SubActivity = 1;
    moved.LoadedStart = At(kDay, 600);
    moved.LoadedEnd = At(kDay, 660);
    moved.Start = At(kDay + 1, 480);
    moved.End = At(kDay + 1, 540);
    moved.LoadedResource = "R1";
    moved.Resource = "R2";
    moved.Method = ChangeMethod::Moved;
    EXPECT_EQ(changes[0], moved);
    EXPECT_TRUE(changes[0].ResourceChanged());
    EXPECT_NE(control().ChangesXml().find("newresource=\"R2\""), std::string::npos);

    int pending = -1;
    control().PendingChangesChanged().Subscribe([&](int count) { pending = count; });
    control().AcceptChanges();
    EXPECT_EQ(pending, 0);
    EXPECT_TRUE(control().Changes().empty());
    EXPECT_FALSE(control().CanUndo());
    EXPECT_EQ(control().ChangesXml(), "<Saveres/>");

    Drop("WO2$1$9", 2, kDay + 2, 480);
    ASSERT_EQ(control().Changes().size(), 1u);
    EXPECT_EQ(control().Changes()[0].LoadedStart, At(kDay + 1, 480));
    EXPECT_EQ(control().Changes()[0].LoadedResource, "R2");
    EXPECT_FALSE(control().Changes()[0].ResourceChanged());
}

// A host reads an activity by its key: its bars where the chart holds them, with their records,
// and whether it waits to be saved.
TEST_F(HostApi, AnActivityIsReadWithItsBarsAndWhetherItChanged) {
    EXPECT_EQ(control().Activity({"WO9", 10}), std::nullopt);
    std::optional<PlanActivity> read = control().Activity({"WO1", 10});
    ASSERT_TRUE(read);
    ASSERT_EQ(read->Bars.size(), 1u);
    EXPECT_EQ(read->Bars[0].Resource, "R1");
    EXPECT_EQ(read->Bars[0].Record.status, "Started");
    EXPECT_EQ(std::pair(read->Start, read->End), std::pair(At(kDay, 480), At(kDay, 540)));
    EXPECT_FALSE(read->Changed);
    EXPECT_EQ(control().WorkOrderActivities("WO1"), std::vector<int32_t>{10});

    Drop("WO2$1$1", 2, kDay + 1, 480);
    read = control().Activity({"WO2", 20});
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->Changed);
    ASSERT_EQ(read->Bars.size(), 1u);
    EXPECT_EQ(read->Bars[0].Resource, "R2");
    EXPECT_EQ(read->Bars[0].Row, 2);
    EXPECT_EQ(read->Start, At(kDay + 1, 480));
}

// While the copy is in the hand, the control says what its drop would do and changes nothing.
TEST_F(HostApi, ADropIsPreviewedWithoutChangingAnything) {
    EXPECT_FALSE(control().PreviewCopyDrop(2, At(kDay, 500)).Valid);
    plan->Copy("WO2$1$1");
    const std::string before = Bars();
    DropPreview preview = control().PreviewCopyDrop(2, At(kDay, 500));
    ASSERT_TRUE(preview.Valid);
    EXPECT_EQ(std::pair(preview.Start, preview.End), std::pair(At(kDay, 500), At(kDay, 560)));
    EXPECT_EQ(preview.NewlyOverlapping, (std::vector<std::pair<int, int>>{{2, 1}}));
    EXPECT_EQ(preview.NewlyOverlappingActivities, (std::vector<ActivityKey>{{"WO3", 30}}));
    EXPECT_EQ(preview.PrecedenceConflicts, 0);
    EXPECT_EQ(preview.NonWorkingMinutes, 0);
    // Required on 10 January 2002: due by the end of that day.
    ASSERT_TRUE(preview.LateBy);
    EXPECT_EQ(preview.LateBy->count(), (kDay - 37265) * 1440 + 560);
    EXPECT_FALSE(preview.Refusal);

    control().SetChangeVeto(
        [](const ProposedChange&) -> std::optional<std::string> { return "frozen"; });
    EXPECT_EQ(control().PreviewCopyDrop(1, At(kDay, 700)).Refusal, "frozen");
    EXPECT_TRUE(refusals.empty());
    EXPECT_EQ(Bars(), before);
    EXPECT_TRUE(control().Changes().empty());
}

TEST(ErrorKinds, EveryAutomationErrorSaysItsKind) {
    const std::vector<std::pair<AutomationError, ErrorKind>> cases = {
        {MakeRuntimeError(RuntimeError::InvalidProcedureCall), ErrorKind::InvalidArgument},
        {MakeRuntimeError(RuntimeError::Overflow), ErrorKind::Overflow},
        {MakeRuntimeError(RuntimeError::TypeMismatch), ErrorKind::TypeMismatch},
        {MakeRuntimeError(RuntimeError::InvalidUseOfNull), ErrorKind::InvalidUseOfNull},
        {MakeRuntimeError(RuntimeError::KeyAlreadyExists), ErrorKind::Other},
        {BarKeyBlankError(), ErrorKind::BlankWorkOrder},
    };
    for (const auto& [error, kind] : cases) {
        EXPECT_EQ(error.Kind(), kind) << error.what();
    }
}

}  // namespace
}  // namespace tessaro
