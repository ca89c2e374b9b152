#include "bars/work_order_keys.hpp"

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "bars/bar_key.hpp"

#include <new>

namespace tessaro {

namespace {

// True when the key splits cleanly and its work order is registered.
bool HasRegisteredWorkOrder(const WorkOrderRegistry& registry, const std::string& key) {
    const auto parts = TrySplitBarKey(key);
    return parts && !parts->WorkOrder.empty() && registry.Find(parts->WorkOrder) != nullptr;
}

}  // namespace

WorkOrderRegistry& WorkOrderKeys::Registry() {
    if (!registry_) {
        registry_ = std::make_unique<WorkOrderRegistry>();
    }
    return *registry_;
}

int16_t WorkOrderKeys::Register(std::string_view number) {
    try {
        return Registry().Register(number);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        return 0;
    }
}

std::string WorkOrderKeys::SetBarKeyId(std::string& key) {
    std::string number;
    int16_t position = 0;
    int16_t count = 0;
    DisAssembleKeyID(key, number, position, count);
    const Vadel_Class1* entry = Registry().Find(number);
    if (entry == nullptr) {
        RaiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
    AssembleKeyID(key, number, position, entry->WOCount);
    return key;
}

void WorkOrderKeys::RefreshBarKeyCount(ScheduleChart& chart, int16_t row, int16_t bar) {
    if (chart.TimeBarKind(row, bar) != WorkOrderBarKind) {
        return;
    }
    std::string key = chart.TimeBarKey(row, bar);
    // Bars of work orders this load did not register (left from an earlier load, or keyed by a
    // host in a form that does not split) keep the key they have: the new bars are already
    // drawn, and failing now would leave the load half done.
    if (!HasRegisteredWorkOrder(Registry(), key)) {
        return;
    }
    SetBarKeyId(key);
    chart.SetTimeBarKey(row, bar, std::move(key));
}

}  // namespace tessaro
