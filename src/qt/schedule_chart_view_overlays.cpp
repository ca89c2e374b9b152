// Zoom, the now line, conflicts and changed activities: what the chart view shows beyond the
// model's bars.

#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <cmath>

#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "bar_facts.hpp"
#include "bar_index.hpp"
#include "chart_palette.hpp"
#include "guarded_call.hpp"

namespace tessaro {
namespace {

int RoundedX(double x) {
    return static_cast<int>(std::lround(std::clamp(x, -1.0e7, 1.0e7)));
}

std::string ChangeKey(std::string_view workOrder, std::string_view activity) {
    std::string key(workOrder);
    key += '$';
    key += activity;
    return key;
}

}  // namespace

// ---- Zoom ----

bool ScheduleChartView::canZoomOut() const {
    return layout_.axis.dayWidth() > fitDayWidth() + 1e-9;
}

void ScheduleChartView::fitToWindow() {
    const double fit = fitDayWidth() / dpiScale();
    // Whole pixels a day, rounded down so that the last day stays in sight.
    chart_.SetTimeScale(static_cast<int16_t>(std::clamp(std::floor(fit), 1.0, 32767.0)));
    horizontalScrollBar()->setValue(0);
}

void ScheduleChartView::zoomBy(double factor, int anchorX) {
    if (!(factor > 0)) {
        return;
    }
    const int anchor = std::clamp(anchorX, chartArea().left(), chartArea().right());
    // The moment under the anchor, in fractional minutes, before the zoom.
    const double minute = layout_.axis.minuteAt(0) +
                          (anchor - chartArea().left() + scrollX()) / layout_.axis.minuteWidth();
    const double current = layout_.axis.dayWidth() / dpiScale();
    const double fit = fitDayWidth() / dpiScale();
    const double wanted = std::clamp(current * factor, std::min(fit, current),
                                     static_cast<double>(kMaximumTimeScale));
    auto scale = static_cast<int16_t>(std::clamp(std::lround(wanted), 1L, 32767L));
    if (scale == chart_.TimeScale()) {
        // A small step still moves: at least one pixel a day.
        scale = static_cast<int16_t>(
            std::clamp<int>(scale + (factor > 1 ? 1 : -1),
                            static_cast<int>(std::max(1.0, std::floor(fit))), kMaximumTimeScale));
        if (factor < 1 && !canZoomOut()) {
            return;
        }
    }
    chart_.SetTimeScale(scale);
    const double x = (minute - layout_.axis.minuteAt(0)) * layout_.axis.minuteWidth();
    horizontalScrollBar()->setValue(RoundedX(x - (anchor - chartArea().left())));
}

void ScheduleChartView::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y();
    if (steps != 0) {
        // One notch of the wheel zooms by a quarter.
        zoomBy(std::pow(1.25, steps / 120.0), event->position().toPoint().x());
    }
    event->accept();
}

void ScheduleChartView::setNowTime(std::optional<ChartTime> now) {
    now_ = now;
    viewport()->update();
}

// ---- Conflicts ----

bool ScheduleChartView::isConflicting(int row, int bar) const {
    if (!barExists(row, bar)) {
        return false;
    }
    return index_->conflicts(chart_, static_cast<int16_t>(row)).contains(static_cast<int16_t>(bar));
}

std::vector<std::pair<int64_t, int64_t>> ScheduleChartView::conflictZones(int row) const {
    if (row < 1 || row > chart_.RowCount()) {
        return {};
    }
    return index_->conflicts(chart_, static_cast<int16_t>(row)).zones;
}

bool ScheduleChartView::showNextConflict(bool backwards) {
    const int rows = chart_.RowCount();
    if (rows == 0) {
        return false;
    }
    std::pair<int, int64_t> from = conflictCursor_;
    if (from.first == 0 && barExists(lastClicked_.row, lastClicked_.bar)) {
        const ChartBar& clicked = chart_.Bar(static_cast<int16_t>(lastClicked_.row),
                                             static_cast<int16_t>(lastClicked_.bar));
        from = {lastClicked_.row, clicked.Start.AbsoluteMinutes()};
    }
    // Rows in order from the cursor's, once round, the cursor's row again at the end.
    std::optional<std::pair<int, std::pair<int64_t, int64_t>>> found;
    for (int step = 0; step <= rows && !found; ++step) {
        int row = from.first == 0 ? (backwards ? rows : 1) : from.first;
        row = ((row - 1 + (backwards ? -step : step)) % rows + rows) % rows + 1;
        const auto& zones = index_->conflicts(chart_, static_cast<int16_t>(row)).zones;
        if (zones.empty()) {
            continue;
        }
        const bool cursorRow = from.first != 0 && row == from.first;
        const bool wrapped = step == rows;
        if (!backwards) {
            for (const auto& zone : zones) {
                if (!cursorRow || (step == 0 ? zone.first > from.second : wrapped)) {
                    found = {row, zone};
                    break;
                }
            }
        } else {
            for (auto zone = zones.rbegin(); zone != zones.rend(); ++zone) {
                if (!cursorRow || (step == 0 ? zone->first < from.second : wrapped)) {
                    found = {row, *zone};
                    break;
                }
            }
        }
    }
    if (!found) {
        return false;
    }
    const int row = found->first;
    const auto [start, end] = found->second;
    conflictCursor_ = {row, start};

    // The earliest overlapping bar of the zone is the one clicked.
    int16_t first = 0;
    int64_t firstStart = 0;
    const auto& conflicts = index_->conflicts(chart_, static_cast<int16_t>(row));
    index_->row(chart_, static_cast<int16_t>(row))
        .forEachIn(start, end, [&](const qt_detail::RowBarIndex::Entry& entry) {
            if (entry.end > start && entry.start < end && conflicts.contains(entry.bar) &&
                (first == 0 || entry.start < firstStart)) {
                first = entry.bar;
                firstStart = entry.start;
            }
        });
    scrollToRow(row);
    QScrollBar* horizontal = horizontalScrollBar();
    const double zoneLeft = layout_.axis.x(start);
    const double zoneRight = layout_.axis.x(end);
    const int width = chartArea().width();
    if (zoneLeft < horizontal->value() || zoneRight > horizontal->value() + width) {
        horizontal->setValue(RoundedX(zoneLeft - width / 8.0));
    }
    if (first != 0) {
        lastClicked_ = {row, first};
        qt_detail::runGuarded([&] { chart_.ClickBar(static_cast<int16_t>(row), first); },
                              [this](int number, const QString& source, const QString& text) {
                                  emit errorRaised(number, source, text);
                              });
        emit conflictShown(row, first);
    }
    viewport()->update();
    return true;
}

// ---- Changed activities ----

void ScheduleChartView::setChangeSource(std::function<std::vector<ChangedActivity>()> source) {
    changeSource_ = std::move(source);
    changesDirty_ = true;
    viewport()->update();
}

const std::vector<ScheduleChartView::ChangedActivity>& ScheduleChartView::changes() const {
    if (changesDirty_) {
        changes_ = changeSource_ ? changeSource_() : std::vector<ChangedActivity>{};
        changeIndex_.clear();
        for (size_t i = 0; i < changes_.size(); ++i) {
            ChangedActivity& change = changes_[i];
            changeIndex_[ChangeKey(change.workOrder, change.activity)] = i;
            if (change.placed) {
                continue;
            }
            // Found once per change of the chart, not at every paint.
            change.currentRow = 0;
            for (const auto& [row, bar] : chart_.FindTimeBarsInKeyGroup(change.workOrder)) {
                const ChartBar& b = chart_.Bar(row, bar);
                const std::optional<BarActivity> named = ActivityOfBar(chart_, row, bar);
                if (RoleOfBarKind(b.Kind) != BarRole::WorkOrder || !named ||
                    std::to_string(named->ScheduleNumber) != change.activity) {
                    continue;
                }
                if (change.currentRow == 0 || b.Start.AbsoluteMinutes() < change.currentStart) {
                    change.currentRow = row;
                    change.currentStart = b.Start.AbsoluteMinutes();
                }
                change.currentEnd = std::max(change.currentEnd, b.End.AbsoluteMinutes());
            }
        }
        changesDirty_ = false;
    }
    return changes_;
}

const ScheduleChartView::ChangedActivity* ScheduleChartView::changeOf(int row, int bar) const {
    if (!barExists(row, bar) || changes().empty()) {
        return nullptr;
    }
    const auto r = static_cast<int16_t>(row);
    const auto b = static_cast<int16_t>(bar);
    const std::optional<BarActivity> named = ActivityOfBar(chart_, r, b);
    if (RoleOfBarKind(chart_.Bar(r, b).Kind) != BarRole::WorkOrder || !named) {
        return nullptr;
    }
    const auto found =
        changeIndex_.find(ChangeKey(named->WorkOrder, std::to_string(named->ScheduleNumber)));
    return found == changeIndex_.end() ? nullptr : &changes_[found->second];
}

void ScheduleChartView::paintChanges(QPainter& painter, int firstRow, int lastRow) const {
    const std::vector<ChangedActivity>& changed = changes();
    if (changed.empty()) {
        return;
    }
    const chart_palette::ChartColours& colours = *colours_;
    const auto [fromMinute, toMinute] = visibleMinutes();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ChangedActivity& change : changed) {
        const bool nowInSight = change.currentRow >= firstRow && change.currentRow <= lastRow &&
                                change.currentEnd >= fromMinute && change.currentStart <= toMinute;
        const QRect now = change.currentRow == 0 ? QRect()
                                                 : spanRect(change.currentRow, change.currentStart,
                                                            change.currentEnd, WorkOrderBarKind);
        const bool loadedInSight = change.loadedRow >= firstRow && change.loadedRow <= lastRow &&
                                   change.loadedEnd >= fromMinute && change.loadedStart <= toMinute;
        const QRect was =
            spanRect(change.loadedRow, change.loadedStart, change.loadedEnd, WorkOrderBarKind);
        if (loadedInSight) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colours.changeOutline, 2, Qt::DashLine));
            painter.drawRect(QRectF(was).adjusted(1, 1, -1, -1));
        }
        if (!now.isNull() && (loadedInSight || nowInSight)) {
            // The link from where it was to where it is.
            QPen link(colours.changeOutline, 1.5, Qt::DotLine);
            painter.setPen(link);
            const QPointF a(was.center());
            const QPointF b(now.left(), now.center().y());
            painter.drawLine(a, b);
            // The marker: a filled dot at the start of the moved bar.
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.changeMarker);
            const double r = std::max(3.0, layout_.rowHeight / 6.0);
            painter.drawEllipse(QPointF(now.left(), now.top()), r, r);
        }
    }
    painter.restore();
}

// ---- Descriptions ----

namespace {

QString DateTimeText(int64_t absoluteMinute, const QLocale& /*locale*/) {
    return qt_detail::LocalDateTime(TimeAxis::timeOf(absoluteMinute));
}

}  // namespace

QString ScheduleChartView::describeBar(int row, int bar) const {
    if (!barExists(row, bar)) {
        return {};
    }
    const ChartBar& b = chart_.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
    const QLocale locale;
    const QString resource = toQString(chart_.RowColumnText(static_cast<int16_t>(row), 1));
    const QString span = DateTimeText(b.Start.AbsoluteMinutes(), locale) +
                         QStringLiteral(" \u2013 ") + DateTimeText(b.End.AbsoluteMinutes(), locale);
    const BarRole role = RoleOfBarKind(b.Kind);
    if (role == BarRole::Calendar) {
        return tr("%1 is not available\n%2").arg(resource, span);
    }
    // Only work-order bars and their copies carry a record.
    const qt_detail::BarFacts facts =
        qt_detail::ReadBarFacts(chart_, static_cast<int16_t>(row), static_cast<int16_t>(bar));
    if (!facts.valid()) {
        return toQString(chart_.HintText());
    }
    QStringList lines;
    const QString activity =
        facts.activity.isEmpty()
            ? tr("Work order %1").arg(facts.workOrder)
            : tr("Work order %1, activity %2").arg(facts.workOrder, facts.activity);
    lines << (role == BarRole::Temporary ? tr("Copy of: %1").arg(activity) : activity);
    if (!facts.customer.isEmpty()) {
        lines << tr("Customer: %1").arg(facts.customer) +
                     (facts.salesOrder.isEmpty() ? QString()
                                                 : tr(" (sales order %1)").arg(facts.salesOrder));
    }
    if (!facts.item.isEmpty()) {
        lines << tr("Item: %1").arg(facts.item);
    }
    if (!facts.statusName.isEmpty() || !facts.statusLetter.isEmpty()) {
        lines << tr("Status: %1")
                     .arg(facts.statusName.isEmpty() ? facts.statusLetter : facts.statusName);
    }
    lines << tr("On %1: %2").arg(resource, span);
    if (!facts.required.isEmpty()) {
        lines << tr("Required %1, promised %2").arg(facts.required, facts.promised);
    }
    if (const ChangedActivity* change = changeOf(row, bar); change != nullptr) {
        lines << QString() << change->summary;
    }
    if (role == BarRole::WorkOrder) {
        lines << QString() << tr("Copy the activity (right-click, Copy) to move it.");
    } else {
        lines << QString()
              << tr("Drag this copy to move the activity; right-click another bar to paste.");
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tessaro
