#include "loading/recorded_activity_check.hpp"

#include <algorithm>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/bars/bar_record.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"

#include "bars/bar_record_codec.hpp"

namespace tessaro {

void RecordedActivityCheck::Span::Widen(ChartTime start, ChartTime end) {
    if (!Measured) {
        Start = start;
        End = end;
        Measured = true;
        return;
    }
    Start = std::min(Start, start);
    End = std::max(End, end);
}

RecordedActivityCheck::RecordedActivityCheck(const ScheduleChart& chart,
                                             const PendingChangeMap& pending) {
    for (const auto& [key, change] : pending) {
        Span span;
        span.ScheduleNo = change->woact;
        // The bars a record is made of: the work order's key group, work-order bars of the
        // activity only.
        for (const auto& [row, bar] : chart.FindTimeBarsInKeyGroup(change->wonumber)) {
            const ChartBar& candidate = chart.Bar(row, bar);
            if (candidate.Kind != WorkOrderBarKind) {
                continue;
            }
            BarRecord record;
            DisassembleBarRecordText(candidate.Tag, record);
            if (record.work_order_no == change->wonumber &&
                record.rsscheduleno == span.ScheduleNo) {
                span.Widen(candidate.Start, candidate.End);
            }
        }
        spans_[change->wonumber].push_back(span);
    }
}

void RecordedActivityCheck::Widen(std::string_view workOrder, int32_t scheduleNo, ChartTime start,
                                  ChartTime end) {
    if (spans_.empty()) {
        return;
    }
    // Records and keys hold the number trimmed.
    const auto found = spans_.find(TrimSpaces(workOrder));
    if (found == spans_.end()) {
        return;
    }
    for (Span& span : found->second) {
        if (span.ScheduleNo == scheduleNo) {
            span.Widen(start, end);
        }
    }
}

void RecordedActivityCheck::Check() const {
    for (const auto& [workOrder, spans] : spans_) {
        for (const Span& span : spans) {
            if (!span.Measured) {
                continue;
            }
            try {
                span.Start.ToPayloadSeconds();
                span.End.ToPayloadSeconds();
            } catch (const AutomationError&) {
                RaiseRuntimeError(RuntimeError::Overflow,
                                  "The changed activity " + std::to_string(span.ScheduleNo) +
                                      " of work order \"" + workOrder.substr(0, 60) +
                                      "\" would reach past the seconds its change record holds.");
            }
        }
    }
}

}  // namespace tessaro
