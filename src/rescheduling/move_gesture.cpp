#include "rescheduling/move_gesture.hpp"

#include <utility>

namespace tessaro {

namespace {
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
}  // namespace

void MoveGesture::BeginCopy(CopiedActivity copy, std::string temporaryKey, int16_t sourceRow,
                            int16_t sourceBar) {
    TempBarKey = std::move(temporaryKey);
    TempBarItem = copy.TemporaryBar.Row;
    TempBarActive = kTrue;
    SourceItem = sourceRow;
    SourceBarIndex = sourceBar;
    LastChangeKey.clear();
    copy_ = std::move(copy);
}

void MoveGesture::SeeTemporaryBarOn(int16_t row) {
    if (copy_) {
        copy_->TemporaryBar.Row = row;
        TempBarItem = row;
    }
}

void MoveGesture::EndCopy() {
    copy_.reset();
    TempBarKey.clear();
    TempBarItem = -1;
    TempBarIndex = -1;
    TempBarActive = kFalse;
    MovePending = kFalse;
    LastChangeKey.clear();
    WorkOrderSpan = {};
    EndRowChange();
}

void MoveGesture::BeginDrag(const BarDrag& drag) {
    drag_ = drag;
    if (drag.Mode == 1) {
        MovePending = kTrue;
    } else {
        ResizePending = kTrue;
        ResizeOrigin = {drag.Start.Day, drag.End.Day, static_cast<int16_t>(drag.Start.Minute),
                        static_cast<int16_t>(drag.End.Minute)};
    }
}

std::optional<BarDrag> MoveGesture::EndDragOf(uint64_t id) {
    if (!Dragging(id)) {
        return std::nullopt;
    }
    std::optional<BarDrag> ended = std::move(drag_);
    DropDrag();
    return ended;
}

void MoveGesture::DropDrag() {
    if (drag_ && drag_->Mode != 1) {
        ResizePending = kFalse;
    }
    drag_.reset();
    EndRowChange();
}

void MoveGesture::BeginRowChange(std::string oldResource, std::string newResource) {
    OldResource = std::move(oldResource);
    NewResource = std::move(newResource);
    ResChangeFlag = "Y";
}

void MoveGesture::EndRowChange() {
    OldResource.clear();
    NewResource.clear();
    ResChangeFlag = "N";
}

}  // namespace tessaro
