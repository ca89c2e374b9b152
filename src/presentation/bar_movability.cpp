#include "bar_movability.hpp"

#include <QCoreApplication>

#include <tessaro/bars/chart_conventions.hpp>

namespace tessaro::qt_detail {
namespace {

// The chart view's texts, under the translation context they have always had; called as
// ViewText::tr, lupdate finds them there.
struct ViewText {
    Q_DECLARE_TR_FUNCTIONS(tessaro::ScheduleChartView)
};

}  // namespace

bool BarStaysPut(int32_t kind) {
    return kind == WorkOrderBarKind || kind == CalendarBarKind;
}

QString RefusedDragHint(int32_t kind) {
    return kind == CalendarBarKind
               ? ViewText::tr("Calendar blocks cannot be moved.")
               : ViewText::tr("Copy the activity (right-click, Copy) to move it.");
}

QString RefusedRemovalHint(int32_t kind) {
    return kind == CalendarBarKind ? ViewText::tr("Calendar blocks cannot be removed.")
                                   : ViewText::tr(
                                         "Work-order activities cannot be removed here; a "
                                         "copy (right-click, Copy) can.");
}

}  // namespace tessaro::qt_detail
