#pragma once

// The plant the workflow benchmarks share: generated once per size, loaded into one control
// through the four loaders, with the resident memory that load took. Only one plant is held at a
// time, so the 1,000,000-bar plant never shares the process with the smaller ones.

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include <plantgen/plant_generator.hpp>
#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

namespace tessaro::bench {

// Resident set size of the process in bytes; 0 when /proc cannot be read.
inline int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    int64_t totalPages = 0;
    int64_t residentPages = 0;
    if (!(statm >> totalPages >> residentPages)) {
        return 0;
    }
    return residentPages * sysconf(_SC_PAGESIZE);
}

// Resident bytes once the allocator has handed its free pages back, so freed memory of an earlier
// plant or of the load's temporaries is not counted.
inline int64_t TrimmedResidentBytes() {
    malloc_trim(0);
    return ResidentBytes();
}

// Bytes the allocator has handed out and not had back (small blocks and mapped ones), unlike the
// resident size blind to freed memory the allocator keeps for reuse.
inline int64_t HeapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<int64_t>(info.uordblks + info.hblkhd);
}

struct LoadFigures {
    int64_t residentBefore = 0;
    int64_t residentAfter = 0;
    // The four payload texts: the control keeps a copy of each for Refresh.
    int64_t payloadBytes = 0;
    int64_t bars = 0;
    int64_t workOrderBars = 0;
    double seconds = 0;
};

class WorkflowPlant {
public:
    WorkflowPlant(int32_t resources, int32_t subActivities)
        : resources_(resources), subActivities_(subActivities) {
        auto payloads = std::make_unique<plantgen::PlantPayloads>(
            plantgen::GeneratePlant({resources, subActivities, 1, true, 21}));
        load_.payloadBytes =
            static_cast<int64_t>(payloads->header.size() + payloads->resources.size() +
                                 payloads->calendars.size() + payloads->workOrders.size());
        control_ = std::make_unique<Tessaro_Ctrl>();

        load_.residentBefore = TrimmedResidentBytes();
        const auto start = std::chrono::steady_clock::now();
        control_->LoadScheduleTime(payloads->header);
        control_->LoadResource(payloads->resources);
        control_->LoadCalendarEvents(payloads->calendars);
        control_->LoadResourceEvents(payloads->workOrders);
        load_.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        load_.residentAfter = TrimmedResidentBytes();

        const ScheduleChart& chart = control_->ctResSched();
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                ++load_.bars;
                load_.workOrderBars += chart.Bar(row, bar).Kind == WorkOrderBarKind ? 1 : 0;
            }
        }
    }

    bool Is(int64_t resources, int64_t subActivities) const {
        return resources == resources_ && subActivities == subActivities_;
    }

    Tessaro_Ctrl& Control() { return *control_; }
    ScheduleChart& Chart() { return control_->ctResSched(); }
    const LoadFigures& Load() const { return load_; }

private:
    int32_t resources_;
    int32_t subActivities_;
    std::unique_ptr<Tessaro_Ctrl> control_;
    LoadFigures load_;
};

// The plant of that size, loaded on first use; a plant of another size is dropped first.
inline WorkflowPlant& SharedPlant(int64_t resources, int64_t subActivities) {
    static std::unique_ptr<WorkflowPlant> plant;
    if (!plant || !plant->Is(resources, subActivities)) {
        plant.reset();
        plant = std::make_unique<WorkflowPlant>(static_cast<int32_t>(resources),
                                                static_cast<int32_t>(subActivities));
    }
    return *plant;
}

}  // namespace tessaro::bench
