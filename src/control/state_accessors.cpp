#include <tessaro/control/tessaro_ctrl.hpp>

#include "rescheduling/change_journal.hpp"
#include "rescheduling/move_gesture.hpp"

namespace tessaro {

// The gesture and change state the control shows; the move gesture and the change journal own it.

const std::string& Tessaro_Ctrl::ResChangeFlag() const {
    return Gesture_->ResChangeFlag;
}
int16_t Tessaro_Ctrl::MovePending() const {
    return Gesture_->MovePending;
}
int16_t Tessaro_Ctrl::TempBarActive() const {
    return Gesture_->TempBarActive;
}
int16_t Tessaro_Ctrl::PasteArmed() const {
    return Gesture_->PasteArmed;
}
int16_t Tessaro_Ctrl::ResizePending() const {
    return Gesture_->ResizePending;
}
int16_t Tessaro_Ctrl::PackInProgress() const {
    return Gesture_->PackInProgress;
}
const PendingChangeMap& Tessaro_Ctrl::PendingChanges() const {
    return Journal_->Pending();
}
const std::string& Tessaro_Ctrl::ClickedBarKey() const {
    return Gesture_->ClickedBarKey;
}
const std::string& Tessaro_Ctrl::TempBarKey() const {
    return Gesture_->TempBarKey;
}
int16_t Tessaro_Ctrl::TempBarItem() const {
    return Gesture_->TempBarItem;
}
int16_t Tessaro_Ctrl::SourceItem() const {
    return Gesture_->SourceItem;
}
int16_t Tessaro_Ctrl::SourceBarIndex() const {
    return Gesture_->SourceBarIndex;
}
const tessaro::WorkOrderSpan& Tessaro_Ctrl::WorkOrderSpan() const {
    return Gesture_->WorkOrderSpan;
}
const std::string& Tessaro_Ctrl::LastChangeKey() const {
    return Gesture_->LastChangeKey;
}
const std::string& Tessaro_Ctrl::PasteMethod() const {
    return Gesture_->PasteMethod;
}
const std::string& Tessaro_Ctrl::NewResource() const {
    return Gesture_->NewResource;
}
const std::string& Tessaro_Ctrl::OldResource() const {
    return Gesture_->OldResource;
}

std::optional<LoadedPlacement> Tessaro_Ctrl::LoadedPlacementOf(std::string_view workOrder,
                                                               int32_t activity) const {
    return Journal_->LoadedPlacementOf({std::string(workOrder), activity});
}

}  // namespace tessaro
