// One frame of the schedule chart over a generated plant of 500 resources and 100,000
// sub-activities, painted by the Qt Quick item beside the widget in the same run: both show the
// same plant at the same size (chart area about 1600 x 900), scrolled to the middle rows and the
// middle of the planning window, at three zoom levels (the model's TimeScale, pixels a day).
// The item's frame is its paint() into an image, what the software scene graph uploads; the
// widget's is render() of its viewport. Targets: the item within 1.5 x the widget, under 16 ms.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <plantgen/plant_generator.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

#include "tessaro_chart.hpp"

namespace {

using tessaro::ScheduleChartView;
using tessaro::Tessaro_Ctrl;
using tessaro::TessaroChart;

constexpr int kWidth = 2000;
constexpr int kHeight = 1000;

void Load(Tessaro_Ctrl& control, const tessaro::plantgen::PlantPayloads& plant) {
    control.LoadScheduleTime(plant.header);
    control.LoadResource(plant.resources);
    control.LoadCalendarEvents(plant.calendars);
    control.LoadResourceEvents(plant.workOrders);
}

struct BothFrontEnds {
    Tessaro_Ctrl control;
    std::unique_ptr<ScheduleChartView> view;
    std::unique_ptr<TessaroChart> item;

    BothFrontEnds() {
        const auto plant = tessaro::plantgen::GeneratePlant({500, 100000, 1, true, 21});
        Load(control, plant);
        view = std::make_unique<ScheduleChartView>(control.ctResSched());
        view->resize(kWidth, kHeight);
        view->show();
        QApplication::processEvents();
        item = std::make_unique<TessaroChart>();
        Load(item->control(), plant);
        item->setSize(QSizeF(view->viewport()->size()));
    }

    // Both at the TimeScale, the middle rows and the middle of the window.
    void place(int16_t scale) {
        control.ctResSched().SetTimeScale(scale);
        item->control().ctResSched().SetTimeScale(scale);
        QApplication::processEvents();
        QScrollBar* vertical = view->verticalScrollBar();
        vertical->setValue(vertical->maximum() / 2);
        QScrollBar* horizontal = view->horizontalScrollBar();
        horizontal->setValue(horizontal->maximum() / 2);
        item->setContentX(horizontal->value());
        item->setContentY(vertical->value());
    }
};

std::unique_ptr<BothFrontEnds> frontEnds;

BothFrontEnds& FrontEnds() {
    if (!frontEnds) {
        frontEnds = std::make_unique<BothFrontEnds>();
    }
    return *frontEnds;
}

template <typename Paint>
void MeasureFrames(benchmark::State& state, Paint&& paint) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        paint();
    }
    const double frameMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        static_cast<double>(state.iterations());
    state.counters["frame_ms"] = frameMs;
}

void BM_WidgetFrame(benchmark::State& state) {
    BothFrontEnds& both = FrontEnds();
    both.place(static_cast<int16_t>(state.range(0)));
    QImage frame(both.view->size(), QImage::Format_ARGB32_Premultiplied);
    MeasureFrames(state, [&] {
        both.view->render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    });
    state.counters["bars"] = both.view->lastPaintedBarCount();
}

void BM_QuickItemFrame(benchmark::State& state) {
    BothFrontEnds& both = FrontEnds();
    both.place(static_cast<int16_t>(state.range(0)));
    QImage frame(both.item->size().toSize(), QImage::Format_ARGB32_Premultiplied);
    MeasureFrames(state, [&] {
        QPainter painter(&frame);
        both.item->paint(&painter);
        painter.end();
        benchmark::DoNotOptimize(frame.constBits());
    });
    state.counters["bars"] = both.item->lastPaintedBarCount();
}

void Scales(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"scale"});
    for (const int scale : {50, 250, 2000}) {
        bench->Args({scale});
    }
    bench->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_WidgetFrame)->Apply(Scales);
BENCHMARK(BM_QuickItemFrame)->Apply(Scales);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    frontEnds.reset();
    return 0;
}
