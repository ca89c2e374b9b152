#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/plan/plan_conflicts.hpp>
#include <tessaro/qt/export.hpp>
#include <tessaro/qt/time_axis.hpp>
#include <tessaro/rescheduling/plan_changes.hpp>

class QImage;
class QPagedPaintDevice;

namespace tessaro {

// The schedule chart as a Qt widget: the resource list on the left, the two-level time header on
// top, one row per resource with its bars. It paints its ScheduleChart model, repaints when the
// model reports a change and turns the planner's mouse and keyboard gestures into calls of the
// model's gesture entry points; the model raises the notifications and the control decides.
//
// Only the rows and bars on screen are touched while painting or hit testing, so charts of many
// thousand bars scroll as lightly as small ones. Every position below is in the coordinates of
// viewport(), where mouse events arrive.
class TESSARO_QT_EXPORT ScheduleChartView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // What a mouse gesture on the chart is doing.
    enum class DragState {
        Idle,         // nothing pressed
        Pressed,      // pressed on a bar, not yet moved beyond the drag distance
        MovingBar,    // the bar's ghost follows the mouse, across rows too
        MovingStart,  // the bar's start edge follows the mouse
        MovingEnd,    // the bar's end edge follows the mouse
    };
    Q_ENUM(DragState)

    // Which part of a bar lies under a point.
    enum class BarPart { None, Body, StartEdge, EndEdge };

    struct BarHit {
        int row = 0;
        int bar = 0;
        BarPart part = BarPart::None;

        explicit operator bool() const { return bar != 0; }
    };

    // What a planner's mouse did to a bar, as activityGesture reports it.
    enum class BarGesture { Click, DoubleClick, Hover, RightClick };

    // Kinds of bar the control gives a meaning of their own (the core's chart conventions).
    static constexpr int32_t kCalendarBarKind = CalendarBarKind;
    static constexpr int32_t kWorkOrderBarKind = WorkOrderBarKind;
    static constexpr int32_t kTemporaryBarKind = TemporaryBarKind;
    // Creation flags of the bar styles the control uses for a selected bar.
    static constexpr int32_t kSelectedStyleFlags = SelectedBarStyleFlags;
    // Within this many pixels of a bar's end the mouse takes the edge instead of the body.
    static constexpr int kEdgeGrip = 4;

    // The model must outlive the view.
    explicit ScheduleChartView(ScheduleChart& chart, QWidget* parent = nullptr);
    ~ScheduleChartView() override;

    ScheduleChart& chart() const;

    // ---- Geometry ----
    // Where the bar is painted (also when scrolled out of sight); empty for a bar that does not
    // exist. Work-order bars keep a margin inside their row, calendar bars fill it.
    QRect barRect(int row, int bar) const;
    // The point of the time on the vertical middle of the row.
    QPoint pointAt(int row, const ChartTime& time) const;
    // The row under the point, 0 above the first or below the last row.
    int rowAt(const QPoint& pos) const;
    // The time under the point's horizontal position, to the minute.
    ChartTime timeAt(const QPoint& pos) const;
    // The topmost bar under the point; calendar bars are found only where no other bar is.
    BarHit barAt(const QPoint& pos) const;
    // Overlapping work-order bars of a row side by side in lanes that share the row's height, so
    // that none hides another (on by default); off, they are painted over each other in one
    // lane. Painting, barRect() and barAt() follow it.
    void setSubLanes(bool on);
    bool subLanes() const;
    // A thin strip beside each resource's name: its booked minutes against its working minutes
    // over the time in sight, red past 100 % (on by default).
    void setLoadStrips(bool on);
    bool loadStrips() const;
    // Where the row's load strip is painted in the resource list; empty while strips are off.
    QRect loadStripRect(int row) const;
    // Where rows and bars are drawn: right of the list, below the time header.
    QRect chartArea() const;
    // The resource list, header included.
    QRect listArea() const;
    int rowHeight() const;
    int headerHeight() const;
    int listWidth() const;
    // Width of one day on screen: the model's TimeScale at the screen's logical DPI. A TimeScale
    // of 0 or below is painted as fitDayWidth(): the whole window in sight, never a blank header.
    double dayWidth() const;
    const TimeAxis& timeAxis() const;

    // ---- Zoom ----
    // The day width at which the whole planning window fills the chart area; at least 1 pixel,
    // so a window of more days than the area has pixels still scrolls.
    double fitDayWidth() const;
    // Sets the model's TimeScale so that the whole window is in sight and scrolls to its start.
    void fitToWindow();
    // Multiplies the day width by factor, keeping the time under viewport x `anchorX` in place;
    // the day width stays between fitDayWidth() and kMaximumTimeScale.
    void zoomBy(double factor, int anchorX);
    // False when the whole window is already in sight: zooming out would change nothing.
    bool canZoomOut() const;
    // The largest TimeScale zooming sets: a minute is then about fourteen pixels wide.
    static constexpr int kMaximumTimeScale = 20000;
    // The time the "now" line marks; nullopt (the default) shows none. A time outside the
    // window is kept and simply not in sight.
    void setNowTime(std::optional<ChartTime> now);
    std::optional<ChartTime> nowTime() const;

    // ---- Conflicts ----
    // True for a work-order bar that overlaps another work-order bar of its row (bars that only
    // touch do not); false for every other bar and for bars that do not exist.
    bool isConflicting(int row, int bar) const;
    // The spans (absolute minutes, half open) where work-order bars of the row overlap, merged
    // and in start order; empty for a row that does not exist.
    std::vector<std::pair<int64_t, int64_t>> conflictZones(int row) const;
    // Brings the next overlap (by row, then time) after the last one shown, or after the last
    // clicked bar, into sight and clicks its earliest bar, wrapping round at the end; false
    // when the chart has no overlap.
    bool showNextConflict(bool backwards = false);
    // Asked for the plan's conflicts of every kind (overlaps, precedence, non-working time)
    // whose row lies in [firstRow, lastRow], in row order, when the view next needs them after a
    // change of the chart; none by default. A frame asks for the rows in sight, showNextConflict
    // for every row. With a source, showNextConflict visits every kind in row and time order and
    // the view marks precedence conflicts and bars in calendar blocks.
    void setConflictSource(
        std::function<std::vector<PlanConflict>(int firstRow, int lastRow)> source);
    // A line from the end of one activity of a work order to the start of the next one in
    // schedule order: the bar of the earlier activity that ends last and the bar of the later one
    // that starts first.
    struct PrecedenceLine {
        int fromRow = 0;
        int fromBar = 0;
        int toRow = 0;
        int toBar = 0;
        // The later activity starts before the earlier one ends.
        bool outOfOrder = false;
    };
    // Asked for the lines between a work order's activities when the clicked bar's work order
    // changes or the chart does; none by default. The lines of the last clicked bar's work order
    // are painted in every row, amber and dashed where an activity starts too early.
    void setPrecedenceSource(
        std::function<std::vector<PrecedenceLine>(const std::string& workOrder)> source);

    // ---- Changes ----
    // A changed activity as the view outlines it: where it was loaded and what its bars' tooltip
    // adds (what will be saved).
    struct ChangedActivity {
        std::string workOrder;
        std::string activity;
        int loadedRow = 0;
        int64_t loadedStart = 0;
        int64_t loadedEnd = 0;
        QString summary;
        // Where the activity's bars are now (the row of its earliest bar); the view fills these
        // in when it asks the source, 0 when the activity has no bar on the chart, unless the
        // source says it placed the activity itself.
        int currentRow = 0;
        int64_t currentStart = 0;
        int64_t currentEnd = 0;
        bool placed = false;
    };
    // Asked for the changed activities whenever the chart has changed; none by default.
    void setChangeSource(std::function<std::vector<ChangedActivity>()> source);
    // The changed activity a work-order bar belongs to; nullptr for an unchanged one.
    const ChangedActivity* changeOf(int row, int bar) const;

    // ---- Export ----
    // Every row over the whole window, with the time header and the resource list, at the
    // current zoom unless the image would grow wider than maxWidth pixels (the days then get
    // narrower, at least a pixel each). A null image when the chart is too tall for one image.
    QImage renderWholeChart(int maxWidth = 16000);
    // The whole chart as a PNG image; false when it cannot be written.
    bool exportPng(const QString& path);
    // The whole chart as a PDF, landscape A3 pages: the whole window across each page, as many
    // rows as fit down it, the header and resource list repeated on every page.
    bool exportPdf(const QString& path);
    // What exportPdf draws, on any paged device; returns the number of pages.
    int printChart(QPagedPaintDevice& device);

    // The planner-language description of a bar (work order, customer, item, resource, times)
    // for tooltips; the model's HintText for bars that carry no work-order record.
    QString describeBar(int row, int bar) const;

    // ---- Scrolling ----
    // Puts the day at the left edge of the chart area (as far as the scroll range allows).
    void scrollToDay(int32_t day);
    // Scrolls vertically only as far as needed to show the whole row.
    void scrollToRow(int row);
    // Scrolls the bar into sight; what the view does when the model asks to show a bar.
    void scrollToBar(int row, int bar);
    // The day at the left edge of the chart area.
    int32_t firstVisibleDay() const;

    // ---- Gestures ----
    DragState dragState() const;
    // The bar the Delete key acts on: the last one clicked; {0, 0} when there is none.
    std::pair<int, int> lastClickedBar() const;
    // The bar the keyboard acts on, drawn with a focus ring while the chart has focus: the arrows
    // walk the work-order bars, Space clicks it, Enter double-clicks it, Shift+F10 opens its menu;
    // on the copy's temporary bar the arrows move the copy and Enter drops it. Kept by the bar's
    // identity; when it goes, the work-order bar nearest to where it was takes the focus.
    // {0, 0} before the first arrow key.
    std::pair<int, int> focusedBar() const;
    // Focuses the bar and brings it into sight; {0, 0} (or a bar that does not exist) clears it.
    void setFocusedBar(int row, int bar);

    // Asked what dropping the copy with its start at that time on that row would do, once each
    // time the copy's ghost (mouse or keys) moves to another place; none by default. While a drag
    // of the copy runs, the copy snaps to the nearest working time of the row under it unless
    // Shift is held.
    void setDropPreviewSource(std::function<DropPreview(int row, PlanTime start)> source);
    // The tally the copy's ghost carries, one line a fact (the host's refusal first); empty when
    // no copy is dragged or no source is set.
    QString dropPreviewText() const;

    // Asks whether a bar may be removed; the answer reaches RequestBarRemoval as `confirmed`. By
    // default a question box asks the planner.
    void setRemovalConfirmation(std::function<bool(int row, int bar)> confirm);

    // ---- Picked activities ----
    // The activities the planner picked together: Ctrl+click on a work-order bar adds or drops
    // its activity, a rubber band (Shift+drag on empty chart area) picks every work-order bar it
    // touches, a plain click clears them. Their bars are outlined. Setting them changes nothing
    // else; pickedActivitiesChanged follows every change.
    std::vector<ActivityKey> pickedActivities() const;
    void setPickedActivities(std::vector<ActivityKey> picked);
    // The temporary bars that travel with the copy (as (row, bar)), asked when a drag of a
    // temporary bar starts: their ghosts follow the copy's, and a drag of one of them drags the
    // copy by the same offsets. None by default.
    void setCompanionSource(std::function<std::vector<std::pair<int, int>>()> source);

    // The row a search found, tinted across the resource list and the chart; 0 (the default)
    // for none. Setting it does not scroll.
    void setHighlightedRow(int row);
    int highlightedRow() const;

    // Bars painted by the last paint: what virtualisation keeps small.
    int lastPaintedBarCount() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A notification handler raised an error during a gesture; the gesture was abandoned.
    void errorRaised(int number, const QString& source, const QString& description);
    // A short advice for the planner, e.g. why a bar did not follow the mouse.
    void statusHint(const QString& text);
    // The painted width of a day changed.
    void zoomChanged();
    // showNextConflict brought an overlap into sight and clicked this bar of it.
    void conflictShown(int row, int bar);
    // After the model handled a click, double-click, hover (the tooltip) or right-click of a
    // work-order bar: the bar's work order and activity (its schedule number), read before the
    // model's handlers could rebuild the row.
    void activityGesture(tessaro::ScheduleChartView::BarGesture gesture, const QString& workOrder,
                         int activity);
    // The keyboard's focus moved to this bar; {0, 0} when it was cleared.
    void barFocusChanged(int row, int bar);
    // The picked activities changed (a gesture or setPickedActivities).
    void pickedActivitiesChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace tessaro
