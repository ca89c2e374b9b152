#include <tessaro/qt/schedule_chart_view.hpp>

#include <cmath>
#include <utility>

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <tessaro/qt/conversions.hpp>

#include "bar_facts.hpp"
#include "guarded_call.hpp"

namespace tessaro {

template <typename Call>
bool ScheduleChartView::guarded(Call&& call) {
    return qt_detail::runGuarded(std::forward<Call>(call),
                                 [this](int number, const QString& source, const QString& text) {
                                     emit errorRaised(number, source, text);
                                 });
}

template <typename Call>
bool ScheduleChartView::handleBarGesture(BarGesture gesture, int row, int bar, Call&& call) {
    qt_detail::BarFacts facts;
    if (chart_.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar)).Kind ==
        kWorkOrderBarKind) {
        facts =
            qt_detail::ReadBarFacts(chart_, static_cast<int16_t>(row), static_cast<int16_t>(bar));
    }
    if (!guarded(std::forward<Call>(call))) {
        return false;
    }
    bool numbered = false;
    const int activity = facts.activity.toInt(&numbered);
    if (facts.valid() && numbered) {
        emit activityGesture(gesture, facts.workOrder, activity);
    }
    return true;
}

void ScheduleChartView::setRemovalConfirmation(std::function<bool(int row, int bar)> confirm) {
    confirmRemoval_ = std::move(confirm);
}

// ---- Mouse ----

void ScheduleChartView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    switch (dragState_) {
        case DragState::Idle: {
            const BarHit hit = barAt(pos);
            if (!hit) {
                break;
            }
            if (event->button() == Qt::RightButton) {
                // The control answers with a menu of its own; the widget pops it up.
                handleBarGesture(BarGesture::RightClick, hit.row, hit.bar, [&] {
                    chart_.RightClickBar(static_cast<int16_t>(hit.row),
                                         static_cast<int16_t>(hit.bar));
                });
            } else if (event->button() == Qt::LeftButton) {
                beginGesture(hit, pos);
            }
            break;
        }
        case DragState::Pressed:
        case DragState::MovingBar:
        case DragState::MovingStart:
        case DragState::MovingEnd:
            // Another button during a gesture abandons it.
            cancelGesture();
            break;
    }
    event->accept();
}

void ScheduleChartView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    switch (dragState_) {
        case DragState::Idle:
            updateHoverCursor(pos);
            break;
        case DragState::Pressed:
            if ((pos - gesture_.pressPos).manhattanLength() < QApplication::startDragDistance()) {
                break;
            }
            if (!gesture_.draggable) {
                // A bar that stays put: neither a drag nor a click any more, and the planner
                // is told why nothing follows the mouse.
                if (!gesture_.refused) {
                    refuseDrag(pos);
                }
                break;
            }
            if (gesture_.part == BarPart::StartEdge) {
                dragState_ = DragState::MovingStart;
                viewport()->setCursor(Qt::SizeHorCursor);
            } else if (gesture_.part == BarPart::EndEdge) {
                dragState_ = DragState::MovingEnd;
                viewport()->setCursor(Qt::SizeHorCursor);
            } else {
                dragState_ = DragState::MovingBar;
                viewport()->setCursor(Qt::ClosedHandCursor);
            }
            updateGesture(pos);
            break;
        case DragState::MovingBar:
        case DragState::MovingStart:
        case DragState::MovingEnd:
            updateGesture(pos);
            break;
    }
    event->accept();
}

void ScheduleChartView::mouseReleaseEvent(QMouseEvent* event) {
    switch (dragState_) {
        case DragState::Idle:
            break;
        case DragState::Pressed: {
            const Gesture pressed = gesture_;
            dragState_ = DragState::Idle;
            if (pressed.refused) {
                viewport()->unsetCursor();
                break;
            }
            if (event->button() == Qt::LeftButton && barExists(pressed.row, pressed.bar)) {
                lastClicked_ = {pressed.row, pressed.bar};
                viewport()->update();
                handleBarGesture(BarGesture::Click, pressed.row, pressed.bar, [&] {
                    chart_.ClickBar(static_cast<int16_t>(pressed.row),
                                    static_cast<int16_t>(pressed.bar));
                });
            }
            break;
        }
        case DragState::MovingBar:
        case DragState::MovingStart:
        case DragState::MovingEnd:
            if (event->button() == Qt::LeftButton) {
                finishGesture();
            }
            break;
    }
    event->accept();
}

void ScheduleChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    switch (dragState_) {
        case DragState::Idle:
        case DragState::Pressed: {
            dragState_ = DragState::Idle;
            const BarHit hit = barAt(pos);
            if (event->button() == Qt::LeftButton && hit) {
                handleBarGesture(BarGesture::DoubleClick, hit.row, hit.bar, [&] {
                    chart_.DoubleClickBar(static_cast<int16_t>(hit.row),
                                          static_cast<int16_t>(hit.bar));
                });
            }
            break;
        }
        case DragState::MovingBar:
        case DragState::MovingStart:
        case DragState::MovingEnd:
            break;
    }
    event->accept();
}

bool ScheduleChartView::staysPut(int32_t kind) {
    // A work-order activity moves through its copy; calendar blocks do not move at all.
    return kind == kWorkOrderBarKind || kind == kCalendarBarKind;
}

void ScheduleChartView::refuseDrag(const QPoint& pos) {
    gesture_.refused = true;
    viewport()->setCursor(Qt::ForbiddenCursor);
    const ChartBar& bar =
        chart_.Bar(static_cast<int16_t>(gesture_.row), static_cast<int16_t>(gesture_.bar));
    const QString hint = bar.Kind == kCalendarBarKind
                             ? tr("Calendar blocks cannot be moved.")
                             : tr("Copy the activity (right-click, Copy) to move it.");
    QToolTip::showText(viewport()->mapToGlobal(pos), hint, viewport());
    emit statusHint(hint);
}

void ScheduleChartView::updateHoverCursor(const QPoint& pos) {
    const BarHit hit = barAt(pos);
    const bool movable =
        hit &&
        !staysPut(chart_.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar)).Kind);
    if (movable && (hit.part == BarPart::StartEdge || hit.part == BarPart::EndEdge)) {
        viewport()->setCursor(Qt::SizeHorCursor);
    } else {
        viewport()->unsetCursor();
    }
}

// ---- Drag gestures ----

void ScheduleChartView::beginGesture(const BarHit& hit, const QPoint& pos) {
    const ChartBar& bar = chart_.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
    gesture_ = Gesture{};
    gesture_.pressPos = pos;
    gesture_.lastPos = pos;
    gesture_.pressScroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    gesture_.row = hit.row;
    gesture_.bar = hit.bar;
    gesture_.part = hit.part;
    gesture_.start = bar.Start.AbsoluteMinutes();
    gesture_.end = bar.End.AbsoluteMinutes();
    gesture_.targetRow = hit.row;
    gesture_.ghostStart = gesture_.start;
    gesture_.ghostEnd = gesture_.end;
    gesture_.draggable = !staysPut(bar.Kind);
    dragState_ = DragState::Pressed;
}

void ScheduleChartView::updateGesture(const QPoint& pos) {
    const TimeAxis& axis = layout_.axis;
    gesture_.lastPos = pos;
    // Measured on the chart, not on the screen: the chart may have scrolled since the press.
    const int moved =
        pos.x() - gesture_.pressPos.x() + horizontalScrollBar()->value() - gesture_.pressScroll.x();
    const auto delta = static_cast<int64_t>(std::llround(moved / axis.minuteWidth()));
    switch (dragState_) {
        case DragState::MovingBar: {
            gesture_.ghostStart = axis.snap(gesture_.start + delta);
            gesture_.ghostEnd = gesture_.ghostStart + (gesture_.end - gesture_.start);
            // Above or below the rows the ghost stays on the nearest one.
            if (const int row = rowAt(pos); row != 0) {
                gesture_.targetRow = row;
            } else if (chart_.RowCount() > 0) {
                gesture_.targetRow = pos.y() < headerHeight()
                                         ? std::max(1, visibleRows().first)
                                         : std::min<int>(chart_.RowCount(), visibleRows().second);
            }
            break;
        }
        case DragState::MovingStart:
            gesture_.ghostStart = std::min(axis.snap(gesture_.start + delta), gesture_.end - 1);
            break;
        case DragState::MovingEnd:
            gesture_.ghostEnd = std::max(axis.snap(gesture_.end + delta), gesture_.start + 1);
            break;
        case DragState::Idle:
        case DragState::Pressed:
            return;
    }
    updateAutoScroll(pos);
    viewport()->update();
}

void ScheduleChartView::updateAutoScroll(const QPoint& pos) {
    const QRect chart = chartArea();
    const int edge = static_cast<int>(std::lround(16 * dpiScale()));
    QPoint direction;
    if (pos.x() < chart.left() + edge) {
        direction.setX(-1);
    } else if (pos.x() > chart.right() - edge) {
        direction.setX(1);
    }
    if (dragState_ == DragState::MovingBar) {
        if (pos.y() < chart.top() + edge) {
            direction.setY(-1);
        } else if (pos.y() > chart.bottom() - edge) {
            direction.setY(1);
        }
    }
    autoScrollDirection_ = direction;
    if (direction.isNull()) {
        if (autoScroll_ != nullptr) {
            autoScroll_->stop();
        }
        return;
    }
    if (autoScroll_ == nullptr) {
        autoScroll_ = new QTimer(this);
        autoScroll_->setInterval(40);
        connect(autoScroll_, &QTimer::timeout, this, &ScheduleChartView::autoScrollStep);
    }
    if (!autoScroll_->isActive()) {
        autoScroll_->start();
    }
}

void ScheduleChartView::autoScrollStep() {
    if (dragState_ != DragState::MovingBar && dragState_ != DragState::MovingStart &&
        dragState_ != DragState::MovingEnd) {
        autoScroll_->stop();
        return;
    }
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    const QPoint before(horizontal->value(), vertical->value());
    horizontal->setValue(horizontal->value() + autoScrollDirection_.x() * horizontal->singleStep());
    vertical->setValue(vertical->value() + autoScrollDirection_.y() * layout_.rowHeight / 2);
    if (QPoint(horizontal->value(), vertical->value()) == before) {
        // At the end of the range: nothing more to scroll.
        autoScroll_->stop();
        return;
    }
    updateGesture(gesture_.lastPos);
}

void ScheduleChartView::finishGesture() {
    const Gesture done = gesture_;
    const DragState state = dragState_;
    cancelGesture();
    if (!barExists(done.row, done.bar)) {
        return;
    }
    const auto row = static_cast<int16_t>(done.row);
    const auto bar = static_cast<int16_t>(done.bar);
    const ChartTime start = TimeAxis::timeOf(done.ghostStart);
    const ChartTime end = TimeAxis::timeOf(done.ghostEnd);
    switch (state) {
        case DragState::MovingBar:
            if (done.targetRow != done.row || done.ghostStart != done.start) {
                guarded([&] {
                    chart_.DragBar(row, bar, static_cast<int16_t>(done.targetRow), start.Day,
                                   start.Minute);
                });
            }
            break;
        case DragState::MovingStart:
            if (done.ghostStart != done.start) {
                guarded([&] { chart_.DragBarStart(row, bar, start.Day, start.Minute); });
            }
            break;
        case DragState::MovingEnd:
            if (done.ghostEnd != done.end) {
                guarded([&] { chart_.DragBarEnd(row, bar, end.Day, end.Minute); });
            }
            break;
        case DragState::Idle:
        case DragState::Pressed:
            break;
    }
}

void ScheduleChartView::cancelGesture() {
    if (autoScroll_ != nullptr) {
        autoScroll_->stop();
    }
    if (dragState_ == DragState::Idle) {
        return;
    }
    dragState_ = DragState::Idle;
    viewport()->unsetCursor();
    viewport()->update();
}

// ---- Keyboard ----

void ScheduleChartView::keyPressEvent(QKeyEvent* event) {
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->key()) {
        case Qt::Key_F8:
            if (dragState_ == DragState::Idle) {
                showNextConflict((event->modifiers() & Qt::ShiftModifier) != 0);
            }
            event->accept();
            return;
        case Qt::Key_0:
            if (control) {
                fitToWindow();
                event->accept();
                return;
            }
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus:
            if (control) {
                zoomBy(event->key() == Qt::Key_Minus ? 0.8 : 1.25, chartArea().center().x());
                event->accept();
                return;
            }
            break;
        case Qt::Key_Escape:
            if (dragState_ != DragState::Idle) {
                cancelGesture();
                event->accept();
                return;
            }
            break;
        case Qt::Key_Delete:
            if (dragState_ == DragState::Idle) {
                removeLastClickedBar();
            }
            event->accept();
            return;
        default:
            break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ScheduleChartView::removeLastClickedBar() {
    const BarRef target = lastClicked_;
    if (!barExists(target.row, target.bar)) {
        return;
    }
    const ChartBar& bar =
        chart_.Bar(static_cast<int16_t>(target.row), static_cast<int16_t>(target.bar));
    if (staysPut(bar.Kind)) {
        // The control keeps work orders and calendar blocks: nothing to ask.
        emit statusHint(bar.Kind == kCalendarBarKind
                            ? tr("Calendar blocks cannot be removed.")
                            : tr("Work-order activities cannot be removed here; a copy "
                                 "(right-click, Copy) can."));
        return;
    }
    bool confirmed = false;
    if (confirmRemoval_) {
        confirmed = confirmRemoval_(target.row, target.bar);
    } else {
        const QString resource =
            toQString(chart_.RowColumnText(static_cast<int16_t>(target.row), 1));
        const qt_detail::BarFacts facts = qt_detail::ReadBarFacts(
            chart_, static_cast<int16_t>(target.row), static_cast<int16_t>(target.bar));
        QString question;
        if (bar.Kind == kTemporaryBarKind && facts.valid()) {
            question = tr("Remove the copy of work order %1, activity %2, from %3?\n\n"
                          "The copy is given up; the activity stays where it is.")
                           .arg(facts.workOrder, facts.activity, resource);
        } else {
            const QString name = toQString(bar.Text.empty() ? bar.Key : bar.Text);
            question = name.isEmpty() ? tr("Remove the selected bar from %1?").arg(resource)
                                      : tr("Remove \"%1\" from %2?").arg(name, resource);
        }
        confirmed = QMessageBox::question(this, tr("Remove bar"), question,
                                          QMessageBox::Yes | QMessageBox::No,
                                          QMessageBox::No) == QMessageBox::Yes;
    }
    // The dialog ran an event loop: the bar may be gone by now.
    if (!barExists(target.row, target.bar)) {
        return;
    }
    guarded([&] {
        chart_.RequestBarRemoval(static_cast<int16_t>(target.row), static_cast<int16_t>(target.bar),
                                 confirmed);
    });
}

// ---- Hints ----

bool ScheduleChartView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!showHint(help->pos(), help->globalPos())) {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool ScheduleChartView::showHint(const QPoint& pos, const QPoint& globalPos) {
    if (dragState_ != DragState::Idle) {
        return false;
    }
    const BarHit hit = barAt(pos);
    if (!hit) {
        return false;
    }
    const bool hovered = handleBarGesture(BarGesture::Hover, hit.row, hit.bar, [&] {
        chart_.HoverBar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
    });
    if (!hovered) {
        return false;
    }
    // The model's hint stays as the control wrote it; the planner reads the bar's record.
    const QString hint = describeBar(hit.row, hit.bar);
    if (hint.isEmpty()) {
        return false;
    }
    QToolTip::showText(globalPos, hint, viewport(), barRect(hit.row, hit.bar));
    return true;
}

}  // namespace tessaro
