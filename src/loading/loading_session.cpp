#include "loading/loading_session.hpp"

#include <utility>

#include <pugixml.hpp>

#include "runtime/conversions.hpp"

namespace tessaro {

LoadingSession::LoadingSession(ScheduleChart& chart, PayloadStores stores, WorkOrderLook& look,
                               WorkOrderKeys& keys, std::function<void(LoadKind)> afterLoad,
                               std::function<const PendingChangeMap&()> pendingChanges)
    : chart_(chart),
      stores_(stores),
      look_(look),
      keys_(keys),
      afterLoad_(std::move(afterLoad)),
      pendingChanges_(std::move(pendingChanges)) {}

LoadingSession::~LoadingSession() = default;

void LoadingSession::ReloadStores() {
    // The window first, then the rows, then the bars that need the rows. Each loader is handed
    // its own store's text, which it keeps as it is, so nothing is copied.
    LoadScheduleTime(stores_.ScheduleTime.View());
    LoadResource(stores_.Resources.View());
    LoadCalendarEvents(stores_.Calendars.View());
    LoadResourceEvents(stores_.ResourceEvents.View());
}

void LoadingSession::StartWindow() {
    windowStart_ = TextToDate("1/1/2002");
    windowEnd_ = TextToDate("12/31/2002");
}

void LoadingSession::RestoreWindow(const DateTime& start, const DateTime& end,
                                   int32_t rangeStartDay, int32_t rangeEndDay) {
    windowStart_ = start;
    windowEnd_ = end;
    if (chart_.RangeStartDay() != rangeStartDay) {
        chart_.SetRangeStartDay(rangeStartDay);
    }
    if (chart_.RangeEndDay() != rangeEndDay) {
        chart_.SetRangeEndDay(rangeEndDay);
    }
}

}  // namespace tessaro
