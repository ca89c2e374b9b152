#pragma once

// The count part of work-order bar keys: the registry of the last bar load counts the
// sub-activities of each work order, and keys are written with the counts it holds.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <tessaro/components/schedule_chart.hpp>

#include "bars/work_order_registry.hpp"

namespace tessaro {

class WorkOrderKeys {
public:
    // Returns the work order's count after this registration; a registry that cannot grow
    // counts nothing (0): registration never stops a load. Memory running out is no such
    // refusal: std::bad_alloc reaches the caller, whose command then changes nothing.
    int16_t Register(std::string_view number);
    // Rewrites the count part with the registered count of the key's work order and returns the
    // new key (also left in key); raises 5 when the registry holds no such work order.
    std::string SetBarKeyId(std::string& key);
    // Rewrites the key of a work-order bar whose work order is registered; other bars, and bars
    // whose key does not split, keep the key they have.
    void RefreshBarKeyCount(ScheduleChart& chart, int16_t row, int16_t bar);

    // The registry, made empty on first use.
    WorkOrderRegistry& Registry();
    // A load counts in a fresh registry and puts back the one it found when it fails.
    std::unique_ptr<WorkOrderRegistry> TakeRegistry() { return std::move(registry_); }
    void PutBackRegistry(std::unique_ptr<WorkOrderRegistry> registry) {
        registry_ = std::move(registry);
    }

private:
    std::unique_ptr<WorkOrderRegistry> registry_;
};

}  // namespace tessaro
