#pragma once

// The plan as a planner speaks of it, over the chart that holds it. A work-order bar is a piece
// of an activity (a work order's sub-activities with one schedule number); an activity is found
// by its id, with its pieces and their records, and a work order by its activities in schedule
// order, without a caller reading tags.
//
// The chart stays the one store of the plan: what it shows is what the host gets, and a host may
// write a bar's tag through the chart itself. So the model keeps no bars of its own. It keeps the
// records it has read, each beside the tag it was read from, and reads a tag again only when the
// bar carries another one; a bar's identity never passes to another bar, so a record never
// outlives its bar's tag into a different bar.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/bars/bar_record.hpp>
#include <tessaro/components/schedule_chart.hpp>

#include "plan/activity.hpp"

namespace tessaro {

// One bar carrying part of an activity, as the chart holds it when the activity was looked up.
struct ActivityPiece {
    int16_t Row = 0;
    // The bar's place in its row, 1-based.
    int16_t Index = 0;
    uint64_t Id = 0;
    ChartTime Start;
    ChartTime End;
    std::shared_ptr<const BarRecord> Record;
};

struct PlannedActivity {
    ActivityId Id;
    // In the order the chart lists the work order's bars.
    std::vector<ActivityPiece> Pieces;
    // The earliest start and latest end of the pieces; meaningful when there are pieces.
    ChartTime Start;
    ChartTime End;
    // The rows the pieces are on, in the order their first piece was met.
    std::vector<int16_t> Rows;

    bool OnChart() const { return !Pieces.empty(); }
};

// An activity's place in its work order's sequence: its schedule number and its span.
struct ActivitySpan {
    int32_t ScheduleNo = 0;
    ChartTime Start;
    ChartTime End;
};

class PlanModel {
public:
    explicit PlanModel(const ScheduleChart& chart) : chart_(&chart) {}

    const ScheduleChart& Chart() const { return *chart_; }

    // The record a bar carries; a tag that does not split raises its error, as reading it does.
    std::shared_ptr<const BarRecord> RecordOf(int16_t row, int16_t bar) const;
    // The activity of a work-order bar; nullopt for another kind of bar, and for a tag that names
    // no activity (it does not hold a record's fields, or its work order is blank).
    std::optional<ActivityId> ActivityOf(int16_t row, int16_t bar) const;

    // Every work-order bar of the activity, read from the chart as it is now; a piece whose tag
    // does not split raises its error. Costs the work order's bars, not the chart's: a work
    // order's bars share the key group of its number.
    PlannedActivity Activity(const ActivityId& activity) const;
    // The schedule numbers of the work order's activities on the chart, in the order they run.
    std::vector<int32_t> ActivitiesOf(std::string_view workOrder) const;
    // The same activities with the span of their bars, read in one pass over the work order's
    // bars (bars whose tag names no activity are passed over).
    std::vector<ActivitySpan> WorkOrderSpans(std::string_view workOrder) const;

    // Calls visit(index, record) for every work-order bar of the row in bar order; a record that
    // does not split raises its error. The row must not change meanwhile.
    template <typename Visit>
    void ForEachWorkOrderBar(int16_t row, Visit visit) const;

private:
    struct Read {
        std::string Tag;
        std::shared_ptr<const BarRecord> Record;
    };
    const ScheduleChart* chart_;
    // Bar identity to the record last read from it. Kept to a bounded number of bars: a session
    // reads the bars of the activities it works on, not the plant's.
    mutable std::unordered_map<uint64_t, Read> read_;
};

template <typename Visit>
void PlanModel::ForEachWorkOrderBar(int16_t row, Visit visit) const {
    const int32_t bars = chart_->TimeBarCount(row);
    for (int32_t i = 1; i <= bars; ++i) {
        const auto bar = static_cast<int16_t>(i);
        if (chart_->TimeBarKind(row, bar) == WorkOrderBarKind) {
            const std::shared_ptr<const BarRecord> record = RecordOf(row, bar);
            visit(bar, *record);
        }
    }
}

}  // namespace tessaro
