#include "plan/work_order_selection.hpp"

#include <tessaro/bars/bar_kinds.hpp>
#include "runtime/ascii.hpp"

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_bars.hpp"

namespace tessaro {

namespace {

// The work-order number a key names: "" for an empty key or one without "$".
std::string KeyWorkOrder(const std::string& key) {
    std::string number;
    int16_t position = 0;
    int16_t count = 0;
    DisAssembleKeyID(key, number, position, count);
    return number;
}

// The position part of a key; 0 when the key does not split.
int16_t KeyPosition(const std::string& key) {
    const auto parts = TrySplitBarKey(key);
    return parts ? parts->Position : 0;
}

}  // namespace

std::string WorkOrderSelection::ApplyWorkOrderLook(std::string_view workOrder, bool selected) {
    std::string lastKey;
    int16_t lastPosition = 0;
    for (const auto& [row, bar] : chart_.FindTimeBarsInKeyGroup(workOrder)) {
        if (chart_.TimeBarKind(row, bar) != WorkOrderBarKind) {
            continue;
        }
        const std::shared_ptr<const BarRecord> read = plan_.RecordOf(row, bar);
        const BarRecord& record = *read;
        look_.ApplySelectionLook(row, bar, record, selected);
        const std::string& key = chart_.TimeBarKey(row, bar);
        if (const int16_t position = KeyPosition(key);
            lastKey.empty() || position >= lastPosition) {
            lastKey = key;
            lastPosition = position;
        }
    }
    return lastKey;
}

void WorkOrderSelection::BarSelection(int16_t row, int16_t bar) {
    EntryCounter::Scope entry(entries_);
    selectedKey_ = chart_.TimeBarKey(row, bar);
    const std::string workOrder = KeyWorkOrder(selectedKey_);
    if (workOrder.empty()) {
        return;
    }
    // Siblings are found by their work order, whatever the count part of their keys says, so
    // rebuilt and merged bars are reached too.
    std::string lastKey = ApplyWorkOrderLook(workOrder, true);
    if (!lastKey.empty()) {
        selectedKey_ = std::move(lastKey);
    }
}

void WorkOrderSelection::BarDeselection(std::string& key) {
    const std::string workOrder = KeyWorkOrder(key);
    if (workOrder.empty()) {
        return;
    }
    std::string lastKey = ApplyWorkOrderLook(workOrder, false);
    if (!lastKey.empty()) {
        key = std::move(lastKey);
    }
}

void WorkOrderSelection::DeselectOtherWorkOrder(std::string_view workOrder) {
    if (selectedKey_.empty()) {
        return;
    }
    if (KeyWorkOrder(selectedKey_) != workOrder) {
        BarDeselection(selectedKey_);
    }
}

void WorkOrderSelection::SelectWorkOrderFirstSubActivity(const std::string& wonumber) {
    EntryCounter::Scope entry(entries_);
    std::string firstKey;
    AssembleKeyID(firstKey, wonumber, 1, 1);
    const std::string workOrder(TrimSpaces(wonumber));
    chart_.SetContainerFlag(true);
    DeselectOtherWorkOrder(workOrder);

    // The first sub-activity is the work-order bar with the lowest position, whatever count its
    // key carries.
    int16_t row = 0;
    int16_t bar = 0;
    int16_t lowest = 0;
    for (const auto& [r, b] : chart_.FindTimeBarsInKeyGroup(workOrder)) {
        if (chart_.TimeBarKind(r, b) != WorkOrderBarKind) {
            continue;
        }
        const int16_t position = KeyPosition(chart_.TimeBarKey(r, b));
        if (row == 0 || position < lowest) {
            row = r;
            bar = b;
            lowest = position;
        }
    }
    if (row == 0) {
        // Nothing of the work order is on the chart: the previous highlight is off, and nothing
        // is selected now.
        selectedKey_.clear();
        return;
    }
    BarSelection(row, bar);
}

void WorkOrderSelection::ChooseActivity(int16_t row, int16_t bar) {
    const std::shared_ptr<const BarRecord> chosenRead = plan_.RecordOf(row, bar);
    const BarRecord& chosen = *chosenRead;
    DeselectOtherWorkOrder(chosen.work_order_no);
    for (const auto& [r, b] : chart_.FindTimeBarsInKeyGroup(chosen.work_order_no)) {
        if (chart_.TimeBarKind(r, b) != WorkOrderBarKind) {
            continue;
        }
        const std::shared_ptr<const BarRecord> read = plan_.RecordOf(r, b);
        const BarRecord& record = *read;
        if (record.work_order_no == chosen.work_order_no &&
            record.rsscheduleno == chosen.rsscheduleno) {
            look_.ApplySelectionLook(r, b, record, true);
            selectedKey_ = chart_.TimeBarKey(r, b);
        }
    }
}

std::string WorkOrderSelection::SelectedWorkOrder() const {
    const size_t separator = selectedKey_.find('$');
    return separator == std::string::npos ? std::string() : selectedKey_.substr(0, separator);
}

}  // namespace tessaro
