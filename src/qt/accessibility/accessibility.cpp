#include "accessibility.hpp"

#include <QAccessible>

#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

#include "chart_accessible.hpp"
#include "grid_accessible.hpp"
#include "legend_accessible.hpp"
#include "surface_widgets.hpp"

namespace tessaro::qt_detail {
namespace {

QAccessibleInterface* ControlInterfaces(const QString& /*className*/, QObject* object) {
    if (auto* chart = qobject_cast<ScheduleChartView*>(object)) {
        return new ChartAccessible(chart);
    }
    if (auto* grid = qobject_cast<ListGridView*>(object)) {
        return new GridAccessible(grid);
    }
    if (auto* legend = qobject_cast<LegendStrip*>(object)) {
        return new LegendAccessible(legend);
    }
    return nullptr;
}

AccessibleEventListener& Listener() {
    static AccessibleEventListener listener = nullptr;
    return listener;
}

bool Heard() {
    return QAccessible::isActive() || Listener() != nullptr;
}

ChartAccessible* ChartInterface(ScheduleChartView& view) {
    return dynamic_cast<ChartAccessible*>(QAccessible::queryAccessibleInterface(&view));
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ControlInterfaces);
        return true;
    }();
    (void)installed;
}

void SendAccessibleEvent(QAccessibleEvent& event) {
    if (Listener() != nullptr) {
        Listener()(&event);
    }
    QAccessible::updateAccessibility(&event);
}

bool AccessibilityListening() {
    return Heard();
}

void SetAccessibleEventListener(AccessibleEventListener listener) {
    Listener() = listener;
}

void NotifyBarFocus(ScheduleChartView& view, int row, int bar) {
    if (!Heard() || !view.hasFocus()) {
        return;
    }
    ChartAccessible* chart = ChartInterface(view);
    QAccessibleInterface* focused = chart != nullptr ? chart->barInterface(row, bar) : nullptr;
    if (focused == nullptr) {
        return;
    }
    QAccessibleEvent event(focused, QAccessible::Focus);
    SendAccessibleEvent(event);
}

void Announce(ScheduleChartView& view, const QString& text) {
    if (!Heard() || text.isEmpty()) {
        return;
    }
    ChartAccessible* chart = ChartInterface(view);
    if (chart == nullptr) {
        return;
    }
    chart->setAnnouncement(text);
    QAccessibleEvent event(chart, QAccessible::DescriptionChanged);
    SendAccessibleEvent(event);
}

}  // namespace tessaro::qt_detail
