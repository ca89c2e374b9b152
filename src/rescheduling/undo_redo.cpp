#include <algorithm>
#include <vector>

#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

void Rescheduler::Undo() {
    EntryCounter::Scope entry(surface_.Entries);
    if (CanUndo()) {
        RemoveTemporaryBar();
        TakeStep(history_.TakeUndo(), false);
    }
}

void Rescheduler::Redo() {
    EntryCounter::Scope entry(surface_.Entries);
    if (CanRedo()) {
        RemoveTemporaryBar();
        TakeStep(history_.TakeRedo(), true);
    }
}

void Rescheduler::TakeStep(const CommandStep& step, bool forward) {
    try {
        RestoreStep(step, forward);
    } catch (...) {
        // All or nothing: a step that fails part-way goes back to the side it came from.
        RestoreStep(step, !forward);
        forward ? history_.GiveBackRedo() : history_.GiveBackUndo();
        throw;
    }
}

void Rescheduler::BeforeChangingActivity(const BarRecord& record) {
    const ActivityId activity = ActivityId::Of(record);
    journal_.Touch(activity);
    if (history_.CommandOpen()) {
        history_.Capture(plan_, activity, journal_.Hold(activity));
    }
}

void Rescheduler::RestoreStep(const CommandStep& step, bool forward) {
    // The activities' bars as they are now go, and those of the other side of the step come
    // back, each on its row with its key, record, text and kind, in the look the selection
    // gives it now.
    for (const ActivityId& activity : step.Activities) {
        for (const PlacedBar& placed : UndoHistory::BarsOf(plan_, activity)) {
            const auto [row, bar] = chart_.FindTimeBarById(placed.Id, placed.Row);
            if (bar > 0) {
                chart_.RemoveTimeBar(row, bar);
            }
        }
    }
    // Every other bar of the rows is where it was on that side, so bars put back in row and
    // index order, each at its index, stand where they stood: a later Pack chains them as it
    // would have then. A bar whose index is past its row's end (a host took bars off meanwhile)
    // goes last.
    std::vector<const PlacedBar*> side;
    for (const PlacedBar& placed : forward ? step.After : step.Before) {
        side.push_back(&placed);
    }
    std::stable_sort(side.begin(), side.end(), [](const PlacedBar* a, const PlacedBar* b) {
        return std::pair(a->Row, a->Index) < std::pair(b->Row, b->Index);
    });
    const std::string selected = surface_.Selection.SelectedWorkOrder();
    for (const PlacedBar* placed : side) {
        int16_t bar = PutTimeBar(chart_, placed->Row, placed->Bar);
        if (placed->Index >= 1 && placed->Index < bar) {
            chart_.SetTimeBarIndex(placed->Row, bar, placed->Index);
            bar = placed->Index;
        }
        const std::shared_ptr<const BarRecord> record = plan_.RecordOf(placed->Row, bar);
        surface_.Look.ApplySelectionLook(placed->Row, bar, *record,
                                         !selected.empty() && record->work_order_no == selected);
    }
    journal_.Restore(forward ? step.RecordsAfter : step.RecordsBefore);
}

}  // namespace tessaro
