#pragma once

#include <string>
#include <string_view>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "rescheduling/move_gesture.hpp"

namespace tessaro {

// Reaches the control's own procedures, which hosts do not call, so tests can check them one by
// one.
class TessaroCtrlProbe {
public:
    explicit TessaroCtrlProbe(Tessaro_Ctrl& control) : control_(control) {}

    int16_t RegisterWorkOrderSubActivity(std::string_view number) {
        return control_.RegisterWorkOrderSubActivity(number);
    }
    void RefreshBarKeyCounts() { control_.RefreshBarKeyCounts(); }
    void DiscardRegistry() { control_.DiscardRegistry(); }
    void AssembleBarRecord(std::string& text, const BarRecord& record) {
        control_.AssembleBarRecord(text, record);
    }
    void DisAssembleBarRecord(const std::string& text, BarRecord& record) {
        control_.DisAssembleBarRecord(text, record);
    }
    tessaro::WorkOrderSpan& Span() { return control_.Gesture_->WorkOrderSpan; }
    void ExtendWorkOrderSpan(int32_t startDay, int32_t endDay, int32_t startMinute,
                             int32_t endMinute) {
        control_.ExtendWorkOrderSpan(startDay, endDay, startMinute, endMinute);
    }
    void ApplyBarColour(std::string_view status, int16_t selected, int16_t row, int16_t bar,
                        int16_t activityTimeType) {
        control_.ApplyBarColour(status, selected, row, bar, activityTimeType);
    }
    void ApplyBarStyle(std::string_view status, int16_t row, int16_t bar, int16_t firstKey,
                       int16_t secondKey, int16_t selected, int16_t activityTimeType) {
        control_.ApplyBarStyle(status, row, bar, firstKey, secondKey, selected, activityTimeType);
    }

private:
    Tessaro_Ctrl& control_;
};

}  // namespace tessaro
