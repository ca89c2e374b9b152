// Zoom, the now line, conflicts and changed activities: what the chart view shows beyond the
// model's bars.

#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <cmath>

#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QScrollBar>
#include <QWheelEvent>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "activity_placement.hpp"
#include "bar_drag.hpp"
#include "bar_index.hpp"
#include "bar_texts.hpp"
#include "conflict_navigation.hpp"
#include "guarded_call.hpp"
#include "schedule_chart_view_private.hpp"

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
    return d->layout_.axis.dayWidth() > fitDayWidth() + 1e-9;
}

void ScheduleChartView::fitToWindow() {
    const double fit = fitDayWidth() / d->dpiScale();
    // Whole pixels a day, rounded down so that the last day stays in sight.
    d->chart_.SetTimeScale(static_cast<int16_t>(std::clamp(std::floor(fit), 1.0, 32767.0)));
    horizontalScrollBar()->setValue(0);
}

void ScheduleChartView::zoomBy(double factor, int anchorX) {
    if (!(factor > 0)) {
        return;
    }
    const int anchor = std::clamp(anchorX, chartArea().left(), chartArea().right());
    // The moment under the anchor, in fractional minutes, before the zoom.
    const double minute =
        d->layout_.axis.minuteAt(0) +
        (anchor - chartArea().left() + d->chartGeometry().scrollX) / d->layout_.axis.minuteWidth();
    const std::optional<int16_t> scale =
        qt_detail::ZoomedTimeScale(d->chart_, d->layout_.axis.dayWidth(), fitDayWidth(),
                                   d->dpiScale(), factor, kMaximumTimeScale);
    if (!scale) {
        return;
    }
    d->chart_.SetTimeScale(*scale);
    const double x = (minute - d->layout_.axis.minuteAt(0)) * d->layout_.axis.minuteWidth();
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
    d->now_ = now;
    viewport()->update();
}

// ---- Conflicts ----

bool ScheduleChartView::isConflicting(int row, int bar) const {
    if (!d->barExists(row, bar)) {
        return false;
    }
    return d->index_->conflicts(d->chart_, static_cast<int16_t>(row))
        .contains(static_cast<int16_t>(bar));
}

std::vector<std::pair<int64_t, int64_t>> ScheduleChartView::conflictZones(int row) const {
    if (row < 1 || row > d->chart_.RowCount()) {
        return {};
    }
    return d->index_->conflicts(d->chart_, static_cast<int16_t>(row)).zones;
}

void ScheduleChartView::setConflictSource(
    std::function<std::vector<PlanConflict>(int firstRow, int lastRow)> source) {
    d->conflictSource_ = std::move(source);
    d->planConflicts_.markDirty();
    viewport()->update();
}

const std::vector<PlanConflict>& ScheduleChartView::Private::planConflicts(int firstRow,
                                                                           int lastRow) {
    return planConflicts_.of(firstRow, lastRow, [&](int from, int to) {
        qt_detail::ConflictsOfRows asked{from, to, {}};
        if (conflictSource_) {
            qt_detail::runGuarded([&] { asked.conflicts = conflictSource_(from, to); },
                                  [this](int number, const QString& source, const QString& text) {
                                      emit q->errorRaised(number, source, text);
                                  });
        }
        return asked;
    });
}

void ScheduleChartView::setPrecedenceSource(
    std::function<std::vector<PrecedenceLine>(const std::string& workOrder)> source) {
    d->precedenceSource_ = std::move(source);
    d->links_.markDirty();
    viewport()->update();
}

const std::vector<qt_detail::LinkLine>& ScheduleChartView::Private::selectedLinks() {
    if (!precedenceSource_) {
        return links_.of(chart_, 0, 0, nullptr);
    }
    return links_.of(chart_, lastClicked_.row, lastClicked_.bar, [this](const std::string& order) {
        std::vector<qt_detail::LinkLine> lines;
        qt_detail::runGuarded(
            [&] {
                for (const PrecedenceLine& line : precedenceSource_(order)) {
                    lines.push_back(
                        {line.fromRow, line.fromBar, line.toRow, line.toBar, line.outOfOrder});
                }
            },
            [this](int number, const QString& source, const QString& text) {
                emit q->errorRaised(number, source, text);
            });
        return lines;
    });
}

bool ScheduleChartView::showNextConflict(bool backwards) {
    const std::optional<qt_detail::ConflictStop> found = qt_detail::StepConflictCursor(
        d->conflictCursor_, *d->index_, d->chart_,
        d->conflictSource_ ? &d->planConflicts(1, d->chart_.RowCount()) : nullptr,
        {d->lastClicked_.row, d->lastClicked_.bar}, backwards);
    if (!found) {
        return false;
    }
    const int row = found->row;
    const int64_t start = found->start;
    const int64_t end = found->end;
    const int16_t first = found->firstBar;
    scrollToRow(row);
    QScrollBar* horizontal = horizontalScrollBar();
    const double zoneLeft = d->layout_.axis.x(start);
    const double zoneRight = d->layout_.axis.x(end);
    const int width = chartArea().width();
    if (zoneLeft < horizontal->value() || zoneRight > horizontal->value() + width) {
        horizontal->setValue(RoundedX(zoneLeft - width / 8.0));
    }
    if (first != 0) {
        d->lastClicked_ = {row, first};
        qt_detail::runGuarded([&] { d->chart_.ClickBar(static_cast<int16_t>(row), first); },
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
    d->changeSource_ = std::move(source);
    d->changesDirty_ = true;
    viewport()->update();
}

const std::vector<ScheduleChartView::ChangedActivity>& ScheduleChartView::Private::changes() {
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
            const qt_detail::ActivityPlacement now =
                qt_detail::FindActivityPlacement(chart_, change.workOrder, change.activity);
            change.currentRow = now.row;
            if (now.row != 0) {
                change.currentStart = now.start;
                change.currentEnd = std::max(change.currentEnd, now.end);
            }
        }
        changeOutlines_.clear();
        for (const ChangedActivity& change : changes_) {
            changeOutlines_.push_back({change.loadedRow, change.loadedStart, change.loadedEnd,
                                       change.currentRow, change.currentStart, change.currentEnd});
        }
        changesDirty_ = false;
    }
    return changes_;
}

const std::vector<qt_detail::ChangeOutline>& ScheduleChartView::Private::changeOutlines() {
    changes();
    return changeOutlines_;
}

const ScheduleChartView::ChangedActivity* ScheduleChartView::changeOf(int row, int bar) const {
    if (!d->barExists(row, bar) || d->changes().empty()) {
        return nullptr;
    }
    const auto r = static_cast<int16_t>(row);
    const auto b = static_cast<int16_t>(bar);
    const std::optional<BarActivity> named = ActivityOfBar(d->chart_, r, b);
    if (RoleOfBarKind(d->chart_.Bar(r, b).Kind) != BarRole::WorkOrder || !named) {
        return nullptr;
    }
    const auto found =
        d->changeIndex_.find(ChangeKey(named->WorkOrder, std::to_string(named->ScheduleNumber)));
    return found == d->changeIndex_.end() ? nullptr : &d->changes_[found->second];
}

// ---- Descriptions ----

QString ScheduleChartView::describeBar(int row, int bar) const {
    if (!d->barExists(row, bar)) {
        return {};
    }
    const ChangedActivity* change = changeOf(row, bar);
    return qt_detail::DescribeBar(d->chart_, row, bar,
                                  change != nullptr ? &change->summary : nullptr);
}

}  // namespace tessaro
