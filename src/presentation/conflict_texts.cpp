#include "conflict_texts.hpp"

#include <chrono>

#include <QCoreApplication>

#include <tessaro/qt/conversions.hpp>

#include "bar_facts.hpp"

namespace tessaro::qt_detail {
namespace {

struct ConflictText {
    Q_DECLARE_TR_FUNCTIONS(tessaro::qt_detail::ConflictPanel)
};

QString Activity(const ActivityKey& activity) {
    return QStringLiteral("%1/%2").arg(toQString(activity.WorkOrder)).arg(activity.Activity);
}

}  // namespace

ChartTime ChartTimeOfPlan(PlanTime time) {
    // The chart's day 0 is 1 January 1900, 25,567 days before the system clock's epoch.
    constexpr int64_t kDaysBeforeEpoch = 25567;
    const int64_t minutes =
        std::chrono::floor<std::chrono::minutes>(time).time_since_epoch().count();
    const int64_t day = (minutes >= 0 ? minutes : minutes - 1439) / 1440;
    return {static_cast<int32_t>(day + kDaysBeforeEpoch),
            static_cast<int32_t>(minutes - day * 1440)};
}

ConflictLine DescribeConflict(const PlanConflict& conflict) {
    ConflictLine line;
    switch (conflict.Kind) {
        case ConflictKind::Overlap:
            line.kind = ConflictText::tr("Overlap");
            line.activities = ConflictText::tr("%1 with %2")
                                  .arg(Activity(conflict.Activity), Activity(conflict.Other));
            break;
        case ConflictKind::Precedence:
            line.kind = ConflictText::tr("Out of order");
            line.activities = ConflictText::tr("%1 starts before %2 ends")
                                  .arg(Activity(conflict.Activity), Activity(conflict.Other));
            break;
        case ConflictKind::NonWorkingTime:
            line.kind = ConflictText::tr("Non-working time");
            line.activities = Activity(conflict.Activity);
            break;
    }
    line.resource = toQString(conflict.Resource);
    const ChartTime start = ChartTimeOfPlan(conflict.Start);
    const ChartTime end = ChartTimeOfPlan(conflict.End);
    line.startMinute = start.AbsoluteMinutes();
    line.time = ShortLocalDateTime(start) + QStringLiteral("\u2013") +
                (end.Day == start.Day ? LocalTimeOfDay(end) : ShortLocalDateTime(end));
    return line;
}

QString ConflictLine::line() const {
    return ConflictText::tr("%1 \u00b7 %2 \u00b7 %3 \u00b7 %4")
        .arg(kind, resource, activities, time);
}

}  // namespace tessaro::qt_detail
