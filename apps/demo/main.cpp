// tessaro-demo: the schedule-chart control in a main window, loaded with a plant's four payloads.
//
//   tessaro-demo [--samples DIR] [--hdr FILE] [--res FILE] [--cal FILE] [--rev FILE]
//                [--select-first] [--screenshot FILE]
//
// Without options it loads the sample plant. --select-first clicks the first work-order bar once
// the plant is loaded, so the detail frame and the work-order grid show its work order.
// --screenshot renders the window once the plant is loaded, writes it as an image and exits;
// without a display it runs offscreen.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

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

        QMenu* file = menuBar()->addMenu(tr("&File"));
        file->addAction(tr("&Open plant folder..."), this, [this] {
            const QString folder = QFileDialog::getExistingDirectory(this, tr("Plant folder"));
            if (!folder.isEmpty()) {
                load(FilesIn(folder));
            }
        });
        file->addSeparator();
        file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
        statusBar()->showMessage(tr("Ready"));
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
    const QCommandLineOption selectFirst(
        QStringLiteral("select-first"),
        QStringLiteral("Click the first work-order bar after loading, so the detail frame and the "
                       "work-order grid are filled."));
    parser.addOptions({samples, header, resources, calendars, workOrders, selectFirst, screenshot});
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
