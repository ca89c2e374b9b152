#pragma once

// The four loaders and what they keep between loads: the schedule window, the stores holding the
// last payload of each, the parsed documents some keep, and the registry of the last bar load.
// Each loader reads every record before the chart changes, so a payload that fails raises its
// error and leaves the window, rows and bars as they were.

#include <cstdint>
#include <functional>
#include <string_view>

#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/components/text_store.hpp>
#include <tessaro/rescheduling/pending_changes.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "bars/work_order_keys.hpp"
#include "bars/work_order_look.hpp"
#include "loading/payload_reader.hpp"

namespace tessaro {

// What a finished load replaced: rows (and with them every bar), bars added, or neither.
enum class LoadKind { Rows, Bars, Other };

// The stores of the four payloads, in the order Refresh loads them.
struct PayloadStores {
    TextStore& ScheduleTime;
    TextStore& Resources;
    TextStore& Calendars;
    TextStore& ResourceEvents;
};

class LoadingSession {
public:
    // afterLoad runs at the end of every load that succeeds; after a bar load it makes the
    // change records of pendingChanges again, which the bar loader checks it can.
    LoadingSession(ScheduleChart& chart, PayloadStores stores, WorkOrderLook& look,
                   WorkOrderKeys& keys, std::function<void(LoadKind)> afterLoad,
                   std::function<const PendingChangeMap&()> pendingChanges);
    ~LoadingSession();
    LoadingSession(const LoadingSession&) = delete;
    LoadingSession& operator=(const LoadingSession&) = delete;

    // The first record's fromtimeperiod and totimeperiod become the window and the chart's
    // range, all together or not at all; a window that ends before it starts raises 5.
    void LoadScheduleTime(std::string_view payload);
    // Replaces every row by one row "resno;shortdesc" per resource; more than 32767 resources
    // raise overflow (6), a resno holding ";" raises 5.
    void LoadResource(std::string_view payload);
    // One calendar bar per entry whose resno names a row; other entries are skipped. A negative
    // length raises 5.
    void LoadCalendarEvents(std::string_view payload);
    // One work-order bar per sub-activity whose resno names a row, by row first, then payload
    // order; only adds. A work-order number holding "$" or a negative duration raises 5; a work
    // order with more than 32767 sub-activities, or bars taking a changed activity outside
    // payload seconds, raise overflow (6).
    void LoadResourceEvents(std::string_view payload);

    // Loads the four stores' texts again, in refresh order; stops at the first that fails.
    void ReloadStores();

    // The window the control starts with, before any schedule time is loaded.
    void StartWindow();
    const DateTime& WindowStart() const { return windowStart_; }
    const DateTime& WindowEnd() const { return windowEnd_; }
    // Puts back a window kept before a reload, with the chart's range.
    void RestoreWindow(const DateTime& start, const DateTime& end, int32_t rangeStartDay,
                       int32_t rangeEndDay);

private:
    ScheduleChart& chart_;
    PayloadStores stores_;
    WorkOrderLook& look_;
    WorkOrderKeys& keys_;
    std::function<void(LoadKind)> afterLoad_;
    std::function<const PendingChangeMap&()> pendingChanges_;
    DateTime windowStart_;
    DateTime windowEnd_;
    // The schedule-time and resource loaders keep the document of their last payload, with the
    // copy of the text it was parsed in: the document's names and values point into that copy.
    PayloadRecords headerPayload_;
    PayloadRecords resourcePayload_;
};

}  // namespace tessaro
