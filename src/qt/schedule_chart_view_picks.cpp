// Activities picked together: Ctrl+click and the rubber band that pick them, their outlines,
// and the companions of a copy that travel with its drag.

#include <algorithm>
#include <utility>

#include <QPainter>
#include <QPen>

#include <tessaro/qt/schedule_chart_view.hpp>

#include "bar_facts.hpp"
#include "schedule_chart_view_private.hpp"

namespace tessaro {

namespace {

// The activity a work-order bar carries; a blank work order for any other bar.
ActivityKey ActivityOf(const ScheduleChart& chart, int row, int bar) {
    const auto r = static_cast<int16_t>(row);
    const auto b = static_cast<int16_t>(bar);
    if (chart.Bar(r, b).Kind != ScheduleChartView::kWorkOrderBarKind) {
        return {};
    }
    const qt_detail::BarFacts facts = qt_detail::ReadBarFacts(chart, r, b);
    bool numbered = false;
    const int activity = facts.activity.toInt(&numbered);
    if (!facts.valid() || !numbered) {
        return {};
    }
    return {facts.workOrder.toStdString(), activity};
}

}  // namespace

std::vector<ActivityKey> ScheduleChartView::pickedActivities() const {
    return d->picked_;
}

void ScheduleChartView::setPickedActivities(std::vector<ActivityKey> picked) {
    d->setPicks(std::move(picked));
}

void ScheduleChartView::setCompanionSource(
    std::function<std::vector<std::pair<int, int>>()> source) {
    d->companionSource_ = std::move(source);
}

void ScheduleChartView::Private::setPicks(std::vector<ActivityKey> picked) {
    std::vector<ActivityKey> unique;
    for (ActivityKey& activity : picked) {
        if (std::find(unique.begin(), unique.end(), activity) == unique.end()) {
            unique.push_back(std::move(activity));
        }
    }
    if (unique == picked_) {
        return;
    }
    picked_ = std::move(unique);
    q->viewport()->update();
    emit q->pickedActivitiesChanged();
}

bool ScheduleChartView::Private::isPicked(int row, int bar) const {
    if (picked_.empty()) {
        return false;
    }
    const ActivityKey activity = ActivityOf(chart_, row, bar);
    return !activity.WorkOrder.empty() &&
           std::find(picked_.begin(), picked_.end(), activity) != picked_.end();
}

bool ScheduleChartView::Private::togglePick(int row, int bar) {
    ActivityKey activity = ActivityOf(chart_, row, bar);
    if (activity.WorkOrder.empty()) {
        return false;
    }
    std::vector<ActivityKey> picked = picked_;
    if (const auto found = std::find(picked.begin(), picked.end(), activity);
        found != picked.end()) {
        picked.erase(found);
    } else {
        picked.push_back(std::move(activity));
    }
    setPicks(std::move(picked));
    return true;
}

void ScheduleChartView::setHighlightedRow(int row) {
    row = row >= 1 && row <= d->chart_.RowCount() ? row : 0;
    if (row != d->highlightedRow_) {
        d->highlightedRow_ = row;
        viewport()->update();
    }
}

int ScheduleChartView::highlightedRow() const {
    return d->highlightedRow_;
}

// ---- Rubber band ----

void ScheduleChartView::Private::beginBand(const QPoint& pos, bool adding) {
    band_ = std::make_pair(pos, pos);
    bandAdds_ = adding;
}

void ScheduleChartView::Private::updateBand(const QPoint& pos) {
    band_->second = pos;
    q->viewport()->update();
}

void ScheduleChartView::Private::finishBand() {
    const QRect band = QRect(band_->first, band_->second).normalized();
    band_.reset();
    q->viewport()->update();
    if (chart_.RowCount() == 0) {
        return;
    }
    const QRect chart = q->chartArea();
    const int first =
        std::max(1, q->rowAt(QPoint(chart.left(), std::max(band.top(), chart.top()))));
    int last = q->rowAt(QPoint(chart.left(), std::min(band.bottom(), chart.bottom())));
    if (last == 0) {
        last = chartGeometry().visibleRows().second;
    }
    // setPicks drops the band's activities that are picked already.
    std::vector<ActivityKey> picked = bandAdds_ ? picked_ : std::vector<ActivityKey>{};
    for (int row = first; row <= last && row <= chart_.RowCount(); ++row) {
        for (int bar = 1; bar <= chart_.TimeBarCount(static_cast<int16_t>(row)); ++bar) {
            if (!q->barRect(row, bar).intersects(band)) {
                continue;
            }
            if (ActivityKey activity = ActivityOf(chart_, row, bar); !activity.WorkOrder.empty()) {
                picked.push_back(std::move(activity));
            }
        }
    }
    setPicks(std::move(picked));
}

// ---- Companions ----

void ScheduleChartView::Private::takeCompanions(int heldRow, int heldBar) {
    if (!companionSource_) {
        return;
    }
    gesture_.companions = companionSource_();
    auto& companions = gesture_.companions;
    const auto pressed =
        std::find(companions.begin(), companions.end(), std::pair<int, int>(heldRow, heldBar));
    if (pressed == companions.end()) {
        return;
    }
    // The copy is the one temporary bar that is no companion; the core moves the companions
    // when the copy drops, so a drag of a companion is a drag of the copy by the same offsets.
    for (int row = 1; row <= chart_.RowCount(); ++row) {
        for (int bar = 1; bar <= chart_.TimeBarCount(static_cast<int16_t>(row)); ++bar) {
            const std::pair<int, int> candidate(row, bar);
            if (chart_.TimeBarKind(static_cast<int16_t>(row), static_cast<int16_t>(bar)) !=
                    kTemporaryBarKind ||
                std::find(companions.begin(), companions.end(), candidate) != companions.end()) {
                continue;
            }
            const ChartBar& copy = chart_.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
            // Every companion, the pressed one too, keeps a ghost of its own.
            gesture_.rowShift = row - heldRow;
            gesture_.row = row;
            gesture_.bar = bar;
            gesture_.targetRow = row;
            gesture_.part = BarPart::Body;
            gesture_.start = copy.Start.AbsoluteMinutes();
            gesture_.end = copy.End.AbsoluteMinutes();
            gesture_.ghostStart = gesture_.start;
            gesture_.ghostEnd = gesture_.end;
            return;
        }
    }
}

// ---- Painting ----

void ScheduleChartView::Private::paintPicks(QPainter& painter) const {
    if (picked_.empty() && !band_) {
        return;
    }
    const QColor outline = q->palette().color(QPalette::Highlight);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    if (!picked_.empty()) {
        // Two rings, the highlight outside a base-coloured one, so the pick reads on any fill.
        const QPen outer(outline, 3);
        const QPen inner(colours_->base, 1);
        for (const qt_detail::FrameBar& found : frameBars_->others) {
            if (!isPicked(found.row, found.bar)) {
                continue;
            }
            const QRect rect = q->barRect(found.row, found.bar);
            painter.setPen(outer);
            painter.drawRect(rect.adjusted(-2, -2, 1, 1));
            painter.setPen(inner);
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    }
    if (band_) {
        QColor fill = outline;
        fill.setAlpha(50);
        painter.setPen(QPen(outline, 1, Qt::DashLine));
        painter.setBrush(fill);
        painter.drawRect(QRect(band_->first, band_->second).normalized());
    }
    painter.restore();
}

void ScheduleChartView::Private::paintHighlightedRow(QPainter& painter) const {
    if (highlightedRow_ < 1 || highlightedRow_ > chart_.RowCount()) {
        return;
    }
    const int top = chartGeometry().rowTop(highlightedRow_);
    const QRect list = q->listArea();
    if (top + layout_.rowHeight <= q->headerHeight() || top >= list.bottom()) {
        return;
    }
    const QColor highlight = q->palette().color(QPalette::Highlight);
    QColor tint = highlight;
    tint.setAlpha(70);
    painter.save();
    painter.setClipRect(QRect(list.left(), q->headerHeight(), q->viewport()->width(),
                              q->viewport()->height() - q->headerHeight()));
    const QRect row(list.left(), top, q->viewport()->width(), layout_.rowHeight);
    painter.fillRect(row, tint);
    painter.setPen(QPen(highlight, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(list.left() + 1, top + 1, list.width() - 2, layout_.rowHeight - 2));
    painter.restore();
}

void ScheduleChartView::Private::paintCompanionGhosts(QPainter& painter,
                                                      qt_detail::ChartPaintInput& input) const {
    if (dragState_ != DragState::MovingBar || gesture_.companions.empty()) {
        return;
    }
    const int64_t minutes = gesture_.ghostStart - gesture_.start;
    const int rows = gesture_.targetRow - gesture_.row;
    const int lastRow = std::max<int>(1, chart_.RowCount());
    for (const auto& [row, bar] : gesture_.companions) {
        if (!barExists(row, bar)) {
            continue;
        }
        const auto r = static_cast<int16_t>(row);
        const auto b = static_cast<int16_t>(bar);
        const ChartBar& companion = chart_.Bar(r, b);
        const QRect rect = spanRect(std::clamp(row + rows, 1, lastRow),
                                    companion.Start.AbsoluteMinutes() + minutes,
                                    companion.End.AbsoluteMinutes() + minutes, companion.Kind);
        qt_detail::PaintBar(painter, input, rect, r, b, GlanceAtBar(chart_, r, b), true, false);
    }
}

}  // namespace tessaro
