#include "details/conflict_search.hpp"

#include <tessaro/bars/bar_kinds.hpp>
#include "runtime/ascii.hpp"

#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"

namespace tessaro {

namespace {

// "WO1007$3": the work order and the schedule number of an activity.
std::string ConflictEntry(const BarRecord& record) {
    return record.work_order_no + "$" + std::to_string(record.rsscheduleno);
}

}  // namespace

std::string ConflictSearch::Search(int16_t& ItemID, int16_t& BarID, bool ownActivityOnly) {
    lists_.Searched.Clear();
    lists_.Entries.Clear();
    lists_.Keys.Clear();

    const int16_t r = ItemID;
    const BarRecord checked = *plan_.RecordOf(r, BarID);
    const std::string checkedKey = chart_.TimeBarKey(r, BarID);

    // The bars whose overlaps are searched: the work order's bars on the row, or only those of
    // the checked activity.
    plan_.ForEachWorkOrderBar(r, [&](int16_t index, const BarRecord& other) {
        if (other.work_order_no == checked.work_order_no &&
            (!ownActivityOnly || other.rsscheduleno == checked.rsscheduleno)) {
            lists_.Searched.AddItem(chart_.TimeBarKey(r, index));
        }
    });

    lists_.Entries.AddItem(ConflictEntry(checked));
    lists_.Keys.AddItem(checkedKey);
    for (int32_t j = 0; j < lists_.Searched.ListCount(); ++j) {
        BarID = chart_.FindTimeBarInRow(lists_.Searched.List(j), r);
        int16_t searchRow = r;
        for (int16_t c = chart_.FirstConflictingTimeBar(r, BarID, searchRow); c >= 1;
             c = chart_.NextConflictingTimeBar(r, BarID, searchRow)) {
            if (chart_.TimeBarKind(r, c) != WorkOrderBarKind) {
                continue;
            }
            const std::string entry = ConflictEntry(*plan_.RecordOf(r, c));
            if (IsNewEntry(entry)) {
                lists_.Entries.AddItem(entry);
                lists_.Keys.AddItem(chart_.TimeBarKey(r, c));
            }
        }
    }

    const bool noConflict = lists_.Entries.ListCount() == 1;
    if (noConflict || ownActivityOnly) {
        lists_.Entries.Clear();
        lists_.Keys.Clear();
    }
    return noConflict ? checkedKey : std::string();
}

bool ConflictSearch::IsNewEntry(const std::string& entry) const {
    const std::string_view wanted = TrimSpaces(entry);
    for (const std::string& item : lists_.Entries.Items()) {
        if (TrimSpaces(item) == wanted) {
            return false;
        }
    }
    return true;
}

void ConflictSearch::EntryDoubleClicked() {
    const int32_t entry = lists_.Entries.ListIndex();
    if (entry < 0 || entry >= lists_.Keys.ListCount()) {
        return;
    }
    const std::string key = lists_.Keys.List(entry);
    int16_t row = 1;
    int16_t bar = chart_.RowCount() >= 1 ? chart_.FindTimeBarInRow(key, 1) : 0;
    if (bar == 0) {
        row = chart_.FindTimeBarRow(key);
        bar = chart_.FindTimeBarInRow(key, row);
    }
    // The listed bar may have gone since the conflict query.
    if (bar == 0) {
        return;
    }
    const BarRecord record = *plan_.RecordOf(row, bar);
    selection_.DeselectOtherWorkOrder(record.work_order_no);
    selection_.BarSelection(row, bar);
}

}  // namespace tessaro
