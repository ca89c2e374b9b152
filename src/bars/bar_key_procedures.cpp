#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "bars/bar_key.hpp"
#include "bars/bar_record_codec.hpp"
#include "bars/work_order_registry.hpp"
#include "rescheduling/move_gesture.hpp"

namespace tessaro {

namespace {

// True when the key splits cleanly and its work order is registered.
bool HasRegisteredWorkOrder(const WorkOrderRegistry& registry, const std::string& key) {
    const auto parts = TrySplitBarKey(key);
    return parts && !parts->WorkOrder.empty() && registry.Find(parts->WorkOrder) != nullptr;
}

}  // namespace

void Tessaro_Ctrl::AssembleKeyID(std::string& szKeyId, const std::string& wonumber,
                                 int16_t SubActivityPosition, int16_t SubActivityCount) {
    AssembleBarKey(szKeyId, wonumber, SubActivityPosition, SubActivityCount);
}

void Tessaro_Ctrl::DisAssembleKeyID(const std::string& szKeyId, std::string& wonumber,
                                    int16_t& SubActivityPosition, int16_t& SubActivityCount) {
    DisassembleBarKey(szKeyId, wonumber, SubActivityPosition, SubActivityCount);
}

std::string Tessaro_Ctrl::SetBarKeyId(std::string& BarID) {
    std::string number;
    int16_t position = 0;
    int16_t count = 0;
    DisassembleBarKey(BarID, number, position, count);
    const Vadel_Class1* entry = Registry().Find(number);
    if (entry == nullptr) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
    AssembleBarKey(BarID, number, position, entry->WOCount);
    return BarID;
}

WorkOrderRegistry& Tessaro_Ctrl::Registry() {
    if (!WorkOrderRegistry_) {
        WorkOrderRegistry_ = std::make_unique<WorkOrderRegistry>();
    }
    return *WorkOrderRegistry_;
}

void Tessaro_Ctrl::DiscardRegistry() {
    WorkOrderRegistry_.reset();
}

int16_t Tessaro_Ctrl::RegisterWorkOrderSubActivity(std::string_view number) noexcept {
    try {
        return Registry().Register(number);
    } catch (...) {
        // Registration must never stop a load; a registry that cannot grow counts nothing.
        return 0;
    }
}

void Tessaro_Ctrl::RefreshBarKeyCounts() {
    const int32_t rows = ctResSched_.RowCount();
    for (int32_t row = 1; row <= rows; ++row) {
        const auto r = static_cast<int16_t>(row);
        const int32_t bars = ctResSched_.TimeBarCount(r);
        for (int32_t bar = 1; bar <= bars; ++bar) {
            RefreshBarKeyCount(r, static_cast<int16_t>(bar));
        }
    }
}

void Tessaro_Ctrl::RefreshBarKeyCount(int16_t row, int16_t bar) {
    if (ctResSched_.TimeBarKind(row, bar) != WorkOrderBarKind) {
        return;
    }
    std::string key = ctResSched_.TimeBarKey(row, bar);
    // Bars of work orders this load did not register (left from an earlier load, or keyed by a
    // host in a form that does not split) keep the key they have: the new bars are already
    // drawn, and failing now would leave the load half done.
    if (!HasRegisteredWorkOrder(Registry(), key)) {
        return;
    }
    SetBarKeyId(key);
    ctResSched_.SetTimeBarKey(row, bar, std::move(key));
}

void Tessaro_Ctrl::AssembleBarRecord(std::string& recordText, const BarRecord& record) {
    AssembleBarRecordText(recordText, record);
}

void Tessaro_Ctrl::DisAssembleBarRecord(const std::string& recordText, BarRecord& record) {
    DisassembleBarRecordText(recordText, record);
}

void Tessaro_Ctrl::ExtendWorkOrderSpan(int32_t startDay, int32_t endDay, int32_t startMinute,
                                       int32_t endMinute) {
    Gesture_->WorkOrderSpan.Extend(startDay, endDay, startMinute, endMinute);
}

}  // namespace tessaro
