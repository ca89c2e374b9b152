// GoogleTest drives real Qt Quick windows (and a widget to compare with): its main creates the
// QApplication, offscreen unless the environment names a platform, with the software scene
// graph so that a grabbed window holds what was painted.

#include <QApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
