// A QML host of the installed package: imports Tessaro from the package's qml folder, creates the
// chart and loads the sample plant (the folder is the first argument).

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral(TESSARO_QML_DIR));
    QQmlComponent component(&engine);
    component.setData("import Tessaro\nTessaroChart { width: 800; height: 400 }", QUrl());
    const std::unique_ptr<QObject> chart(component.create());
    if (!chart) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    QString error;
    if (!QMetaObject::invokeMethod(chart.get(), "loadPlantFolder", Q_RETURN_ARG(QString, error),
                                   Q_ARG(QString, QString::fromLocal8Bit(argv[1])))) {
        return 1;
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return chart->property("pendingChanges").toInt() == 0 ? 0 : 1;
}
