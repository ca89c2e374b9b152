#pragma once

#include <memory>
#include <utility>

#include <QtQml/qqmlregistration.h>
#include <QDateTime>
#include <QQuickPaintedItem>
#include <QRectF>
#include <QString>
#include <QVariantList>

namespace tessaro {

class Tessaro_Ctrl;

// The production-schedule chart as a Qt Quick item: it owns a Tessaro_Ctrl and paints its chart
// (resource list with each resource's load, time header, calendar and work-order bars in lanes
// where they overlap, the copy, overlaps, precedence and non-working-time marks, the clicked work
// order's links, changed activities, the now line, the keyboard's focus ring) through the same
// painter as the widget. The planner's mouse, touch and keys reach the chart model's gesture
// entry points as the widget's do; a flick scrolls on and slows down; a right-click, a finger
// held on a bar or the menu key opens the control's pop-up menu as a Qt Quick Controls Menu.
//
// Errors a handler raises inside an event never reach the event loop: they leave through
// errorRaised. Like the control, the item lives on the GUI thread.
class TessaroChart : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int pendingChanges READ pendingChanges NOTIFY pendingChangesChanged)
    // The work order the control selected (SelectWorkOrderFirstSubActivity, the grid); a click
    // on a bar fills the details instead.
    Q_PROPERTY(QString selectedWorkOrder READ selectedWorkOrder NOTIFY selectedWorkOrderChanged)
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY canUndoChanged)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY canRedoChanged)
    // Where the now line is drawn; an invalid time (the default) draws none.
    Q_PROPERTY(QDateTime nowTime READ nowTime WRITE setNowTime NOTIFY nowTimeChanged)
    // The selected work order's fields as the detail frame shows them: a list of
    // {caption, text}, the activity's and the work order's times among them.
    Q_PROPERTY(QVariantList details READ details NOTIFY detailsChanged)
    // The painted width of a day, in pixels.
    Q_PROPERTY(double dayWidth READ dayWidth NOTIFY zoomChanged)
    // The height of a resource row, in pixels.
    Q_PROPERTY(int rowHeight READ rowHeight NOTIFY zoomChanged)
    // How far the rows are scrolled, in pixels of the whole chart (contentWidth x contentHeight)
    // of which chartArea shows a part: what a ScrollBar binds to.
    Q_PROPERTY(int contentX READ contentX WRITE setContentX NOTIFY scrolled)
    Q_PROPERTY(int contentY READ contentY WRITE setContentY NOTIFY scrolled)
    Q_PROPERTY(int contentWidth READ contentWidth NOTIFY contentSizeChanged)
    Q_PROPERTY(int contentHeight READ contentHeight NOTIFY contentSizeChanged)
    // Where the rows are painted in the item: right of the resource list, below the time header.
    Q_PROPERTY(QRectF chartArea READ chartArea NOTIFY contentSizeChanged)
    // A flick is still carrying the chart on after the finger or the mouse let go.
    Q_PROPERTY(bool flicking READ flicking NOTIFY flickingChanged)
    // Overlapping work-order bars side by side in lanes of their row (on by default).
    Q_PROPERTY(bool subLanes READ subLanes WRITE setSubLanes NOTIFY subLanesChanged)
    // Each resource's load over the time in sight beside its name (on by default).
    Q_PROPERTY(bool loadStrips READ loadStrips WRITE setLoadStrips NOTIFY loadStripsChanged)
    // The tooltip of the bar under the mouse, as the widget's chart says it, and where that bar
    // is painted; "" and an empty rect off the bars.
    Q_PROPERTY(QString hoverText READ hoverText NOTIFY hoverChanged)
    Q_PROPERTY(QRectF hoverRect READ hoverRect NOTIFY hoverChanged)

public:
    explicit TessaroChart(QQuickItem* parent = nullptr);
    ~TessaroChart() override;

    // The control, for a C++ host's calls of its public methods.
    Tessaro_Ctrl& control();

    int pendingChanges() const;
    QString selectedWorkOrder() const;
    bool canUndo() const;
    bool canRedo() const;
    QDateTime nowTime() const;
    QVariantList details() const;
    void setNowTime(const QDateTime& now);
    double dayWidth() const;
    int rowHeight() const;
    int contentX() const;
    void setContentX(int x);
    int contentY() const;
    void setContentY(int y);
    int contentWidth() const;
    int contentHeight() const;
    QRectF chartArea() const;
    bool flicking() const;
    bool subLanes() const;
    void setSubLanes(bool on);
    bool loadStrips() const;
    void setLoadStrips(bool on);
    QString hoverText() const;
    QRectF hoverRect() const;
    // The bar the keyboard's focus is on as (row, bar); (0, 0) for none.
    std::pair<int, int> focusedBar() const;
    // The bar a click, Space or F8 acted on last, whose work order's links are drawn.
    std::pair<int, int> lastClickedBar() const;

    // Loads the four payloads (XML texts); the error's description, or "" when all loaded.
    Q_INVOKABLE QString loadPlant(const QString& header, const QString& resources,
                                  const QString& calendars, const QString& workOrders);
    // The same from header.xml, resources.xml, calendars.xml and workorders.xml in the folder.
    Q_INVOKABLE QString loadPlantFolder(const QString& path);
    Q_INVOKABLE void undo();
    Q_INVOKABLE void redo();
    Q_INVOKABLE void acceptChanges();
    Q_INVOKABLE QString changesXml();
    // Writes changesXml to the file (a path or a file: URL); false when it cannot be written.
    Q_INVOKABLE bool saveChanges(const QString& file);
    // Brings the next overlap (Shift+F8: the one before) into sight and clicks its first bar.
    Q_INVOKABLE bool showNextConflict(bool backwards = false);
    // Multiplies the day width by factor, keeping the time under x in place.
    Q_INVOKABLE void zoomBy(double factor, double x);
    // Where the bar is painted (in its lane), in the item's coordinates; empty for one that does
    // not exist.
    Q_INVOKABLE QRectF barRect(int row, int bar) const;
    // What a click on the bar does: the model's click, the focus and the work order's links;
    // false for a bar that does not exist or a handler that raised.
    Q_INVOKABLE bool clickBar(int row, int bar);
    // Puts the keyboard's focus on the bar and brings it into sight; none for a bar that does
    // not exist.
    Q_INVOKABLE void setFocusedBar(int row, int bar);
    // The tooltip of the bar at (x, y) of the item; "" off the bars.
    Q_INVOKABLE QString toolTipAt(double x, double y) const;
    // The pop-up menu model's entry of that name was chosen (the menu calls it).
    Q_INVOKABLE void chooseMenuItem(const QString& menu, const QString& item);

    void paint(QPainter* painter) override;
    // Bars painted by the last frame: what virtualisation keeps small.
    int lastPaintedBarCount() const;

signals:
    void pendingChangesChanged();
    void selectedWorkOrderChanged();
    void canUndoChanged();
    void canRedoChanged();
    void nowTimeChanged();
    void detailsChanged();
    void zoomChanged();
    void scrolled();
    void contentSizeChanged();
    void flickingChanged();
    void subLanesChanged();
    void loadStripsChanged();
    void hoverChanged();
    // The keyboard's focus went to the bar; (0, 0) when it left the bars.
    void barFocusChanged(int row, int bar);
    // After the model handled the planner's click of a work-order bar.
    void barClicked(const QString& workOrder, int activity);
    // A handler of the control raised an error inside an event; the gesture was abandoned.
    void errorRaised(int number, const QString& source, const QString& description);
    // A short advice for the planner, e.g. why a bar did not follow the pointer.
    void statusHint(const QString& text);
    // The control showed one of its pop-up menus: its model name, caption and entries (each
    // {name, caption, enabled, separator}), to open at (x, y) of the item.
    void menuRequested(const QString& name, const QString& caption, const QVariantList& entries,
                       double x, double y);

protected:
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void touchEvent(QTouchEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public:
    struct Private;

private:
    std::unique_ptr<Private> d;
};

}  // namespace tessaro
