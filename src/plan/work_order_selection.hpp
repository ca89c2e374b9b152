#pragma once

// The selected work order: every work-order bar of it, on every row, shows the selected form of
// its look, and the selected bar key names it.

#include <cstdint>
#include <string>
#include <string_view>

#include <tessaro/components/schedule_chart.hpp>

#include "bars/work_order_look.hpp"
#include "plan/plan_model.hpp"
#include "runtime/entry_counter.hpp"

namespace tessaro {

class WorkOrderSelection {
public:
    WorkOrderSelection(ScheduleChart& chart, const PlanModel& plan, WorkOrderLook& look,
                       EntryCounter& entries)
        : chart_(chart), plan_(plan), look_(look), entries_(entries) {}

    // Highlights every work-order bar of the bar's work order; a bar whose key names no work
    // order highlights nothing. The selected key becomes the bar's key, then the key with the
    // highest position among the highlighted bars.
    void BarSelection(int16_t row, int16_t bar);
    // Selects the work order's first sub-activity; for a work order without bars it only takes
    // the highlight off. A blank number raises BarKeyBlankError before anything changes.
    void SelectWorkOrderFirstSubActivity(const std::string& workOrder);
    // Takes the highlight off the selected work order when it is not workOrder.
    void DeselectOtherWorkOrder(std::string_view workOrder);
    // Highlights only the bars of the bar's activity (its work order and schedule number); the
    // selected key becomes the last of them. Other bars than work-order bars are passed over.
    void ChooseActivity(int16_t row, int16_t bar);

    const std::string& SelectedBarKey() const { return selectedKey_; }
    // The work order the selected key names; "" when nothing is selected.
    std::string SelectedWorkOrder() const;

private:
    // Applies a selection to every work-order bar of the work order; returns the key with the
    // highest position among them ("" when there is none).
    std::string ApplyWorkOrderLook(std::string_view workOrder, bool selected);
    void BarDeselection(std::string& key);

    ScheduleChart& chart_;
    const PlanModel& plan_;
    WorkOrderLook& look_;
    EntryCounter& entries_;
    std::string selectedKey_;
};

}  // namespace tessaro
