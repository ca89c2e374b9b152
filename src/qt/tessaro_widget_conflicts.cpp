// What the panels read from the plan after a burst of chart changes: the conflict panel beside
// the chart (a double click brings a conflict's bar into sight) and the statuses the legend names.

#include <algorithm>

#include <QTimer>

#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "conflict_panel.hpp"
#include "guarded_call.hpp"
#include "legend_texts.hpp"
#include "surface_widgets.hpp"
#include "tessaro_widget_private.hpp"

namespace tessaro {

QWidget* TessaroWidget::conflictPanel() const {
    return d->conflictPanel_;
}

void TessaroWidget::Private::installConflictPanel() {
    conflictPanel_ = new qt_detail::ConflictPanel(q);
    conflictPanel_->setObjectName(QStringLiteral("conflictPanel"));
    QObject::connect(conflictPanel_, &qt_detail::ConflictPanel::barRequested, q,
                     [this](int row, int bar) { showConflictBar(row, bar); });
    scheduleConflicts();
}

void TessaroWidget::Private::scheduleConflicts() {
    // A load or a Pack changes the chart many times over: the conflicts are read once after.
    if (conflictsPending_) {
        return;
    }
    conflictsPending_ = true;
    QTimer::singleShot(0, q, [this] {
        conflictsPending_ = false;
        conflictPanel_->setConflicts(control_->PlanConflicts());
        if (statusesDirty_) {
            statusesDirty_ = false;
            refreshLegendStatuses();
        }
    });
}

void TessaroWidget::Private::refreshLegendStatuses() {
    const int before = legend_->heightForWidth(legend_->width());
    legend_->setOtherStatuses(qt_detail::OtherStatusesInUse(control_->ctResSched()));
    if (legend_->heightForWidth(legend_->width()) != before) {
        relayoutSurface();
    }
}

void TessaroWidget::Private::showConflictBar(int row, int bar) {
    const ScheduleChart& chart = control_->ctResSched();
    if (row < 1 || row > chart.RowCount() || bar < 1 ||
        bar > chart.TimeBarCount(static_cast<int16_t>(row))) {
        return;
    }
    chartView_->scrollToBar(row, bar);
    chartView_->setFocusedBar(row, bar);
    qt_detail::runGuarded(
        [&] {
            control_->ctResSched().ClickBar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
        },
        [this](int number, const QString& source, const QString& description) {
            reportError(number, source, description);
        });
}

void TessaroWidget::Private::placeConflictPanel(QRect& chart) {
    const bool shown = hiddenParts_.count(SurfacePart::ConflictList) == 0;
    conflictPanel_->setVisible(shown);
    if (!shown) {
        return;
    }
    // Beside the chart, as tall as it: the lines are read against the bars they name, and the
    // grid and detail frame below keep their width.
    const int width = std::clamp(q->width() * 3 / 10, pixels(3600), pixels(7800));
    chart.setWidth(std::max(0, chart.width() - width - 4));
    conflictPanel_->setGeometry(chart.right() + 5, chart.top(), width, chart.height());
    conflictPanel_->raise();
}

}  // namespace tessaro
