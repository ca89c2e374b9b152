#include "demo_window.hpp"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include <tessaro/qt.hpp>
#include <tessaro/tessaro.hpp>

#include "schedule_commands.hpp"
#include "started_work_veto.hpp"
#include "view_commands.hpp"

namespace tessaro::demo {

namespace {

QString PendingText(int count) {
    return count == 1 ? QCoreApplication::translate("Demo", "1 pending change")
                      : QCoreApplication::translate("Demo", "%1 pending changes").arg(count);
}

QString Described(const AutomationError& error) {
    return QCoreApplication::translate("Demo", "error %1 in %2: %3")
        .arg(error.Number())
        .arg(toQString(error.Source()), toQString(error.Description()));
}

}  // namespace

DemoWindow::DemoWindow()
    : chart_(new TessaroWidget(this)), pendingLabel_(new QLabel(PendingText(0), this)) {
    setWindowTitle(tr("Tessaro schedule chart"));
    setCentralWidget(chart_);
    connect(chart_, &TessaroWidget::errorRaised, this,
            [this](int number, const QString& source, const QString& description) {
                report(tr("Error %1 (0x%2) in %3: %4")
                           .arg(number)
                           .arg(static_cast<uint32_t>(number), 8, 16, QLatin1Char('0'))
                           .arg(source, description));
            });
    connect(chart_, &TessaroWidget::changesChanged, pendingLabel_,
            [this](int count) { pendingLabel_->setText(PendingText(count)); });
    connect(chart_, &TessaroWidget::selectionChanged, this, [this](const QString& workOrder) {
        statusBar()->showMessage(workOrder.isEmpty() ? tr("No work order selected")
                                                     : tr("Work order %1 selected").arg(workOrder));
    });
    connect(chart_, &TessaroWidget::changeRefused, this,
            [this](const QString& reason) { report(tr("Not changed: %1").arg(reason)); });
    setStartedWorkMovable(false);
    buildMenus();
    connect(chart_, &TessaroWidget::statusHint, this,
            [this](const QString& hint) { statusBar()->showMessage(hint, 6000); });
    statusBar()->addPermanentWidget(pendingLabel_);
    statusBar()->showMessage(tr("Ready"));
}

void DemoWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open plant folder..."), QKeySequence::Open, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Plant folder"));
        if (!folder.isEmpty()) {
            load(FilesIn(folder));
        }
    });
    file->addAction(tr("&Save changes..."), QKeySequence::Save, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, tr("Save changes"), QStringLiteral("changes.xml"), tr("XML documents (*.xml)"));
        if (!path.isEmpty() && saveChanges(path)) {
            statusBar()->showMessage(tr("Changes saved to %1").arg(path));
        }
    });
    file->addSeparator();
    for (const auto& [caption, filter] :
         {std::pair{tr("Export chart as &PNG..."), tr("PNG images (*.png)")},
          std::pair{tr("Export chart as P&DF..."), tr("PDF documents (*.pdf)")}}) {
        file->addAction(caption, this, [this, filter = filter] {
            const QString path = QFileDialog::getSaveFileName(this, tr("Export chart"), {}, filter);
            if (!path.isEmpty()) {
                report(ExportChart(*chart_, path) ? tr("Chart written to %1").arg(path)
                                                  : tr("Cannot write %1").arg(path));
            }
        });
    }
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(chart_->undoAction());
    edit->addAction(chart_->redoAction());

    ScheduleChartView* view = chart_->chartView();
    QMenu* zoom = menuBar()->addMenu(tr("&View"));
    zoom->addAction(tr("Zoom &in"), QKeySequence::ZoomIn, this,
                    [view] { view->zoomBy(1.25, view->chartArea().center().x()); });
    zoom->addAction(tr("Zoom &out"), QKeySequence::ZoomOut, this,
                    [view] { view->zoomBy(0.8, view->chartArea().center().x()); });
    zoom->addAction(tr("&Fit the window"), QKeySequence(Qt::CTRL | Qt::Key_0), this,
                    [view] { view->fitToWindow(); });
    zoom->addSeparator();
    // F8 and Shift+F8 belong to the control; the menu offers the same without the keys.
    zoom->addAction(tr("&Next overlap (F8)"), this, [view] { view->showNextConflict(false); });
    zoom->addAction(tr("&Previous overlap (Shift+F8)"), this,
                    [view] { view->showNextConflict(true); });
    // An overlap brought into view lists what the bar collides with, as a planning screen would.
    connect(view, &ScheduleChartView::conflictShown, this, [this](int row, int bar) {
        auto r = static_cast<int16_t>(row);
        auto b = static_cast<int16_t>(bar);
        try {
            chart_->control().ConflictTimeBars(r, b);
        } catch (const AutomationError& error) {
            report(Described(error));
        }
    });

    QMenu* schedule = menuBar()->addMenu(tr("&Schedule"));
    schedule->addAction(tr("Select &work order..."), this, [this] {
        bool ok = false;
        const QString workOrder = QInputDialog::getText(
            this, tr("Select work order"), tr("Work order:"), QLineEdit::Normal, QString(), &ok);
        if (ok) {
            selectWorkOrder(workOrder.trimmed());
        }
    });
    schedule->addAction(tr("Check &conflicts"), this, [this] { checkConflictsOfSelectedBar(); });
}

bool DemoWindow::load(const PlantFiles& files) {
    Tessaro_Ctrl& ctrl = chart_->control();
    const struct {
        const QString& path;
        void (Tessaro_Ctrl::*loader)(std::string_view);
    } steps[] = {
        {files.header, &Tessaro_Ctrl::LoadScheduleTime},
        {files.resources, &Tessaro_Ctrl::LoadResource},
        {files.calendars, &Tessaro_Ctrl::LoadCalendarEvents},
        {files.workOrders, &Tessaro_Ctrl::LoadResourceEvents},
    };
    for (const auto& step : steps) {
        const std::optional<std::string> text = ReadWholeFile(step.path);
        if (!text) {
            report(tr("Cannot read %1").arg(step.path));
            return false;
        }
        try {
            (ctrl.*step.loader)(*text);
        } catch (const AutomationError& error) {
            report(tr("%1 was refused: %2").arg(step.path, Described(error)));
            return false;
        }
    }
    const ScheduleChart& schedule = ctrl.ctResSched();
    int bars = 0;
    // Wider counters than row and bar numbers, so that they can pass the last of 32767.
    for (int row = 1; row <= schedule.RowCount(); ++row) {
        const auto r = static_cast<int16_t>(row);
        for (int bar = 1; bar <= schedule.TimeBarCount(r); ++bar) {
            bars += schedule.Bar(r, static_cast<int16_t>(bar)).Kind ==
                    ScheduleChartView::kWorkOrderBarKind;
        }
    }
    statusBar()->showMessage(
        tr("Loaded %1 resources and %2 work-order activities").arg(schedule.RowCount()).arg(bars));
    return true;
}

bool DemoWindow::clickFirstWorkOrderBar() {
    const ScheduleChart& schedule = chart_->control().ctResSched();
    for (int r = 1; r <= schedule.RowCount(); ++r) {
        const auto row = static_cast<int16_t>(r);
        int16_t first = 0;
        for (int b = 1; b <= schedule.TimeBarCount(row); ++b) {
            const auto bar = static_cast<int16_t>(b);
            const ChartBar& candidate = schedule.Bar(row, bar);
            if (candidate.Kind == ScheduleChartView::kWorkOrderBarKind &&
                (first == 0 || candidate.Start < schedule.Bar(row, first).Start)) {
                first = bar;
            }
        }
        if (first != 0) {
            ClickBarAsThePlanner(*chart_, row, first);
            return true;
        }
    }
    return false;
}

void DemoWindow::setStartedWorkMovable(bool movable) {
    chart_->control().SetChangeVeto(movable ? ChangeVeto{} : ChangeVeto{KeepStartedWorkInPlace});
}

bool DemoWindow::saveChanges(const QString& path) {
    std::string document;
    try {
        document = chart_->control().ChangesXml();
    } catch (const AutomationError& error) {
        report(tr("The changes cannot be written: %1").arg(Described(error)));
        return false;
    }
    if (!WriteWholeFile(path, document)) {
        report(tr("Cannot write %1").arg(path));
        return false;
    }
    chart_->control().AcceptChanges();
    return true;
}

void DemoWindow::checkConflictsOfSelectedBar() {
    try {
        statusBar()->showMessage(CheckConflictsOfSelectedBar(*chart_));
    } catch (const AutomationError& error) {
        report(tr("Conflicts cannot be checked: %1").arg(Described(error)));
    }
}

void DemoWindow::selectWorkOrder(const QString& workOrder) {
    Tessaro_Ctrl& control = chart_->control();
    const std::string number = workOrder.toStdString();
    try {
        control.SelectWorkOrderFirstSubActivity(number);
    } catch (const AutomationError& error) {
        report(tr("Work order '%1' cannot be selected: %2").arg(workOrder, Described(error)));
        return;
    }
    const std::vector<int32_t> activities = control.WorkOrderActivities(number);
    if (activities.empty()) {
        report(tr("No work order %1 on the chart").arg(workOrder));
        return;
    }
    // The planner asked for it: its first activity comes into sight.
    if (const std::optional<PlanActivity> first = control.Activity({number, activities.front()})) {
        chart_->chartView()->scrollToBar(first->Bars.front().Row, first->Bars.front().Bar);
    }
}

bool DemoWindow::confirmClose() {
    const int pending = chart_->control().PendingChanges().Count();
    if (pending == 0) {
        return true;
    }
    const QMessageBox::StandardButton answer =
        closeQuestion_
            ? closeQuestion_(pending)
            : QMessageBox::question(
                  this, tr("Unsaved changes"),
                  tr("%1 not saved. Save them before quitting?").arg(PendingText(pending)),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  QMessageBox::Save);
    if (answer == QMessageBox::Discard) {
        return true;
    }
    if (answer != QMessageBox::Save) {
        return false;
    }
    const QString path =
        closeQuestion_
            ? closeSavePath_
            : QFileDialog::getSaveFileName(this, tr("Save changes"), QStringLiteral("changes.xml"),
                                           tr("XML documents (*.xml)"));
    return !path.isEmpty() && saveChanges(path);
}

void DemoWindow::closeEvent(QCloseEvent* event) {
    if (confirmClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void DemoWindow::report(const QString& message) {
    statusBar()->showMessage(message);
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace tessaro::demo
