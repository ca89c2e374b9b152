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

// Random planner sessions, each from its own seed: after every step that leaves no copy pending
// the chart and the changes must agree. The first session that breaks the rule is reported with
// its seed, its steps and what disagrees.
TEST(PlannerSessions, ChartAndChangesAgreeAfterEveryStepWithoutAPendingCopy) {
    int64_t steps = 0;
    int64_t checks = 0;
    int64_t refusals = 0;
    const std::vector<SessionPlant> plants = Plants();
    for (std::size_t plant = 0; plant < plants.size(); ++plant) {
        for (int session = 0; session < SessionsPerPlant(); ++session) {
            const auto seed = static_cast<uint32_t>(plant * 1000 + session);
            std::mt19937 random(seed);
            Tessaro_Ctrl control;
            testing::LoadPlant(control, plants[plant].texts);
            const PlanAgreement agreement(control);
            PlannerSession planner(control, plants[plant].texts, [&](uint32_t bound) {
                return std::uniform_int_distribution<uint32_t>(0, bound - 1)(random);
            });
            std::string log;
            for (int step = 1; step <= kStepsPerSession; ++step) {
                std::string outcome;
                try {
                    planner.Step();
                } catch (const AutomationError& error) {
                    // A refused gesture is allowed; what it leaves is checked all the same.
                    outcome = " -> error " + std::to_string(error.Code());
                    ++refusals;
                }
                log += "  " + std::to_string(step) + ". " + planner.Gesture() + outcome + "\n";
                ++steps;
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
    std::cout << "planner sessions: " << plants.size() * SessionsPerPlant() << " sessions, "
              << steps << " steps, " << checks << " checks of the agreement rule, " << refusals
              << " refused gestures, no violation\n";
    RecordProperty("steps", std::to_string(steps));
    RecordProperty("checks", std::to_string(checks));
}

}  // namespace
}  // namespace tessaro
