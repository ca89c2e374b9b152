#include "plan_conflict_cache.hpp"

#include <algorithm>

namespace tessaro::qt_detail {

const std::vector<PlanConflict>& PlanConflictCache::of(int firstRow, int lastRow,
                                                       const Source& source) {
    const bool covered = firstRow >= kept_.firstRow && lastRow <= kept_.lastRow;
    if (dirty_ || !covered) {
        kept_ = source ? source(firstRow, lastRow) : ConflictsOfRows{firstRow, lastRow, {}};
        std::stable_sort(
            kept_.conflicts.begin(), kept_.conflicts.end(),
            [](const PlanConflict& a, const PlanConflict& b) { return a.Row < b.Row; });
        dirty_ = false;
    }
    return kept_.conflicts;
}

}  // namespace tessaro::qt_detail
