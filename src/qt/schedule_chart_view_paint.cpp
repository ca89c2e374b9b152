// The chart view's frame handed to the chart painter: the model, the layout, the caches and what
// the planner's gesture shows, at the viewport's scroll position or on a page of an export.

#include <tessaro/qt/schedule_chart_view.hpp>

#include <QPainter>

#include "chart_painter.hpp"
#include "schedule_chart_view_private.hpp"

namespace tessaro {

void ScheduleChartView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    d->paintFrame(painter, d->chartGeometry(), false);
}

void ScheduleChartView::Private::paintFrame(QPainter& painter,
                                            const qt_detail::ChartGeometry& geometry,
                                            bool exporting) {
    *colours_ = chart_palette::ChartColours::from(q->palette());
    // Pages of an export show the plan, not what the mouse is doing.
    const bool marking = !exporting && q->hasFocus();
    // The marks need the conflicts of the rows in sight only.
    const auto [firstRow, lastRow] = geometry.visibleRows();
    qt_detail::ChartPaintInput input{.chart = chart_,
                                     .geometry = geometry,
                                     .colours = *colours_,
                                     .index = *index_,
                                     .frameBars = *frameBars_,
                                     .labels = *labels_,
                                     .marks = *marks_,
                                     .changes = changeOutlines(),
                                     .dpiScale = dpiScale(),
                                     .now = now_,
                                     .ghost = exporting ? std::nullopt : ghost(),
                                     .markedRow = marking ? lastClicked_.row : 0,
                                     .markedBar = marking ? lastClicked_.bar : 0,
                                     .markColour = q->palette().color(QPalette::Highlight),
                                     .subLanes = subLanes_,
                                     .loadStrips = loadStrips_ ? loads_.get() : nullptr,
                                     .conflicts = &planConflicts(firstRow, lastRow),
                                     .links = exporting ? nullptr : &selectedLinks()};
    lastPaintedBarCount_ = qt_detail::PaintChart(painter, input);
    if (!exporting) {
        painter.save();
        painter.setClipRect(geometry.chartArea());
        paintFocusRing(*q, painter);
        paintPicks(painter);
        paintCompanionGhosts(painter, input);
        paintDropPreview(painter);
        painter.restore();
        paintHighlightedRow(painter);
    }
}

std::optional<qt_detail::GhostBar> ScheduleChartView::Private::ghost() const {
    using Follows = qt_detail::GhostBar::Follows;
    Follows follows = Follows::Bar;
    switch (dragState_) {
        case DragState::MovingBar:
            break;
        case DragState::MovingStart:
            follows = Follows::Start;
            break;
        case DragState::MovingEnd:
            follows = Follows::End;
            break;
        case DragState::Idle:
        case DragState::Pressed:
            return std::nullopt;
    }
    return qt_detail::GhostBar{gesture_.row,        gesture_.bar,      gesture_.targetRow,
                               gesture_.ghostStart, gesture_.ghostEnd, follows};
}

}  // namespace tessaro
