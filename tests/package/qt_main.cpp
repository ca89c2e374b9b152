// A widget host built against the installed package. The first part is the host of README's
// "Embedding" section, as it stands there; main drives it as a planner would, without an event
// loop: a click on a bar, a refused move of started work, a move that is saved.

#include <tessaro/qt.hpp>

#include <cstdio>
#include <optional>
#include <string>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>

// ---- The README's host ----

// One payload of the plant folder (samples/ holds the sample plant's four).
std::string Payload(const QString& plant, const char* name) {
    QFile file(plant + '/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void SetUpChart(tessaro::TessaroWidget& chart, const QString& plant) {
    tessaro::Tessaro_Ctrl& ctrl = chart.control();
    ctrl.LoadScheduleTime(Payload(plant, "header.xml"));  // raises AutomationError if refused
    ctrl.LoadResource(Payload(plant, "resources.xml"));
    ctrl.LoadCalendarEvents(Payload(plant, "calendars.xml"));
    ctrl.LoadResourceEvents(Payload(plant, "workorders.xml"));
    // The planner clicked a work-order bar: the host shows that activity in its own screens.
    QObject::connect(&chart, &tessaro::TessaroWidget::barClicked,
                     [](const QString& workOrder, int activity) {
                         std::printf("%s, activity %d\n", qPrintable(workOrder), activity);
                     });
    // Started work stays where it is; the planner sees the reason at the mouse.
    ctrl.SetChangeVeto([](const tessaro::ProposedChange& change) -> std::optional<std::string> {
        for (const tessaro::ProposedChange::Move& move : change.Moves) {
            if (move.Status == "Started") {
                return move.Activity.WorkOrder + " has started: it stays where it is";
            }
        }
        return std::nullopt;
    });
}

// Writes the changes, then makes the saved plan the one further changes are measured from.
bool SaveChanges(tessaro::Tessaro_Ctrl& ctrl, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QByteArray::fromStdString(ctrl.ChangesXml())) < 0) {
        return false;
    }
    ctrl.AcceptChanges();
    return true;
}

// ---- Driving it ----

namespace {

int Fail(const char* what) {
    std::printf("the installed widget host: %s\n", what);
    return 1;
}

// Copies the activity of the bar with the key and drops the copy a day later on its row.
void MoveADayLater(tessaro::Tessaro_Ctrl& ctrl, const std::string& key) {
    tessaro::ScheduleChart& chart = ctrl.ctResSched();
    const int16_t row = chart.FindTimeBarRow(key);
    chart.RightClickBar(row, chart.FindTimeBarInRow(key, row));
    ctrl.mnuSchedPopUp().Choose("miCopy");
    const int16_t copyRow = chart.FindTimeBarRow(ctrl.TempBarKey());
    const int16_t copy = chart.FindTimeBarInRow(ctrl.TempBarKey(), copyRow);
    const tessaro::ChartTime start = chart.Bar(copyRow, copy).Start;
    chart.DragBar(copyRow, copy, copyRow, start.Day + 1, start.Minute);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        return Fail("needs the plant folder");
    }
    tessaro::TessaroWidget widget;
    widget.resize(1400, 860);
    widget.show();
    SetUpChart(widget, QString::fromLocal8Bit(argv[1]));
    tessaro::Tessaro_Ctrl& ctrl = widget.control();
    ctrl.ctToolBar1().PressButton(3);
    if (widget.chartView()->dayWidth() != 300 * widget.logicalDpiX() / 96.0) {
        return Fail("does not follow its control");
    }

    QString clicked;
    QObject::connect(&widget, &tessaro::TessaroWidget::barClicked,
                     [&](const QString& workOrder, int) { clicked = workOrder; });
    tessaro::ScheduleChartView* view = widget.chartView();
    const int16_t row = ctrl.ctResSched().FindTimeBarRow("WO-24021$1$4");
    const int16_t bar = ctrl.ctResSched().FindTimeBarInRow("WO-24021$1$4", row);
    view->scrollToBar(row, bar);
    const QPoint at = view->barRect(row, bar).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(view->viewport(), &event);
    }
    if (clicked != QStringLiteral("WO-24021")) {
        return Fail("did not hear the click");
    }

    QString refusal;
    QObject::connect(&widget, &tessaro::TessaroWidget::changeRefused,
                     [&](const QString& reason) { refusal = reason; });
    MoveADayLater(ctrl, "WO-24001$1$5");
    if (refusal != QStringLiteral("WO-24001 has started: it stays where it is") ||
        !ctrl.Changes().empty()) {
        return Fail("moved started work");
    }
    ctrl.miIgnore_Click();  // the refused copy is still pending
    MoveADayLater(ctrl, "WO-24021$1$4");
    const QString saved = QDir::current().filePath(QStringLiteral("changes.xml"));
    if (ctrl.Changes().size() != 1 || !SaveChanges(ctrl, saved) || !ctrl.Changes().empty() ||
        ctrl.CanUndo()) {
        return Fail("did not save the move");
    }
    QFile written(saved);
    if (!written.open(QIODevice::ReadOnly) || !written.readAll().contains("WO-24021")) {
        return Fail("wrote no change document");
    }
    for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu*>(shown) != nullptr) {
            shown->close();
        }
    }
    return 0;
}
