// The conflict panel beside the chart on the generated plants of the workflow benchmarks: its
// first fill with every conflict of the plant (after a load), and what a drop costs it, from the
// control's list to the lines written, as the widget reads them after a burst of changes. A drop
// changes a few of thousands of conflicts, so the panel keeps the lines of the others.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <QApplication>
#include <QByteArray>
#include <QTreeWidget>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "conflict_panel.hpp"
#include "workflow_plant.hpp"

namespace {

using tessaro::ScheduleChart;
using tessaro::Tessaro_Ctrl;
using tessaro::bench::SharedPlant;

// The drop's row: one the workflow benchmarks leave alone.
constexpr int16_t kDropRow = 9;

// The panel is written after a drop's burst of changes, between two frames: one frame's time.
constexpr double kDropTargetMs = 16;

template <typename Call>
double SecondsOf(Call&& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every line written anew from an empty panel.
void BM_ConflictPanelFill(benchmark::State& state) {
    Tessaro_Ctrl& control = SharedPlant(state.range(0), state.range(1)).Control();
    const std::vector<tessaro::PlanConflict> conflicts = control.PlanConflicts();
    for (auto _ : state) {
        tessaro::qt_detail::ConflictPanel panel;
        state.SetIterationTime(SecondsOf([&] { panel.setConflicts(conflicts); }));
        if (panel.list()->topLevelItemCount() != static_cast<int>(conflicts.size())) {
            state.SkipWithError("the panel lost lines");
        }
    }
    state.counters["conflicts"] = static_cast<double>(conflicts.size());
}

// The first two work-order bars of the drop row; 0 for each missing.
std::pair<int16_t, int16_t> TwoWorkOrderBars(const ScheduleChart& chart) {
    std::vector<int16_t> bars;
    for (int16_t bar = 1; bar <= chart.TimeBarCount(kDropRow) && bars.size() < 2; ++bar) {
        if (chart.Bar(kDropRow, bar).Kind == tessaro::WorkOrderBarKind) {
            bars.push_back(bar);
        }
    }
    bars.resize(2, 0);
    return {bars[0], bars[1]};
}

// One drop, then the list asked and handed to the panel: the copy of the activity of the row's
// first work-order bar dropped onto the start of the second, where it overlaps it, and back on
// alternate iterations.
void BM_ConflictPanelAfterDrop(benchmark::State& state) {
    Tessaro_Ctrl& control = SharedPlant(state.range(0), state.range(1)).Control();
    ScheduleChart& chart = control.ctResSched();
    tessaro::qt_detail::ConflictPanel panel;
    panel.setConflicts(control.PlanConflicts());
    const auto [moved, other] = TwoWorkOrderBars(chart);
    if (other == 0) {
        state.SkipWithError("the drop row holds fewer than two work-order bars");
        return;
    }
    const std::string key = chart.TimeBarKey(kDropRow, moved);
    const std::string workOrder = key.substr(0, key.find('$'));
    const tessaro::ChartTime places[] = {chart.Bar(kDropRow, other).Start,
                                         chart.Bar(kDropRow, moved).Start};
    double total = 0;
    int64_t drops = 0;
    int64_t changing = 0;
    std::vector<tessaro::PlanConflict> before = control.PlanConflicts();
    for (auto _ : state) {
        // Copy the work order's activity on the row and drop the copy there.
        for (const auto& [row, bar] : chart.FindTimeBarsInKeyGroup(workOrder)) {
            if (row == kDropRow && chart.Bar(row, bar).Kind == tessaro::WorkOrderBarKind) {
                chart.RightClickBar(row, bar);
                break;
            }
        }
        control.mnuSchedPopUp().Choose("miCopy");
        const int16_t copy = chart.FindTimeBarInRow(control.TempBarKey(), kDropRow);
        if (copy == 0) {
            state.SkipWithError("Copy laid no temporary bar");
            break;
        }
        const tessaro::ChartTime to = places[drops++ % 2];
        chart.DragBar(kDropRow, copy, kDropRow, to.Day, to.Minute);
        const double seconds = SecondsOf([&] { panel.setConflicts(control.PlanConflicts()); });
        state.PauseTiming();
        std::vector<tessaro::PlanConflict> after = control.PlanConflicts();
        changing += after != before;
        before = std::move(after);
        state.ResumeTiming();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double meanMs = total * 1000 / static_cast<double>(state.iterations());
    state.counters["conflicts"] = static_cast<double>(panel.list()->topLevelItemCount());
    state.counters["drops_changing_conflicts"] = static_cast<double>(changing);
    state.SetLabel("target " + std::to_string(static_cast<int>(kDropTargetMs)) +
                   " ms: " + (meanMs < kDropTargetMs ? "met" : "MISSED"));
}

// Both benchmarks of a plant before the next is loaded, so one plant is in memory at a time.
void Register() {
    const std::pair<int64_t, int64_t> sizes[] = {{50, 1000}, {500, 100000}, {2000, 1000000}};
    for (const auto& [resources, subActivities] : sizes) {
        for (const auto& [name, run, iterations] :
             {std::tuple{"BM_ConflictPanelFill", &BM_ConflictPanelFill, 2},
              std::tuple{"BM_ConflictPanelAfterDrop", &BM_ConflictPanelAfterDrop, 20}}) {
            benchmark::RegisterBenchmark(name, run)
                ->Args({resources, subActivities})
                ->ArgNames({"resources", "subactivities"})
                ->Iterations(iterations)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
    QApplication app(argc, argv);
    Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
