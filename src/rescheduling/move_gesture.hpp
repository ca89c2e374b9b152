#pragma once

// The planner's move of an activity, from the right-click that names a bar to the change it
// leaves, in one place: the bar last right-clicked, the copied activity and its temporary bar,
// the single-bar drag under way (with the times it started from) and the row change of that
// drag. Every piece of it has a transition that starts it and one that ends it, so no state of
// one gesture outlives it into the next.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

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
};

// A planner's drag of one bar, from its BarChanging to its BarChanged.
struct BarDrag {
    BarHandle Bar;
    // 1 moves the bar, 2 and 3 move an edge.
    int16_t Mode = 0;
    ChartTime Start;
    ChartTime End;
};

class MoveGesture {
public:
    // ---- The flags the control shows (automation booleans: true is -1). ----
    int16_t MovePending = 0;
    int16_t TempBarActive = 0;
    int16_t PasteArmed = 0;
    int16_t ResizePending = 0;
    int16_t PackInProgress = 0;
    // The bar's times when the last edge drag began.
    tessaro::WorkOrderSpan ResizeOrigin;
    std::string ClickedBarKey;
    BarHandle ClickedBar;
    std::string TempBarKey;
    int16_t TempBarItem = 0;
    int16_t TempBarIndex = 0;
    int16_t SourceItem = 0;
    int16_t SourceBarIndex = 0;
    // The copied activity's earliest start and latest end.
    tessaro::WorkOrderSpan WorkOrderSpan;
    // The change key of the copied activity while its temporary bar stands changed but not
    // applied; "" otherwise.
    std::string LastChangeKey;
    // The method letter of the last paste; it goes into later records too.
    std::string PasteMethod;
    // The row change of the drag under way: "Y" and the two resource codes while the temporary
    // bar is dropped on another row.
    std::string ResChangeFlag = "N";
    std::string NewResource;
    std::string OldResource;

    // ---- The copy ----
    void BeginCopy(CopiedActivity copy, std::string temporaryKey, int16_t sourceRow,
                   int16_t sourceBar);
    const CopiedActivity* Copy() const { return copy_ ? &*copy_ : nullptr; }
    bool IsTemporaryBar(uint64_t id) const { return copy_ && copy_->TemporaryBar.Id == id; }
    void SeeTemporaryBarOn(int16_t row);
    // The copy is over (applied, ignored, or its bar gone): nothing of it stays.
    void EndCopy();

    // ---- A drag of one bar ----
    void BeginDrag(const BarDrag& drag);
    // Ends the drag when it is the drag of this bar; returns it then.
    std::optional<BarDrag> EndDragOf(uint64_t id);
    // A drag whose bar never reported its change (it was refused or removed on the way).
    void DropDrag();
    bool Dragging(uint64_t id) const { return drag_ && drag_->Bar.Id == id; }

    // ---- The row change of a drop ----
    void BeginRowChange(std::string oldResource, std::string newResource);
    void EndRowChange();

private:
    std::optional<CopiedActivity> copy_;
    std::optional<BarDrag> drag_;
};

}  // namespace tessaro
