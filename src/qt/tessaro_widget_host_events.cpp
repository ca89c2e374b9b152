// What a host hears from the widget: undo and redo as actions with the chart's shortcuts, and
// the control's events as Qt signals.

#include <QAction>
#include <QDate>
#include <QKeySequence>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "guarded_call.hpp"

namespace tessaro {

void TessaroWidget::reportError(int number, const QString& source, const QString& description) {
    emit errorRaised(number, source, description);
}

void TessaroWidget::connectHostEvents() {
    undoAction_ = new QAction(tr("&Undo"), this);
    undoAction_->setObjectName(QStringLiteral("undoAction"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(tr("&Redo"), this);
    redoAction_->setObjectName(QStringLiteral("redoAction"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    const auto report = [this](int number, const QString& source, const QString& description) {
        reportError(number, source, description);
    };
    for (QAction* action : {undoAction_, redoAction_}) {
        // Only the chart's focus makes the keys undo: in a host's text field Ctrl+Z is its own.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        chartView_->addAction(action);
    }
    connect(undoAction_, &QAction::triggered, this,
            [this, report] { qt_detail::runGuarded([this] { control_->Undo(); }, report); });
    connect(redoAction_, &QAction::triggered, this,
            [this, report] { qt_detail::runGuarded([this] { control_->Redo(); }, report); });
    undoAction_->setEnabled(control_->CanUndo());
    redoAction_->setEnabled(control_->CanRedo());

    hostSubscriptions_.pending = control_->PendingChangesChanged().Subscribe([this](int count) {
        if (gridView_ != nullptr) {
            gridView_->viewport()->update();
        }
        emit changesChanged(count);
    });
    if (gridView_ != nullptr) {
        gridView_->setCellTextSource([this](int column, int row, const QString& text) {
            return gridCellNow(column, row, text);
        });
    }
    hostSubscriptions_.selection = control_->SelectedWorkOrderChanged().Subscribe(
        [this](const std::string& workOrder) { emit selectionChanged(toQString(workOrder)); });
    hostSubscriptions_.undo = control_->UndoAvailableChanged().Subscribe([this](bool available) {
        undoAction_->setEnabled(available);
        emit undoAvailableChanged(available);
    });
    hostSubscriptions_.redo = control_->RedoAvailableChanged().Subscribe([this](bool available) {
        redoAction_->setEnabled(available);
        emit redoAvailableChanged(available);
    });
}

void TessaroWidget::disconnectHostEvents() {
    control_->PendingChangesChanged().Unsubscribe(hostSubscriptions_.pending);
    control_->SelectedWorkOrderChanged().Unsubscribe(hostSubscriptions_.selection);
    control_->UndoAvailableChanged().Unsubscribe(hostSubscriptions_.undo);
    control_->RedoAvailableChanged().Unsubscribe(hostSubscriptions_.redo);
    control_->ChangeRefused().Unsubscribe(hostSubscriptions_.refused);
}

QString TessaroWidget::gridCellNow(int column, int row, const QString& text) const {
    // Columns 4 to 7 are the listed activity's start and end date and time as the payload gave
    // them; the control writes them so. A changed activity's record says where it is now (the
    // earliest start and latest end of its bars), and that is what the grid shows.
    constexpr int kWorkOrder = 1;
    constexpr int kStartDate = 4;
    constexpr int kStartTime = 5;
    constexpr int kEndDate = 6;
    constexpr int kEndTime = 7;
    constexpr int kActivity = 12;
    if (column < kStartDate || column > kEndTime || text.isEmpty()) {
        return text;
    }
    const ListGrid& grid = control_->vaSpread();
    const auto* change = control_->PendingChanges().Find(grid.CellText(kWorkOrder, row) + "$" +
                                                         grid.CellText(kActivity, row));
    if (change == nullptr) {
        return text;
    }
    const ChartTime at = ChartTime::FromPayloadSeconds(column <= kStartTime ? (*change)->starttime
                                                                            : (*change)->endtime);
    if (column == kStartDate || column == kEndDate) {
        return QDate(1900, 1, 1).addDays(at.Day).toString(QStringLiteral("MM/dd/yyyy"));
    }
    return QStringLiteral("%1:%2")
        .arg(at.Minute / 60, 2, 10, QLatin1Char('0'))
        .arg(at.Minute % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace tessaro
