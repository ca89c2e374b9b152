#pragma once

// The plan's conflicts kept up to date as the chart changes, so that asking them after a drop
// costs the rows the drop changed, not the plant. Each row keeps its overlaps and non-working
// time and its work-order bars; each work order keeps its precedence conflicts. A change of a
// row's bars marks the row; a change of the rows marks everything. Nothing is read when a change
// is heard: the next question reads the marked rows again, and the precedence of every work
// order that had or has bars on them.
//
// The conflicts come row by row (rows as the chart numbers them): first the row's non-working
// time and overlaps as FindRowConflicts gives them, then the precedence conflicts whose later
// activity's earliest bar is on the row, work order by work order (by number), each in schedule
// order.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/plan/plan_conflicts.hpp>

#include "plan/plan_conflicts.hpp"
#include "plan/plan_model.hpp"

namespace tessaro {

class ConflictTracker {
public:
    // Listens to the chart the plan model reads until it is destroyed.
    ConflictTracker(ScheduleChart& chart, const PlanModel& plan);
    ~ConflictTracker();
    ConflictTracker(const ConflictTracker&) = delete;
    ConflictTracker& operator=(const ConflictTracker&) = delete;

    // Every conflict of the plan.
    std::vector<PlanConflict> All();
    // The conflicts whose row lies in [firstRow, lastRow] (clipped to the chart's rows).
    std::vector<PlanConflict> OfRows(int16_t firstRow, int16_t lastRow);
    // Forgets what is known: the next question reads the whole chart.
    void Invalidate() { whole_ = true; }

private:
    struct TrackedPiece {
        int32_t WorkOrder = 0;
        WorkOrderPiece Piece;
    };
    struct TrackedRow {
        std::vector<PlanConflict> Conflicts;
        // Its work-order bars by work order, each work order's in bar order.
        std::vector<TrackedPiece> Pieces;
        // The work orders with bars on the row, and those with a precedence conflict named by a
        // bar of it, each sorted by work order.
        std::vector<int32_t> WorkOrders;
        std::vector<int32_t> PrecedenceHere;
    };
    struct TrackedWorkOrder {
        std::string Number;
        // The rows its bars are on, ascending.
        std::vector<int16_t> Rows;
        std::vector<PlanConflict> Precedence;
    };

    void Hear(const ChartChange& change);
    void MarkRow(int16_t row);
    void BringUpToDate();
    void Rebuild();
    void ReadRow(int16_t row);
    void ReadPrecedence(int32_t workOrder);
    int32_t WorkOrderOf(const std::string& number);
    void AppendRow(int16_t row, std::vector<PlanConflict>& out) const;

    ScheduleChart& chart_;
    const PlanModel& plan_;
    int subscription_ = 0;

    // Everything must be read again (at the start, after a change of the rows).
    bool whole_ = true;
    std::vector<char> marked_;
    std::vector<int16_t> markedRows_;

    std::vector<TrackedRow> rows_;
    std::vector<TrackedWorkOrder> workOrders_;
    std::unordered_map<std::string, int32_t> workOrderIds_;
};

}  // namespace tessaro
