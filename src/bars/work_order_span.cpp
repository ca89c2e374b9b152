#include <tessaro/bars/work_order_span.hpp>

#include "runtime/checked_arithmetic.hpp"

namespace tessaro {

void WorkOrderSpan::Extend(int32_t startDay, int32_t endDay, int32_t startMinute,
                           int32_t endMinute) {
    WorkOrderSpan widened = *this;
    if (startDay < StartDay) {
        widened.StartDay = startDay;
        widened.StartMinute = CheckedInt16(startMinute);
    } else if (startDay == StartDay && startMinute < StartMinute) {
        widened.StartMinute = CheckedInt16(startMinute);
    }
    if (endDay > EndDay) {
        widened.EndDay = endDay;
        widened.EndMinute = CheckedInt16(endMinute);
    } else if (endDay == EndDay && endMinute > EndMinute) {
        widened.EndMinute = CheckedInt16(endMinute);
    }
    *this = widened;
}

}  // namespace tessaro
