#include <algorithm>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/ascii.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "control/host_events.hpp"

namespace tessaro {

namespace {

// The work-order number a key names: "" for an empty key or one without "$".
std::string KeyWorkOrder(const std::string& key) {
    std::string number;
    int16_t position = 0;
    int16_t count = 0;
    DisassembleBarKey(key, number, position, count);
    return number;
}

// The position part of a key; 0 when the key does not split.
int16_t KeyPosition(const std::string& key) {
    const auto parts = TrySplitBarKey(key);
    return parts ? parts->Position : 0;
}

// The place of a style in a style table; -1 when the table does not hold it.
int32_t PlaceIn(const StyleTable& styles, int16_t style) {
    const auto found = std::find(styles.begin(), styles.end(), style);
    return found == styles.end() ? -1 : static_cast<int32_t>(found - styles.begin());
}

}  // namespace

void Tessaro_Ctrl::ApplySelectionLook(int16_t row, int16_t bar, const BarRecord& record,
                                      bool selected) {
    // The colour follows the status letter the loader coloured the bar by, and the style its
    // counterpart in the other set, so deselecting restores the loaded look exactly.
    ApplyBarColour(record.flag, selected ? -1 : 0, row, bar, record.activitytimetype);
    const int16_t style = ctResSched_.TimeBarStyle(row, bar);
    const StyleTable& from = selected ? NormalBarStyles_ : SelectedBarStyles_;
    const StyleTable& to = selected ? SelectedBarStyles_ : NormalBarStyles_;
    if (const int32_t place = PlaceIn(from, style); place >= 0) {
        ctResSched_.SetTimeBarStyle(row, bar, to[static_cast<std::size_t>(place)]);
    }
}

std::string Tessaro_Ctrl::ApplyWorkOrderLook(std::string_view workOrder, bool selected) {
    std::string lastKey;
    int16_t lastPosition = 0;
    for (const auto& [row, bar] : ctResSched_.FindTimeBarsInKeyGroup(workOrder)) {
        if (ctResSched_.TimeBarKind(row, bar) != WorkOrderBarKind) {
            continue;
        }
        BarRecord record;
        DisassembleBarRecordText(ctResSched_.TimeBarTag(row, bar), record);
        ApplySelectionLook(row, bar, record, selected);
        const std::string& key = ctResSched_.TimeBarKey(row, bar);
        if (const int16_t position = KeyPosition(key);
            lastKey.empty() || position >= lastPosition) {
            lastKey = key;
            lastPosition = position;
        }
    }
    return lastKey;
}

void Tessaro_Ctrl::BarSelection(int16_t nIndex, int16_t nBar, bool /*SelectionState*/) {
    HostEventScope scope(*this);
    SelectedBarKey_ = ctResSched_.TimeBarKey(nIndex, nBar);
    const std::string workOrder = KeyWorkOrder(SelectedBarKey_);
    if (workOrder.empty()) {
        return;
    }
    // Siblings are found by their work order, whatever the count part of their keys says, so
    // rebuilt and merged bars are reached too.
    std::string lastKey = ApplyWorkOrderLook(workOrder, true);
    if (!lastKey.empty()) {
        SelectedBarKey_ = std::move(lastKey);
    }
}

void Tessaro_Ctrl::BarDeselection(std::string& key) {
    const std::string workOrder = KeyWorkOrder(key);
    if (workOrder.empty()) {
        return;
    }
    std::string lastKey = ApplyWorkOrderLook(workOrder, false);
    if (!lastKey.empty()) {
        key = std::move(lastKey);
    }
}

void Tessaro_Ctrl::DeselectOtherWorkOrder(std::string_view workOrder) {
    if (SelectedBarKey_.empty()) {
        return;
    }
    if (KeyWorkOrder(SelectedBarKey_) != workOrder) {
        BarDeselection(SelectedBarKey_);
    }
}

void Tessaro_Ctrl::SelectWorkOrderFirstSubActivity(std::string wonumber) {
    HostEventScope scope(*this);
    std::string firstKey;
    AssembleBarKey(firstKey, wonumber, 1, 1);
    const std::string workOrder(TrimSpaces(wonumber));
    ctResSched_.SetContainerFlag(true);
    DeselectOtherWorkOrder(workOrder);

    // The first sub-activity is the work-order bar with the lowest position, whatever count its
    // key carries.
    int16_t row = 0;
    int16_t bar = 0;
    int16_t lowest = 0;
    for (const auto& [r, b] : ctResSched_.FindTimeBarsInKeyGroup(workOrder)) {
        if (ctResSched_.TimeBarKind(r, b) != WorkOrderBarKind) {
            continue;
        }
        const int16_t position = KeyPosition(ctResSched_.TimeBarKey(r, b));
        if (row == 0 || position < lowest) {
            row = r;
            bar = b;
            lowest = position;
        }
    }
    if (row == 0) {
        // Nothing of the work order is on the chart: the previous highlight is off, and nothing
        // is selected now.
        SelectedBarKey_.clear();
        return;
    }
    BarSelection(row, bar, true);
}

}  // namespace tessaro
