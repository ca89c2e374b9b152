#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <QList>
#include <QString>
#include <QWidget>

#include <tessaro/control/design_surface.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/qt/export.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/surface_part.hpp>

class QAction;
class QMenu;
class QToolButton;

namespace tessaro {

class ListGridView;

namespace qt_detail {
class LegendStrip;
class ListBoxView;
class MenuPresenter;
}  // namespace qt_detail

// The production-schedule chart control as a Qt widget. It owns a Tessaro_Ctrl and shows its
// whole design-time surface: toolbar, title, conflict list, combo box, schedule chart, work-order
// grid, detail frame with its text boxes and the colour legend, placed from the surface's twips at
// the screen's logical DPI. The chart and the grid stretch with the widget's width; extra height
// goes to the chart. The chart's height follows the chart model's Height, so the toolbar's grid
// buttons show at once.
//
// The widget holds no scheduling logic: its parts paint the models and call their entry points;
// the control reacts. When the control calls Show on one of its pop-up menus the widget pops it
// up at the cursor. An error a handler raises inside a widget event never reaches the host's event
// loop: it is caught there and reported through errorRaised.
//
// Hosts hear what happens through the signals below and put undoAction and redoAction in their
// own menus and toolbars; Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y work while the chart has focus.
//
// Threads: like every QWidget, the widget and its parts live on the GUI thread, and so does the
// control it owns: call control() and its methods from that thread only (Debug builds stop with
// an assertion otherwise).
class TESSARO_QT_EXPORT TessaroWidget : public QWidget {
    Q_OBJECT

public:
    // Creating the control may raise its creation error (an AutomationError).
    explicit TessaroWidget(QWidget* parent = nullptr);
    ~TessaroWidget() override;

    // The control, for the host's calls of its public methods.
    Tessaro_Ctrl& control();
    const Tessaro_Ctrl& control() const;

    ScheduleChartView* chartView() const;
    ListGridView* gridView() const;
    // The toolbar button at the 1-based position; nullptr when there is none.
    QToolButton* toolButton(int position) const;
    // The widget showing the surface element of that name; nullptr for hidden elements (the
    // hidden conflict list, the text stores) and unknown names.
    QWidget* surfaceWidget(const QString& name) const;
    // The Qt menu of the pop-up menu model of that name ("mnuSchedPopUp", "mnuDrag"); nullptr
    // until the control first shows it.
    QMenu* popupMenu(const QString& name) const;

    // Shows or hides a part of the surface; the chart takes the height hidden parts below it
    // leave, and the size hint shrinks by it. Every part shows by default.
    void setSurfacePartVisible(SurfacePart part, bool visible);
    bool isSurfacePartVisible(SurfacePart part) const;

    // The host's own entries in the chart's pop-up menu of a work-order bar ("mnuSchedPopUp"),
    // below the control's entries after a separator, in the order added. The host keeps owning
    // the action and hears its trigger; contextActivity() names the bar's activity then. Adding
    // an action twice adds it once; a deleted action leaves the menu by itself.
    void addContextMenuAction(QAction* action);
    void removeContextMenuAction(QAction* action);
    // The activity of the work-order bar the pop-up menu was last opened on; a blank work order
    // before the first.
    ActivityKey contextActivity() const;
    // Asked, with the number of pending changes, before the planner's Refresh from the pop-up
    // menu discards them; true lets it go on. By default a question box asks the planner. A
    // host's own miRefresh_Click is never asked about.
    void setRefreshConfirmation(std::function<bool(int pending)> confirm);

    // Undo and redo of the planner's last command, enabled exactly when the control can take it
    // back or do it again. Their shortcuts (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y) reach them only
    // while the chart or a child of it has focus, also when a host adds them to its menus.
    QAction* undoAction() const;
    QAction* redoAction() const;

    // The plan's conflicts beside the chart, one a line, sortable; a double click brings the bar
    // into sight and clicks it. Shown with SurfacePart::ConflictList; never null.
    QWidget* conflictPanel() const;

    // The legend of every colour and mark on the chart, below the status legend; never null.
    QWidget* legendDetails() const;

    // The whole chart (every row, the whole window, header and resource list) as a PNG image or
    // a PDF document; false when the file cannot be written or the chart is too tall for one
    // image (PDF pages take any number of rows).
    bool exportChartPng(const QString& path);
    bool exportChartPdf(const QString& path);

    // The surface's design size at the current DPI, with the legend's lines below it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A handler of the control raised an AutomationError inside a widget event.
    void errorRaised(int number, const QString& source, const QString& description);
    // After every change of the pending records (a move, Pack, undo, redo, Ignore, Refresh, a
    // load), also when the count stays the same; the count of activities with a change record.
    void changesChanged(int pendingCount);
    // When the selected work order changes; empty when none is selected any more.
    void selectionChanged(const QString& workOrder);
    // When CanUndo or CanRedo changes; never repeated with the same value.
    void undoAvailableChanged(bool available);
    void redoAvailableChanged(bool available);
    // A short advice for the planner (why a bar did not move, ...), for a status bar.
    void statusHint(const QString& text);
    // After the model handled the planner's click, double-click, hover (the bar's tooltip) or
    // right-click of a work-order bar: its work order and activity (schedule number). The
    // pop-up menu of a right-click is open by then.
    void barClicked(const QString& workOrder, int activity);
    void barDoubleClicked(const QString& workOrder, int activity);
    void barHovered(const QString& workOrder, int activity);
    void contextMenuRequested(const QString& workOrder, int activity);
    // The host's veto refused a planner's command, which changed nothing; the reason is also
    // shown at the cursor over the chart and sent as a statusHint.
    void changeRefused(const QString& reason);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace tessaro
