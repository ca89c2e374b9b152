#pragma once

// The demo's main window: the control fills it; File opens a plant folder and saves the changes,
// Edit undoes and redoes, Schedule selects a work order and checks a bar's conflicts. Errors,
// load results and refused commands show in the status bar (and on stderr), the pending-change
// count beside them. Work that has started stays where it is unless the demo is told otherwise.

#include <functional>
#include <utility>

#include <QCoreApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QString>

#include "plant_files.hpp"

class QLabel;

namespace tessaro {
class TessaroWidget;
}

namespace tessaro::demo {

class DemoWindow : public QMainWindow {
    // The window has no meta-object of its own: its texts are the demo's.
    Q_DECLARE_TR_FUNCTIONS(Demo)

public:
    DemoWindow();

    TessaroWidget* chart() const { return chart_; }

    // Loads the payloads in order; stops at the first that cannot be read or is refused and
    // reports which.
    bool load(const PlantFiles& files);

    // Clicks, as the planner would, the earliest work-order bar of the first resource that has
    // one; false when the plant has none.
    bool clickFirstWorkOrderBar();

    // False (the default) installs the veto that keeps started work in place; true lifts it.
    void setStartedWorkMovable(bool movable);

    // Writes the change document and, once written, accepts the changes: the saved plan becomes
    // the loaded one and the undo history starts anew. False (reported, nothing accepted) when
    // the file cannot be written.
    bool saveChanges(const QString& path);

    // Lists the conflicts of the selected bar in the conflict list; reports when no bar is
    // selected or the bar has none.
    void checkConflictsOfSelectedBar();

    // Selects the work order's first sub-activity and brings it into sight; a blank number, and
    // one with no bar on the chart, is reported, not raised.
    void selectWorkOrder(const QString& workOrder);

    // Closing with pending changes asks whether to save them first (Save, Discard, Cancel); true
    // when the window may close. Tests answer in place of the planner: the answer, and the file
    // a Save writes.
    bool confirmClose();
    void setCloseQuestion(std::function<QMessageBox::StandardButton(int pending)> question,
                          const QString& savePath) {
        closeQuestion_ = std::move(question);
        closeSavePath_ = savePath;
    }


    // Shows the message in the status bar and writes it to stderr.
    void report(const QString& message);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    TessaroWidget* chart_;
    QLabel* pendingLabel_;
    std::function<QMessageBox::StandardButton(int)> closeQuestion_;
    QString closeSavePath_;
};

}  // namespace tessaro::demo
