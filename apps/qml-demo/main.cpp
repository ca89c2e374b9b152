// The Qt Quick demo host: the sample plant in the QML chart with a detail pane and Save.
//   tessaro-qml-demo [--plant FOLDER] [--screenshot FILE]
// --screenshot renders the window offscreen with the software scene graph, the first work order
// clicked and the mouse on a bar of the last row, saves it and exits.

#include <QCommandLineParser>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>
#include <QUrl>

#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>

#include "tessaro_chart.hpp"

namespace {

// Clicks the first work-order bar, so the detail pane shows what a planner sees and its work
// order's links are drawn.
void SelectFirstWorkOrder(tessaro::TessaroChart& chart) {
    tessaro::ScheduleChart& model = chart.control().ctResSched();
    for (int16_t row = 1; row <= model.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= model.TimeBarCount(row); ++bar) {
            if (model.TimeBarKind(row, bar) == tessaro::WorkOrderBarKind) {
                chart.clickBar(row, bar);
                return;
            }
        }
    }
}

// The mouse resting on the first work-order bar in sight on the last row, so the picture shows
// its tooltip too, clear of the clicked work order's links.
void HoverLastRow(QQuickWindow& window, tessaro::TessaroChart& chart) {
    tessaro::ScheduleChart& model = chart.control().ctResSched();
    const int16_t row = model.RowCount();
    for (int16_t bar = 1; bar <= model.TimeBarCount(row); ++bar) {
        const QRectF rect = chart.barRect(row, bar);
        if (model.TimeBarKind(row, bar) == tessaro::WorkOrderBarKind &&
            chart.chartArea().contains(rect.center())) {
            // The mouse enters the window, then moves onto the bar, as a real mouse comes.
            const QPointF at = chart.mapToScene(rect.center());
            QEnterEvent enter(at, at, window.mapToGlobal(at));
            QGuiApplication::sendEvent(&window, &enter);
            QMouseEvent move(QEvent::MouseMove, at, at, window.mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QGuiApplication::sendEvent(&window, &move);
            return;
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption plant(QStringLiteral("plant"),
                                   QStringLiteral("The folder of the plant's four XML files."),
                                   QStringLiteral("folder"), QStringLiteral(TESSARO_SAMPLES_DIR));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window to the file and exit."),
                                        QStringLiteral("file"));
    parser.addOption(plant);
    parser.addOption(screenshot);
    parser.process(app);

    const bool shooting = parser.isSet(screenshot);
    if (shooting) {
        // Offscreen there is no GPU: the software scene graph renders what grabWindow reads.
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(TESSARO_QML_DIR));
    engine.setInitialProperties({{QStringLiteral("plantFolder"), parser.value(plant)}});
    engine.load(QUrl(QStringLiteral("qrc:/TessaroDemo/Main.qml")));
    if (engine.rootObjects().isEmpty()) {
        return 1;
    }
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    if (window == nullptr) {
        return 1;
    }
    auto* chart = window->findChild<tessaro::TessaroChart*>(QStringLiteral("chart"));
    if (chart != nullptr) {
        SelectFirstWorkOrder(*chart);
    }
    if (!shooting) {
        return QGuiApplication::exec();
    }
    int status = 1;
    window->requestActivate();
    QTimer::singleShot(200, &app, [&] {
        if (chart != nullptr) {
            HoverLastRow(*window, *chart);
        }
    });
    // After the tooltip's delay.
    QTimer::singleShot(900, &app, [&] {
        const QImage image = window->grabWindow();
        status = !image.isNull() && image.save(parser.value(screenshot)) ? 0 : 1;
        QGuiApplication::quit();
    });
    QGuiApplication::exec();
    return status;
}
