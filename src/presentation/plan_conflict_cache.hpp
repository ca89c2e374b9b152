#pragma once

// The plan's conflicts a chart frame marks, kept until the chart changes: asked of the control
// once per change, not at every frame, and sorted by row for the painter.

#include <functional>
#include <vector>

#include <tessaro/plan/plan_conflicts.hpp>

namespace tessaro::qt_detail {

// Conflicts a source gave for a run of rows, and the rows it answered for.
struct ConflictsOfRows {
    int firstRow = 0;
    int lastRow = 0;
    std::vector<PlanConflict> conflicts;
};

class PlanConflictCache {
public:
    // Asked for the conflicts of the rows firstRow..lastRow; it may answer for more.
    using Source = std::function<ConflictsOfRows(int firstRow, int lastRow)>;

    void markDirty() { dirty_ = true; }

    // The conflicts of at least the rows firstRow..lastRow, in row order (the source's order
    // within a row); the source is asked again after a change, or when those rows lie outside
    // the ones it answered for last. None without a source.
    const std::vector<PlanConflict>& of(int firstRow, int lastRow, const Source& source);

private:
    ConflictsOfRows kept_;
    bool dirty_ = true;
};

}  // namespace tessaro::qt_detail
