// The planner's mouse, fingers, wheel and keys on the Qt Quick chart: the same entry points of
// the chart model as the widget calls, with the same drag distance and ghost rules, and the
// widget's keys through the shared key map.

#include <algorithm>
#include <cmath>

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTouchEvent>
#include <QWheelEvent>

#include <tessaro/bars/chart_conventions.hpp>

#include "activity_texts.hpp"
#include "bar_facts.hpp"
#include "bar_hit.hpp"
#include "bar_movability.hpp"
#include "bar_texts.hpp"
#include "chart_keys.hpp"
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

// A flick: the pointer's speed over its last this many milliseconds before the release carries
// the chart on, from this many pixels a second, at most this fast, slowing down by this many
// pixels a second every second (Qt Quick's Flickable has much the same defaults).
constexpr qint64 kFlickWindowMs = 100;
constexpr double kMinimumFlickSpeed = 50;
constexpr double kMaximumFlickSpeed = 4000;
constexpr double kFlickDeceleration = 2000;

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
    // A press catches a flick still under way, as a finger on a moving list does.
    stopFlick();
    clearHover();
    if (keys.holdingMove) {
        // The pointer takes over from the keys: the copy stays where the keys left it.
        keys.holdingMove = false;
    }
    finger = byFinger;
    menuPos = pos;
    const QPoint point = pos.toPoint();
    const qt_detail::BarUnderPoint hit = barAt(pos, byFinger ? kFingerEdgeGrip : kEdgeGrip);
    if (hit.bar == 0) {
        // Off the bars the pointer (a finger, or the mouse too) scrolls the chart.
        if (button == Qt::LeftButton && geometry().chartArea().contains(point)) {
            state = State::Panning;
            pressPos = pos;
            pressScroll = QPoint(scrollX, scrollY);
            panPath.clear();
            notePan(pos);
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
    drag = qt_detail::HoldBar(
        chart, hit.row, hit.bar,
        hit.part == qt_detail::BarZone::StartEdge ? qt_detail::DragHold::StartEdge
        : hit.part == qt_detail::BarZone::EndEdge ? qt_detail::DragHold::EndEdge
                                                  : qt_detail::DragHold::Bar);
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
            notePan(pos);
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
        case State::Pressed:
            if (refused || !barExists(drag.row, drag.bar)) {
                return;
            }
            focusBar({drag.row, drag.bar}, false);
            click(drag.row, drag.bar);
            return;
        case State::Moving:
            q->update();
            guarded([&] { qt_detail::DropBar(chart, drag); });
            return;
        case State::Panning:
            startFlick(pos);
            return;
        case State::Idle:
        case State::Held:
            break;
    }
}

bool TessaroChart::Private::click(int row, int bar) {
    lastClicked = {row, bar};
    q->update();
    const auto r = static_cast<int16_t>(row);
    const auto b = static_cast<int16_t>(bar);
    // Read before the model's handlers can rebuild the row.
    qt_detail::BarFacts facts;
    if (chart.Bar(r, b).Kind == WorkOrderBarKind) {
        facts = qt_detail::ReadBarFacts(chart, r, b);
    }
    if (!guarded([&] { chart.ClickBar(r, b); })) {
        return false;
    }
    bool numbered = false;
    const int activity = facts.activity.toInt(&numbered);
    if (facts.valid() && numbered) {
        emit q->barClicked(facts.workOrder, activity);
    }
    return true;
}

// ---- Flicks ----

void TessaroChart::Private::notePan(const QPointF& pos) {
    const qint64 at = clock.elapsed();
    panPath.emplace_back(pos, at);
    while (panPath.size() > 2 && at - panPath.front().second > kFlickWindowMs) {
        panPath.pop_front();
    }
}

void TessaroChart::Private::startFlick(const QPointF& releasePos) {
    notePan(releasePos);
    const qint64 at = clock.elapsed();
    // Only the path of the last moments counts: a pointer held still before it let go
    // does not flick.
    auto from = std::find_if(panPath.begin(), panPath.end(), [&](const auto& point) {
        return at - point.second <= kFlickWindowMs;
    });
    if (from == panPath.end() || std::next(from) == panPath.end()) {
        return;
    }
    // Events can come in the same millisecond: a few milliseconds at least, so the speed
    // stays finite.
    const double seconds = std::max<qint64>(at - from->second, 4) / 1000.0;
    QPointF velocity = (from->first - releasePos) / seconds;
    const double speed = std::hypot(velocity.x(), velocity.y());
    if (speed < kMinimumFlickSpeed) {
        return;
    }
    if (speed > kMaximumFlickSpeed) {
        velocity *= kMaximumFlickSpeed / speed;
    }
    flickVelocity = velocity;
    flickCarry = {};
    flickTick = at;
    flickTimer.start();
    emit q->flickingChanged();
}

void TessaroChart::Private::flickStep() {
    const qint64 at = clock.elapsed();
    const double seconds = std::max<qint64>(at - flickTick, 1) / 1000.0;
    flickTick = at;
    const QPointF step = flickVelocity * seconds + flickCarry;
    const QPoint whole(static_cast<int>(step.x()), static_cast<int>(step.y()));
    flickCarry = step - QPointF(whole);
    const QPoint before(scrollX, scrollY);
    scrollTo(scrollX + whole.x(), scrollY + whole.y());
    // An edge stops the flick along that direction.
    if (whole.x() != 0 && scrollX == before.x()) {
        flickVelocity.setX(0);
    }
    if (whole.y() != 0 && scrollY == before.y()) {
        flickVelocity.setY(0);
    }
    const double speed = std::hypot(flickVelocity.x(), flickVelocity.y());
    const double slower = speed - kFlickDeceleration * seconds;
    if (slower <= kMinimumFlickSpeed / 5) {
        stopFlick();
        return;
    }
    flickVelocity *= slower / speed;
}

void TessaroChart::Private::stopFlick() {
    if (flickTimer.isActive()) {
        flickTimer.stop();
        flickVelocity = {};
        emit q->flickingChanged();
    }
}

// ---- Hover ----

void TessaroChart::Private::hoverAt(const QPointF& pos) {
    if (state != State::Idle || flickTimer.isActive()) {
        clearHover();
        return;
    }
    const qt_detail::BarUnderPoint hit = barAt(pos, 0);
    const std::pair<int, int> bar{hit.row, hit.bar};
    if (bar == hovered) {
        return;
    }
    if (hit.bar == 0) {
        clearHover();
        return;
    }
    hovered = bar;
    hoverText.clear();
    hoverRect = {};
    // The model hears the hover as from the widget; the planner reads the bar's record.
    if (guarded([&] {
            chart.HoverBar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
        }) &&
        barExists(hit.row, hit.bar)) {
        guarded([&] { hoverText = qt_detail::BarToolTip(*control, hit.row, hit.bar); });
        hoverRect = QRectF(paintedBarRect(hit.row, hit.bar));
    }
    emit q->hoverChanged();
}

void TessaroChart::Private::clearHover() {
    if (hovered == std::pair{0, 0} && hoverText.isEmpty()) {
        return;
    }
    hovered = {0, 0};
    hoverText.clear();
    hoverRect = {};
    emit q->hoverChanged();
}

void TessaroChart::Private::doubleClick(const QPointF& pos) {
    if (state == State::Moving) {
        return;
    }
    state = State::Idle;
    const qt_detail::BarUnderPoint hit = barAt(pos, kEdgeGrip);
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
    keys.holdingMove = false;
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
    const qt_detail::BarUnderPoint hit = d->barAt(event->position(), kEdgeGrip);
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
    d->hoverAt(event->position());
}

void TessaroChart::hoverLeaveEvent(QHoverEvent* event) {
    d->clearHover();
    QQuickPaintedItem::hoverLeaveEvent(event);
}

void TessaroChart::focusInEvent(QFocusEvent* event) {
    QQuickPaintedItem::focusInEvent(event);
    update();
}

void TessaroChart::focusOutEvent(QFocusEvent* event) {
    QQuickPaintedItem::focusOutEvent(event);
    update();
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
    d->stopFlick();
    d->clearHover();
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
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo) || (event->key() == Qt::Key_Y && ctrl) ||
               (event->key() == Qt::Key_Z &&
                event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier))) {
        redo();
    } else if (event->key() == Qt::Key_F8) {
        if (d->state == Private::State::Idle) {
            showNextConflict((event->modifiers() & Qt::ShiftModifier) != 0);
        }
    } else if (event->key() == Qt::Key_Escape && d->state != Private::State::Idle &&
               !d->holdingCopyByKeys()) {
        // The mouse's drag is abandoned; the keys' hold of the copy ends the copy below.
        d->cancel();
    } else if (!d->handleKey(*event)) {
        QQuickPaintedItem::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ---- Keys ----

qt_detail::BarFocus TessaroChart::Private::focusedBar() const {
    return qt_detail::FocusedBar(chart, keys);
}

void TessaroChart::Private::focusBar(qt_detail::BarFocus focus, bool reveal) {
    const bool moved = qt_detail::SetFocusedBar(keys, chart, focus);
    if (barExists(focus.row, focus.bar) && reveal) {
        revealBar(focus.row, focus.bar);
    }
    q->update();
    if (moved) {
        const qt_detail::BarFocus focused = focusedBar();
        emit q->barFocusChanged(focused.row, focused.bar);
    }
}

bool TessaroChart::Private::holdingCopyByKeys() const {
    return keys.holdingMove && state == State::Moving;
}

bool TessaroChart::Private::handleKey(const QKeyEvent& event) {
    using Command = qt_detail::ChartKeyCommand::Kind;
    const bool held = holdingCopyByKeys();
    if (!held) {
        keys.holdingMove = false;
        if (state != State::Idle) {
            // The pointer's gesture keeps the keys it knows.
            return false;
        }
    }
    const qt_detail::BarFocus focus = focusedBar();
    const int32_t kind =
        focus ? chart.TimeBarKind(static_cast<int16_t>(focus.row), static_cast<int16_t>(focus.bar))
              : 0;
    const qt_detail::ChartKeyCommand command = qt_detail::DecodeChartKey(
        event.key(), event.modifiers(),
        {focus, kind == TemporaryBarKind, kind == WorkOrderBarKind, held});
    switch (command.kind) {
        case Command::None:
            return false;
        case Command::Step: {
            if (held) {
                // Walking away from the copy lets go of its ghost; the copy stays where it is.
                cancel();
            }
            const int pageRows =
                std::max(1, geometry().chartArea().height() / std::max(1, layout.rowHeight) - 1);
            const qt_detail::BarFocus to =
                focus ? qt_detail::StepBarFocus(chart, focus, command.step, pageRows)
                      : qt_detail::FirstWorkOrderBar(chart);
            if (!to) {
                return false;
            }
            focusBar(to, true);
            return true;
        }
        case Command::MoveCopy:
            moveCopyByKeys(focus, command.minutes, command.rows);
            return true;
        case Command::Click:
            click(focus.row, focus.bar);
            return true;
        case Command::DoubleClick:
            guarded([&] {
                chart.DoubleClickBar(static_cast<int16_t>(focus.row),
                                     static_cast<int16_t>(focus.bar));
            });
            return true;
        case Command::DropCopy:
            dropCopyByKeys();
            return true;
        case Command::EndCopy:
            endCopyByKeys(focus);
            return true;
        case Command::OpenMenu:
            openMenuAt(focus);
            return true;
    }
    return false;
}

void TessaroChart::Private::moveCopyByKeys(qt_detail::BarFocus copy, int64_t minutes, int rows) {
    if (!holdingCopyByKeys()) {
        // The first move takes hold of the copy's ghost, as a press on it would.
        drag = qt_detail::HoldBar(chart, copy.row, copy.bar);
        state = State::Moving;
        keys.holdingMove = true;
    }
    drag.ghostStart += minutes;
    drag.ghostEnd = drag.ghostStart + (drag.end - drag.start);
    drag.targetRow = std::clamp(drag.targetRow + rows, 1, std::max<int>(1, chart.RowCount()));
    const QRect area = geometry().chartArea();
    const int top = (drag.targetRow - 1) * layout.rowHeight;
    int y = scrollY;
    if (top < y) {
        y = top;
    } else if (top + layout.rowHeight > y + area.height()) {
        y = top + layout.rowHeight - area.height();
    }
    const double start = layout.axis.x(drag.ghostStart);
    const double end = layout.axis.x(drag.ghostEnd);
    int x = scrollX;
    if (start < x || end > x + area.width()) {
        x = qt_detail::ClampedCoordinate(start - area.width() / 8.0);
    }
    scrollTo(x, y);
    q->update();
    emit q->statusHint(
        TessaroChart::tr("Move to %1, %2 \u2013 %3; Enter drops it, Escape ends the copy")
            .arg(toQString(chart.RowColumnText(static_cast<int16_t>(drag.targetRow), 1)),
                 qt_detail::TimeCaption(chart, drag.ghostStart),
                 qt_detail::TimeCaption(chart, drag.ghostEnd)));
}

void TessaroChart::Private::dropCopyByKeys() {
    const qt_detail::BarDrag held = drag;
    keys.holdingMove = false;
    state = State::Idle;
    // The copy goes once dropped: the activity rebuilt where its ghost was takes the focus.
    keys.focusRow = held.targetRow;
    keys.focusStart = held.ghostStart;
    keys.focusEnd = held.ghostEnd;
    q->update();
    guarded([&] { qt_detail::DropBar(chart, held); });
    focusBar(focusedBar(), true);
}

void TessaroChart::Private::endCopyByKeys(qt_detail::BarFocus copy) {
    cancel();
    // Its removal ends the copy as Ignore does, nothing changed.
    guarded([&] {
        chart.RequestBarRemoval(static_cast<int16_t>(copy.row), static_cast<int16_t>(copy.bar),
                                true);
    });
    focusBar(focusedBar(), true);
}

void TessaroChart::Private::openMenuAt(qt_detail::BarFocus at) {
    const QRect area = geometry().chartArea();
    const QRect visible = paintedBarRect(at.row, at.bar).intersected(area);
    const QPoint corner = visible.isEmpty() ? area.center() : visible.bottomLeft();
    rightClick(at.row, at.bar, QPointF(corner + QPoint(0, 2)));
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
    const auto [clickedRow, clickedBar] = d->lastClicked;
    const std::optional<qt_detail::ConflictStop> found =
        qt_detail::StepConflictCursor(d->conflictCursor, *d->index, d->chart, &d->allConflicts(),
                                      {clickedRow, clickedBar}, backwards);
    if (!found) {
        return false;
    }
    const QRect area = d->geometry().chartArea();
    const int top = (found->row - 1) * d->layout.rowHeight;
    int y = d->scrollY;
    if (top < y || top + d->layout.rowHeight > y + area.height()) {
        y = top - area.height() / 3;
    }
    const double left = d->layout.axis.x(found->start);
    const double right = d->layout.axis.x(found->end);
    int x = d->scrollX;
    if (left < x || right > x + area.width()) {
        x = qt_detail::ClampedCoordinate(left - area.width() / 8.0);
    }
    d->scrollTo(x, y);
    if (found->firstBar != 0) {
        d->focusBar({found->row, found->firstBar}, false);
        d->click(found->row, found->firstBar);
    }
    update();
    return true;
}

}  // namespace tessaro
