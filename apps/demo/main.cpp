// tessaro-demo: the schedule-chart control in a main window, loaded with a plant's four payloads.
//
//   tessaro-demo [--samples DIR] [--hdr FILE] [--res FILE] [--cal FILE] [--rev FILE]
//                [--select-first] [--move KEY,HOURS[,RESOURCE]] [--conflict N] [--dark]
//                [--now YYYY-MM-DDTHH:MM] [--screenshot FILE] [--export FILE]
//
// Without options it loads the sample plant. --select-first clicks the first work-order bar once
// the plant is loaded, so the detail frame and the work-order grid show its work order. --move
// copies the activity of the bar with that key and drags its copy HOURS later (onto RESOURCE's
// row when given), as a planner would. --conflict shows the N-th overlap (F8 N times). --dark
// paints with a dark palette, --now sets the now line. --screenshot renders the window once the
// plant is loaded, writes it as an image and exits; without a display it runs offscreen.
// --export writes the whole chart as PNG or PDF (by the file's ending) and exits.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>
#include <QStatusBar>
#include <QStyleFactory>

#include <tessaro/qt.hpp>
#include <tessaro/tessaro.hpp>

namespace {

constexpr int kFailed = 1;

// The four payloads of a plant, in the order the control loads them.
struct PlantFiles {
    QString header;
    QString resources;
    QString calendars;
    QString workOrders;
};

PlantFiles FilesIn(const QString& folder) {
    const QDir dir(folder);
    return {dir.filePath(QStringLiteral("header.xml")),
            dir.filePath(QStringLiteral("resources.xml")),
            dir.filePath(QStringLiteral("calendars.xml")),
            dir.filePath(QStringLiteral("workorders.xml"))};
}

std::optional<std::string> ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

// The main window: the control fills it, errors and load results show in the status bar.
class DemoWindow : public QMainWindow {
public:
    DemoWindow() {
        setWindowTitle(QStringLiteral("Tessaro schedule chart"));
        chart_ = new tessaro::TessaroWidget(this);
        setCentralWidget(chart_);
        connect(chart_, &tessaro::TessaroWidget::errorRaised, this,
                [this](int number, const QString& source, const QString& description) {
                    report(QStringLiteral("Error %1 (0x%2) in %3: %4")
                               .arg(number)
                               .arg(static_cast<uint32_t>(number), 8, 16, QLatin1Char('0'))
                               .arg(source, description));
                });

        connect(chart_, &tessaro::TessaroWidget::statusHint, this,
                [this](const QString& hint) { statusBar()->showMessage(hint, 6000); });

        QMenu* file = menuBar()->addMenu(tr("&File"));
        file->addAction(tr("&Open plant folder..."), this, [this] {
            const QString folder = QFileDialog::getExistingDirectory(this, tr("Plant folder"));
            if (!folder.isEmpty()) {
                load(FilesIn(folder));
            }
        });
        file->addSeparator();
        file->addAction(tr("Export chart as &PNG..."), this, [this] {
            const QString path = QFileDialog::getSaveFileName(this, tr("Export chart"), {},
                                                              tr("PNG images (*.png)"));
            if (!path.isEmpty()) {
                exportTo(path);
            }
        });
        file->addAction(tr("Export chart as P&DF..."), this, [this] {
            const QString path = QFileDialog::getSaveFileName(this, tr("Export chart"), {},
                                                              tr("PDF documents (*.pdf)"));
            if (!path.isEmpty()) {
                exportTo(path);
            }
        });
        file->addSeparator();
        file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

        tessaro::ScheduleChartView* view = chart_->chartView();
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
        connect(view, &tessaro::ScheduleChartView::conflictShown, this,
                [this](int row, int bar) { listConflicts(row, bar); });
        statusBar()->showMessage(tr("Ready"));
    }

    // Lists what the bar collides with, as a planning screen would once an overlap is shown: the
    // control fills its conflict list when the host asks.
    void listConflicts(int row, int bar) {
        auto r = static_cast<int16_t>(row);
        auto b = static_cast<int16_t>(bar);
        try {
            chart_->control().ConflictTimeBars(r, b);
        } catch (const tessaro::AutomationError& error) {
            report(tessaro::toQString(error.Description()));
        }
    }

    // Writes the whole chart, as PNG or PDF by the path's ending.
    bool exportTo(const QString& path) {
        const bool pdf = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
        const bool written = pdf ? chart_->exportChartPdf(path) : chart_->exportChartPng(path);
        report(written ? tr("Chart written to %1").arg(path) : tr("Cannot write %1").arg(path));
        return written;
    }

    // Copies the activity of the bar with that key and drags the copy hours later, onto the
    // resource's row when one is named: the planner's gestures, through the chart's entry points.
    bool moveActivity(const QString& key, int hours, const QString& resource) {
        tessaro::Tessaro_Ctrl& ctrl = chart_->control();
        tessaro::ScheduleChart& schedule = ctrl.ctResSched();
        const std::string wanted = key.toStdString();
        const int16_t row = schedule.FindTimeBarRow(wanted);
        const int16_t bar = row > 0 ? schedule.FindTimeBarInRow(wanted, row) : 0;
        if (bar == 0) {
            return false;
        }
        schedule.ClickBar(row, bar);
        schedule.RightClickBar(row, bar);
        ctrl.mnuSchedPopUp().Choose("miCopy");
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMenu*>(widget) != nullptr) {
                widget->close();
            }
        }
        const std::string temporaryKey = ctrl.TempBarKey();
        const int16_t tempRow = schedule.FindTimeBarRow(temporaryKey);
        const int16_t temp = tempRow > 0 ? schedule.FindTimeBarInRow(temporaryKey, tempRow) : 0;
        if (temp == 0) {
            return false;
        }
        int16_t target = tempRow;
        for (int16_t r = 1; r <= schedule.RowCount() && !resource.isEmpty(); ++r) {
            if (tessaro::toQString(schedule.RowColumnText(r, 1)) == resource) {
                target = r;
            }
        }
        const tessaro::ChartBar& copy = schedule.Bar(tempRow, temp);
        const tessaro::ChartTime start =
            tessaro::TimeAxis::timeOf(copy.Start.AbsoluteMinutes() + int64_t{hours} * 60);
        schedule.DragBar(tempRow, temp, target, start.Day, start.Minute);
        // The moved activity, clicked so that its details show.
        for (int16_t r = 1; r <= schedule.RowCount(); ++r) {
            for (int16_t b = 1; b <= schedule.TimeBarCount(r); ++b) {
                if (chart_->chartView()->changeOf(r, b) != nullptr) {
                    clickBar(r, b);
                    return true;
                }
            }
        }
        return false;
    }

    tessaro::TessaroWidget* chart() const { return chart_; }

    // Loads the payloads in order; stops at the first that cannot be read or is refused.
    bool load(const PlantFiles& files) {
        tessaro::Tessaro_Ctrl& ctrl = chart_->control();
        const struct {
            const QString& path;
            void (tessaro::Tessaro_Ctrl::*loader)(std::string_view);
        } steps[] = {
            {files.header, &tessaro::Tessaro_Ctrl::LoadScheduleTime},
            {files.resources, &tessaro::Tessaro_Ctrl::LoadResource},
            {files.calendars, &tessaro::Tessaro_Ctrl::LoadCalendarEvents},
            {files.workOrders, &tessaro::Tessaro_Ctrl::LoadResourceEvents},
        };
        for (const auto& step : steps) {
            const std::optional<std::string> text = ReadFile(step.path);
            if (!text) {
                report(tr("Cannot read %1").arg(step.path));
                return false;
            }
            try {
                (ctrl.*step.loader)(*text);
            } catch (const tessaro::AutomationError& error) {
                report(tr("%1 was refused: error %2 in %3: %4")
                           .arg(step.path)
                           .arg(error.Number())
                           .arg(tessaro::toQString(error.Source()),
                                tessaro::toQString(error.Description())));
                return false;
            }
        }
        const tessaro::ScheduleChart& schedule = ctrl.ctResSched();
        int bars = 0;
        for (int16_t row = 1; row <= schedule.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= schedule.TimeBarCount(row); ++bar) {
                bars +=
                    schedule.Bar(row, bar).Kind == tessaro::ScheduleChartView::kWorkOrderBarKind;
            }
        }
        statusBar()->showMessage(tr("Loaded %1 resources and %2 work-order activities")
                                     .arg(schedule.RowCount())
                                     .arg(bars));
        return true;
    }

    // Clicks, as the planner would, the earliest work-order bar of the first resource that has
    // one; false when the plant has none.
    bool clickFirstWorkOrderBar() {
        const tessaro::ScheduleChart& schedule = chart_->control().ctResSched();
        for (int16_t row = 1; row <= schedule.RowCount(); ++row) {
            int16_t first = 0;
            for (int16_t bar = 1; bar <= schedule.TimeBarCount(row); ++bar) {
                const tessaro::ChartBar& candidate = schedule.Bar(row, bar);
                if (candidate.Kind == tessaro::ScheduleChartView::kWorkOrderBarKind &&
                    (first == 0 || candidate.Start < schedule.Bar(row, first).Start)) {
                    first = bar;
                }
            }
            if (first != 0) {
                clickBar(row, first);
                return true;
            }
        }
        return false;
    }

private:
    void clickBar(int row, int bar) {
        tessaro::ScheduleChartView* view = chart_->chartView();
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

    void report(const QString& message) {
        statusBar()->showMessage(message);
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }

    tessaro::TessaroWidget* chart_;
};

// A screenshot needs no display: without one the platform is offscreen.
void ChooseOffscreenForScreenshots(int argc, char** argv) {
    bool screenshot = false;
    for (int i = 1; i < argc; ++i) {
        screenshot = screenshot || std::string_view(argv[i]) == "--screenshot";
    }
    for (int i = 1; i < argc; ++i) {
        screenshot = screenshot || std::string_view(argv[i]) == "--export";
    }
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (screenshot && !display && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    ChooseOffscreenForScreenshots(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaro-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The Tessaro schedule chart, loaded with a plant's payloads."));
    parser.addHelpOption();
    const QCommandLineOption samples(QStringLiteral("samples"),
                                     QStringLiteral("Folder with header.xml, resources.xml, "
                                                    "calendars.xml and workorders.xml."),
                                     QStringLiteral("DIR"), QStringLiteral(TESSARO_SAMPLES_DIR));
    const QCommandLineOption header(
        QStringLiteral("hdr"), QStringLiteral("Schedule header payload."), QStringLiteral("FILE"));
    const QCommandLineOption resources(QStringLiteral("res"), QStringLiteral("Resource payload."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption calendars(QStringLiteral("cal"), QStringLiteral("Calendar payload."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption workOrders(QStringLiteral("rev"),
                                        QStringLiteral("Work-order (resource events) payload."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Render the window after loading to FILE (PNG) and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption move(
        QStringLiteral("move"),
        QStringLiteral("Copy the activity of the bar with that key and drag the copy HOURS later "
                       "(onto RESOURCE's row when given)."),
        QStringLiteral("KEY,HOURS[,RESOURCE]"));
    const QCommandLineOption conflict(
        QStringLiteral("conflict"), QStringLiteral("Show the N-th overlap, as F8 pressed N times."),
        QStringLiteral("N"));
    const QCommandLineOption dark(QStringLiteral("dark"),
                                  QStringLiteral("Paint in a dark palette."));
    const QCommandLineOption now(QStringLiteral("now"),
                                 QStringLiteral("Draw the now line at that time."),
                                 QStringLiteral("YYYY-MM-DDTHH:MM"));
    const QCommandLineOption exportFile(
        QStringLiteral("export"),
        QStringLiteral("Write the whole chart to FILE (PNG, or PDF for a .pdf name) and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption selectFirst(
        QStringLiteral("select-first"),
        QStringLiteral("Click the first work-order bar after loading, so the detail frame and the "
                       "work-order grid are filled."));
    parser.addOptions({samples, header, resources, calendars, workOrders, selectFirst, move,
                       conflict, dark, now, exportFile, screenshot});
    parser.process(app);

    PlantFiles files = FilesIn(parser.value(samples));
    if (parser.isSet(header)) {
        files.header = parser.value(header);
    }
    if (parser.isSet(resources)) {
        files.resources = parser.value(resources);
    }
    if (parser.isSet(calendars)) {
        files.calendars = parser.value(calendars);
    }
    if (parser.isSet(workOrders)) {
        files.workOrders = parser.value(workOrders);
    }

    if (parser.isSet(dark)) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(45, 45, 48));
        palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
        palette.setColor(QPalette::Base, QColor(30, 30, 32));
        palette.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
        palette.setColor(QPalette::Text, QColor(230, 230, 230));
        palette.setColor(QPalette::Button, QColor(53, 53, 56));
        palette.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
        palette.setColor(QPalette::HighlightedText, QColor(Qt::white));
        palette.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
        palette.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
        QApplication::setPalette(palette);
    }

    DemoWindow window;
    const bool loaded = window.load(files);
    window.resize(window.sizeHint().expandedTo(QSize(1180, 720)));
    window.show();
    bool selected = true;
    if (loaded && parser.isSet(selectFirst)) {
        QApplication::processEvents();
        selected = window.clickFirstWorkOrderBar();
        if (!selected) {
            std::fprintf(stderr, "The plant has no work-order bar to select\n");
        }
    }
    if (loaded && parser.isSet(now)) {
        const QDateTime at = QDateTime::fromString(parser.value(now), Qt::ISODate);
        if (at.isValid()) {
            window.chart()->chartView()->setNowTime(tessaro::ChartTime{
                tessaro::DayNumber(at.date().year(), at.date().month(), at.date().day()),
                at.time().hour() * 60 + at.time().minute()});
        }
    }
    if (loaded && parser.isSet(move)) {
        QApplication::processEvents();
        const QStringList parts = parser.value(move).split(QLatin1Char(','));
        selected = selected && parts.size() >= 2 &&
                   window.moveActivity(parts[0], parts[1].toInt(), parts.value(2));
        if (!selected) {
            std::fprintf(stderr, "Cannot move %s\n", qPrintable(parser.value(move)));
        }
    }
    if (loaded && parser.isSet(conflict)) {
        QApplication::processEvents();
        for (int i = 0; i < parser.value(conflict).toInt(); ++i) {
            window.chart()->chartView()->showNextConflict(false);
        }
    }
    if (parser.isSet(exportFile)) {
        QApplication::processEvents();
        return loaded && window.exportTo(parser.value(exportFile)) ? EXIT_SUCCESS : kFailed;
    }

    if (parser.isSet(screenshot)) {
        QApplication::processEvents();
        const QString target = parser.value(screenshot);
        if (!window.grab().save(target)) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(target));
            return kFailed;
        }
        std::printf("%s\n", qPrintable(target));
        return loaded && selected ? EXIT_SUCCESS : kFailed;
    }
    return QApplication::exec();
}
