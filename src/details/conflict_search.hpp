#pragma once

// The conflict list: the activities whose work-order bars overlap those of a work order on one
// row, and a double-click on one of them that selects its work order.

#include <cstdint>
#include <string>

#include <tessaro/components/combo_box.hpp>
#include <tessaro/components/list_box.hpp>
#include <tessaro/components/schedule_chart.hpp>

#include "plan/plan_model.hpp"
#include "plan/work_order_selection.hpp"

namespace tessaro {

struct ConflictLists {
    ListBox& Entries;
    // The key of each entry's bar, at the entry's place.
    ListBox& Keys;
    // The keys of the bars searched from.
    ComboBox& Searched;
};

class ConflictSearch {
public:
    ConflictSearch(ScheduleChart& chart, const PlanModel& plan, ConflictLists lists,
                   WorkOrderSelection& selection)
        : chart_(chart), plan_(plan), lists_(lists), selection_(selection) {}

    // Lists the bar's own activity and every other activity whose work-order bars on the row
    // overlap a bar of the bar's work order (or, with ownActivityOnly, of its own activity, and
    // leaves the lists empty); returns the bar's key when there is no conflict (the lists are
    // then emptied), "" otherwise. bar returns the index of the last bar searched.
    std::string Search(int16_t& row, int16_t& bar, bool ownActivityOnly);
    // Selects the work order of the chosen entry's bar; an entry whose bar has gone since does
    // nothing.
    void EntryDoubleClicked();

private:
    bool IsNewEntry(const std::string& entry) const;

    ScheduleChart& chart_;
    const PlanModel& plan_;
    ConflictLists lists_;
    WorkOrderSelection& selection_;
};

}  // namespace tessaro
