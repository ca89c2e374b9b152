// What a host hears from the widget: undo and redo as actions with the chart's shortcuts, and
// the control's events as Qt signals.

#include <QAction>
#include <QDate>
#include <QKeySequence>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "grid_cell_text.hpp"
#include "guarded_call.hpp"
#include "tessaro_widget_private.hpp"

namespace tessaro {

void TessaroWidget::Private::reportError(int number, const QString& source,
                                         const QString& description) {
    emit q->errorRaised(number, source, description);
}

void TessaroWidget::Private::connectHostEvents() {
    undoAction_ = new QAction(tr("&Undo"), q);
    undoAction_->setObjectName(QStringLiteral("undoAction"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(tr("&Redo"), q);
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
    QObject::connect(undoAction_, &QAction::triggered, q, [this, report] {
        qt_detail::runGuarded([this] { control_->Undo(); }, report);
    });
    QObject::connect(redoAction_, &QAction::triggered, q, [this, report] {
        qt_detail::runGuarded([this] { control_->Redo(); }, report);
    });
    undoAction_->setEnabled(control_->CanUndo());
    redoAction_->setEnabled(control_->CanRedo());

    hostSubscriptions_.pending = control_->PendingChangesChanged().Subscribe([this](int count) {
        if (gridView_ != nullptr) {
            gridView_->viewport()->update();
        }
        emit q->changesChanged(count);
    });
    if (gridView_ != nullptr) {
        gridView_->setCellTextSource([this](int column, int row, const QString& text) {
            return qt_detail::GridCellNow(*control_, column, row, text);
        });
    }
    hostSubscriptions_.selection = control_->SelectedWorkOrderChanged().Subscribe(
        [this](const std::string& workOrder) { emit q->selectionChanged(toQString(workOrder)); });
    hostSubscriptions_.undo = control_->UndoAvailableChanged().Subscribe([this](bool available) {
        undoAction_->setEnabled(available);
        emit q->undoAvailableChanged(available);
    });
    hostSubscriptions_.redo = control_->RedoAvailableChanged().Subscribe([this](bool available) {
        redoAction_->setEnabled(available);
        emit q->redoAvailableChanged(available);
    });
}

void TessaroWidget::Private::disconnectHostEvents() {
    control_->PendingChangesChanged().Unsubscribe(hostSubscriptions_.pending);
    control_->SelectedWorkOrderChanged().Unsubscribe(hostSubscriptions_.selection);
    control_->UndoAvailableChanged().Unsubscribe(hostSubscriptions_.undo);
    control_->RedoAvailableChanged().Unsubscribe(hostSubscriptions_.redo);
    control_->ChangeRefused().Unsubscribe(hostSubscriptions_.refused);
}

}  // namespace tessaro
