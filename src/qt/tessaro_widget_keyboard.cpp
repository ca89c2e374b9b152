// The control's keys beyond the chart's own: Ctrl+C copies the focused work-order bar's activity
// as the pop-up menu's Copy does and focuses the copy, and Tab goes through the surface as the
// planner reads it.

#include <QAction>
#include <QKeySequence>

#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "guarded_call.hpp"
#include "menu_anchor.hpp"
#include "tessaro_widget_private.hpp"

namespace tessaro {
namespace {

// The temporary bar of the pending copy; {0, 0} when there is none.
std::pair<int, int> TemporaryBar(const Tessaro_Ctrl& control) {
    const ScheduleChart& chart = control.ctResSched();
    if (control.TempBarKey().empty()) {
        return {0, 0};
    }
    const int16_t row = chart.FindTimeBarRow(control.TempBarKey());
    for (int16_t bar = 1; row > 0 && bar <= chart.TimeBarCount(row); ++bar) {
        if (chart.TimeBarKind(row, bar) == TemporaryBarKind) {
            return {row, bar};
        }
    }
    return {0, 0};
}

}  // namespace

void TessaroWidget::Private::installChartKeys(TessaroWidget& widget) {
    auto* copy = new QAction(TessaroWidget::tr("&Copy activity"), &widget);
    copy->setObjectName(QStringLiteral("copyAction"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    chartView_->addAction(copy);
    QObject::connect(copy, &QAction::triggered, &widget, [this, &widget] { copyFocused(widget); });

    // Top to bottom, left to right: the conflicts, the chart, the grid of the selected work
    // order and its details (the toolbar's buttons come first, as they are made).
    std::vector<QWidget*> order;
    for (const Placed& placed : placed_) {
        if ((placed.widget->focusPolicy() & Qt::TabFocus) != 0) {
            order.push_back(placed.widget);
        }
    }
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void TessaroWidget::Private::copyFocused(TessaroWidget& widget) {
    ScheduleChart& chart = control_->ctResSched();
    const auto [row, bar] = chartView_->focusedBar();
    if (bar == 0 || chart.TimeBarKind(static_cast<int16_t>(row), static_cast<int16_t>(bar)) !=
                        WorkOrderBarKind) {
        emit widget.statusHint(
            TessaroWidget::tr("Ctrl+C copies the activity of the focused work-order bar"));
        return;
    }
    const bool copied = qt_detail::runGuarded(
        [&] {
            // The control's own Copy of the bar a right-click names, without showing its menu.
            const qt_detail::MenuAnchorScope silent(qt_detail::MenuAnchor{{}, true, false});
            chart.RightClickBar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
            control_->mnuSchedPopUp().Choose("miCopy");
        },
        [&widget](int number, const QString& source, const QString& description) {
            emit widget.errorRaised(number, source, description);
        });
    if (copied) {
        const auto [copyRow, copyBar] = TemporaryBar(*control_);
        if (copyBar != 0) {
            chartView_->setFocusedBar(copyRow, copyBar);
        }
    }
}

}  // namespace tessaro
