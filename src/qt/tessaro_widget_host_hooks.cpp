// What a host of today hooks into: the planner's gestures on work-order bars as signals, its own
// entries in the chart's pop-up menu, the veto's refusals shown to the planner, and the parts of
// the surface it shows.

#include <algorithm>
#include <string>

#include <QAction>
#include <QCursor>
#include <QToolTip>

#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "surface_widgets.hpp"
#include "tessaro_widget_private.hpp"

namespace tessaro {

void TessaroWidget::Private::connectHostHooks() {
    using Gesture = ScheduleChartView::BarGesture;
    QObject::connect(chartView_, &ScheduleChartView::activityGesture, q,
                     [this](Gesture gesture, const QString& workOrder, int activity) {
                         switch (gesture) {
                             case Gesture::Click:
                                 emit q->barClicked(workOrder, activity);
                                 break;
                             case Gesture::DoubleClick:
                                 emit q->barDoubleClicked(workOrder, activity);
                                 break;
                             case Gesture::Hover:
                                 emit q->barHovered(workOrder, activity);
                                 break;
                             case Gesture::RightClick:
                                 contextActivity_ = ActivityKey{workOrder.toStdString(), activity};
                                 emit q->contextMenuRequested(workOrder, activity);
                                 break;
                         }
                     });
    // The picks live in the control, which copies and moves them together.
    QObject::connect(chartView_, &ScheduleChartView::pickedActivitiesChanged, q,
                     [this] { control_->SetPickedActivities(chartView_->pickedActivities()); });
    chartView_->setCompanionSource([this] { return control_->CompanionCopyBars(); });
    hostSubscriptions_.refused = control_->ChangeRefused().Subscribe(
        [this](const std::string& reason) { showRefusal(QString::fromStdString(reason)); });
}

void TessaroWidget::Private::showRefusal(const QString& reason) {
    // Where the planner is looking: at the mouse when it is over the chart (it let go of the
    // copy there), else on the chart's middle.
    QWidget* port = chartView_->viewport();
    QPoint at = QCursor::pos();
    if (!port->rect().contains(port->mapFromGlobal(at))) {
        at = port->mapToGlobal(port->rect().center());
    }
    QToolTip::showText(at, reason, port);
    emit q->statusHint(reason);
    emit q->changeRefused(reason);
}

// ---- The host's menu entries ----

ActivityKey TessaroWidget::contextActivity() const {
    return d->contextActivity_;
}

void TessaroWidget::addContextMenuAction(QAction* action) {
    if (action == nullptr || d->contextActions_.contains(action)) {
        return;
    }
    d->contextActions_.append(action);
    connect(action, &QObject::destroyed, this, [this, action] { removeContextMenuAction(action); });
    d->menus_.front()->setHostActions(d->contextActions_);
}

void TessaroWidget::removeContextMenuAction(QAction* action) {
    if (d->contextActions_.removeAll(action) > 0) {
        disconnect(action, &QObject::destroyed, this, nullptr);
        d->menus_.front()->setHostActions(d->contextActions_);
    }
}

void TessaroWidget::setRefreshConfirmation(std::function<bool(int pending)> confirm) {
    d->confirmRefresh_ = std::move(confirm);
}

// ---- Surface parts ----

void TessaroWidget::setSurfacePartVisible(SurfacePart part, bool visible) {
    if (visible == isSurfacePartVisible(part)) {
        return;
    }
    if (visible) {
        d->hiddenParts_.erase(part);
    } else {
        d->hiddenParts_.insert(part);
    }
    updateGeometry();
    d->relayoutSurface();
}

bool TessaroWidget::isSurfacePartVisible(SurfacePart part) const {
    return !d->hiddenParts_.contains(part);
}

}  // namespace tessaro
