// Loading a generated plant: each loader and the full load, next to pugixml alone parsing the
// same payloads. The counter "vs_pugixml" is the full load's time over pugixml's, measured in the
// same iterations on the same heap: cold (freed memory handed back to the system first, as a
// host's first load finds it) or warm (the memory of an earlier load reused, as a Refresh finds
// it).

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <plantgen/plant_generator.hpp>
#include <pugixml.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

namespace {

using tessaro::Tessaro_Ctrl;
using tessaro::plantgen::PlantPayloads;

// The plant sizes the target is set for, and the target: the full load at most this many times
// pugixml's parse of the same payloads.
constexpr int64_t kTargetBars = 100000;
constexpr int64_t kLargeBars = 1000000;
constexpr double kTargetRatio = 1.5;

const PlantPayloads& Plant(int64_t resources, int64_t subActivities) {
    static std::map<std::pair<int64_t, int64_t>, PlantPayloads> plants;
    auto [place, added] = plants.try_emplace({resources, subActivities});
    if (added) {
        place->second = tessaro::plantgen::GeneratePlant(
            {static_cast<int32_t>(resources), static_cast<int32_t>(subActivities), 1, true, 21});
    }
    return place->second;
}

// Returns freed memory to the system, so the next run touches fresh pages as a host's first load
// does; without it, a run after a large free reuses warm pages and looks several times faster.
void ColdHeap() {
    malloc_trim(0);
}

void ParseAll(const PlantPayloads& plant) {
    for (const std::string* payload :
         {&plant.header, &plant.resources, &plant.calendars, &plant.workOrders}) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(payload->data(), payload->size()));
    }
}

void LoadAll(Tessaro_Ctrl& control, const PlantPayloads& plant) {
    control.LoadScheduleTime(plant.header);
    control.LoadResource(plant.resources);
    control.LoadCalendarEvents(plant.calendars);
    control.LoadResourceEvents(plant.workOrders);
}

void BM_PugixmlParseAll(benchmark::State& state) {
    const PlantPayloads& plant = Plant(state.range(0), state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        ColdHeap();
        state.ResumeTiming();
        ParseAll(plant);
    }
    state.counters["bytes"] = static_cast<double>(plant.workOrders.size() + plant.calendars.size() +
                                                  plant.resources.size() + plant.header.size());
}

void LabelTarget(benchmark::State& state, double ratio, const char* heap) {
    if (state.range(1) == kTargetBars || state.range(1) == kLargeBars) {
        char label[96];
        std::snprintf(label, sizeof label, "%s heap: %.2fx pugixml, target %.1fx: %s", heap, ratio,
                      kTargetRatio, ratio <= kTargetRatio ? "met" : "MISSED");
        state.SetLabel(label);
    }
}

// The four loaders in refresh order on a fresh control, with pugixml's parse of the same
// payloads timed alongside for the ratio; creating and destroying the control are not timed.
// With a warm heap, one untimed load first leaves freed memory for the timed ones to reuse.
template <bool WarmHeap>
void BM_FullLoad(benchmark::State& state) {
    const PlantPayloads& plant = Plant(state.range(0), state.range(1));
    const auto timed = [](auto run) {
        if (!WarmHeap) {
            ColdHeap();
        }
        const auto start = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    if (WarmHeap) {
        Tessaro_Ctrl warmUp;
        LoadAll(warmUp, plant);
    }
    double load = 0;
    double parse = 0;
    for (auto _ : state) {
        state.PauseTiming();
        parse += timed([&] { ParseAll(plant); });
        auto control = std::make_unique<Tessaro_Ctrl>();
        if (!WarmHeap) {
            ColdHeap();
        }
        state.ResumeTiming();
        load += timed([&] { LoadAll(*control, plant); });
        state.PauseTiming();
        control.reset();
        state.ResumeTiming();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["vs_pugixml"] = load / parse;
    state.counters["pugixml_ms"] = parse / iterations * 1e3;
    // Equal figures across sizes show linear growth.
    state.counters["us_per_bar"] = load / iterations * 1e6 / static_cast<double>(state.range(1));
    LabelTarget(state, load / parse, WarmHeap ? "warm" : "cold");
}

// One loader on a control that already holds the earlier payloads; the control is rebuilt
// outside the timing.
template <int Step>
void BM_Loader(benchmark::State& state) {
    const PlantPayloads& plant = Plant(state.range(0), state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        auto control = std::make_unique<Tessaro_Ctrl>();
        if (Step > 1) {
            control->LoadResource(plant.resources);
        }
        ColdHeap();
        state.ResumeTiming();
        switch (Step) {
            case 0:
                control->LoadScheduleTime(plant.header);
                break;
            case 1:
                control->LoadResource(plant.resources);
                break;
            case 2:
                control->LoadCalendarEvents(plant.calendars);
                break;
            case 3:
                control->LoadResourceEvents(plant.workOrders);
                break;
        }
        state.PauseTiming();
        control.reset();
        state.ResumeTiming();
    }
}

void PlantSizes(benchmark::internal::Benchmark* bench) {
    bench->Args({50, 1000})
        ->Args({500, kTargetBars})
        ->Args({2000, 1000000})
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_PugixmlParseAll)->Apply(PlantSizes);
BENCHMARK(BM_FullLoad<false>)->Name("BM_FullLoad")->Apply(PlantSizes);
BENCHMARK(BM_FullLoad<true>)->Name("BM_FullLoadWarmHeap")->Apply(PlantSizes);
BENCHMARK(BM_Loader<0>)->Name("BM_LoadScheduleTime")->Apply(PlantSizes);
BENCHMARK(BM_Loader<1>)->Name("BM_LoadResource")->Apply(PlantSizes);
BENCHMARK(BM_Loader<2>)->Name("BM_LoadCalendarEvents")->Apply(PlantSizes);
BENCHMARK(BM_Loader<3>)->Name("BM_LoadResourceEvents")->Apply(PlantSizes);

}  // namespace

BENCHMARK_MAIN();
