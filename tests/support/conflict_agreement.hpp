#pragma once

// Whether the control's kept conflicts are those a full search of the chart finds as it stands:
// the same multiset for the whole plan, and for a range of rows those of the rows, in row order.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "plan/plan_conflicts.hpp"
#include "plan/plan_model.hpp"

namespace tessaro::testing {

inline std::string DescribeConflict(const PlanConflict& c) {
    return std::to_string(static_cast<int>(c.Kind)) + " " + c.Activity.WorkOrder + "/" +
           std::to_string(c.Activity.Activity) + " with " + c.Other.WorkOrder + "/" +
           std::to_string(c.Other.Activity) + " at " + std::to_string(c.Row) + "/" +
           std::to_string(c.Bar) + " on " + c.Resource;
}

// Every conflict of the plan, searched on the whole chart as it stands: each row's, then each work
// order's precedence over all its pieces.
inline std::vector<PlanConflict> SearchWholeChart(const PlanModel& plan) {
    std::vector<PlanConflict> conflicts;
    std::vector<WorkOrderPiece> pieces;
    for (int32_t row = 1; row <= plan.Chart().RowCount(); ++row) {
        FindRowConflicts(plan, static_cast<int16_t>(row), conflicts, pieces);
    }
    std::map<std::string, std::vector<WorkOrderPiece>> piecesOf;
    for (WorkOrderPiece& piece : pieces) {
        piecesOf[piece.WorkOrder].push_back(std::move(piece));
    }
    for (const auto& [workOrder, ofOrder] : piecesOf) {
        FindPrecedenceConflicts(plan.Chart(), ofOrder, conflicts);
    }
    return conflicts;
}

inline bool ConflictBefore(const PlanConflict& a, const PlanConflict& b) {
    const auto key = [](const PlanConflict& c) {
        return std::tie(c.Row, c.Bar, c.Kind, c.Activity.WorkOrder, c.Activity.Activity,
                        c.Other.WorkOrder, c.Other.Activity, c.Start, c.End, c.Resource);
    };
    return key(a) < key(b);
}

inline std::vector<PlanConflict> SortedConflicts(std::vector<PlanConflict> conflicts) {
    std::sort(conflicts.begin(), conflicts.end(), ConflictBefore);
    return conflicts;
}

// What differs, one line each; empty when the control agrees with a full search. The rows from
// firstRow to lastRow are asked of PlanConflictsOfRows too.
inline std::vector<std::string> ConflictDisagreements(const Tessaro_Ctrl& control, int16_t firstRow,
                                                      int16_t lastRow) {
    std::vector<std::string> found;
    const std::vector<PlanConflict> searched =
        SortedConflicts(SearchWholeChart(PlanModel(control.ctResSched())));
    const std::vector<PlanConflict> kept = SortedConflicts(control.PlanConflicts());
    if (kept != searched) {
        found.push_back("the control keeps " + std::to_string(kept.size()) +
                        " conflicts, a full search finds " + std::to_string(searched.size()));
        std::vector<PlanConflict> onlyKept;
        std::set_difference(kept.begin(), kept.end(), searched.begin(), searched.end(),
                            std::back_inserter(onlyKept), ConflictBefore);
        for (const PlanConflict& c : onlyKept) {
            found.push_back("  kept only: " + DescribeConflict(c));
        }
        std::vector<PlanConflict> onlySearched;
        std::set_difference(searched.begin(), searched.end(), kept.begin(), kept.end(),
                            std::back_inserter(onlySearched), ConflictBefore);
        for (const PlanConflict& c : onlySearched) {
            found.push_back("  found only: " + DescribeConflict(c));
        }
    }
    const std::vector<PlanConflict> ofRows = control.PlanConflictsOfRows(firstRow, lastRow);
    if (!std::is_sorted(
            ofRows.begin(), ofRows.end(),
            [](const PlanConflict& a, const PlanConflict& b) { return a.Row < b.Row; })) {
        found.push_back("the conflicts of rows are not in row order");
    }
    std::vector<PlanConflict> inRange;
    std::copy_if(searched.begin(), searched.end(), std::back_inserter(inRange),
                 [&](const PlanConflict& c) { return c.Row >= firstRow && c.Row <= lastRow; });
    if (SortedConflicts(ofRows) != inRange) {
        found.push_back("rows " + std::to_string(firstRow) + " to " + std::to_string(lastRow) +
                        " hold " + std::to_string(ofRows.size()) + " conflicts, a search finds " +
                        std::to_string(inRange.size()));
    }
    return found;
}

}  // namespace tessaro::testing
