#include "started_work_veto.hpp"

namespace tessaro::demo {

std::optional<std::string> KeepStartedWorkInPlace(const ProposedChange& change) {
    for (const ProposedChange::Move& move : change.Moves) {
        const bool moves = move.NewStart != move.Start || move.NewEnd != move.End ||
                           move.NewResource != move.Resource;
        if (moves && move.Status == "Started") {
            return move.Activity.WorkOrder + ", activity " +
                   std::to_string(move.Activity.Activity) + " has started: it stays where it is";
        }
    }
    return std::nullopt;
}

}  // namespace tessaro::demo
