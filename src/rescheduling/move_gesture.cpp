#include "rescheduling/move_gesture.hpp"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace tessaro {

namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// Phase() reads the phase from the alternative held.
template <GesturePhase phase, typename Held>
constexpr bool kHeldIn =
    std::is_same_v<std::variant_alternative_t<static_cast<size_t>(phase), MoveGesture::State>,
                   Held>;
static_assert(kHeldIn<GesturePhase::Idle, MoveGesture::NothingHeld> &&
              kHeldIn<GesturePhase::Dragging, MoveGesture::DragAlone> &&
              kHeldIn<GesturePhase::Copied, MoveGesture::CopyAlone> &&
              kHeldIn<GesturePhase::DraggingBesideCopy, MoveGesture::CopyWithDrag>);

const std::string kNoText;
const std::string kRowChanged = "Y";
const std::string kRowKept = "N";

}  // namespace

// ---- The held pieces ----

const BarDrag* MoveGesture::Drag() const {
    if (const auto* alone = std::get_if<DragAlone>(&state_)) {
        return &alone->Drag;
    }
    if (const auto* both = std::get_if<CopyWithDrag>(&state_)) {
        return &both->Drag;
    }
    return nullptr;
}

BarDrag* MoveGesture::MutableDrag() {
    return const_cast<BarDrag*>(std::as_const(*this).Drag());
}

const CopiedActivity* MoveGesture::Copy() const {
    if (const auto* alone = std::get_if<CopyAlone>(&state_)) {
        return &alone->Copy;
    }
    if (const auto* both = std::get_if<CopyWithDrag>(&state_)) {
        return &both->Copy;
    }
    return nullptr;
}

CopiedActivity* MoveGesture::MutableCopy() {
    return const_cast<CopiedActivity*>(std::as_const(*this).Copy());
}

// ---- What the control shows ----

int16_t MoveGesture::ResizePending() const {
    const BarDrag* drag = Drag();
    return drag != nullptr && drag->Mode != 1 ? kTrue : kFalse;
}

const std::string& MoveGesture::TempBarKey() const {
    const CopiedActivity* copy = Copy();
    return copy != nullptr ? copy->TemporaryKey : kNoText;
}

const std::string& MoveGesture::LastChangeKey() const {
    const CopiedActivity* copy = Copy();
    return copy != nullptr ? copy->ShortenedKey : kNoText;
}

const std::string& MoveGesture::ResChangeFlag() const {
    const BarDrag* drag = Drag();
    return drag != nullptr && drag->RowChange ? kRowChanged : kRowKept;
}

const std::string& MoveGesture::NewResource() const {
    const BarDrag* drag = Drag();
    return drag != nullptr && drag->RowChange ? drag->RowChange->NewResource : kNoText;
}

const std::string& MoveGesture::OldResource() const {
    const BarDrag* drag = Drag();
    return drag != nullptr && drag->RowChange ? drag->RowChange->OldResource : kNoText;
}

// ---- The copy ----

void MoveGesture::BeginCopy(CopiedActivity copy, int16_t sourceRow, int16_t sourceBar) {
    TempBarItem = copy.TemporaryBar.Row;
    TempBarActive = kTrue;
    SourceItem = sourceRow;
    SourceBarIndex = sourceBar;
    copy.ShortenedKey.clear();
    // A drag under way goes on beside the new copy.
    if (const BarDrag* drag = Drag()) {
        state_ = CopyWithDrag{std::move(copy), *drag};
    } else {
        state_ = CopyAlone{std::move(copy)};
    }
}

void MoveGesture::SeeTemporaryBarOn(int16_t row) {
    if (CopiedActivity* copy = MutableCopy()) {
        copy->TemporaryBar.Row = row;
        TempBarItem = row;
    }
}

void MoveGesture::NoteShortenedCopy() {
    if (CopiedActivity* copy = MutableCopy()) {
        copy->ShortenedKey = ChangeKey(copy->Activity.WorkOrder, copy->Activity.ScheduleNo);
    }
}

void MoveGesture::EndCopy() {
    EndRowChange();
    if (const BarDrag* drag = Drag()) {
        state_ = DragAlone{*drag};
    } else {
        state_ = NothingHeld{};
    }
    TempBarItem = -1;
    TempBarIndex = -1;
    TempBarActive = kFalse;
    MovePending = kFalse;
    WorkOrderSpan = {};
}

// ---- A drag of one bar ----

void MoveGesture::BeginDrag(const BarDrag& drag) {
    if (drag.Mode == 1) {
        MovePending = kTrue;
    }
    if (BarDrag* held = MutableDrag()) {
        // A drag that never ended (its call failed on the way) gives way to the new one; the row
        // change noted for it stands until the new drag's own row change or drop.
        std::optional<tessaro::RowChange> noted = std::move(held->RowChange);
        *held = drag;
        held->RowChange = std::move(noted);
    } else if (auto* copied = std::get_if<CopyAlone>(&state_)) {
        state_ = CopyWithDrag{std::move(copied->Copy), drag};
    } else {
        state_ = DragAlone{drag};
    }
}

std::optional<BarDrag> MoveGesture::EndDragOf(uint64_t id) {
    if (!Dragging(id)) {
        return std::nullopt;
    }
    std::optional<BarDrag> ended = *Drag();
    DropDrag();
    return ended;
}

void MoveGesture::DropDrag() {
    if (auto* both = std::get_if<CopyWithDrag>(&state_)) {
        state_ = CopyAlone{std::move(both->Copy)};
    } else if (std::holds_alternative<DragAlone>(state_)) {
        state_ = NothingHeld{};
    }
}

// ---- The row change of a drop ----

void MoveGesture::BeginRowChange(std::string oldResource, std::string newResource) {
    if (BarDrag* drag = MutableDrag()) {
        drag->RowChange = tessaro::RowChange{std::move(oldResource), std::move(newResource)};
    }
}

void MoveGesture::EndRowChange() {
    if (BarDrag* drag = MutableDrag()) {
        drag->RowChange.reset();
    }
}

}  // namespace tessaro
