#pragma once

#include <cstdint>

namespace tessaro {

// The notifications the schedule chart raises, with the arguments the control reads. Rows and bars
// are 1-based. A handler may write the chart, remove the bar it is told about, or raise an
// AutomationError, which leaves the chart at the point of the call that raised the notification.
class ScheduleChartEvents {
public:
    virtual ~ScheduleChartEvents() = default;

    // A drag of a bar begins: mode 1 moves the bar, mode 2 its start edge, mode 3 its end edge.
    virtual void BarChanging(int16_t row, int16_t bar, int16_t mode) = 0;
    // A drag would put the bar on targetRow; the handler may refuse it with CancelRowChange.
    virtual void BarRowChanging(int16_t sourceRow, int16_t bar, int16_t targetRow) = 0;
    // The bar's times were written (by a drag, a time write or MoveTimeBar).
    virtual void BarChanged(int16_t row, int16_t bar) = 0;
    virtual void BarClick(int16_t row, int16_t bar) = 0;
    virtual void BarSelected(int16_t row, int16_t bar) = 0;
    virtual void BarChosen(int16_t row, int16_t bar) = 0;
    virtual void BarRightClick(int16_t row, int16_t bar) = 0;
    virtual void BarHovered(int16_t row, int16_t bar) = 0;
    virtual void BarRemoveRequest(int16_t row, int16_t bar, bool confirmed) = 0;
    virtual void GestureFlagsSet() = 0;
};

}  // namespace tessaro
