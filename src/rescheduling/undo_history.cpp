#include "rescheduling/undo_history.hpp"

#include <algorithm>
#include <utility>

#include <tessaro/bars/bar_kinds.hpp>

#include "bars/bar_record_codec.hpp"

namespace tessaro {

std::vector<PlacedBar> UndoHistory::BarsOf(const PlanModel& plan, const ActivityId& activity) {
    std::vector<PlacedBar> bars;
    for (const ActivityPiece& piece : plan.Activity(activity).Pieces) {
        bars.push_back(
            {piece.Row, piece.Index, piece.Id, plan.Chart().Bar(piece.Row, piece.Index)});
    }
    return bars;
}

UndoHistory::Held UndoHistory::HeldBy(const CommandStep& step) {
    return {step.Before.size() + step.After.size(),
            step.RecordsBefore.size() + step.RecordsAfter.size()};
}

void UndoHistory::Forget(const CommandStep& step) {
    const Held held = HeldBy(step);
    held_.Bars -= held.Bars;
    held_.Records -= held.Records;
}

void UndoHistory::Open() {
    if (depth_++ == 0) {
        open_ = {};
    }
}

void UndoHistory::Capture(const PlanModel& plan, const ActivityId& activity, HeldRecord record) {
    if (depth_ == 0) {
        return;
    }
    if (std::find(open_.Activities.begin(), open_.Activities.end(), activity) !=
        open_.Activities.end()) {
        return;
    }
    // Everything that can run out of memory comes first: an activity is captured whole or not
    // at all, so a failed command never puts back an activity without its bars.
    ActivityId captured = activity;
    std::vector<PlacedBar> bars = BarsOf(plan, activity);
    open_.Activities.reserve(open_.Activities.size() + 1);
    open_.RecordsBefore.reserve(open_.RecordsBefore.size() + 1);
    open_.Before.reserve(open_.Before.size() + bars.size());
    open_.Activities.push_back(std::move(captured));
    open_.RecordsBefore.push_back(std::move(record));
    for (PlacedBar& bar : bars) {
        open_.Before.push_back(std::move(bar));
    }
}

bool UndoHistory::Close(const PlanModel& plan, const ChangeJournal& journal) {
    if (depth_ == 0 || --depth_ > 0 || open_.Activities.empty()) {
        return false;
    }
    // Until the step stands, the command stays open: a close that fails (memory running out) can
    // still be abandoned and its changes put back.
    depth_ = 1;
    for (const ActivityId& activity : open_.Activities) {
        for (PlacedBar& bar : BarsOf(plan, activity)) {
            open_.After.push_back(std::move(bar));
        }
        open_.RecordsAfter.push_back(journal.Hold(activity));
    }
    for (const CommandStep& step : undone_) {
        Forget(step);
    }
    undone_.clear();
    const Held added = HeldBy(open_);
    held_.Bars += added.Bars;
    held_.Records += added.Records;
    done_.push_back(std::move(open_));
    open_ = {};
    depth_ = 0;
    // The oldest steps go first; the newest always stays, however large.
    while (done_.size() > 1 && (done_.size() > limits_.Steps || held_.Bars > limits_.Bars ||
                                held_.Records > limits_.Records)) {
        Forget(done_.front());
        done_.pop_front();
    }
    return true;
}

std::optional<CommandStep> UndoHistory::Abandon() {
    if (depth_ == 0 || --depth_ > 0) {
        return std::nullopt;
    }
    CommandStep abandoned = std::exchange(open_, {});
    if (abandoned.Activities.empty()) {
        return std::nullopt;
    }
    return abandoned;
}

void UndoHistory::GiveBackUndo() {
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
}

void UndoHistory::GiveBackRedo() {
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
}

const CommandStep& UndoHistory::TakeUndo() {
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return undone_.back();
}

const CommandStep& UndoHistory::TakeRedo() {
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return done_.back();
}

void UndoHistory::DropActivity(const ActivityId& activity) {
    const auto ofActivity = [&activity](const PlacedBar& placed) {
        BarRecord record;
        DisassembleBarRecordText(placed.Bar.Tag, record);
        return ActivityId::Of(record) == activity;
    };
    const auto strip = [&](CommandStep& step) {
        const auto at = std::find(step.Activities.begin(), step.Activities.end(), activity);
        if (at == step.Activities.end()) {
            return;
        }
        const auto i = at - step.Activities.begin();
        step.Activities.erase(at);
        if (i < static_cast<std::ptrdiff_t>(step.RecordsBefore.size())) {
            step.RecordsBefore.erase(step.RecordsBefore.begin() + i);
        }
        if (i < static_cast<std::ptrdiff_t>(step.RecordsAfter.size())) {
            step.RecordsAfter.erase(step.RecordsAfter.begin() + i);
        }
        std::erase_if(step.Before, ofActivity);
        std::erase_if(step.After, ofActivity);
    };
    held_ = {};
    for (std::deque<CommandStep>* side : {&done_, &undone_}) {
        for (CommandStep& step : *side) {
            strip(step);
            const Held held = HeldBy(step);
            held_.Bars += held.Bars;
            held_.Records += held.Records;
        }
        std::erase_if(*side, [](const CommandStep& step) { return step.Activities.empty(); });
    }
}

void UndoHistory::Clear() {
    done_.clear();
    undone_.clear();
    held_ = {};
    open_ = {};
    depth_ = 0;
}

}  // namespace tessaro
