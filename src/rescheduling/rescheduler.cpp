#include "rescheduling/rescheduler.hpp"

#include <utility>

namespace tessaro {

namespace {
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
}  // namespace

Rescheduler::Rescheduler(ReschedulingSurface surface)
    : surface_(surface), chart_(surface.Chart), plan_(surface.Plan), journal_(surface.Plan) {}

void Rescheduler::Start() {
    gesture_.TempBarActive = kTrue;
    gesture_.PasteArmed = kTrue;
    journal_.Clear();
}

void Rescheduler::Disarm() {
    gesture_.PasteArmed = kFalse;
    gesture_.MovePending = kFalse;
}

void Rescheduler::AfterRowsLoaded() {
    gesture_.DropDrag();
    // The temporary bar and every changed bar went with the rows: a record of them would
    // describe a chart that is no longer there.
    gesture_.EndCopy();
    companions_.clear();
    picked_.clear();
    gesture_.ClickedBar = {};
    journal_.Clear();
    history_.Clear();
}

void Rescheduler::AfterBarsLoaded() {
    EndGestureForLoad();
    journal_.RecordAllAgain();
    history_.Clear();
}

void Rescheduler::AfterOtherLoad() {
    EndGestureForLoad();
    history_.Clear();
}

void Rescheduler::EndGestureForLoad() {
    gesture_.DropDrag();
    RemoveTemporaryBar();
}

Rescheduler::SetAside Rescheduler::TakeForReload() {
    gesture_.DropDrag();
    return {gesture_, std::exchange(journal_, ChangeJournal(plan_)),
            std::exchange(history_, UndoHistory())};
}

void Rescheduler::PutBack(SetAside kept) {
    gesture_ = std::move(kept.Gesture);
    journal_ = std::move(kept.Journal);
    history_ = std::move(kept.History);
}

std::optional<LoadedPlacement> Rescheduler::LoadedPlacementOf(std::string_view workOrder,
                                                              int32_t activity) const {
    return journal_.LoadedPlacementOf({std::string(workOrder), activity});
}

}  // namespace tessaro
