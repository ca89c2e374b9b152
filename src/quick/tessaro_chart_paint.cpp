// The item's frame handed to the chart painter the widget paints through: the model, the
// layout, the caches, the marks of the plan's conflicts, the clicked work order's links, the
// load strips and the ghost of a drag, at the item's scroll position, with the keyboard's focus
// ring over it.

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include "change_outlines.hpp"
#include "chart_painter.hpp"
#include "focus_ring.hpp"
#include "tessaro_chart_private.hpp"

namespace tessaro {

void TessaroChart::paint(QPainter* painter) {
    if (d->outlinesDirty) {
        // Found once per change of the chart, not at every frame.
        d->outlines = qt_detail::ChangeOutlinesOf(*d->control);
        d->outlinesDirty = false;
    }
    std::optional<qt_detail::GhostBar> ghost;
    if (d->state == Private::State::Moving) {
        using Follows = qt_detail::GhostBar::Follows;
        const qt_detail::BarDrag& drag = d->drag;
        ghost = qt_detail::GhostBar{drag.row,
                                    drag.bar,
                                    drag.targetRow,
                                    drag.ghostStart,
                                    drag.ghostEnd,
                                    drag.hold == qt_detail::DragHold::StartEdge ? Follows::Start
                                    : drag.hold == qt_detail::DragHold::EndEdge ? Follows::End
                                                                                : Follows::Bar};
    }
    const bool marking = hasActiveFocus();
    const QColor highlight = QGuiApplication::palette().color(QPalette::Highlight);
    qt_detail::ChartPaintInput input{.chart = d->chart,
                                     .geometry = d->geometry(),
                                     .colours = *d->colours,
                                     .index = *d->index,
                                     .frameBars = *d->frameBars,
                                     .labels = *d->labels,
                                     .marks = *d->marks,
                                     .changes = d->outlines,
                                     .dpiScale = d->dpiScale(),
                                     .now = d->now,
                                     .ghost = ghost,
                                     .markedRow = marking ? d->lastClicked.first : 0,
                                     .markedBar = marking ? d->lastClicked.second : 0,
                                     .markColour = highlight,
                                     .subLanes = d->subLanes,
                                     .loadStrips = d->loadStrips ? d->loads.get() : nullptr,
                                     .conflicts = &d->conflictsInSight(),
                                     .links = &d->selectedLinks()};
    d->paintedBars = qt_detail::PaintChart(*painter, input);
    const qt_detail::BarFocus focus = d->focusedBar();
    if (marking && focus) {
        painter->save();
        painter->setClipRect(input.geometry.chartArea());
        qt_detail::PaintFocusRing(*painter, d->paintedBarRect(focus.row, focus.bar), highlight);
        painter->restore();
    }
}

int TessaroChart::lastPaintedBarCount() const {
    return d->paintedBars;
}

}  // namespace tessaro
