// The planner's mouse, fingers, wheel and keys on the Qt Quick chart: the same entry points of
// the chart model as the widget calls, with the same drag distance and ghost rules.

#include <cmath>

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTouchEvent>
#include <QWheelEvent>

#include <tessaro/bars/chart_conventions.hpp>

#include "bar_facts.hpp"
#include "bar_hit.hpp"
#include "bar_movability.hpp"
#include "chart_measures.hpp"
#include "conflict_navigation.hpp"
#include "guarded_call.hpp"
#include "tessaro_chart_private.hpp"

namespace tessaro {

namespace {

// Within this many pixels of a bar's end the pointer takes the edge instead of the body, as on
// the widget; a finger is less precise and gets more.
constexpr int kEdgeGrip = 4;
constexpr int kFingerEdgeGrip = 8;

bool IsFinger(const QPointerEvent& event) {
    return event.pointingDevice() != nullptr &&
           event.pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

}  // namespace

template <typename Call>
bool TessaroChart::Private::guarded(Call&& call) {
    return qt_detail::runGuarded(std::forward<Call>(call),
                                 [this](int number, const QString& source, const QString& text) {
                                     emit q->errorRaised(number, source, text);
                                 });
}

void TessaroChart::Private::press(const QPointF& pos, Qt::MouseButton button, bool byFinger) {
    if (state != State::Idle) {
        // Another button during a gesture abandons it.
        cancel();
        return;
    }
    finger = byFinger;
    menuPos = pos;
    const QPoint point = pos.toPoint();
    const qt_detail::BarUnderPoint hit = qt_detail::FindBarAt(
        geometry(), chart, *index, point, byFinger ? kFingerEdgeGrip : kEdgeGrip);
    if (hit.bar == 0) {
        // Off the bars the pointer (a finger, or the mouse too) scrolls the chart.
        if (button == Qt::LeftButton && geometry().chartArea().contains(point)) {
            state = State::Panning;
            pressPos = pos;
            pressScroll = QPoint(scrollX, scrollY);
        }
        return;
    }
    if (button == Qt::RightButton) {
        rightClick(hit.row, hit.bar, pos);
        return;
    }
    if (button != Qt::LeftButton) {
        return;
    }
    const ChartBar& bar = chart.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
    drag = {};
    drag.hold = hit.part == qt_detail::BarZone::StartEdge ? qt_detail::DragHold::StartEdge
                : hit.part == qt_detail::BarZone::EndEdge ? qt_detail::DragHold::EndEdge
                                                          : qt_detail::DragHold::Bar;
    drag.row = hit.row;
    drag.bar = hit.bar;
    drag.start = bar.Start.AbsoluteMinutes();
    drag.end = bar.End.AbsoluteMinutes();
    drag.targetRow = hit.row;
    drag.ghostStart = drag.start;
    drag.ghostEnd = drag.end;
    draggable = !qt_detail::BarStaysPut(bar.Kind);
    refused = false;
    pressPos = pos;
    pressScroll = QPoint(scrollX, scrollY);
    state = State::Pressed;
    if (finger) {
        holdTimer.start(QGuiApplication::styleHints()->mousePressAndHoldInterval());
    }
}

void TessaroChart::Private::move(const QPointF& pos) {
    const QPointF moved = pos - pressPos;
    switch (state) {
        case State::Idle:
        case State::Held:
            return;
        case State::Panning:
            scrollTo(pressScroll.x() - static_cast<int>(std::lround(moved.x())),
                     pressScroll.y() - static_cast<int>(std::lround(moved.y())));
            return;
        case State::Pressed:
            if (moved.manhattanLength() < QGuiApplication::styleHints()->startDragDistance()) {
                return;
            }
            holdTimer.stop();
            if (!draggable) {
                // A bar that stays put: neither a drag nor a click any more.
                if (!refused) {
                    refused = true;
                    emit q->statusHint(qt_detail::RefusedDragHint(
                        chart.Bar(static_cast<int16_t>(drag.row), static_cast<int16_t>(drag.bar))
                            .Kind));
                }
                return;
            }
            state = State::Moving;
            [[fallthrough]];
        case State::Moving: {
            const int along = static_cast<int>(std::lround(moved.x())) + scrollX - pressScroll.x();
            qt_detail::FollowPointer(drag, geometry(), along, pos.toPoint());
            q->update();
            return;
        }
    }
}

void TessaroChart::Private::release(const QPointF& pos, Qt::MouseButton button) {
    holdTimer.stop();
    const State was = state;
    state = State::Idle;
    if (button != Qt::LeftButton) {
        return;
    }
    switch (was) {
        case State::Pressed: {
            if (refused || drag.row > chart.RowCount() ||
                drag.bar > chart.TimeBarCount(static_cast<int16_t>(drag.row))) {
                return;
            }
            lastClicked = {drag.row, drag.bar};
            const auto row = static_cast<int16_t>(drag.row);
            const auto bar = static_cast<int16_t>(drag.bar);
            // Read before the model's handlers can rebuild the row.
            qt_detail::BarFacts facts;
            if (chart.Bar(row, bar).Kind == WorkOrderBarKind) {
                facts = qt_detail::ReadBarFacts(chart, row, bar);
            }
            if (guarded([&] { chart.ClickBar(row, bar); })) {
                bool numbered = false;
                const int activity = facts.activity.toInt(&numbered);
                if (facts.valid() && numbered) {
                    emit q->barClicked(facts.workOrder, activity);
                }
            }
            return;
        }
        case State::Moving:
            q->update();
            guarded([&] { qt_detail::DropBar(chart, drag); });
            return;
        case State::Idle:
        case State::Panning:
        case State::Held:
            break;
    }
    Q_UNUSED(pos);
}

void TessaroChart::Private::doubleClick(const QPointF& pos) {
    if (state == State::Moving) {
        return;
    }
    state = State::Idle;
    const qt_detail::BarUnderPoint hit =
        qt_detail::FindBarAt(geometry(), chart, *index, pos.toPoint(), kEdgeGrip);
    if (hit.bar != 0) {
        guarded([&] {
            chart.DoubleClickBar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
        });
    }
}

void TessaroChart::Private::rightClick(int row, int bar, const QPointF& pos) {
    menuPos = pos;
    // The control answers with a menu of its own, shown from inside this call.
    guarded([&] { chart.RightClickBar(static_cast<int16_t>(row), static_cast<int16_t>(bar)); });
}

void TessaroChart::Private::holdElapsed() {
    if (state != State::Pressed) {
        return;
    }
    // A finger held still on a bar is the right button.
    state = State::Held;
    rightClick(drag.row, drag.bar, pressPos);
}

void TessaroChart::Private::cancel() {
    holdTimer.stop();
    if (state == State::Idle) {
        return;
    }
    state = State::Idle;
    q->update();
}

// ---- Events ----

void TessaroChart::mousePressEvent(QMouseEvent* event) {
    forceActiveFocus(Qt::MouseFocusReason);
    d->press(event->position(), event->button(), IsFinger(*event));
    event->accept();
}

void TessaroChart::mouseMoveEvent(QMouseEvent* event) {
    d->move(event->position());
    event->accept();
}

void TessaroChart::mouseReleaseEvent(QMouseEvent* event) {
    d->release(event->position(), event->button());
    event->accept();
}

void TessaroChart::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        d->doubleClick(event->position());
    }
    event->accept();
}

void TessaroChart::hoverMoveEvent(QHoverEvent* event) {
    const qt_detail::BarUnderPoint hit = qt_detail::FindBarAt(
        d->geometry(), d->chart, *d->index, event->position().toPoint(), kEdgeGrip);
    const bool movable =
        hit.bar != 0 &&
        !qt_detail::BarStaysPut(
            d->chart.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar)).Kind);
    if (movable &&
        (hit.part == qt_detail::BarZone::StartEdge || hit.part == qt_detail::BarZone::EndEdge)) {
        setCursor(QCursor(Qt::SizeHorCursor));
    } else {
        unsetCursor();
    }
}

void TessaroChart::touchEvent(QTouchEvent* event) {
    const QList<QEventPoint>& points = event->points();
    if (points.size() >= 2) {
        // Two fingers pinch: the day width follows the distance between them.
        d->cancel();
        const QPointF a = points[0].position();
        const QPointF b = points[1].position();
        const double distance = std::hypot(a.x() - b.x(), a.y() - b.y());
        if (d->pinchDistance > 0 && distance > 0) {
            zoomBy(distance / d->pinchDistance, (a.x() + b.x()) / 2);
        }
        d->pinchDistance = event->type() == QEvent::TouchEnd ? 0 : distance;
        event->accept();
        return;
    }
    d->pinchDistance = 0;
    if (points.isEmpty()) {
        return;
    }
    // One finger works like the mouse's left button.
    const QEventPoint& point = points.first();
    switch (point.state()) {
        case QEventPoint::Pressed:
            forceActiveFocus(Qt::MouseFocusReason);
            d->press(point.position(), Qt::LeftButton, true);
            break;
        case QEventPoint::Updated:
            d->move(point.position());
            break;
        case QEventPoint::Released:
            d->release(point.position(), Qt::LeftButton);
            break;
        case QEventPoint::Stationary:
        case QEventPoint::Unknown:
            break;
    }
    if (event->type() == QEvent::TouchCancel) {
        d->cancel();
    }
    event->accept();
}

void TessaroChart::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        if (delta.y() != 0) {
            // One notch of the wheel zooms by a quarter.
            zoomBy(std::pow(1.25, delta.y() / 120.0), event->position().x());
        }
        event->accept();
        return;
    }
    QPoint pixels = event->pixelDelta();
    if (pixels.isNull()) {
        // A notch scrolls three rows, or a quarter of a day sideways.
        pixels = QPoint(static_cast<int>(delta.x() / 120.0 * d->layout.axis.dayWidth() / 4),
                        delta.y() / 120 * 3 * d->layout.rowHeight);
    }
    if ((event->modifiers() & Qt::ShiftModifier) != 0 && pixels.x() == 0) {
        pixels = QPoint(pixels.y(), 0);
    }
    d->scrollTo(d->scrollX - pixels.x(), d->scrollY - pixels.y());
    event->accept();
}

void TessaroChart::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo) ||
               (event->key() == Qt::Key_Y && (event->modifiers() & Qt::ControlModifier) != 0) ||
               (event->key() == Qt::Key_Z &&
                event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier))) {
        redo();
    } else if (event->key() == Qt::Key_F8) {
        if (d->state == Private::State::Idle) {
            showNextConflict((event->modifiers() & Qt::ShiftModifier) != 0);
        }
    } else if (event->key() == Qt::Key_Escape && d->state != Private::State::Idle) {
        d->cancel();
    } else {
        QQuickPaintedItem::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ---- Zoom and conflicts ----

void TessaroChart::zoomBy(double factor, double x) {
    if (!(factor > 0)) {
        return;
    }
    const QRect area = d->geometry().chartArea();
    const int anchor = std::clamp(static_cast<int>(std::lround(x)), area.left(), area.right());
    const TimeAxis before = d->layout.axis;
    const double minute =
        before.minuteAt(0) + (anchor - area.left() + d->scrollX) / before.minuteWidth();
    const std::optional<int16_t> scale = qt_detail::ZoomedTimeScale(
        d->chart, before.dayWidth(),
        qt_detail::FitDayWidth(d->layout, d->chart, static_cast<int>(width())), d->dpiScale(),
        factor, 20000);
    if (!scale) {
        return;
    }
    d->guarded([&] { d->chart.SetTimeScale(*scale); });
    const double newX = (minute - d->layout.axis.minuteAt(0)) * d->layout.axis.minuteWidth();
    d->scrollTo(qt_detail::ClampedCoordinate(newX - (anchor - area.left())), d->scrollY);
    update();
}

bool TessaroChart::showNextConflict(bool backwards) {
    if (d->chart.RowCount() == 0) {
        return false;
    }
    std::pair<int, int64_t> from = d->conflictCursor;
    const auto [clickedRow, clickedBar] = d->lastClicked;
    if (from.first == 0 && clickedRow >= 1 && clickedRow <= d->chart.RowCount() &&
        clickedBar >= 1 && clickedBar <= d->chart.TimeBarCount(static_cast<int16_t>(clickedRow))) {
        from = {clickedRow,
                d->chart.Bar(static_cast<int16_t>(clickedRow), static_cast<int16_t>(clickedBar))
                    .Start.AbsoluteMinutes()};
    }
    const std::optional<qt_detail::ConflictStop> found =
        qt_detail::FindNextConflict(*d->index, d->chart, from, backwards);
    if (!found) {
        return false;
    }
    d->conflictCursor = {found->row, found->start};
    const QRect area = d->geometry().chartArea();
    const int top = (found->row - 1) * d->layout.rowHeight;
    int y = d->scrollY;
    if (top < y || top + d->layout.rowHeight > y + area.height()) {
        y = top - area.height() / 3;
    }
    const double left = d->layout.axis.x(found->start);
    int x = d->scrollX;
    if (left < x || left >= x + area.width()) {
        x = qt_detail::ClampedCoordinate(left - area.width() / 8.0);
    }
    d->scrollTo(x, y);
    if (found->firstBar != 0) {
        d->lastClicked = {found->row, found->firstBar};
        d->guarded([&] { d->chart.ClickBar(static_cast<int16_t>(found->row), found->firstBar); });
    }
    update();
    return true;
}

}  // namespace tessaro
