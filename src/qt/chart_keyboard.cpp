// The chart's keyboard model: a focused bar the arrows walk over the rows, Space, Enter and the
// menu keys doing to it what the mouse does, and the copy's temporary bar moved by keys and
// dropped with Enter through the same drag the mouse makes.

#include <tessaro/qt/schedule_chart_view.hpp>

#include <algorithm>
#include <utility>

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <tessaro/qt/conversions.hpp>

#include "accessibility/accessibility.hpp"
#include "bar_facts.hpp"
#include "bar_focus.hpp"
#include "bar_texts.hpp"
#include "chart_keys.hpp"
#include "focus_ring.hpp"
#include "guarded_call.hpp"
#include "menu_anchor.hpp"
#include "schedule_chart_view_private.hpp"

namespace tessaro {

using qt_detail::BarFocus;
using qt_detail::FocusStep;

struct ScheduleChartView::Private::Keyboard {
    static int32_t kindOf(const Private& d, BarFocus focus) {
        return d.chart_.TimeBarKind(static_cast<int16_t>(focus.row),
                                    static_cast<int16_t>(focus.bar));
    }

    static bool holding(const Private& d) {
        return d.keys_.holdingMove && d.dragState_ == DragState::MovingBar;
    }

    // Runs the model's handler of a gesture on the bar as the mouse's gestures do: an error goes
    // out through errorRaised, and a work-order bar's activity, read before the handler could
    // rebuild the row, through activityGesture.
    template <typename Call>
    static void barGesture(ScheduleChartView& view, Private& d, BarGesture gesture, BarFocus at,
                           Call&& call) {
        const auto row = static_cast<int16_t>(at.row);
        const auto bar = static_cast<int16_t>(at.bar);
        qt_detail::BarFacts facts;
        if (d.chart_.Bar(row, bar).Kind == kWorkOrderBarKind) {
            facts = qt_detail::ReadBarFacts(d.chart_, row, bar);
        }
        if (!guarded(view, [&] { call(row, bar); })) {
            return;
        }
        bool numbered = false;
        const int activity = facts.activity.toInt(&numbered);
        if (facts.valid() && numbered) {
            emit view.activityGesture(gesture, facts.workOrder, activity);
        }
    }

    template <typename Call>
    static bool guarded(ScheduleChartView& view, Call&& call) {
        return qt_detail::runGuarded(
            std::forward<Call>(call),
            [&view](int number, const QString& source, const QString& text) {
                emit view.errorRaised(number, source, text);
            });
    }

    static void focus(ScheduleChartView& view, Private& d, BarFocus focus, bool reveal = true) {
        // By identity: the copy dropped hands the focus to the rebuilt bar standing where the
        // focus already falls back to, and that is a move too.
        const bool moved = qt_detail::SetFocusedBar(d.keys_, d.chart_, focus);
        if (!d.barExists(focus.row, focus.bar)) {
            focus = {};
        }
        if (focus && reveal) {
            view.scrollToBar(focus.row, focus.bar);
        }
        view.viewport()->update();
        if (moved) {
            qt_detail::NotifyBarFocus(view, focus.row, focus.bar);
            emit view.barFocusChanged(focus.row, focus.bar);
        }
    }

    // The arrows, Home, End and the page keys; false for a chart without work-order bars.
    static bool step(ScheduleChartView& view, Private& d, FocusStep step) {
        const BarFocus from = d.focusedBar();
        if (holding(d)) {
            // Walking away from the copy lets go of its ghost; the copy stays where it is.
            d.cancelGesture();
        }
        const int pageRows =
            std::max(1, view.chartArea().height() / std::max(1, view.rowHeight()) - 1);
        const BarFocus to = from ? qt_detail::StepBarFocus(d.chart_, from, step, pageRows)
                                 : qt_detail::FirstWorkOrderBar(d.chart_);
        if (!to) {
            return false;
        }
        focus(view, d, to);
        return true;
    }

    // The copy's ghost `minutes` later and `rows` further down; the first move takes hold of it
    // as a press on it would.
    static void moveCopy(ScheduleChartView& view, Private& d, BarFocus copy, int64_t minutes,
                         int rows) {
        Gesture& g = d.gesture_;
        if (!holding(d)) {
            const ChartBar& bar =
                d.chart_.Bar(static_cast<int16_t>(copy.row), static_cast<int16_t>(copy.bar));
            g = Gesture{};
            g.row = copy.row;
            g.bar = copy.bar;
            g.part = BarPart::Body;
            g.start = bar.Start.AbsoluteMinutes();
            g.end = bar.End.AbsoluteMinutes();
            g.targetRow = copy.row;
            g.ghostStart = g.start;
            g.ghostEnd = g.end;
            g.draggable = true;
            // The focused bar's span as it is now: its ghost is measured from it.
            d.keys_.focusRow = copy.row;
            d.keys_.focusStart = g.start;
            d.keys_.focusEnd = g.end;
            // The companions' ghosts follow as they follow the mouse, and a companion focused
            // moves the copy by as much as the keys move the companion.
            d.takeCompanions(copy.row, copy.bar);
            d.dragState_ = DragState::MovingBar;
            d.keys_.holdingMove = true;
        }
        g.ghostStart += minutes;
        g.ghostEnd = g.ghostStart + (g.end - g.start);
        g.targetRow = std::clamp(g.targetRow + rows, 1, std::max<int>(1, d.chart_.RowCount()));
        d.updateDropPreview();
        showGhost(view, d);
    }

    // Where the focused bar's ghost stands: the copy's own, or a companion's moved as far.
    struct Ghost {
        int row = 0;
        int64_t start = 0;
        int64_t end = 0;
    };
    static Ghost focusedGhost(const Private& d) {
        const Gesture& g = d.gesture_;
        const int64_t minutes = g.ghostStart - g.start;
        const int row = std::clamp(d.keys_.focusRow + g.targetRow - g.row, 1,
                                   std::max<int>(1, d.chart_.RowCount()));
        return {row, d.keys_.focusStart + minutes, d.keys_.focusEnd + minutes};
    }

    // The focused bar's ghost in sight, and where it would go beside it.
    static void showGhost(ScheduleChartView& view, Private& d) {
        const Ghost ghost = focusedGhost(d);
        view.scrollToRow(ghost.row);
        QScrollBar* horizontal = view.horizontalScrollBar();
        const double start = d.layout_.axis.x(ghost.start);
        const double end = d.layout_.axis.x(ghost.end);
        const int width = view.chartArea().width();
        if (start < horizontal->value() || end > horizontal->value() + width) {
            horizontal->setValue(qt_detail::ClampedCoordinate(start - width / 8.0));
        }
        view.viewport()->update();
        QString hint = moveHint(d, ghost);
        if (d.preview_ && !d.preview_->text.isEmpty()) {
            hint += QStringLiteral("\n") + d.preview_->text;
        }
        const QRect rect = d.spanRect(ghost.row, ghost.start, ghost.end, kTemporaryBarKind);
        QToolTip::showText(view.viewport()->mapToGlobal(rect.bottomLeft() + QPoint(0, 4)), hint,
                           view.viewport());
        qt_detail::Announce(view, hint);
        emit view.statusHint(hint);
    }

    static QString moveHint(const Private& d, const Ghost& ghost) {
        return ScheduleChartView::tr(
                   "Move to %1, %2 \u2013 %3; Enter drops it, Escape ends the copy")
            .arg(toQString(d.chart_.RowColumnText(static_cast<int16_t>(ghost.row), 1)),
                 qt_detail::TimeCaption(d.chart_, ghost.start),
                 qt_detail::TimeCaption(d.chart_, ghost.end));
    }

    // Enter on the held copy: one drag of it, exactly as the mouse lets go of it there, which
    // moves its companions with it.
    static void dropCopy(ScheduleChartView& view, Private& d) {
        const Ghost ghost = focusedGhost(d);
        d.keys_.holdingMove = false;
        QToolTip::hideText();
        // The copies go once dropped: the activity rebuilt where the focused ghost was takes the
        // focus.
        d.keys_.focusRow = ghost.row;
        d.keys_.focusStart = ghost.start;
        d.keys_.focusEnd = ghost.end;
        d.finishGesture();
        focus(view, d, d.focusedBar());
    }

    // Escape on the copy: its removal ends it as Ignore does, nothing changed.
    static void endCopy(ScheduleChartView& view, Private& d, BarFocus copy) {
        if (holding(d)) {
            d.cancelGesture();
        }
        d.keys_.holdingMove = false;
        QToolTip::hideText();
        guarded(view, [&] {
            d.chart_.RequestBarRemoval(static_cast<int16_t>(copy.row),
                                       static_cast<int16_t>(copy.bar), true);
        });
        focus(view, d, d.focusedBar());
    }

    static void click(ScheduleChartView& view, Private& d, BarFocus at) {
        d.lastClicked_ = {at.row, at.bar};
        view.viewport()->update();
        barGesture(view, d, BarGesture::Click, at,
                   [&](int16_t row, int16_t bar) { d.chart_.ClickBar(row, bar); });
    }

    static void doubleClick(ScheduleChartView& view, Private& d, BarFocus at) {
        barGesture(view, d, BarGesture::DoubleClick, at,
                   [&](int16_t row, int16_t bar) { d.chart_.DoubleClickBar(row, bar); });
    }

    // The menu a right-click opens, below the bar's visible part, with its first entry current.
    static void openMenu(ScheduleChartView& view, Private& d, BarFocus at) {
        const QRect visible = view.barRect(at.row, at.bar).intersected(view.chartArea());
        const QPoint corner = visible.isEmpty() ? view.chartArea().center() : visible.bottomLeft();
        qt_detail::MenuAnchor anchor;
        anchor.at = view.viewport()->mapToGlobal(corner + QPoint(0, 2));
        anchor.fromKeyboard = true;
        const qt_detail::MenuAnchorScope scope(anchor);
        barGesture(view, d, BarGesture::RightClick, at,
                   [&](int16_t row, int16_t bar) { d.chart_.RightClickBar(row, bar); });
    }
};

// ---- The focused bar ----

qt_detail::BarFocus ScheduleChartView::Private::focusedBar() const {
    return qt_detail::FocusedBar(chart_, keys_);
}

std::pair<int, int> ScheduleChartView::focusedBar() const {
    const BarFocus focus = d->focusedBar();
    return {focus.row, focus.bar};
}

void ScheduleChartView::setFocusedBar(int row, int bar) {
    if (Private::Keyboard::holding(*d)) {
        d->cancelGesture();
    }
    d->keys_.holdingMove = false;
    Private::Keyboard::focus(*this, *d, {row, bar});
}

void ScheduleChartView::Private::focusBar(ScheduleChartView& view, BarFocus focus, bool reveal) {
    Keyboard::focus(view, *this, focus, reveal);
}

bool ScheduleChartView::Private::keysHoldMove() const {
    return Keyboard::holding(*this);
}

void ScheduleChartView::Private::paintFocusRing(const ScheduleChartView& view,
                                                QPainter& painter) const {
    const BarFocus focus = focusedBar();
    if (!focus || !view.hasFocus()) {
        return;
    }
    qt_detail::PaintFocusRing(painter, view.barRect(focus.row, focus.bar),
                              view.palette().color(QPalette::Highlight));
}

// ---- Keys ----

bool ScheduleChartView::Private::handleKey(ScheduleChartView& view, QKeyEvent& event) {
    using K = Keyboard;
    using Command = qt_detail::ChartKeyCommand::Kind;
    const bool held = K::holding(*this);
    if (!held) {
        keys_.holdingMove = false;
        if (dragState_ != DragState::Idle) {
            // The mouse's gesture keeps the keys it knows (Escape abandons it).
            return false;
        }
    }
    const BarFocus focus = focusedBar();
    const int32_t kind = focus ? K::kindOf(*this, focus) : 0;
    const qt_detail::ChartKeyCommand command = qt_detail::DecodeChartKey(
        event.key(), event.modifiers(),
        {focus, kind == kTemporaryBarKind, kind == kWorkOrderBarKind, held});
    switch (command.kind) {
        case Command::None:
            return false;
        case Command::Step:
            return K::step(view, *this, command.step);
        case Command::MoveCopy:
            K::moveCopy(view, *this, focus, command.minutes, command.rows);
            return true;
        case Command::Click:
            K::click(view, *this, focus);
            return true;
        case Command::DoubleClick:
            K::doubleClick(view, *this, focus);
            return true;
        case Command::DropCopy:
            K::dropCopy(view, *this);
            return true;
        case Command::EndCopy:
            K::endCopy(view, *this, focus);
            return true;
        case Command::OpenMenu:
            K::openMenu(view, *this, focus);
            return true;
    }
    return false;
}

}  // namespace tessaro
