// Painting one frame of the schedule chart over a generated plant of 500 resources and 100,000
// sub-activities, with its chart area 1600 x 900 pixels: at three zoom levels (the model's
// TimeScale, pixels a day), scrolled to the top, middle and bottom rows and to the start and middle
// of the planning window. The counter "bars" is the number of bars the frame painted.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QScrollBar>

#include <plantgen/plant_generator.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

namespace {

using tessaro::ScheduleChartView;
using tessaro::Tessaro_Ctrl;

constexpr int kChartWidth = 1600;
constexpr int kChartHeight = 900;

// The control loaded with the plant and a view of its chart, made once for every case.
struct PaintedPlant {
    Tessaro_Ctrl control;
    std::unique_ptr<ScheduleChartView> view;

    PaintedPlant() {
        const auto plant = tessaro::plantgen::GeneratePlant({500, 100000, 1, true, 21});
        control.LoadScheduleTime(plant.header);
        control.LoadResource(plant.resources);
        control.LoadCalendarEvents(plant.calendars);
        control.LoadResourceEvents(plant.workOrders);
        view = std::make_unique<ScheduleChartView>(control.ctResSched());
        view->resize(kChartWidth + 400, kChartHeight + 100);
        view->show();
        QApplication::processEvents();
    }

    // Grows or shrinks the view until its chart area (right of the list, below the time header,
    // inside the scroll bars) is the wanted size; list width and header height depend on the
    // view's size and zoom.
    void fitChartArea() {
        for (int attempt = 0; attempt < 4; ++attempt) {
            const QRect area = view->chartArea();
            if (area.width() == kChartWidth && area.height() == kChartHeight) {
                return;
            }
            view->resize(view->width() + kChartWidth - area.width(),
                         view->height() + kChartHeight - area.height());
            QApplication::processEvents();
        }
    }
};

// Made on first use, gone before the application is.
std::unique_ptr<PaintedPlant> paintedPlant;

PaintedPlant& Plant() {
    if (!paintedPlant) {
        paintedPlant = std::make_unique<PaintedPlant>();
    }
    return *paintedPlant;
}

// Arguments: TimeScale; rows 0 top, 1 middle, 2 bottom; time 0 start, 1 middle of the window;
// look 1 with overlapping bars in lanes and the load strips (the default), 0 without.
void BM_PaintFrame(benchmark::State& state) {
    PaintedPlant& plant = Plant();
    ScheduleChartView& view = *plant.view;
    view.setSubLanes(state.range(3) != 0);
    view.setLoadStrips(state.range(3) != 0);
    plant.control.ctResSched().SetTimeScale(static_cast<int16_t>(state.range(0)));
    plant.fitChartArea();
    if (view.chartArea().size() != QSize(kChartWidth, kChartHeight)) {
        state.SkipWithError("the chart area cannot be sized to 1600 x 900");
        return;
    }
    QScrollBar* vertical = view.verticalScrollBar();
    vertical->setValue(vertical->maximum() * static_cast<int>(state.range(1)) / 2);
    QScrollBar* horizontal = view.horizontalScrollBar();
    // The middle of the window at the left edge of the chart area.
    horizontal->setValue(state.range(2) == 0 ? 0
                                             : static_cast<int>(view.timeAxis().totalWidth() / 2 -
                                                                kChartWidth / 2.0));

    QImage frame(view.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        view.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
    const double frameMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        static_cast<double>(state.iterations());
    state.SetLabel(frameMs < 16.0 ? "target 16 ms: met" : "target 16 ms: MISSED");
    state.counters["bars"] = view.lastPaintedBarCount();
    state.counters["top_row"] = view.rowAt(view.chartArea().topLeft());
}

void PaintCases(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"scale", "rows", "time", "look"});
    for (const int scale : {50, 250, 2000}) {
        for (const int rows : {0, 1, 2}) {
            for (const int time : {0, 1}) {
                for (const int look : {0, 1}) {
                    bench->Args({scale, rows, time, look});
                }
            }
        }
    }
    bench->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_PaintFrame)->Apply(PaintCases);

}  // namespace

int main(int argc, char** argv) {
    // Frames are painted into an image: no display is needed.
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
    paintedPlant.reset();
    return 0;
}
