#include "plan/conflict_tracker.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

namespace tessaro {

namespace {

template <typename T, typename Less = std::less<T>>
void EraseSorted(std::vector<T>& sorted, const T& value, Less less = {}) {
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), value, less);
    if (at != sorted.end() && *at == value) {
        sorted.erase(at);
    }
}

template <typename T, typename Less = std::less<T>>
void InsertSorted(std::vector<T>& sorted, const T& value, Less less = {}) {
    const auto at = std::lower_bound(sorted.begin(), sorted.end(), value, less);
    if (at == sorted.end() || *at != value) {
        sorted.insert(at, value);
    }
}

}  // namespace

ConflictTracker::ConflictTracker(ScheduleChart& chart, const PlanModel& plan)
    : chart_(chart), plan_(plan) {
    subscription_ =
        chart_.ContentChanged.Subscribe([this](const ChartChange& change) { Hear(change); });
}

ConflictTracker::~ConflictTracker() {
    chart_.ContentChanged.Unsubscribe(subscription_);
}

// Hears every write of a load or a Pack: it only marks.
void ConflictTracker::Hear(const ChartChange& change) {
    switch (change.What) {
        case ChartChange::Kind::Rows:
            whole_ = true;
            break;
        case ChartChange::Kind::Bars:
        case ChartChange::Kind::Bar:
            MarkRow(change.Row);
            break;
        default:
            break;
    }
}

void ConflictTracker::MarkRow(int16_t row) {
    if (whole_) {
        return;
    }
    if (row < 1 || static_cast<std::size_t>(row) > rows_.size()) {
        whole_ = true;
        return;
    }
    char& marked = marked_[static_cast<std::size_t>(row - 1)];
    if (marked == 0) {
        marked = 1;
        markedRows_.push_back(row);
    }
}

std::vector<PlanConflict> ConflictTracker::All() {
    return OfRows(1, chart_.RowCount());
}

std::vector<PlanConflict> ConflictTracker::OfRows(int16_t firstRow, int16_t lastRow) {
    BringUpToDate();
    std::vector<PlanConflict> conflicts;
    const int32_t last = std::min<int32_t>(lastRow, static_cast<int32_t>(rows_.size()));
    for (int32_t row = std::max<int32_t>(firstRow, 1); row <= last; ++row) {
        AppendRow(static_cast<int16_t>(row), conflicts);
    }
    return conflicts;
}

void ConflictTracker::AppendRow(int16_t row, std::vector<PlanConflict>& out) const {
    const TrackedRow& tracked = rows_[static_cast<std::size_t>(row - 1)];
    out.insert(out.end(), tracked.Conflicts.begin(), tracked.Conflicts.end());
    for (const int32_t workOrder : tracked.PrecedenceHere) {
        for (const PlanConflict& conflict :
             workOrders_[static_cast<std::size_t>(workOrder)].Precedence) {
            if (conflict.Row == row) {
                out.push_back(conflict);
            }
        }
    }
}

void ConflictTracker::BringUpToDate() {
    // Past half the rows, one pass over the chart costs less than row by row.
    if (whole_ || markedRows_.size() > rows_.size() / 2) {
        Rebuild();
        return;
    }
    if (markedRows_.empty()) {
        return;
    }
    try {
        std::vector<int32_t> touched;
        for (const int16_t row : markedRows_) {
            TrackedRow& tracked = rows_[static_cast<std::size_t>(row - 1)];
            touched.insert(touched.end(), tracked.WorkOrders.begin(), tracked.WorkOrders.end());
            ReadRow(row);
            touched.insert(touched.end(), tracked.WorkOrders.begin(), tracked.WorkOrders.end());
            marked_[static_cast<std::size_t>(row - 1)] = 0;
        }
        markedRows_.clear();
        std::sort(touched.begin(), touched.end());
        touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
        for (const int32_t workOrder : touched) {
            ReadPrecedence(workOrder);
        }
    } catch (...) {
        // A row read halfway leaves the work orders' rows unsure: all is read again next time.
        whole_ = true;
        throw;
    }
}

void ConflictTracker::Rebuild() {
    whole_ = true;
    rows_.clear();
    workOrders_.clear();
    workOrderIds_.clear();
    markedRows_.clear();
    const auto rowCount = static_cast<std::size_t>(chart_.RowCount());
    marked_.assign(rowCount, 0);
    rows_.resize(rowCount);
    for (std::size_t row = 1; row <= rowCount; ++row) {
        ReadRow(static_cast<int16_t>(row));
    }
    for (std::size_t workOrder = 0; workOrder < workOrders_.size(); ++workOrder) {
        ReadPrecedence(static_cast<int32_t>(workOrder));
    }
    whole_ = false;
}

int32_t ConflictTracker::WorkOrderOf(const std::string& number) {
    const auto [known, added] =
        workOrderIds_.try_emplace(number, static_cast<int32_t>(workOrders_.size()));
    if (added) {
        workOrders_.push_back({number, {}, {}});
    }
    return known->second;
}

// Reads the row's conflicts and bars again and moves the row between its work orders' rows.
void ConflictTracker::ReadRow(int16_t row) {
    TrackedRow& tracked = rows_[static_cast<std::size_t>(row - 1)];
    std::vector<PlanConflict> conflicts;
    std::vector<WorkOrderPiece> pieces;
    FindRowConflicts(plan_, row, conflicts, pieces);
    tracked.Conflicts = std::move(conflicts);
    tracked.Pieces.clear();
    tracked.Pieces.reserve(pieces.size());
    for (WorkOrderPiece& piece : pieces) {
        const int32_t workOrder = WorkOrderOf(piece.WorkOrder);
        tracked.Pieces.push_back({workOrder, std::move(piece)});
    }
    std::stable_sort(
        tracked.Pieces.begin(), tracked.Pieces.end(),
        [](const TrackedPiece& a, const TrackedPiece& b) { return a.WorkOrder < b.WorkOrder; });
    std::vector<int32_t> now;
    for (const TrackedPiece& piece : tracked.Pieces) {
        if (now.empty() || now.back() != piece.WorkOrder) {
            now.push_back(piece.WorkOrder);
        }
    }
    std::vector<int32_t> gone;
    std::set_difference(tracked.WorkOrders.begin(), tracked.WorkOrders.end(), now.begin(),
                        now.end(), std::back_inserter(gone));
    std::vector<int32_t> come;
    std::set_difference(now.begin(), now.end(), tracked.WorkOrders.begin(),
                        tracked.WorkOrders.end(), std::back_inserter(come));
    for (const int32_t workOrder : gone) {
        EraseSorted(workOrders_[static_cast<std::size_t>(workOrder)].Rows, row);
    }
    for (const int32_t workOrder : come) {
        InsertSorted(workOrders_[static_cast<std::size_t>(workOrder)].Rows, row);
    }
    tracked.WorkOrders = std::move(now);
}

// Reads the work order's precedence again from its pieces on every row it is on.
void ConflictTracker::ReadPrecedence(int32_t workOrder) {
    TrackedWorkOrder& tracked = workOrders_[static_cast<std::size_t>(workOrder)];
    const auto byNumber = [this](int32_t a, int32_t b) {
        return workOrders_[static_cast<std::size_t>(a)].Number <
               workOrders_[static_cast<std::size_t>(b)].Number;
    };
    for (const PlanConflict& conflict : tracked.Precedence) {
        EraseSorted(rows_[static_cast<std::size_t>(conflict.Row - 1)].PrecedenceHere, workOrder,
                    byNumber);
    }
    tracked.Precedence.clear();
    std::vector<WorkOrderPiece> pieces;
    for (const int16_t row : tracked.Rows) {
        const std::vector<TrackedPiece>& onRow = rows_[static_cast<std::size_t>(row - 1)].Pieces;
        const auto from =
            std::lower_bound(onRow.begin(), onRow.end(), workOrder,
                             [](const TrackedPiece& p, int32_t id) { return p.WorkOrder < id; });
        for (auto at = from; at != onRow.end() && at->WorkOrder == workOrder; ++at) {
            pieces.push_back(at->Piece);
        }
    }
    FindPrecedenceConflicts(chart_, pieces, tracked.Precedence);
    for (const PlanConflict& conflict : tracked.Precedence) {
        InsertSorted(rows_[static_cast<std::size_t>(conflict.Row - 1)].PrecedenceHere, workOrder,
                     byNumber);
    }
}

}  // namespace tessaro
