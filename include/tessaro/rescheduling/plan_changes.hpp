#pragma once

// The plan's changes in typed values, and the host's say before a change is made: what a host of
// today programs against, beside the automation surface (rescheduling(), Vadel_Class2).

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// A time of the plan to the second, on the payloads' own clock (they carry no time zone).
using PlanTime = std::chrono::sys_seconds;

// An activity: a work order's sub-activities with one schedule number.
struct ActivityKey {
    std::string WorkOrder;
    int32_t Activity = 0;

    bool operator==(const ActivityKey&) const = default;
};

enum class ChangeMethod { Moved, PastedForward, PastedBackward };

// One changed activity, as rescheduling() reports it: where it was loaded and where it is now
// (the earliest start and latest end of its bars), the resource it was loaded on and the one it
// is on now (the same when it kept its resource), and how it was last changed.
struct ActivityChange {
    ActivityKey Activity;
    // The code of the sub-activity whose bar was moved last.
    int32_t SubActivity = 0;
    PlanTime LoadedStart;
    PlanTime LoadedEnd;
    PlanTime Start;
    PlanTime End;
    std::string LoadedResource;
    std::string Resource;
    ChangeMethod Method = ChangeMethod::Moved;

    bool ResourceChanged() const { return Resource != LoadedResource; }
    bool operator==(const ActivityChange&) const = default;
};

// What a planner's command is about to do, asked of the host before anything changes: the drop
// of a copy, a paste, or a Pack (undo and redo are not asked).
struct ProposedChange {
    enum class Kind { Drop, PasteForward, PasteBackward, Pack };
    // One activity (for Pack, one bar of it) and where the command would put it.
    struct Move {
        ActivityKey Activity;
        // The status text of the activity's record ("Started", "Released", ...).
        std::string Status;
        std::string Resource;
        PlanTime Start;
        PlanTime End;
        std::string NewResource;
        PlanTime NewStart;
        PlanTime NewEnd;
    };
    Kind What = Kind::Drop;
    std::vector<Move> Moves;
};

// Returns the reason the change is refused, which the planner is shown, or nullopt to let it
// be made. A veto that throws refuses too, and its exception reaches the caller of the command.
using ChangeVeto = std::function<std::optional<std::string>(const ProposedChange&)>;

}  // namespace tessaro
