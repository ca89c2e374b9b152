#include "schedule_commands.hpp"

#include <string>

#include <QApplication>
#include <QMouseEvent>
#include <QObject>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

namespace tessaro::demo {

void ClickBarAsThePlanner(TessaroWidget& widget, int row, int bar) {
    ScheduleChartView* view = widget.chartView();
    view->scrollToBar(row, bar);
    QWidget* port = view->viewport();
    const QPointF at = view->barRect(row, bar).center();
    const QPointF global = port->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(port, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(port, &release);
}

QString CheckConflictsOfSelectedBar(TessaroWidget& widget) {
    Tessaro_Ctrl& ctrl = widget.control();
    const ScheduleChart& chart = ctrl.ctResSched();
    auto [clickedRow, clickedBar] = widget.chartView()->lastClickedBar();
    int16_t row = static_cast<int16_t>(clickedRow);
    int16_t bar = static_cast<int16_t>(clickedBar);
    if (row == 0 || chart.TimeBarKind(row, bar) != ScheduleChartView::kWorkOrderBarKind) {
        row = chart.FindTimeBarRow(ctrl.SelectedBarKey());
        bar = row > 0 ? chart.FindTimeBarInRow(ctrl.SelectedBarKey(), row) : 0;
    }
    if (row == 0) {
        return QCoreApplication::translate("Demo",
                                           "No bar is selected: click a work-order bar first");
    }
    const QString key = toQString(chart.TimeBarKey(row, bar));
    // The search answers with the key when the bar meets no other activity.
    if (!ctrl.ConflictTimeBars(row, bar).empty()) {
        return QCoreApplication::translate("Demo", "%1 has no conflict").arg(key);
    }
    return QCoreApplication::translate("Demo", "%1: %2 activities in the conflict list")
        .arg(key)
        .arg(ctrl.lstConflictWorkOrders().ListCount());
}

}  // namespace tessaro::demo
