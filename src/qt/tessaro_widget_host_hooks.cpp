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

namespace {

// The space kept between the chart and a part moved up to it, in twips.
constexpr int32_t kCollapsedGapTwips = 60;

int32_t BottomOf(const char* name) {
    const TwipRect& b = FindSurfaceElement(name)->Bounds;
    return b.Top + b.Height;
}

// The design elements a part is made of.
std::vector<std::string> SurfacePartElements(SurfacePart part) {
    switch (part) {
        case SurfacePart::Grid:
            return {"vaSpread"};
        case SurfacePart::DetailPanel:
            return {"frameWO"};
        case SurfacePart::Toolbar:
            return {"ctToolBar1"};
        case SurfacePart::ConflictList:
            return {"lstConflictWorkOrders"};
        case SurfacePart::Legend:
            return {"Frame2"};
    }
    return {};
}

}  // namespace

void TessaroWidget::connectHostHooks() {
    using Gesture = ScheduleChartView::BarGesture;
    connect(d->chartView_, &ScheduleChartView::activityGesture, this,
            [this](Gesture gesture, const QString& workOrder, int activity) {
                switch (gesture) {
                    case Gesture::Click:
                        emit barClicked(workOrder, activity);
                        break;
                    case Gesture::DoubleClick:
                        emit barDoubleClicked(workOrder, activity);
                        break;
                    case Gesture::Hover:
                        emit barHovered(workOrder, activity);
                        break;
                    case Gesture::RightClick:
                        d->contextActivity_ = ActivityKey{workOrder.toStdString(), activity};
                        emit contextMenuRequested(workOrder, activity);
                        break;
                }
            });
    d->hostSubscriptions_.refused = d->control_->ChangeRefused().Subscribe(
        [this](const std::string& reason) { showRefusal(QString::fromStdString(reason)); });
}

void TessaroWidget::showRefusal(const QString& reason) {
    // Where the planner is looking: at the mouse when it is over the chart (it let go of the
    // copy there), else on the chart's middle.
    QWidget* port = d->chartView_->viewport();
    QPoint at = QCursor::pos();
    if (!port->rect().contains(port->mapFromGlobal(at))) {
        at = port->mapToGlobal(port->rect().center());
    }
    QToolTip::showText(at, reason, port);
    emit statusHint(reason);
    emit changeRefused(reason);
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
    relayoutSurface();
}

bool TessaroWidget::isSurfacePartVisible(SurfacePart part) const {
    return !d->hiddenParts_.contains(part);
}

bool TessaroWidget::isElementHidden(const SurfaceElement& element) const {
    return std::ranges::any_of(d->hiddenParts_, [&](SurfacePart part) {
        const std::vector<std::string> names = SurfacePartElements(part);
        return std::ranges::find(names, element.Name) != names.end();
    });
}

int32_t TessaroWidget::collapsedTwips(const SurfaceElement& element) const {
    if (isSurfacePartVisible(SurfacePart::Grid) || !element.Parent.empty()) {
        return 0;
    }
    // Without the grid the detail frame moves up to the chart, and what lies below the grid
    // follows it (or comes up to the chart when the frame is hidden too).
    const int32_t chartBottom = BottomOf("ctResSched");
    const TwipRect& frame = FindSurfaceElement("frameWO")->Bounds;
    if (element.Name == "frameWO") {
        return frame.Top - (chartBottom + kCollapsedGapTwips);
    }
    if (element.Bounds.Top < BottomOf("vaSpread") - kCollapsedGapTwips) {
        return 0;
    }
    const int32_t newTop =
        isSurfacePartVisible(SurfacePart::DetailPanel)
            ? chartBottom + kCollapsedGapTwips + frame.Height + kCollapsedGapTwips
            : chartBottom;
    return std::max(0, element.Bounds.Top - newTop);
}

int32_t TessaroWidget::surfaceHeightTwips() const {
    int32_t height = 0;
    for (const SurfaceElement& element : DesignSurface()) {
        if (element.Visible && element.Parent.empty() && !isElementHidden(element)) {
            height = std::max(height,
                              element.Bounds.Top + element.Bounds.Height - collapsedTwips(element));
        }
    }
    return height;
}

}  // namespace tessaro
