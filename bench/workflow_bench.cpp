// The planner's workflow on generated plants of 50 x 1,000, 500 x 100,000 and 2,000 x 1,000,000
// sub-activities (resources x sub-activities, with calendars), each operation driven headless as
// the widgets drive it: selection, Copy, dragging the temporary bar, paste, Pack of a row, the
// conflict queries, the rescheduling document, undo and redo beside many pending records and the
// memory the undo history takes, Refresh, and the memory a loaded bar takes.
//
// Every benchmark reports the product's target in its label ("target 5 ms: met" or "MISSED"),
// judged on the mean of its timed iterations. Times are manual: each iteration times only the
// operation, while the untimed part sets it up or undoes it, so every iteration meets the same
// state. Each operation has rows of its own, so one benchmark's changes never reach another's.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "plan/plan_time.hpp"
#include "workflow_plant.hpp"

namespace {

using tessaro::ChartTime;
using tessaro::DropPreview;
using tessaro::PlanTime;
using tessaro::PlanTimeOf;
using tessaro::ScheduleChart;
using tessaro::Tessaro_Ctrl;
using tessaro::WorkOrderBarKind;
using tessaro::bench::SharedPlant;
using tessaro::bench::WorkflowPlant;

// Rows each operation works on; the rescheduling document's records come from Packs of the rows
// after them.
constexpr int16_t kSelectionRow = 1;
constexpr int16_t kConflictRow = 2;
constexpr int16_t kCopyRow = 3;
constexpr int16_t kDragRow = 4;
constexpr int16_t kPasteRow = 5;
constexpr int16_t kPackRow = 6;
constexpr int16_t kHistoryRow = 7;
constexpr int16_t kLastOwnRow = 7;

// A work order no bar carries: selecting it takes the highlight off the selected one.
constexpr const char* kNoWorkOrder = "NO-SUCH-ORDER";

constexpr double kOperationTargetMs = 5;
// A drag preview follows the mouse: it must fit beside a frame.
constexpr double kPreviewTargetMs = 8;
constexpr double kReschedulingTargetMs = 50;
constexpr int32_t kReschedulingRecords = 10000;
constexpr double kRefreshTargetMs = 1000;
constexpr double kRefreshTargetBars = 100000;
constexpr double kMemoryTargetBytesPerBar = 1024;
constexpr int32_t kHistoryRecords = 5000;
constexpr int32_t kHistoryDrags = 2000;
constexpr double kHistoryTargetMiB = 50;

WorkflowPlant& Plant(const benchmark::State& state) {
    return SharedPlant(state.range(0), state.range(1));
}

std::string_view WorkOrderOf(std::string_view key) {
    return key.substr(0, key.find('$'));
}

std::vector<int16_t> WorkOrderBars(const ScheduleChart& chart, int16_t row) {
    std::vector<int16_t> bars;
    for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
        if (chart.Bar(row, bar).Kind == WorkOrderBarKind) {
            bars.push_back(bar);
        }
    }
    return bars;
}

// The work-order bar that far along the row's work-order bars (0.5: halfway); 0 when the row has
// none.
int16_t WorkOrderBarAt(const ScheduleChart& chart, int16_t row, double fraction) {
    const std::vector<int16_t> bars = WorkOrderBars(chart, row);
    if (bars.empty()) {
        return 0;
    }
    return bars[static_cast<size_t>(static_cast<double>(bars.size() - 1) * fraction)];
}

// The work order's bar on the row, found through its key group as a rebuild renames it; 0 when
// the row holds none.
int16_t BarOfWorkOrder(const ScheduleChart& chart, std::string_view workOrder, int16_t row) {
    for (const auto& [r, bar] : chart.FindTimeBarsInKeyGroup(workOrder)) {
        if (r == row && chart.Bar(r, bar).Kind == WorkOrderBarKind) {
            return bar;
        }
    }
    return 0;
}

int16_t EarliestWorkOrderBar(const ScheduleChart& chart, int16_t row) {
    int16_t earliest = 0;
    for (const int16_t bar : WorkOrderBars(chart, row)) {
        if (earliest == 0 || chart.Bar(row, bar).Start < chart.Bar(row, earliest).Start) {
            earliest = bar;
        }
    }
    return earliest;
}

// The bar of the row whose work order has the most sub-activities, so a selection lights as many
// bars as any.
int16_t BarOfLargestWorkOrder(Tessaro_Ctrl& control, int16_t row) {
    int16_t chosen = 0;
    int16_t most = 0;
    for (const int16_t bar : WorkOrderBars(control.ctResSched(), row)) {
        std::string number;
        int16_t position = 0;
        int16_t count = 0;
        control.DisAssembleKeyID(control.ctResSched().TimeBarKey(row, bar), number, position,
                                 count);
        if (count > most) {
            chosen = bar;
            most = count;
        }
    }
    return chosen;
}

// Times one call per iteration and keeps their mean.
class IterationTimer {
public:
    template <typename Call>
    void Time(benchmark::State& state, Call&& call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        total_ += seconds;
        ++count_;
    }

    double MeanMs() const { return count_ == 0 ? 0 : total_ * 1000 / count_; }

private:
    double total_ = 0;
    int64_t count_ = 0;
};

std::string Verdict(bool met) {
    return met ? "met" : "MISSED";
}

void ReportTarget(benchmark::State& state, const IterationTimer& timer, double targetMs,
                  const std::string& note = "") {
    std::string label = "target " + std::to_string(static_cast<int64_t>(targetMs)) +
                        " ms: " + Verdict(timer.MeanMs() < targetMs);
    if (!note.empty()) {
        label += " (" + note + ")";
    }
    state.SetLabel(label);
}

// Takes the temporary bar off the chart as the planner does: Ignore on the drag menu.
void IgnoreTemporaryBar(Tessaro_Ctrl& control) {
    if (!control.TempBarKey().empty()) {
        control.mnuDrag().Choose("miIgnore");
    }
}

// Right-clicks the work order's bar on the row and chooses Copy; returns the temporary bar's
// index on that row (0 when Copy laid none).
int16_t CopyWorkOrder(Tessaro_Ctrl& control, std::string_view workOrder, int16_t row) {
    ScheduleChart& chart = control.ctResSched();
    chart.RightClickBar(row, BarOfWorkOrder(chart, workOrder, row));
    control.mnuSchedPopUp().Choose("miCopy");
    return chart.FindTimeBarInRow(control.TempBarKey(), row);
}

// ---- Memory ----

// The resident memory the plant's first load took, beyond the payload texts the control keeps,
// per bar on the chart (work-order and calendar bars). The benchmark's time is that load's.
void BM_ResidentMemoryPerBar(benchmark::State& state) {
    const tessaro::bench::LoadFigures& load = Plant(state).Load();
    const double beyondPayload =
        static_cast<double>(load.residentAfter - load.residentBefore - load.payloadBytes);
    const double perBar = beyondPayload / static_cast<double>(load.bars);
    for (auto _ : state) {
        state.SetIterationTime(load.seconds);
    }
    state.counters["bytes_per_bar"] = perBar;
    state.counters["bytes_per_wo_bar"] = beyondPayload / static_cast<double>(load.workOrderBars);
    state.counters["rss_mib"] =
        static_cast<double>(load.residentAfter - load.residentBefore) / (1 << 20);
    state.counters["payload_mib"] = static_cast<double>(load.payloadBytes) / (1 << 20);
    state.counters["bars"] = static_cast<double>(load.bars);
    state.SetLabel("target 1024 B/bar: " + Verdict(perBar < kMemoryTargetBytesPerBar));
}

// ---- Selection ----

void BM_SelectWorkOrder(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    const int16_t bar = BarOfLargestWorkOrder(control, kSelectionRow);
    const std::string workOrder(WorkOrderOf(control.ctResSched().TimeBarKey(kSelectionRow, bar)));
    IterationTimer timer;
    for (auto _ : state) {
        timer.Time(state, [&] { control.SelectWorkOrderFirstSubActivity(workOrder); });
        control.SelectWorkOrderFirstSubActivity(kNoWorkOrder);
    }
    state.counters["bars_lit"] =
        static_cast<double>(control.ctResSched().FindTimeBarsInKeyGroup(workOrder).size());
    ReportTarget(state, timer, kOperationTargetMs);
}

void BM_BarSelection(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    const int16_t bar = BarOfLargestWorkOrder(control, kSelectionRow);
    IterationTimer timer;
    for (auto _ : state) {
        timer.Time(state, [&] { control.BarSelection(kSelectionRow, bar, true); });
        control.SelectWorkOrderFirstSubActivity(kNoWorkOrder);
    }
    ReportTarget(state, timer, kOperationTargetMs);
}

// Taking the highlight off a selected work order.
void BM_Deselect(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    const int16_t bar = BarOfLargestWorkOrder(control, kSelectionRow);
    const std::string workOrder(WorkOrderOf(control.ctResSched().TimeBarKey(kSelectionRow, bar)));
    IterationTimer timer;
    for (auto _ : state) {
        control.SelectWorkOrderFirstSubActivity(workOrder);
        timer.Time(state, [&] { control.SelectWorkOrderFirstSubActivity(kNoWorkOrder); });
    }
    ReportTarget(state, timer, kOperationTargetMs);
}

// A click on a work-order bar: the detail panel and the work-order grid of its row are filled.
void BM_ClickBar(benchmark::State& state) {
    WorkflowPlant& plant = Plant(state);
    const int16_t bar = WorkOrderBarAt(plant.Chart(), kSelectionRow, 0);
    IterationTimer timer;
    for (auto _ : state) {
        timer.Time(state, [&] { plant.Chart().ClickBar(kSelectionRow, bar); });
    }
    state.counters["row_bars"] = plant.Chart().TimeBarCount(kSelectionRow);
    ReportTarget(state, timer, kOperationTargetMs);
}

// ---- Conflicts ----

// A bar of the row that clashes with another activity, so the query fills its lists; the middle
// bar when none clashes.
int16_t ClashingBar(Tessaro_Ctrl& control, int16_t row) {
    for (const int16_t bar : WorkOrderBars(control.ctResSched(), row)) {
        int16_t r = row;
        int16_t b = bar;
        if (control.ConflictTimeBars(r, b).empty()) {
            return bar;
        }
    }
    return WorkOrderBarAt(control.ctResSched(), row, 0.5);
}

template <bool OwnActivityOnly>
void BM_ConflictQuery(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    const int16_t bar = ClashingBar(control, kConflictRow);
    IterationTimer timer;
    for (auto _ : state) {
        int16_t row = kConflictRow;
        int16_t searched = bar;
        timer.Time(state, [&] {
            benchmark::DoNotOptimize(OwnActivityOnly ? control.CheckConflictTest(row, searched)
                                                     : control.ConflictTimeBars(row, searched));
        });
    }
    state.counters["row_bars"] = control.ctResSched().TimeBarCount(kConflictRow);
    state.counters["listed"] = control.lstConflictWorkOrders().ListCount();
    ReportTarget(state, timer, kOperationTargetMs);
}

// ---- Copy, drag and paste ----

// Right-click and Copy: the temporary bar is laid over the activity. Ignore takes it off again.
void BM_Copy(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    ScheduleChart& chart = control.ctResSched();
    IgnoreTemporaryBar(control);
    const int16_t bar = WorkOrderBarAt(chart, kCopyRow, 0.5);
    IterationTimer timer;
    for (auto _ : state) {
        timer.Time(state, [&] {
            chart.RightClickBar(kCopyRow, bar);
            control.mnuSchedPopUp().Choose("miCopy");
        });
        if (control.TempBarKey().empty()) {
            state.SkipWithError("Copy laid no temporary bar");
            break;
        }
        IgnoreTemporaryBar(control);
    }
    state.counters["row_bars"] = chart.TimeBarCount(kCopyRow);
    ReportTarget(state, timer, kOperationTargetMs);
}

// The activity the drag benchmarks copy: the work order of the bar half-way along the drag row,
// and where that bar starts.
std::pair<std::string, ChartTime> DraggedActivity(const ScheduleChart& chart) {
    const int16_t first = WorkOrderBarAt(chart, kDragRow, 0.5);
    return {std::string(WorkOrderOf(chart.TimeBarKey(kDragRow, first))),
            chart.Bar(kDragRow, first).Start};
}

// Dragging the temporary bar along its row: the activity is rebuilt at the new time and the
// temporary bar goes. The activity moves a day later and back on alternate iterations.
void BM_DragTemporaryBar(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    ScheduleChart& chart = control.ctResSched();
    IgnoreTemporaryBar(control);
    const auto [workOrder, origin] = DraggedActivity(chart);
    const int16_t rowBars = chart.TimeBarCount(kDragRow);
    IterationTimer timer;
    int32_t dayShift = 1;
    for (auto _ : state) {
        const int16_t temporary = CopyWorkOrder(control, workOrder, kDragRow);
        if (temporary == 0) {
            state.SkipWithError("Copy laid no temporary bar");
            break;
        }
        timer.Time(state, [&] {
            chart.DragBar(kDragRow, temporary, kDragRow, origin.Day + dayShift, origin.Minute);
        });
        if (!control.TempBarKey().empty() || chart.TimeBarCount(kDragRow) != rowBars) {
            state.SkipWithError("the drag did not rebuild the activity");
            break;
        }
        dayShift = 1 - dayShift;
    }
    state.counters["row_bars"] = rowBars;
    ReportTarget(state, timer, kOperationTargetMs);
}

// The preview a drag shows while the copy is in the hand: what dropping it at the place under
// the mouse would do. Each iteration is one mouse move: the next quarter hour, on the copy's row
// or the next.
void BM_PreviewCopyDrop(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    ScheduleChart& chart = control.ctResSched();
    IgnoreTemporaryBar(control);
    const auto [workOrder, origin] = DraggedActivity(chart);
    if (CopyWorkOrder(control, workOrder, kDragRow) == 0) {
        state.SkipWithError("Copy laid no temporary bar");
        return;
    }
    IterationTimer timer;
    int64_t moves = 0;
    for (auto _ : state) {
        const PlanTime at = PlanTimeOf(origin) + std::chrono::minutes{15 * (moves % 96)};
        const int row = kDragRow + static_cast<int>(moves % 2);
        DropPreview preview;
        timer.Time(state, [&] { preview = control.PreviewCopyDrop(row, at); });
        if (!preview.Valid) {
            state.SkipWithError("no preview");
            break;
        }
        benchmark::DoNotOptimize(preview);
        ++moves;
    }
    IgnoreTemporaryBar(control);
    ReportTarget(state, timer, kPreviewTargetMs);
}

// Every conflict of the plan read from the whole chart, as the control reads it once after a load
// or Refresh: overlaps, activities out of order, work in calendar blocks. Taking the rows out and
// putting them back (untimed) changes the rows as a load does.
void BM_PlanConflicts(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    ScheduleChart& chart = control.ctResSched();
    IterationTimer timer;
    std::size_t found = 0;
    for (auto _ : state) {
        chart.RestoreRows(chart.TakeRows());
        timer.Time(state, [&] { found = control.PlanConflicts().size(); });
    }
    state.counters["conflicts"] = static_cast<double>(found);
}

// The rows of a frame in sight.
constexpr int16_t kRowsInSight = 30;

// The conflicts asked after one drop of a copy on the drag row (the activity a day later and
// back on alternate iterations): the whole plan's, as the conflict panel and F8 ask, or those of
// the rows in sight around the drag row, as a frame asks. The drop changed one row, so the
// control reads that row and its work orders again, not the plant.
template <bool InSight>
void BM_PlanConflictsAfterDrop(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    ScheduleChart& chart = control.ctResSched();
    IgnoreTemporaryBar(control);
    const auto [workOrder, origin] = DraggedActivity(chart);
    const auto firstInSight = static_cast<int16_t>(std::max(1, kDragRow - kRowsInSight / 2));
    const auto lastInSight =
        static_cast<int16_t>(std::min<int>(chart.RowCount(), firstInSight + kRowsInSight - 1));
    const auto ask = [&] {
        return InSight ? control.PlanConflictsOfRows(firstInSight, lastInSight).size()
                       : control.PlanConflicts().size();
    };
    ask();
    IterationTimer timer;
    int32_t dayShift = 1;
    std::size_t found = 0;
    for (auto _ : state) {
        const int16_t temporary = CopyWorkOrder(control, workOrder, kDragRow);
        if (temporary == 0) {
            state.SkipWithError("Copy laid no temporary bar");
            break;
        }
        chart.DragBar(kDragRow, temporary, kDragRow, origin.Day + dayShift, origin.Minute);
        if (!control.TempBarKey().empty()) {
            state.SkipWithError("the drag did not rebuild the activity");
            break;
        }
        timer.Time(state, [&] { found = ask(); });
        dayShift = 1 - dayShift;
    }
    state.counters["conflicts"] = static_cast<double>(found);
    state.counters["rows"] = InSight ? lastInSight - firstInSight + 1 : chart.RowCount();
    // The first frame after a drop asks the rows in sight beside painting them.
    ReportTarget(state, timer, InSight ? kOperationTargetMs : kReschedulingTargetMs);
}

// Copy one activity, right-click another bar of the row, then Paste Forward or Backward: the
// activity is rebuilt to end where the clicked bar ends.
template <bool Forward>
void BM_Paste(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    ScheduleChart& chart = control.ctResSched();
    IgnoreTemporaryBar(control);
    const std::string copied(
        WorkOrderOf(chart.TimeBarKey(kPasteRow, WorkOrderBarAt(chart, kPasteRow, 0.5))));
    const std::string target(
        WorkOrderOf(chart.TimeBarKey(kPasteRow, WorkOrderBarAt(chart, kPasteRow, 0.25))));
    const int16_t rowBars = chart.TimeBarCount(kPasteRow);
    IterationTimer timer;
    for (auto _ : state) {
        if (CopyWorkOrder(control, copied, kPasteRow) == 0) {
            state.SkipWithError("Copy laid no temporary bar");
            break;
        }
        chart.RightClickBar(kPasteRow, BarOfWorkOrder(chart, target, kPasteRow));
        timer.Time(state, [&] { control.mnuDrag().Choose(Forward ? "miFwdSch" : "miBackSch"); });
        if (!control.TempBarKey().empty() || chart.TimeBarCount(kPasteRow) != rowBars) {
            state.SkipWithError("the paste did not rebuild the activity");
            break;
        }
    }
    state.counters["row_bars"] = rowBars;
    ReportTarget(state, timer, kOperationTargetMs);
}

// ---- Pack ----

// Pack of a whole row from its earliest bar. The first Pack leaves the row packed; every later one
// moves the same bars to the same places and records them again.
void BM_PackRow(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    ScheduleChart& chart = control.ctResSched();
    IgnoreTemporaryBar(control);
    chart.RightClickBar(kPackRow, EarliestWorkOrderBar(chart, kPackRow));
    // Every bar Pack moves tells the views once; the count is taken outside the timing, as a
    // listener costs every notification.
    int64_t moved = 0;
    const int listener = chart.Changed.Subscribe([&moved](const tessaro::ChartChange& change) {
        moved += change.What == tessaro::ChartChange::Kind::Bar ? 1 : 0;
    });
    control.mnuSchedPopUp().Choose("miPack");
    chart.Changed.Unsubscribe(listener);
    IterationTimer timer;
    for (auto _ : state) {
        timer.Time(state, [&] { control.mnuSchedPopUp().Choose("miPack"); });
    }
    state.counters["row_bars"] = chart.TimeBarCount(kPackRow);
    state.counters["moved"] = static_cast<double>(moved);
    ReportTarget(state, timer, kOperationTargetMs);
}

// ---- The rescheduling document ----

// Packs rows from the last one up, each from its earliest bar, until the changes hold the wanted
// number of records or only the other benchmarks' rows are left.
void PackRowsForRecords(Tessaro_Ctrl& control, int32_t records) {
    ScheduleChart& chart = control.ctResSched();
    IgnoreTemporaryBar(control);
    for (int16_t row = chart.RowCount();
         row > kLastOwnRow && control.PendingChanges().Count() < records; --row) {
        const int16_t anchor = EarliestWorkOrderBar(chart, row);
        if (anchor != 0) {
            chart.RightClickBar(row, anchor);
            control.mnuSchedPopUp().Choose("miPack");
        }
    }
}

template <bool AsText>
void BM_Rescheduling(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    PackRowsForRecords(control, kReschedulingRecords);
    const int32_t records = control.PendingChanges().Count();
    IterationTimer timer;
    for (auto _ : state) {
        timer.Time(state, [&] {
            if (AsText) {
                benchmark::DoNotOptimize(control.rescheduling().Xml());
            } else {
                benchmark::DoNotOptimize(control.rescheduling());
            }
        });
    }
    state.counters["records"] = records;
    ReportTarget(state, timer, kReschedulingTargetMs,
                 records < kReschedulingRecords
                     ? "the plant gives only " + std::to_string(records) + " records"
                     : "");
}

// ---- Undo history beside many pending records ----

// Copies the row's middle activity and drags its temporary bar a day later, or back on every
// other drag: each drag is one step of the undo history.
class RowDrags {
public:
    RowDrags(Tessaro_Ctrl& control, int16_t row) : control_(control), row_(row) {
        IgnoreTemporaryBar(control);
        const ScheduleChart& chart = control.ctResSched();
        const int16_t bar = WorkOrderBarAt(chart, row, 0.5);
        workOrder_ = WorkOrderOf(chart.TimeBarKey(row, bar));
        origin_ = chart.Bar(row, bar).Start;
        rowBars_ = chart.TimeBarCount(row);
    }

    // The Copy, untimed; false when it laid no temporary bar.
    bool Copy() {
        temporary_ = CopyWorkOrder(control_, workOrder_, row_);
        return temporary_ != 0;
    }

    // The drag of the temporary bar the last Copy laid; false when it rebuilt no activity.
    bool Drag() {
        ScheduleChart& chart = control_.ctResSched();
        chart.DragBar(row_, temporary_, row_, origin_.Day + dayShift_, origin_.Minute);
        dayShift_ = 1 - dayShift_;
        return control_.TempBarKey().empty() && chart.TimeBarCount(row_) == rowBars_;
    }

private:
    Tessaro_Ctrl& control_;
    int16_t row_;
    std::string workOrder_;
    ChartTime origin_;
    int16_t rowBars_ = 0;
    int16_t temporary_ = 0;
    int32_t dayShift_ = 1;
};

// The pending records the history benchmarks work beside, from Packs of the rows after the
// benchmarks' own (each Pack a step of the history); a note when the plant gives fewer.
std::string PendingRecordsNote(Tessaro_Ctrl& control) {
    PackRowsForRecords(control, kHistoryRecords);
    const int32_t records = control.PendingChanges().Count();
    return records < kHistoryRecords
               ? "the plant gives only " + std::to_string(records) + " records"
               : std::to_string(records) + " records pending";
}

enum class HistoryCommand { Drag, Undo, Redo };

// One drag, one undo or one redo of a drag while thousands of records are pending: none of them
// may cost more as the records grow.
template <HistoryCommand Timed>
void BM_HistoryBesideRecords(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    const std::string note = PendingRecordsNote(control);
    RowDrags drags(control, kHistoryRow);
    if (Timed != HistoryCommand::Drag && !(drags.Copy() && drags.Drag())) {
        state.SkipWithError("the drag did not rebuild the activity");
        return;
    }
    IterationTimer timer;
    for (auto _ : state) {
        if (Timed == HistoryCommand::Drag) {
            if (!drags.Copy()) {
                state.SkipWithError("Copy laid no temporary bar");
                break;
            }
            bool rebuilt = false;
            timer.Time(state, [&] { rebuilt = drags.Drag(); });
            if (!rebuilt) {
                state.SkipWithError("the drag did not rebuild the activity");
                break;
            }
        } else if (Timed == HistoryCommand::Undo) {
            timer.Time(state, [&] { control.Undo(); });
            control.Redo();
        } else {
            control.Undo();
            timer.Time(state, [&] { control.Redo(); });
        }
    }
    state.counters["records"] = control.PendingChanges().Count();
    ReportTarget(state, timer, kOperationTargetMs, note);
}

// The memory 2,000 drags add beside the pending records, from an empty history (the plan header
// loaded again ends the history and keeps every record): the history's steps and the chart's
// rebuilt bars together, as the growth of the heap bytes in use, against 50 MiB; the growth of
// the trimmed resident size is shown beside it. The time is the drags' own; the first and last
// hundred drags' means show whether a drag costs more as the history fills.
void BM_HistoryMemoryOfDrags(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    const std::string note = PendingRecordsNote(control);
    control.LoadScheduleTime(std::string(control.Box3().Text()));
    RowDrags drags(control, kHistoryRow);
    const int64_t before = tessaro::bench::TrimmedResidentBytes();
    const int64_t heapBefore = tessaro::bench::HeapBytesInUse();
    std::vector<double> dragMs;
    for (auto _ : state) {
        double seconds = 0;
        for (int32_t i = 0; i < kHistoryDrags; ++i) {
            if (!drags.Copy()) {
                state.SkipWithError("Copy laid no temporary bar");
                return;
            }
            const auto start = std::chrono::steady_clock::now();
            const bool rebuilt = drags.Drag();
            const double took =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (!rebuilt) {
                state.SkipWithError("the drag did not rebuild the activity");
                return;
            }
            seconds += took;
            dragMs.push_back(took * 1000);
        }
        state.SetIterationTime(seconds);
    }
    const double grownMiB =
        static_cast<double>(tessaro::bench::HeapBytesInUse() - heapBefore) / (1 << 20);
    const int64_t after = tessaro::bench::TrimmedResidentBytes();
    const auto meanOf = [&](size_t from) {
        double sum = 0;
        for (size_t i = from; i < from + 100; ++i) {
            sum += dragMs[i];
        }
        return sum / 100;
    };
    state.counters["heap_growth_mib"] = grownMiB;
    state.counters["rss_growth_mib"] = static_cast<double>(after - before) / (1 << 20);
    state.counters["rss_mib"] = static_cast<double>(after) / (1 << 20);
    state.counters["first_100_drags_ms"] = meanOf(0);
    state.counters["last_100_drags_ms"] = meanOf(dragMs.size() - 100);
    state.counters["records"] = control.PendingChanges().Count();
    state.SetLabel("target " + std::to_string(static_cast<int64_t>(kHistoryTargetMiB)) +
                   " MiB heap growth over " + std::to_string(kHistoryDrags) +
                   " drags: " + Verdict(grownMiB < kHistoryTargetMiB) + " (" + note + ")");
}

// ---- Refresh ----

// Refresh replays the four payloads the control keeps: the plant as loaded, changes dropped. Its
// target is the four loaders': 1 s at 100,000 sub-activities, growing linearly beyond.
void BM_Refresh(benchmark::State& state) {
    Tessaro_Ctrl& control = Plant(state).Control();
    IterationTimer timer;
    for (auto _ : state) {
        timer.Time(state, [&] { control.mnuSchedPopUp().Choose("miRefresh"); });
    }
    const double growth = std::max(1.0, static_cast<double>(state.range(1)) / kRefreshTargetBars);
    ReportTarget(state, timer, kRefreshTargetMs * growth, "the four loaders' target");
}

// ---- Registration ----

struct PlantSize {
    int64_t resources;
    int64_t subActivities;
    // Every Copy adds a bar style and a chart holds at most 32767, so the benchmarks that copy run
    // a fixed number of times.
    int64_t copies;
    int64_t refreshes;
};

constexpr PlantSize kSizes[] = {
    {50, 1000, 400, 10},
    {500, 100000, 200, 3},
    {2000, 1000000, 40, 1},
};

benchmark::internal::Benchmark* Register(const char* name, void (*run)(benchmark::State&),
                                         const PlantSize& size) {
    return benchmark::RegisterBenchmark(name, run)
        ->Args({size.resources, size.subActivities})
        ->ArgNames({"resources", "subactivities"})
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

// Every operation of one plant size runs before the next plant is loaded, so only one plant is in
// memory at a time; Refresh comes last as it drops every change the others made.
void RegisterWorkflow() {
    constexpr double kMinTime = 0.2;
    for (const PlantSize& size : kSizes) {
        Register("BM_ResidentMemoryPerBar", BM_ResidentMemoryPerBar, size)->Iterations(1);
        Register("BM_SelectWorkOrder", BM_SelectWorkOrder, size)->MinTime(kMinTime);
        Register("BM_BarSelection", BM_BarSelection, size)->MinTime(kMinTime);
        Register("BM_Deselect", BM_Deselect, size)->MinTime(kMinTime);
        Register("BM_ClickBar", BM_ClickBar, size)->MinTime(kMinTime);
        Register("BM_ConflictTimeBars", BM_ConflictQuery<false>, size)->MinTime(kMinTime);
        Register("BM_CheckConflictTest", BM_ConflictQuery<true>, size)->MinTime(kMinTime);
        Register("BM_Copy", BM_Copy, size)->Iterations(size.copies);
        Register("BM_DragTemporaryBar", BM_DragTemporaryBar, size)->Iterations(size.copies);
        Register("BM_PreviewCopyDrop", BM_PreviewCopyDrop, size)->Iterations(size.copies);
        Register("BM_PlanConflicts", BM_PlanConflicts, size)->Iterations(3);
        Register("BM_PlanConflictsAfterDrop", BM_PlanConflictsAfterDrop<false>, size)
            ->Iterations(size.copies);
        Register("BM_PlanConflictsOfRowsInSightAfterDrop", BM_PlanConflictsAfterDrop<true>, size)
            ->Iterations(size.copies);
        Register("BM_PasteForward", BM_Paste<true>, size)->Iterations(size.copies);
        Register("BM_PasteBackward", BM_Paste<false>, size)->Iterations(size.copies);
        Register("BM_PackRow", BM_PackRow, size)->MinTime(kMinTime);
        Register("BM_DragBesideRecords", BM_HistoryBesideRecords<HistoryCommand::Drag>, size)
            ->Iterations(size.copies);
        Register("BM_UndoBesideRecords", BM_HistoryBesideRecords<HistoryCommand::Undo>, size)
            ->Iterations(size.copies);
        Register("BM_RedoBesideRecords", BM_HistoryBesideRecords<HistoryCommand::Redo>, size)
            ->Iterations(size.copies);
        Register("BM_HistoryMemoryOfDrags", BM_HistoryMemoryOfDrags, size)->Iterations(1);
        Register("BM_Rescheduling", BM_Rescheduling<false>, size)->MinTime(kMinTime);
        Register("BM_ReschedulingXml", BM_Rescheduling<true>, size)->MinTime(kMinTime);
        Register("BM_Refresh", BM_Refresh, size)->Iterations(size.refreshes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    RegisterWorkflow();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
