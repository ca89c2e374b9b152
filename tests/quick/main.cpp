// GoogleTest drives real Qt Quick windows (and a widget to compare with): its main creates the
// QApplication, offscreen unless the environment names a platform, with the software scene
// graph so that a grabbed window holds what was painted.

#include <QApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <gtest/gtest.h>

// Qt 6.4's software scene graph keeps the textures of a popup it has shown until the process
// ends, and Qt's libraries have no frame pointers, so the leak checker sees only Qt's own frames
// for them: in this program, every leak whose stack runs through Qt's libraries is passed over.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6Quick.so\nleak:libQt6Gui.so\nleak:libQt6Core.so\n";
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
