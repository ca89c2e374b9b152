// tessaro-demo: the schedule-chart control in a main window, loaded with a plant's four payloads,
// as a host embeds it: it opens plants, saves the planner's changes, undoes and redoes, and can
// replay a planner's gestures from a script. `tessaro-demo --help` lists the options.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QLocale>
#include <QStringList>

#include <tessaro/qt/tessaro_widget.hpp>

#include "demo_language.hpp"
#include "demo_options.hpp"
#include "demo_window.hpp"
#include "gesture_script.hpp"
#include "plant_files.hpp"
#include "view_commands.hpp"

namespace {

using tessaro::demo::DemoOptions;

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

tessaro::demo::PlantFiles FilesOf(const DemoOptions& options) {
    tessaro::demo::PlantFiles files = tessaro::demo::FilesIn(FromUtf8(options.samples));
    const std::pair<const std::optional<std::string>&, QString&> overrides[] = {
        {options.header, files.header},
        {options.resources, files.resources},
        {options.calendars, files.calendars},
        {options.workOrders, files.workOrders},
    };
    for (const auto& [given, path] : overrides) {
        if (given) {
            path = FromUtf8(*given);
        }
    }
    return files;
}

// A run that ends by itself (script or screenshot) needs no display: without one it is offscreen.
void ChooseOffscreenForUnattendedRuns(const DemoOptions& options) {
    const bool unattended = options.script || options.screenshot || options.exportFile;
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (unattended && !display && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
}

// The script is read whole before the window opens, so a wrong line fails without a display.
std::optional<tessaro::demo::ParsedScript> ReadScript(const std::string& path) {
    const std::optional<std::string> text = tessaro::demo::ReadWholeFile(FromUtf8(path));
    if (!text) {
        std::fprintf(stderr, "tessaro-demo: cannot read the script %s\n", path.c_str());
        return std::nullopt;
    }
    tessaro::demo::ParsedScript script = tessaro::demo::ParseGestureScript(*text);
    if (!script.error.empty()) {
        std::fprintf(stderr, "tessaro-demo: %s: %s\n", path.c_str(), script.error.c_str());
        return std::nullopt;
    }
    return script;
}

// Runs the window with the options; returns the exit code.
int RunDemo(const DemoOptions& options, const tessaro::demo::ParsedScript& script) {
    if (options.dark) {
        tessaro::demo::UseDarkPalette();
    }
    tessaro::demo::DemoWindow window;
    window.setStartedWorkMovable(options.allowStarted);
    const bool loaded = window.load(FilesOf(options));
    window.resize(window.sizeHint().expandedTo(QSize(1180, 720)));
    window.show();
    QApplication::processEvents();

    int code = loaded ? EXIT_SUCCESS : tessaro::demo::kExitLoadOrWriteFailed;
    bool finished = !loaded && (options.script || options.screenshot || options.exportFile);
    if (loaded && options.selectFirst && !window.clickFirstWorkOrderBar()) {
        window.report(
            QCoreApplication::translate("Demo", "The plant has no work-order bar to select"));
        code = tessaro::demo::kExitLoadOrWriteFailed;
    }
    if (loaded && options.script) {
        const tessaro::demo::ScriptOutcome outcome =
            tessaro::demo::RunGestureScript(script.gestures, *window.chart());
        QApplication::processEvents();
        if (!outcome.error.empty()) {
            window.report(FromUtf8(*options.script + ": " + outcome.error));
            code = tessaro::demo::kExitScriptFailed;
            finished = true;
        }
        finished = finished || outcome.quitRequested;
    }
    if (loaded && options.now &&
        !tessaro::demo::SetNowLine(*window.chart(), FromUtf8(*options.now))) {
        window.report(QCoreApplication::translate("Demo", "Cannot read the time %1")
                          .arg(FromUtf8(*options.now)));
    }
    if (loaded && options.move) {
        QApplication::processEvents();
        const QStringList parts = FromUtf8(*options.move).split(QLatin1Char(','));
        if (parts.size() < 2 || !tessaro::demo::MoveActivity(*window.chart(), parts[0],
                                                             parts[1].toInt(), parts.value(2))) {
            window.report(
                QCoreApplication::translate("Demo", "Cannot move %1").arg(FromUtf8(*options.move)));
            code = tessaro::demo::kExitLoadOrWriteFailed;
        }
    }
    if (loaded && options.dragPreview) {
        QApplication::processEvents();
        const QStringList parts = FromUtf8(*options.dragPreview).split(QLatin1Char(','));
        if (parts.size() < 2 || !tessaro::demo::HoldCopyDrag(*window.chart(), parts[0],
                                                             parts[1].toInt(), parts.value(2))) {
            window.report(QCoreApplication::translate("Demo", "Cannot drag %1")
                              .arg(FromUtf8(*options.dragPreview)));
            code = tessaro::demo::kExitLoadOrWriteFailed;
        }
    }
    if (loaded && options.conflict) {
        QApplication::processEvents();
        for (int i = 0; i < FromUtf8(*options.conflict).toInt(); ++i) {
            window.chart()->chartView()->showNextConflict(false);
        }
    }
    if (options.exportFile && loaded) {
        QApplication::processEvents();
        const QString target = FromUtf8(*options.exportFile);
        if (!tessaro::demo::ExportChart(*window.chart(), target)) {
            window.report(QCoreApplication::translate("Demo", "Cannot write %1").arg(target));
            code = tessaro::demo::kExitLoadOrWriteFailed;
        }
        finished = true;
    }
    if (options.screenshot && loaded) {
        const QString target = FromUtf8(*options.screenshot);
        if (window.grab().save(target)) {
            std::printf("%s\n", qPrintable(target));
        } else {
            window.report(QCoreApplication::translate("Demo", "Cannot write %1").arg(target));
            code = tessaro::demo::kExitLoadOrWriteFailed;
        }
        finished = true;
    }
    if (!finished) {
        code = QApplication::exec();
    }
    if (options.save && !window.saveChanges(FromUtf8(*options.save)) && code == EXIT_SUCCESS) {
        code = tessaro::demo::kExitLoadOrWriteFailed;
    }
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const tessaro::demo::ParsedCommandLine command =
        tessaro::demo::ParseCommandLine(args, TESSARO_SAMPLES_DIR);
    if (command.helpRequested) {
        std::fputs(tessaro::demo::HelpText().c_str(), stdout);
        return EXIT_SUCCESS;
    }
    if (!command.options) {
        std::fprintf(stderr, "tessaro-demo: %s (try --help)\n", command.error.c_str());
        return tessaro::demo::kExitBadCommandLine;
    }
    const DemoOptions& options = *command.options;
    tessaro::demo::ParsedScript script;
    if (options.script) {
        std::optional<tessaro::demo::ParsedScript> read = ReadScript(*options.script);
        if (!read) {
            return tessaro::demo::kExitScriptFailed;
        }
        script = std::move(*read);
    }

    ChooseOffscreenForUnattendedRuns(options);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaro-demo"));
    if (!tessaro::demo::UseLanguage(options.language)) {
        std::fprintf(stderr, "tessaro-demo: no translation for %s, the demo speaks English\n",
                     qPrintable(QLocale().name()));
    }
    return RunDemo(options, script);
}
