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
#include "bar_movability.hpp"
#include "bar_texts.hpp"
#include "guarded_call.hpp"
#include "schedule_chart_view_private.hpp"

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
    if (d->chart_.Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar)).Kind ==
        kWorkOrderBarKind) {
        facts = qt_detail::ReadBarFacts(d->chart_, static_cast<int16_t>(row),
                                        static_cast<int16_t>(bar));
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
    d->confirmRemoval_ = std::move(confirm);
}

// ---- Mouse ----

void ScheduleChartView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    d->keys_.holdingMove = false;
    const QPoint pos = event->position().toPoint();
    switch (d->dragState_) {
        case DragState::Idle: {
            const BarHit hit = barAt(pos);
            if (!hit) {
                break;
            }
            if (event->button() == Qt::RightButton) {
                // The control answers with a menu of its own; the widget pops it up.
                handleBarGesture(BarGesture::RightClick, hit.row, hit.bar, [&] {
                    d->chart_.RightClickBar(static_cast<int16_t>(hit.row),
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
    if (d->keysHoldMove()) {
        event->accept();
        return;
    }
    const QPoint pos = event->position().toPoint();
    switch (d->dragState_) {
        case DragState::Idle:
            updateHoverCursor(pos);
            break;
        case DragState::Pressed:
            if ((pos - d->gesture_.pressPos).manhattanLength() <
                QApplication::startDragDistance()) {
                break;
            }
            if (!d->gesture_.draggable) {
                // A bar that stays put: neither a drag nor a click any more, and the planner
                // is told why nothing follows the mouse.
                if (!d->gesture_.refused) {
                    refuseDrag(pos);
                }
                break;
            }
            if (d->gesture_.part == BarPart::StartEdge) {
                d->dragState_ = DragState::MovingStart;
                viewport()->setCursor(Qt::SizeHorCursor);
            } else if (d->gesture_.part == BarPart::EndEdge) {
                d->dragState_ = DragState::MovingEnd;
                viewport()->setCursor(Qt::SizeHorCursor);
            } else {
                d->dragState_ = DragState::MovingBar;
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
    switch (d->dragState_) {
        case DragState::Idle:
            break;
        case DragState::Pressed: {
            const Private::Gesture pressed = d->gesture_;
            d->dragState_ = DragState::Idle;
            if (pressed.refused) {
                viewport()->unsetCursor();
                break;
            }
            if (event->button() == Qt::LeftButton && d->barExists(pressed.row, pressed.bar)) {
                d->lastClicked_ = {pressed.row, pressed.bar};
                d->focusBar(*this, {pressed.row, pressed.bar}, false);
                handleBarGesture(BarGesture::Click, pressed.row, pressed.bar, [&] {
                    d->chart_.ClickBar(static_cast<int16_t>(pressed.row),
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
    switch (d->dragState_) {
        case DragState::Idle:
        case DragState::Pressed: {
            d->dragState_ = DragState::Idle;
            const BarHit hit = barAt(pos);
            if (event->button() == Qt::LeftButton && hit) {
                handleBarGesture(BarGesture::DoubleClick, hit.row, hit.bar, [&] {
                    d->chart_.DoubleClickBar(static_cast<int16_t>(hit.row),
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

void ScheduleChartView::refuseDrag(const QPoint& pos) {
    d->gesture_.refused = true;
    viewport()->setCursor(Qt::ForbiddenCursor);
    const ChartBar& bar =
        d->chart_.Bar(static_cast<int16_t>(d->gesture_.row), static_cast<int16_t>(d->gesture_.bar));
    const QString hint = qt_detail::RefusedDragHint(bar.Kind);
    QToolTip::showText(viewport()->mapToGlobal(pos), hint, viewport());
    emit statusHint(hint);
}

void ScheduleChartView::updateHoverCursor(const QPoint& pos) {
    const BarHit hit = barAt(pos);
    const bool movable =
        hit &&
        !qt_detail::BarStaysPut(
            d->chart_.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar)).Kind);
    if (movable && (hit.part == BarPart::StartEdge || hit.part == BarPart::EndEdge)) {
        viewport()->setCursor(Qt::SizeHorCursor);
    } else {
        viewport()->unsetCursor();
    }
}

// ---- Drag gestures ----

void ScheduleChartView::beginGesture(const BarHit& hit, const QPoint& pos) {
    const ChartBar& bar =
        d->chart_.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
    d->gesture_ = Private::Gesture{};
    d->gesture_.pressPos = pos;
    d->gesture_.lastPos = pos;
    d->gesture_.pressScroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    d->gesture_.row = hit.row;
    d->gesture_.bar = hit.bar;
    d->gesture_.part = hit.part;
    d->gesture_.start = bar.Start.AbsoluteMinutes();
    d->gesture_.end = bar.End.AbsoluteMinutes();
    d->gesture_.targetRow = hit.row;
    d->gesture_.ghostStart = d->gesture_.start;
    d->gesture_.ghostEnd = d->gesture_.end;
    d->gesture_.draggable = !qt_detail::BarStaysPut(bar.Kind);
    d->dragState_ = DragState::Pressed;
}

void ScheduleChartView::updateGesture(const QPoint& pos) {
    const TimeAxis& axis = d->layout_.axis;
    d->gesture_.lastPos = pos;
    // Measured on the chart, not on the screen: the chart may have scrolled since the press.
    const int moved = pos.x() - d->gesture_.pressPos.x() + horizontalScrollBar()->value() -
                      d->gesture_.pressScroll.x();
    const auto delta = static_cast<int64_t>(std::llround(moved / axis.minuteWidth()));
    switch (d->dragState_) {
        case DragState::MovingBar: {
            d->gesture_.ghostStart = axis.snap(d->gesture_.start + delta);
            d->gesture_.ghostEnd = d->gesture_.ghostStart + (d->gesture_.end - d->gesture_.start);
            // Above or below the rows the ghost stays on the nearest one.
            if (const int row = rowAt(pos); row != 0) {
                d->gesture_.targetRow = row;
            } else if (d->chart_.RowCount() > 0) {
                d->gesture_.targetRow =
                    pos.y() < headerHeight()
                        ? std::max(1, chartGeometry().visibleRows().first)
                        : std::min<int>(d->chart_.RowCount(), chartGeometry().visibleRows().second);
            }
            break;
        }
        case DragState::MovingStart:
            d->gesture_.ghostStart =
                std::min(axis.snap(d->gesture_.start + delta), d->gesture_.end - 1);
            break;
        case DragState::MovingEnd:
            d->gesture_.ghostEnd =
                std::max(axis.snap(d->gesture_.end + delta), d->gesture_.start + 1);
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
    if (d->dragState_ == DragState::MovingBar) {
        if (pos.y() < chart.top() + edge) {
            direction.setY(-1);
        } else if (pos.y() > chart.bottom() - edge) {
            direction.setY(1);
        }
    }
    d->autoScrollDirection_ = direction;
    if (direction.isNull()) {
        if (d->autoScroll_ != nullptr) {
            d->autoScroll_->stop();
        }
        return;
    }
    if (d->autoScroll_ == nullptr) {
        d->autoScroll_ = new QTimer(this);
        d->autoScroll_->setInterval(40);
        connect(d->autoScroll_, &QTimer::timeout, this, &ScheduleChartView::autoScrollStep);
    }
    if (!d->autoScroll_->isActive()) {
        d->autoScroll_->start();
    }
}

void ScheduleChartView::autoScrollStep() {
    if (d->dragState_ != DragState::MovingBar && d->dragState_ != DragState::MovingStart &&
        d->dragState_ != DragState::MovingEnd) {
        d->autoScroll_->stop();
        return;
    }
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    const QPoint before(horizontal->value(), vertical->value());
    horizontal->setValue(horizontal->value() +
                         d->autoScrollDirection_.x() * horizontal->singleStep());
    vertical->setValue(vertical->value() + d->autoScrollDirection_.y() * d->layout_.rowHeight / 2);
    if (QPoint(horizontal->value(), vertical->value()) == before) {
        // At the end of the range: nothing more to scroll.
        d->autoScroll_->stop();
        return;
    }
    updateGesture(d->gesture_.lastPos);
}

void ScheduleChartView::finishGesture() {
    const Private::Gesture done = d->gesture_;
    const DragState state = d->dragState_;
    cancelGesture();
    if (!d->barExists(done.row, done.bar)) {
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
                    d->chart_.DragBar(row, bar, static_cast<int16_t>(done.targetRow), start.Day,
                                      start.Minute);
                });
            }
            break;
        case DragState::MovingStart:
            if (done.ghostStart != done.start) {
                guarded([&] { d->chart_.DragBarStart(row, bar, start.Day, start.Minute); });
            }
            break;
        case DragState::MovingEnd:
            if (done.ghostEnd != done.end) {
                guarded([&] { d->chart_.DragBarEnd(row, bar, end.Day, end.Minute); });
            }
            break;
        case DragState::Idle:
        case DragState::Pressed:
            break;
    }
}

void ScheduleChartView::cancelGesture() {
    if (d->autoScroll_ != nullptr) {
        d->autoScroll_->stop();
    }
    if (d->dragState_ == DragState::Idle) {
        return;
    }
    d->dragState_ = DragState::Idle;
    viewport()->unsetCursor();
    viewport()->update();
}

// ---- Keyboard ----

void ScheduleChartView::keyPressEvent(QKeyEvent* event) {
    if (d->handleKey(*this, *event)) {
        event->accept();
        return;
    }
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->key()) {
        case Qt::Key_F8:
            if (d->dragState_ == DragState::Idle) {
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
            if (d->dragState_ != DragState::Idle) {
                cancelGesture();
                event->accept();
                return;
            }
            break;
        case Qt::Key_Delete:
            if (d->dragState_ == DragState::Idle) {
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
    const Private::BarRef target = d->lastClicked_;
    if (!d->barExists(target.row, target.bar)) {
        return;
    }
    const ChartBar& bar =
        d->chart_.Bar(static_cast<int16_t>(target.row), static_cast<int16_t>(target.bar));
    if (qt_detail::BarStaysPut(bar.Kind)) {
        // The control keeps work orders and calendar blocks: nothing to ask.
        emit statusHint(qt_detail::RefusedRemovalHint(bar.Kind));
        return;
    }
    bool confirmed = false;
    if (d->confirmRemoval_) {
        confirmed = d->confirmRemoval_(target.row, target.bar);
    } else {
        const QString question = qt_detail::RemovalQuestion(d->chart_, target.row, target.bar);
        confirmed = QMessageBox::question(this, tr("Remove bar"), question,
                                          QMessageBox::Yes | QMessageBox::No,
                                          QMessageBox::No) == QMessageBox::Yes;
    }
    // The dialog ran an event loop: the bar may be gone by now.
    if (!d->barExists(target.row, target.bar)) {
        return;
    }
    guarded([&] {
        d->chart_.RequestBarRemoval(static_cast<int16_t>(target.row),
                                    static_cast<int16_t>(target.bar), confirmed);
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
    if (d->dragState_ != DragState::Idle) {
        return false;
    }
    const BarHit hit = barAt(pos);
    if (!hit) {
        return false;
    }
    const bool hovered = handleBarGesture(BarGesture::Hover, hit.row, hit.bar, [&] {
        d->chart_.HoverBar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
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
