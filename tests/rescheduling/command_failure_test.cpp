// Every command is all or nothing: memory running out at any allocation inside a drop, a paste, a
// Pack, an undo or a redo leaves the plan (its work-order bars and its changes) as the command
// found it, or the command has been made whole.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/plan.hpp"
#include "support/plan_agreement.hpp"

#if defined(__SANITIZE_ADDRESS__)
#define TESSARO_OWN_ALLOCATOR 0
#else
#define TESSARO_OWN_ALLOCATOR 1
#endif

namespace {
// How many allocations may still succeed; below zero, all do.
long allocationsLeft = -1;
}  // namespace

#if TESSARO_OWN_ALLOCATOR
void* operator new(std::size_t size) {
    if (allocationsLeft >= 0 && allocationsLeft-- == 0) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
#endif

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37300;

// The plan as a host sees it: every work-order bar and the change document.
std::string PlanPicture(Tessaro_Ctrl& control) {
    const ScheduleChart& chart = control.ctResSched();
    std::string picture;
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            const ChartBar& b = chart.Bar(row, bar);
            if (b.Kind == WorkOrderBarKind) {
                picture += std::to_string(row) + " " + b.Key + " " + testing::TimeText(b.Start) +
                           " " + testing::TimeText(b.End) + "\n";
            }
        }
    }
    return picture + control.rescheduling().Xml();
}

struct Command {
    const char* name;
    // Brings the plan to where the command starts.
    std::function<void(testing::Plan&)> prepare;
    std::function<void(testing::Plan&)> run;
};

void DragCopy(testing::Plan& plan, int16_t row, int32_t day, int32_t minute) {
    const auto [r, b] = plan.TemporaryBar();
    plan.chart.DragBar(r, b, row, day, minute);
}

void RightClick(testing::Plan& plan, const std::string& key) {
    const auto [r, b] = plan.Find(key);
    plan.chart.RightClickBar(r, b);
}

TEST(CommandFailure, MemoryRunningOutAnywhereInACommandLeavesItWholeOrUndone) {
    if (!TESSARO_OWN_ALLOCATOR) {
        GTEST_SKIP() << "the sanitizers keep the allocator";
    }
    // WO1/1 split over R1 and R2, WO2/2 and WO3/3 after it on R1.
    const std::vector<testing::SubActivity> plant = {
        Placed("R1", "WO1", 1, kDay, 480, 60), Placed("R2", "WO1", 1, kDay, 600, 90),
        Placed("R1", "WO2", 2, kDay + 1, 480, 60), Placed("R1", "WO3", 3, kDay + 2, 480, 60)};
    const auto move = [](testing::Plan& p) {
        p.Copy("WO2$1$1");
        DragCopy(p, 1, kDay + 3, 600);
    };
    const std::vector<Command> commands = {
        {"drop in time", [](testing::Plan& p) { p.Copy("WO1$1$2"); },
         [](testing::Plan& p) { DragCopy(p, 1, kDay + 4, 480); }},
        {"drop on another row", [](testing::Plan& p) { p.Copy("WO1$1$2"); },
         [](testing::Plan& p) { DragCopy(p, 3, kDay + 4, 480); }},
        {"paste forward",
         [](testing::Plan& p) {
             p.Copy("WO1$1$2");
             RightClick(p, "WO3$1$1");
         },
         [](testing::Plan& p) { p.control.miFwdSch_Click(); }},
        {"pack", [](testing::Plan& p) { RightClick(p, "WO1$1$2"); },
         [](testing::Plan& p) { p.control.miPack_Click(); }},
        {"undo", move, [](testing::Plan& p) { p.control.Undo(); }},
        {"redo",
         [&](testing::Plan& p) {
             move(p);
             p.control.Undo();
         },
         [](testing::Plan& p) { p.control.Redo(); }},
    };
    for (const Command& command : commands) {
        SCOPED_TRACE(command.name);
        std::string whole;
        {
            testing::Plan plan({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Oven"}}, plant);
            command.prepare(plan);
            command.run(plan);
            whole = PlanPicture(plan.control);
        }
        bool succeeded = false;
        for (long allowed = 0; !succeeded; ++allowed) {
            ASSERT_LT(allowed, 100000) << "the command never succeeded";
            testing::Plan plan({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Oven"}}, plant);
            const testing::PlanAgreement agreement(plan.control);
            command.prepare(plan);
            const std::string before = PlanPicture(plan.control);
            allocationsLeft = allowed;
            try {
                command.run(plan);
                succeeded = true;
            } catch (const std::bad_alloc&) {
            }
            allocationsLeft = -1;
            const std::string after = PlanPicture(plan.control);
            if (after != before && after != whole) {
                ADD_FAILURE() << "out of memory after " << allowed
                              << " allocations, the plan is half-changed:\n"
                              << after << "\nbefore:\n"
                              << before << "\nwhole:\n"
                              << whole;
                break;
            }
            plan.control.miIgnore_Click();
            EXPECT_EQ(agreement.Violations(plan.control), std::vector<std::string>{})
                << "after " << allowed << " allocations";
        }
    }
}

}  // namespace
}  // namespace tessaro
