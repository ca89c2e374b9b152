#pragma once

// The planner's move of an activity, from the right-click that names a bar to the change it
// leaves, in one place: the bar last right-clicked, the copied activity and its temporary bar,
// the single-bar drag under way (with the times it started from) and the row change of that
// drag. The copy and the drag are one value, the gesture's phase with what that phase holds;
// every piece of it has a transition that starts it and one that ends it, so no state of one
// gesture outlives it into the next.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include <tessaro/bars/bar_record.hpp>
#include <tessaro/bars/work_order_span.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "plan/activity.hpp"

namespace tessaro {

// A bar found again by its identity; Row is where it was seen last.
struct BarHandle {
    int16_t Row = 0;
    uint64_t Id = 0;

    explicit operator bool() const { return Id != 0; }
};

// The activity a Copy took, from Copy until it is applied or the copy ends.
struct CopiedActivity {
    ActivityId Activity;
    // The record and style of the bar that was copied: the rebuilt bar is made from them.
    std::shared_ptr<const BarRecord> Source;
    int16_t SourceStyle = 0;
    BarHandle TemporaryBar;
    // The temporary bar's key ("T$" and the copied bar's count).
    std::string TemporaryKey;
    // The change key of the activity once an edge drag has shortened the temporary bar, which
    // stands changed but not applied; "" before.
    std::string ShortenedKey;
};

// The temporary bar of a copy dropped on another row: the resource codes of both rows.
struct RowChange {
    std::string OldResource;
    std::string NewResource;
};

// A planner's drag of one bar, from its BarChanging to its BarChanged.
struct BarDrag {
    BarHandle Bar;
    // 1 moves the bar, 2 and 3 move an edge.
    int16_t Mode = 0;
    ChartTime Start;
    ChartTime End;
    std::optional<tessaro::RowChange> RowChange;
};

// Where the planner's move stands. A copy stands until it is applied or dropped; a drag lasts
// from one chart notification to another and may be of the copy's temporary bar or of any other
// bar while the copy stands, so the phases are each of them alone and both together.
enum class GesturePhase : uint8_t {
    Idle,
    Dragging,
    Copied,
    DraggingBesideCopy,
};

class MoveGesture {
public:
    // ---- What each phase holds ----
    struct NothingHeld {};
    struct DragAlone {
        BarDrag Drag;
    };
    struct CopyAlone {
        CopiedActivity Copy;
    };
    struct CopyWithDrag {
        CopiedActivity Copy;
        BarDrag Drag;
    };
    // In the order of GesturePhase.
    using State = std::variant<NothingHeld, DragAlone, CopyAlone, CopyWithDrag>;

    GesturePhase Phase() const { return static_cast<GesturePhase>(state_.index()); }

    // ---- The flags the control shows (automation booleans: true is -1) ----
    // These three are set and cleared by the planner's clicks, by the host's GestureFlagsSet and
    // at start-up whatever the phase is, and keep their value after the gesture that set them
    // ended (a refused drag of a work-order bar leaves a move pending), so they stay flags.
    int16_t MovePending = 0;
    int16_t TempBarActive = 0;
    int16_t PasteArmed = 0;
    // Pack runs beside whatever the phase is (a copy stands on; a host's veto asked during Pack
    // may itself begin a drag) and puts the flag back on every way out.
    int16_t PackInProgress = 0;
    // An edge drag is under way.
    int16_t ResizePending() const;

    std::string ClickedBarKey;
    BarHandle ClickedBar;
    int16_t TempBarItem = 0;
    int16_t TempBarIndex = 0;
    int16_t SourceItem = 0;
    int16_t SourceBarIndex = 0;
    // The copied activity's earliest start and latest end.
    tessaro::WorkOrderSpan WorkOrderSpan;
    // The method letter of the last paste; it goes into later records too.
    std::string PasteMethod;

    // ---- The copy ----
    void BeginCopy(CopiedActivity copy, int16_t sourceRow, int16_t sourceBar);
    const CopiedActivity* Copy() const;
    bool IsTemporaryBar(uint64_t id) const {
        const CopiedActivity* copy = Copy();
        return copy != nullptr && copy->TemporaryBar.Id == id;
    }
    void SeeTemporaryBarOn(int16_t row);
    // An edge drag shortened the temporary bar: the copy stands changed, recorded once applied.
    void NoteShortenedCopy();
    // The copy is over (applied, ignored, or its bar gone): nothing of it stays.
    void EndCopy();
    // The temporary bar's key while a copy stands; "" otherwise.
    const std::string& TempBarKey() const;
    // The change key of the copied activity while its temporary bar stands changed but not
    // applied; "" otherwise.
    const std::string& LastChangeKey() const;

    // ---- A drag of one bar ----
    void BeginDrag(const BarDrag& drag);
    // Ends the drag when it is the drag of this bar; returns it then.
    std::optional<BarDrag> EndDragOf(uint64_t id);
    // A drag whose bar never reported its change (it was refused or removed on the way).
    void DropDrag();
    bool Dragging(uint64_t id) const {
        const BarDrag* drag = Drag();
        return drag != nullptr && drag->Bar.Id == id;
    }

    // ---- The row change of a drop ----
    // The dragged bar is on another row now; without a drag there is no row change to note.
    void BeginRowChange(std::string oldResource, std::string newResource);
    void EndRowChange();
    // "Y" while the dragged temporary bar is on another row, "N" otherwise.
    const std::string& ResChangeFlag() const;
    const std::string& NewResource() const;
    const std::string& OldResource() const;

private:
    const BarDrag* Drag() const;
    BarDrag* MutableDrag();
    CopiedActivity* MutableCopy();

    State state_;
};

}  // namespace tessaro
