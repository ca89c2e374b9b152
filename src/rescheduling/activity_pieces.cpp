#include <string>
#include <utility>

#include <tessaro/bars/bar_kinds.hpp>
#include "runtime/checked_arithmetic.hpp"

#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"
#include "plan/plan_time.hpp"
#include "rescheduling/rescheduler.hpp"

namespace tessaro {

std::vector<BarHandle> Rescheduler::PiecesElsewhere(const ActivityId& activity, int16_t row) const {
    std::vector<BarHandle> pieces;
    for (const ActivityPiece& piece : plan_.Activity(activity).Pieces) {
        if (piece.Row != row) {
            pieces.push_back({piece.Row, piece.Id});
        }
    }
    return pieces;
}

std::vector<PieceMove> Rescheduler::PlanPieceMoves(const std::vector<BarHandle>& pieces,
                                                   int64_t minutes, int16_t targetRow) const {
    std::vector<PieceMove> moves;
    if (pieces.empty() || (minutes == 0 && targetRow == 0)) {
        return moves;
    }
    moves.reserve(pieces.size());
    for (const BarHandle& piece : pieces) {
        const auto [row, bar] = chart_.FindTimeBarById(piece.Id, piece.Row);
        if (bar == 0) {
            continue;
        }
        ChartBar moved = chart_.Bar(row, bar);
        moved.Start = MinutesLater(moved.Start, minutes);
        moved.End = MinutesLater(moved.End, minutes);
        BarRecord record = *plan_.RecordOf(row, bar);
        ChangeJournal::CheckRecordable(record, moved.Start, moved.End);
        record.StartMinute = CheckedInt16(moved.Start.Minute);
        record.EndMinute = CheckedInt16(moved.End.Minute);
        AssembleBarRecordText(moved.Tag, record);
        moves.push_back({{row, piece.Id}, std::move(moved)});
    }
    if (targetRow != 0) {
        CheckedInt16(int64_t{chart_.TimeBarCount(targetRow)} + static_cast<int64_t>(moves.size()));
    }
    return moves;
}

void Rescheduler::ApplyPieceMoves(const std::vector<PieceMove>& moves, int16_t targetRow) {
    for (const PieceMove& move : moves) {
        const int16_t row = move.Piece.Row;
        const int16_t bar = chart_.FindTimeBarById(move.Piece.Id, row).second;
        if (targetRow == 0 || targetRow == row) {
            // On its own row a piece keeps its place among the row's bars.
            chart_.SetTimeBarTag(row, bar, move.Bar.Tag);
            chart_.PlaceTimeBar(row, bar, move.Bar.Start, move.Bar.End);
        } else {
            chart_.RemoveTimeBar(row, bar);
            PutTimeBar(chart_, targetRow, move.Bar);
        }
    }
}

}  // namespace tessaro
