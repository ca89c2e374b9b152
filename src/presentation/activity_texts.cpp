#include "activity_texts.hpp"

#include <exception>
#include <optional>

#include <QCoreApplication>
#include <QStringList>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/qt/conversions.hpp>

#include "bar_facts.hpp"
#include "bar_texts.hpp"

namespace tessaro::qt_detail {
namespace {

// The control widget's texts, under the translation context they have always had; called as
// WidgetText::tr, lupdate finds them there.
struct WidgetText {
    Q_DECLARE_TR_FUNCTIONS(tessaro::TessaroWidget)
};

QString At(const ChartTime& time) {
    return LocalDateTime(time);
}

}  // namespace

QString ConflictEntryText(const ScheduleChart& chart, const std::string& key) {
    const int16_t row = chart.FindTimeBarRow(key);
    const int16_t bar = row > 0 ? chart.FindTimeBarInRow(key, row) : 0;
    if (bar == 0) {
        return {};
    }
    const ChartBar& b = chart.Bar(row, bar);
    const BarFacts facts = ReadBarFacts(chart, row, bar);
    if (!facts.valid()) {
        return {};
    }
    const QString end =
        b.End.Day == b.Start.Day ? LocalTimeOfDay(b.End) : ShortLocalDateTime(b.End);
    return WidgetText::tr("%1/%2 \u00b7 %3 \u00b7 %4\u2013%5")
        .arg(facts.workOrder, facts.activity, toQString(chart.RowColumnText(row, 1)),
             ShortLocalDateTime(b.Start), end);
}

QString ChangeSummary(const Vadel_Class2& record, const LoadedPlacement& loaded) {
    const ChartTime start = ChartTime::FromPayloadSeconds(record.starttime);
    const ChartTime end = ChartTime::FromPayloadSeconds(record.endtime);
    const QString method = record.schmethod == "F"   ? WidgetText::tr("pasted forward")
                           : record.schmethod == "B" ? WidgetText::tr("pasted backward")
                                                     : WidgetText::tr("moved by hand");
    QStringList lines;
    lines << WidgetText::tr("Changed (%1), to be saved:").arg(method)
          << WidgetText::tr("Start %1, was %2").arg(At(start), At(loaded.Start))
          << WidgetText::tr("End %1, was %2").arg(At(end), At(loaded.End));
    // An activity split over resources names every one it was loaded on.
    QStringList loadedOn;
    for (const std::string& resource : loaded.Resources) {
        loadedOn << toQString(resource);
    }
    const QString was = loadedOn.join(QStringLiteral(", "));
    if (record.reschangeflg == "Y") {
        lines << WidgetText::tr("Resource %1, was %2").arg(toQString(record.newresource), was);
    } else if (loadedOn.size() > 1) {
        lines << WidgetText::tr("Resources %1, unchanged").arg(was);
    } else {
        lines << WidgetText::tr("Resource %1, unchanged").arg(was);
    }
    return lines.join(QLatin1Char('\n'));
}

QString BarToolTip(const Tessaro_Ctrl& control, int row, int bar) {
    const ScheduleChart& chart = control.ctResSched();
    const auto r = static_cast<int16_t>(row);
    const auto b = static_cast<int16_t>(bar);
    QString summary;
    if (RoleOfBarKind(chart.Bar(r, b).Kind) == BarRole::WorkOrder) {
        if (const std::optional<BarActivity> named = ActivityOfBar(chart, r, b)) {
            const auto* record = control.PendingChanges().Find(
                named->WorkOrder + "$" + std::to_string(named->ScheduleNumber));
            const std::optional<LoadedPlacement> loaded =
                control.LoadedPlacementOf(named->WorkOrder, named->ScheduleNumber);
            if (record != nullptr && *record && loaded) {
                summary = ChangeSummary(**record, *loaded);
            }
        }
    }
    return DescribeBar(chart, row, bar, summary.isEmpty() ? nullptr : &summary);
}

QString ActivityNowText(const Tessaro_Ctrl& control, const std::string& workOrder,
                        const std::string& activity) {
    if (workOrder.empty()) {
        return {};
    }
    const ScheduleChart& chart = control.ctResSched();
    int16_t row = 0;
    ChartTime start;
    ChartTime end;
    for (const auto& [r, bar] : chart.FindTimeBarsInKeyGroup(workOrder)) {
        const ChartBar& b = chart.Bar(r, bar);
        const std::optional<BarActivity> named = ActivityOfBar(chart, r, bar);
        if (RoleOfBarKind(b.Kind) != BarRole::WorkOrder || !named ||
            QString::number(named->ScheduleNumber) != toQString(activity)) {
            continue;
        }
        if (row == 0 || b.Start < start) {
            start = b.Start;
            row = r;
        }
        end = row == r && b.End > end ? b.End : end;
    }
    if (row == 0) {
        return {};
    }
    QString text = WidgetText::tr("Activity %1 now: %2 \u2013 %3 on %4")
                       .arg(toQString(activity), At(start),
                            end.Day == start.Day ? LocalTimeOfDay(end) : At(end),
                            toQString(chart.RowColumnText(row, 1)));
    int32_t number = 0;
    try {
        number = std::stoi(activity);
    } catch (const std::exception&) {
        return text;
    }
    if (const std::optional<LoadedPlacement> loaded =
            control.LoadedPlacementOf(workOrder, number)) {
        text += WidgetText::tr(" (changed; loaded %1 on %2)")
                    .arg(At(loaded->Start), toQString(loaded->Resource));
    }
    return text;
}

}  // namespace tessaro::qt_detail
