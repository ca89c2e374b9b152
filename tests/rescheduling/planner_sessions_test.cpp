#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <plantgen/plant_generator.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "support/conflict_agreement.hpp"
#include "support/plan_agreement.hpp"
#include "support/planner_session.hpp"
#include "support/samples.hpp"

namespace tessaro {
namespace {

using testing::PlanAgreement;
using testing::PlannerSession;
using testing::PlantTexts;

// TESSARO_PLANNER_SESSIONS asks for more sessions in a longer run.
int SessionsPerPlant() {
    const char* sessions = std::getenv("TESSARO_PLANNER_SESSIONS");
    return sessions != nullptr ? std::max(1, std::atoi(sessions)) : 100;
}
constexpr int kStepsPerSession = 60;

struct SessionPlant {
    const char* name;
    PlantTexts texts;
};

std::vector<SessionPlant> Plants() {
    using testing::ReadSample;
    const plantgen::PlantPayloads generated = plantgen::GeneratePlant(
        {.resources = 4, .subActivities = 30, .seed = 7, .calendars = true, .windowDays = 8});
    return {{"sample plant",
             {ReadSample("header.xml"), ReadSample("resources.xml"), ReadSample("calendars.xml"),
              ReadSample("workorders.xml")}},
            {"generated plant",
             {generated.header, generated.resources, generated.calendars, generated.workOrders}}};
}

// Compares the control's kept conflicts with a full search after three steps in four, over a
// range of rows that may reach past the chart.
std::vector<std::string> AskConflicts(const Tessaro_Ctrl& control, std::mt19937& asking) {
    if (std::uniform_int_distribution<int>(0, 3)(asking) == 0) {
        return {};
    }
    const int rows = control.ctResSched().RowCount() + 2;
    const auto first = static_cast<int16_t>(std::uniform_int_distribution<int>(0, rows)(asking));
    const auto last = static_cast<int16_t>(std::uniform_int_distribution<int>(first, rows)(asking));
    return testing::ConflictDisagreements(control, first, last);
}

// What a throwing listener of the chart's changes raises.
struct ListenerFailure {};

// Random planner sessions, each from its own seed: after every step that leaves no copy pending
// the chart and the changes must agree. After most steps (some are let pass, so that a question
// finds the changes of several steps) the control's kept conflicts must be those a full search
// finds, for the whole plan and for a range of rows. With throwEvery above 0, a listener of the
// chart's changes throws on every so many of them, and every command must still be whole or not at
// all. The first session that breaks the rule is reported with its seed, its steps and what
// disagrees.
void PlaySessions(const char* what, int sessions, int throwEvery) {
    int64_t steps = 0;
    int64_t checks = 0;
    int64_t refusals = 0;
    const std::vector<SessionPlant> plants = Plants();
    for (std::size_t plant = 0; plant < plants.size(); ++plant) {
        for (int session = 0; session < sessions; ++session) {
            const auto seed = static_cast<uint32_t>(plant * 1000 + session);
            std::mt19937 random(seed);
            // Its own numbers, so the sessions stay those they were.
            std::mt19937 asking(seed + 1);
            Tessaro_Ctrl control;
            testing::LoadPlant(control, plants[plant].texts);
            PlanAgreement agreement(control);
            int heard = 0;
            bool quiet = false;
            if (throwEvery > 0) {
                control.ctResSched().Changed.Subscribe([&](const ChartChange&) {
                    if (!quiet && ++heard % throwEvery == 0) {
                        throw ListenerFailure{};
                    }
                });
            }
            PlannerSession planner(control, plants[plant].texts, [&](uint32_t bound) {
                return std::uniform_int_distribution<uint32_t>(0, bound - 1)(random);
            });
            std::string log;
            for (int step = 1; step <= kStepsPerSession; ++step) {
                std::string outcome;
                bool refused = false;
                try {
                    planner.Step();
                } catch (const AutomationError& error) {
                    // A refused gesture is allowed; what it leaves is checked all the same.
                    outcome = " -> error " + std::to_string(error.Code());
                    ++refusals;
                    refused = true;
                } catch (const ListenerFailure&) {
                    outcome = " -> a listener threw";
                    ++refusals;
                    if (planner.Gesture() == "reload the four payloads" ||
                        planner.Gesture() == "load the plant as values") {
                        // Each load stands whole, but a host whose listener stopped it between
                        // two loads has only loaded some of them: it loads them again.
                        quiet = true;
                        testing::LoadPlant(control, plants[plant].texts);
                        quiet = false;
                    }
                }
                if (!refused && planner.BaselineChange().Whole) {
                    agreement = PlanAgreement(control);
                } else if (!refused && planner.BaselineChange().Activity) {
                    agreement.Reload(control, *planner.BaselineChange().Activity);
                }
                log += "  " + std::to_string(step) + ". " + planner.Gesture() + outcome + "\n";
                ++steps;
                if (const std::vector<std::string> disagreements = AskConflicts(control, asking);
                    !disagreements.empty()) {
                    std::string found;
                    for (const std::string& disagreement : disagreements) {
                        found += "  " + disagreement + "\n";
                    }
                    FAIL() << plants[plant].name << ", seed " << seed << ", step " << step
                           << ": the kept conflicts are not those of the chart:\n"
                           << found << "the session:\n"
                           << log;
                }
                if (PlanAgreement::CopyPending(control)) {
                    continue;
                }
                ++checks;
                const std::vector<std::string> violations =
                    agreement.Violations(control, planner.ShortenedCopies());
                if (!violations.empty()) {
                    std::string found;
                    for (const std::string& violation : violations) {
                        found += "  " + violation + "\n";
                    }
                    FAIL() << plants[plant].name << ", seed " << seed << ", step " << step
                           << " (after " << steps << " steps, " << checks << " checks in all):\n"
                           << found << "the session:\n"
                           << log;
                }
            }
        }
    }
    std::cout << what << ": " << plants.size() * sessions << " sessions, " << steps << " steps, "
              << checks << " checks of the agreement rule, " << refusals
              << " refused gestures or listener failures, no violation\n";
}

TEST(PlannerSessions, ChartAndChangesAgreeAfterEveryStepWithoutAPendingCopy) {
    PlaySessions("planner sessions", SessionsPerPlant(), 0);
}

TEST(PlannerSessions, AListenerThatThrowsNeverLeavesACommandHalfDone) {
    for (const int every : {3, 7, 29}) {
        SCOPED_TRACE("a listener throwing on every " + std::to_string(every) + " changes");
        PlaySessions("sessions with a throwing listener", std::max(1, SessionsPerPlant() / 10),
                     every);
    }
}

}  // namespace
}  // namespace tessaro
