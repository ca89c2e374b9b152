#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
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

#include "bar_drag.hpp"
#include "bar_facts.hpp"
#include "bar_movability.hpp"
#include "bar_texts.hpp"
#include "drop_tally.hpp"
#include "guarded_call.hpp"
#include "schedule_chart_view_private.hpp"

namespace tessaro {

template <typename Call>
bool ScheduleChartView::Private::guarded(Call&& call) {
    return qt_detail::runGuarded(std::forward<Call>(call),
                                 [this](int number, const QString& source, const QString& text) {
                                     emit q->errorRaised(number, source, text);
                                 });
}

template <typename Call>
bool ScheduleChartView::Private::handleBarGesture(BarGesture gesture, int row, int bar,
                                                  Call&& call) {
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
        emit q->activityGesture(gesture, facts.workOrder, activity);
    }
    return true;
}

void ScheduleChartView::setDropPreviewSource(
    std::function<DropPreview(int row, PlanTime start)> source) {
    d->previewSource_ = std::move(source);
}

QString ScheduleChartView::dropPreviewText() const {
    return d->preview_ ? d->preview_->text : QString();
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
                if (event->button() == Qt::LeftButton && chartArea().contains(pos)) {
                    if ((event->modifiers() & Qt::ShiftModifier) != 0) {
                        // Ctrl+Shift adds to the picks, as file managers' rubber bands do.
                        d->beginBand(pos, (event->modifiers() & Qt::ControlModifier) != 0);
                    } else if ((event->modifiers() & Qt::ControlModifier) == 0) {
                        d->setPicks({});
                    }
                }
                break;
            }
            if (event->button() == Qt::RightButton) {
                // The control answers with a menu of its own; the widget pops it up.
                d->handleBarGesture(BarGesture::RightClick, hit.row, hit.bar, [&] {
                    d->chart_.RightClickBar(static_cast<int16_t>(hit.row),
                                            static_cast<int16_t>(hit.bar));
                });
            } else if (event->button() == Qt::LeftButton) {
                d->beginGesture(hit, pos);
            }
            break;
        }
        case DragState::Pressed:
        case DragState::MovingBar:
        case DragState::MovingStart:
        case DragState::MovingEnd:
            // Another button during a gesture abandons it.
            d->cancelGesture();
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
    d->gesture_.exact = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (d->band_) {
        d->updateBand(pos);
        event->accept();
        return;
    }
    switch (d->dragState_) {
        case DragState::Idle:
            d->updateHoverCursor(pos);
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
                    d->refuseDrag(pos);
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
            d->updateGesture(pos);
            break;
        case DragState::MovingBar:
        case DragState::MovingStart:
        case DragState::MovingEnd:
            d->updateGesture(pos);
            break;
    }
    event->accept();
}

void ScheduleChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (d->band_) {
        d->finishBand();
        event->accept();
        return;
    }
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
            if (event->button() == Qt::LeftButton && d->barExists(pressed.row, pressed.bar) &&
                (event->modifiers() & Qt::ControlModifier) != 0 &&
                d->togglePick(pressed.row, pressed.bar)) {
                break;
            }
            if (event->button() == Qt::LeftButton && d->barExists(pressed.row, pressed.bar)) {
                if (d->chart_
                        .Bar(static_cast<int16_t>(pressed.row), static_cast<int16_t>(pressed.bar))
                        .Kind == kWorkOrderBarKind) {
                    d->setPicks({});
                }
                d->lastClicked_ = {pressed.row, pressed.bar};
                d->focusBar(*this, {pressed.row, pressed.bar}, false);
                d->handleBarGesture(BarGesture::Click, pressed.row, pressed.bar, [&] {
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
                // Shift pressed or let go since the last move decides where the copy drops.
                if (const bool exact = (event->modifiers() & Qt::ShiftModifier) != 0;
                    exact != d->gesture_.exact) {
                    d->gesture_.exact = exact;
                    d->updateGesture(d->gesture_.lastPos);
                }
                d->finishGesture();
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
                d->handleBarGesture(BarGesture::DoubleClick, hit.row, hit.bar, [&] {
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

void ScheduleChartView::Private::refuseDrag(const QPoint& pos) {
    gesture_.refused = true;
    q->viewport()->setCursor(Qt::ForbiddenCursor);
    const ChartBar& bar =
        chart_.Bar(static_cast<int16_t>(gesture_.row), static_cast<int16_t>(gesture_.bar));
    const QString hint = qt_detail::RefusedDragHint(bar.Kind);
    QToolTip::showText(q->viewport()->mapToGlobal(pos), hint, q->viewport());
    emit q->statusHint(hint);
}

void ScheduleChartView::Private::updateHoverCursor(const QPoint& pos) {
    const BarHit hit = q->barAt(pos);
    const bool movable =
        hit && !qt_detail::BarStaysPut(
                   chart_.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar)).Kind);
    if (movable && (hit.part == BarPart::StartEdge || hit.part == BarPart::EndEdge)) {
        q->viewport()->setCursor(Qt::SizeHorCursor);
    } else {
        q->viewport()->unsetCursor();
    }
}

// ---- Drag gestures ----

void ScheduleChartView::Private::beginGesture(const BarHit& hit, const QPoint& pos) {
    const ChartBar& bar = chart_.Bar(static_cast<int16_t>(hit.row), static_cast<int16_t>(hit.bar));
    gesture_ = Private::Gesture{};
    gesture_.pressPos = pos;
    gesture_.lastPos = pos;
    gesture_.pressScroll =
        QPoint(q->horizontalScrollBar()->value(), q->verticalScrollBar()->value());
    gesture_.row = hit.row;
    gesture_.bar = hit.bar;
    gesture_.part = hit.part;
    gesture_.start = bar.Start.AbsoluteMinutes();
    gesture_.end = bar.End.AbsoluteMinutes();
    gesture_.targetRow = hit.row;
    gesture_.ghostStart = gesture_.start;
    gesture_.ghostEnd = gesture_.end;
    gesture_.draggable = !qt_detail::BarStaysPut(bar.Kind);
    if (bar.Kind == kTemporaryBarKind) {
        takeCompanions(hit.row, hit.bar);
    }
    dragState_ = DragState::Pressed;
}

namespace {

qt_detail::DragHold HoldOf(ScheduleChartView::DragState state) {
    switch (state) {
        case ScheduleChartView::DragState::MovingStart:
            return qt_detail::DragHold::StartEdge;
        case ScheduleChartView::DragState::MovingEnd:
            return qt_detail::DragHold::EndEdge;
        default:
            return qt_detail::DragHold::Bar;
    }
}

// The view's gesture (a private type, hence the template) as the shared drag.
template <typename Gesture>
qt_detail::BarDrag DragOf(const Gesture& gesture, ScheduleChartView::DragState state) {
    return {HoldOf(state), gesture.row,       gesture.bar,        gesture.start,
            gesture.end,   gesture.targetRow, gesture.ghostStart, gesture.ghostEnd};
}

}  // namespace

void ScheduleChartView::Private::updateGesture(const QPoint& pos) {
    if (dragState_ != DragState::MovingBar && dragState_ != DragState::MovingStart &&
        dragState_ != DragState::MovingEnd) {
        return;
    }
    gesture_.lastPos = pos;
    // Measured on the chart, not on the screen: the chart may have scrolled since the press.
    const int moved = pos.x() - gesture_.pressPos.x() + q->horizontalScrollBar()->value() -
                      gesture_.pressScroll.x();
    qt_detail::BarDrag drag = DragOf(gesture_, dragState_);
    qt_detail::FollowPointer(drag, chartGeometry(), moved, pos);
    gesture_.targetRow = drag.targetRow;
    if (dragState_ == DragState::MovingBar && gesture_.rowShift != 0) {
        // A companion copy held: the dragged copy lands as many rows away as the companion.
        gesture_.targetRow = std::clamp<int>(gesture_.targetRow + gesture_.rowShift, 1,
                                             std::max<int>(1, chart_.RowCount()));
    }
    gesture_.ghostStart = drag.ghostStart;
    gesture_.ghostEnd = drag.ghostEnd;
    if (dragState_ == DragState::MovingBar) {
        snapCopyToWorkingTime();
    }
    updateAutoScroll(pos);
    updateDropPreview();
    q->viewport()->update();
}

bool ScheduleChartView::Private::draggingCopy() const {
    return dragState_ == DragState::MovingBar && barExists(gesture_.row, gesture_.bar) &&
           chart_.TimeBarKind(static_cast<int16_t>(gesture_.row),
                              static_cast<int16_t>(gesture_.bar)) == kTemporaryBarKind;
}

void ScheduleChartView::Private::snapCopyToWorkingTime() {
    if (gesture_.exact || !draggingCopy() || gesture_.targetRow == 0) {
        return;
    }
    if (gesture_.blocksRow != gesture_.targetRow) {
        gesture_.blocks = NonWorkingSpans(chart_, static_cast<int16_t>(gesture_.targetRow));
        gesture_.blocksRow = gesture_.targetRow;
    }
    const int64_t length = gesture_.end - gesture_.start;
    gesture_.ghostStart = NearestWorkingStart(gesture_.blocks, gesture_.ghostStart, length);
    gesture_.ghostEnd = gesture_.ghostStart + length;
}

void ScheduleChartView::Private::updateDropPreview() {
    if (!previewSource_ || !draggingCopy()) {
        preview_.reset();
        return;
    }
    if (preview_ && preview_->row == gesture_.targetRow && preview_->start == gesture_.ghostStart) {
        return;
    }
    Preview next{gesture_.targetRow, gesture_.ghostStart, {}, {}};
    if (!guarded([&] {
            next.answer =
                previewSource_(next.row, qt_detail::PlanTimeOfMinute(gesture_.ghostStart));
        })) {
        preview_.reset();
        return;
    }
    next.text = qt_detail::DropTallyText(next.answer);
    preview_ = std::move(next);
    if (!keys_.holdingMove) {
        // A drop the host would refuse shows as one before the button is let go.
        q->viewport()->setCursor(preview_->answer.Refusal ? Qt::ForbiddenCursor
                                                          : Qt::ClosedHandCursor);
    }
}

void ScheduleChartView::Private::updateAutoScroll(const QPoint& pos) {
    const QRect chart = q->chartArea();
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
        autoScroll_ = new QTimer(q);
        autoScroll_->setInterval(40);
        QObject::connect(autoScroll_, &QTimer::timeout, q, [this] { autoScrollStep(); });
    }
    if (!autoScroll_->isActive()) {
        autoScroll_->start();
    }
}

void ScheduleChartView::Private::autoScrollStep() {
    if (dragState_ != DragState::MovingBar && dragState_ != DragState::MovingStart &&
        dragState_ != DragState::MovingEnd) {
        autoScroll_->stop();
        return;
    }
    QScrollBar* horizontal = q->horizontalScrollBar();
    QScrollBar* vertical = q->verticalScrollBar();
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

void ScheduleChartView::Private::finishGesture() {
    const Private::Gesture done = gesture_;
    const DragState state = dragState_;
    cancelGesture();
    if (!barExists(done.row, done.bar)) {
        return;
    }
    if (state == DragState::MovingBar || state == DragState::MovingStart ||
        state == DragState::MovingEnd) {
        guarded([&] { qt_detail::DropBar(chart_, DragOf(done, state)); });
    }
}

void ScheduleChartView::Private::cancelGesture() {
    if (autoScroll_ != nullptr) {
        autoScroll_->stop();
    }
    preview_.reset();
    if (dragState_ == DragState::Idle) {
        return;
    }
    dragState_ = DragState::Idle;
    q->viewport()->unsetCursor();
    q->viewport()->update();
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
                d->cancelGesture();
                event->accept();
                return;
            }
            break;
        case Qt::Key_Delete:
            if (d->dragState_ == DragState::Idle) {
                d->removeLastClickedBar();
            }
            event->accept();
            return;
        default:
            break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ScheduleChartView::Private::removeLastClickedBar() {
    const Private::BarRef target = lastClicked_;
    if (!barExists(target.row, target.bar)) {
        return;
    }
    const ChartBar& bar =
        chart_.Bar(static_cast<int16_t>(target.row), static_cast<int16_t>(target.bar));
    if (qt_detail::BarStaysPut(bar.Kind)) {
        // The control keeps work orders and calendar blocks: nothing to ask.
        emit q->statusHint(qt_detail::RefusedRemovalHint(bar.Kind));
        return;
    }
    bool confirmed = false;
    if (confirmRemoval_) {
        confirmed = confirmRemoval_(target.row, target.bar);
    } else {
        const QString question = qt_detail::RemovalQuestion(chart_, target.row, target.bar);
        confirmed =
            QMessageBox::question(q, tr("Remove bar"), question, QMessageBox::Yes | QMessageBox::No,
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
        if (!d->showHint(help->pos(), help->globalPos())) {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool ScheduleChartView::Private::showHint(const QPoint& pos, const QPoint& globalPos) {
    if (dragState_ != DragState::Idle) {
        return false;
    }
    const BarHit hit = q->barAt(pos);
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
    const QString hint = q->describeBar(hit.row, hit.bar);
    if (hint.isEmpty()) {
        return false;
    }
    QToolTip::showText(globalPos, hint, q->viewport(), q->barRect(hit.row, hit.bar));
    return true;
}

}  // namespace tessaro
