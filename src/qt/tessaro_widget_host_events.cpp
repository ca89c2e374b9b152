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

void TessaroWidget::reportError(int number, const QString& source, const QString& description) {
    emit errorRaised(number, source, description);
}

void TessaroWidget::connectHostEvents() {
    d->undoAction_ = new QAction(tr("&Undo"), this);
    d->undoAction_->setObjectName(QStringLiteral("undoAction"));
    d->undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    d->redoAction_ = new QAction(tr("&Redo"), this);
    d->redoAction_->setObjectName(QStringLiteral("redoAction"));
    d->redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    const auto report = [this](int number, const QString& source, const QString& description) {
        reportError(number, source, description);
    };
    for (QAction* action : {d->undoAction_, d->redoAction_}) {
        // Only the chart's focus makes the keys undo: in a host's text field Ctrl+Z is its own.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        d->chartView_->addAction(action);
    }
    connect(d->undoAction_, &QAction::triggered, this,
            [this, report] { qt_detail::runGuarded([this] { d->control_->Undo(); }, report); });
    connect(d->redoAction_, &QAction::triggered, this,
            [this, report] { qt_detail::runGuarded([this] { d->control_->Redo(); }, report); });
    d->undoAction_->setEnabled(d->control_->CanUndo());
    d->redoAction_->setEnabled(d->control_->CanRedo());

    d->hostSubscriptions_.pending =
        d->control_->PendingChangesChanged().Subscribe([this](int count) {
            if (d->gridView_ != nullptr) {
                d->gridView_->viewport()->update();
            }
            emit changesChanged(count);
        });
    if (d->gridView_ != nullptr) {
        d->gridView_->setCellTextSource([this](int column, int row, const QString& text) {
            return qt_detail::GridCellNow(*d->control_, column, row, text);
        });
    }
    d->hostSubscriptions_.selection = d->control_->SelectedWorkOrderChanged().Subscribe(
        [this](const std::string& workOrder) { emit selectionChanged(toQString(workOrder)); });
    d->hostSubscriptions_.undo =
        d->control_->UndoAvailableChanged().Subscribe([this](bool available) {
            d->undoAction_->setEnabled(available);
            emit undoAvailableChanged(available);
        });
    d->hostSubscriptions_.redo =
        d->control_->RedoAvailableChanged().Subscribe([this](bool available) {
            d->redoAction_->setEnabled(available);
            emit redoAvailableChanged(available);
        });
}

void TessaroWidget::disconnectHostEvents() {
    d->control_->PendingChangesChanged().Unsubscribe(d->hostSubscriptions_.pending);
    d->control_->SelectedWorkOrderChanged().Unsubscribe(d->hostSubscriptions_.selection);
    d->control_->UndoAvailableChanged().Unsubscribe(d->hostSubscriptions_.undo);
    d->control_->RedoAvailableChanged().Unsubscribe(d->hostSubscriptions_.redo);
    d->control_->ChangeRefused().Unsubscribe(d->hostSubscriptions_.refused);
}

}  // namespace tessaro
