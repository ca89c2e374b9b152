#include "components/schedule_chart_storage.hpp"

#include "runtime/slot_pool.hpp"

namespace tessaro {

namespace {

// Never destroyed: a chart in a static object may free its bars after every static pool is gone.
SlotPool& BarSlots(std::size_t barBytes) {
    static SlotPool* const pool = new SlotPool(barBytes);
    return *pool;
}

}  // namespace

void* ScheduleChart::StoredBar::operator new(std::size_t bytes) {
    return BarSlots(bytes).Take();
}

void ScheduleChart::StoredBar::operator delete(void* bar) noexcept {
    BarSlots(sizeof(StoredBar)).Give(bar);
}

void ScheduleChart::StoredBar::Reserve(std::size_t bars) {
    BarSlots(sizeof(StoredBar)).Reserve(bars);
}

}  // namespace tessaro
