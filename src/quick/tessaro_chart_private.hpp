#pragma once

// What a TessaroChart keeps between events: the control it owns, the layout and caches it paints
// through, how far it is scrolled and the state of the planner's gesture.

#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QElapsedTimer>
#include <QPointF>
#include <QRectF>
#include <QTimer>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "bar_drag.hpp"
#include "bar_focus.hpp"
#include "bar_hit.hpp"
#include "bar_index.hpp"
#include "bar_marks.hpp"
#include "chart_geometry.hpp"
#include "chart_keys.hpp"
#include "chart_layout.hpp"
#include "chart_painter.hpp"
#include "chart_palette.hpp"
#include "conflict_navigation.hpp"
#include "frame_bars.hpp"
#include "label_cache.hpp"
#include "load_strips.hpp"
#include "plan_conflict_cache.hpp"
#include "precedence_links.hpp"
#include "tessaro_chart.hpp"

class QKeyEvent;

namespace tessaro {

struct TessaroChart::Private {
    enum class State {
        Idle,     // nothing pressed
        Pressed,  // pressed on a bar, not yet moved beyond the drag distance
        Moving,   // the bar's ghost follows the pointer
        Panning,  // a finger (or the mouse off the bars) scrolls the chart
        Held,     // a finger held still opened the menu; the rest of the touch is ignored
    };

    explicit Private(TessaroChart& item);
    ~Private();

    qt_detail::ChartGeometry geometry() const;
    double dpiScale() const;
    void relayout();
    void clampScroll();
    void scrollTo(int x, int y);
    // The rows and the start of the bar in sight, a little of what comes before it too.
    void revealBar(int row, int bar);
    void notifyContentSize();
    // Where the bar is painted, in its lane; the bar must exist.
    QRect paintedBarRect(int row, int bar) const;
    qt_detail::BarUnderPoint barAt(const QPointF& pos, int grip) const;
    bool barExists(int row, int bar) const;

    // What the frame marks beyond the bars, found once per change of the chart.
    // The conflicts of the rows first..last, in row order, and the rows the answer covers: the
    // plan's every conflict for now, whatever rows are asked for.
    qt_detail::ConflictsOfRows conflictsOfRows(int firstRow, int lastRow) const;
    const std::vector<PlanConflict>& conflictsInSight();
    const std::vector<PlanConflict>& allConflicts();
    const std::vector<qt_detail::LinkLine>& selectedLinks();
    void onChartChanged(const ChartChange& change);
    void subscribeMenu(PopupMenu& menu);
    void showMenu(PopupMenu& menu);
    // The detail frame's text boxes, captioned, in the order shown.
    std::vector<std::pair<QString, TextBox*>> detailBoxes() const;

    // Pointer gestures, shared by mouse and finger.
    void press(const QPointF& pos, Qt::MouseButton button, bool finger);
    void move(const QPointF& pos);
    void release(const QPointF& pos, Qt::MouseButton button);
    void doubleClick(const QPointF& pos);
    void cancel();
    void holdElapsed();
    void rightClick(int row, int bar, const QPointF& pos);
    // The model's click of the bar, reported as barClicked; false when a handler raised.
    bool click(int row, int bar);

    // A flick: the pointer's recent path while it pans, and the speed the chart keeps after the
    // release, slowed down at every step of the timer.
    void notePan(const QPointF& pos);
    void startFlick(const QPointF& releasePos);
    void flickStep();
    void stopFlick();

    // The bar under the mouse and its tooltip.
    void hoverAt(const QPointF& pos);
    void clearHover();

    // The keyboard (the widget's keys, through the shared decoding).
    bool handleKey(const QKeyEvent& event);
    qt_detail::BarFocus focusedBar() const;
    void focusBar(qt_detail::BarFocus focus, bool reveal);
    bool holdingCopyByKeys() const;
    void moveCopyByKeys(qt_detail::BarFocus copy, int64_t minutes, int rows);
    void dropCopyByKeys();
    void endCopyByKeys(qt_detail::BarFocus copy);
    void openMenuAt(qt_detail::BarFocus at);
    // Runs a call into the model; an error it raises goes out through errorRaised.
    template <typename Call>
    bool guarded(Call&& call);

    TessaroChart* q;
    std::unique_ptr<Tessaro_Ctrl> control;
    ScheduleChart& chart;
    qt_detail::ChartLayout layout;
    std::unique_ptr<qt_detail::ChartBarIndex> index;
    std::unique_ptr<chart_palette::ChartColours> colours;
    std::unique_ptr<qt_detail::LabelCache> labels;
    std::unique_ptr<qt_detail::BarMarks> marks;
    std::unique_ptr<qt_detail::FrameBars> frameBars;
    std::unique_ptr<qt_detail::LoadStrips> loads;
    bool subLanes = true;
    bool loadStrips = true;
    qt_detail::PlanConflictCache planConflicts;
    qt_detail::SelectedLinks links;
    int lastContentWidth = -1;
    int lastContentHeight = -1;
    QRect lastChartArea;
    int scrollX = 0;
    int scrollY = 0;
    std::optional<ChartTime> now;
    // As the control last announced it.
    QString selectedWorkOrder;
    std::vector<qt_detail::ChangeOutline> outlines;
    bool outlinesDirty = true;
    int paintedBars = 0;
    qt_detail::ConflictCursor conflictCursor;
    std::pair<int, int> lastClicked{0, 0};
    qt_detail::ChartKeyboard keys;
    std::pair<int, int> hovered{0, 0};
    QString hoverText;
    QRectF hoverRect;

    State state = State::Idle;
    bool finger = false;
    bool refused = false;
    bool draggable = false;
    QPointF pressPos;
    QPointF menuPos;
    QPoint pressScroll;
    qt_detail::BarDrag drag;
    QTimer holdTimer;
    // Two fingers: the distance between them at the last step of the pinch.
    double pinchDistance = 0;
    // Where the pointer was while panning, with the time, over the last moments.
    std::deque<std::pair<QPointF, qint64>> panPath;
    QElapsedTimer clock;
    QTimer flickTimer;
    // Pixels a second the scroll position moves, and the part of a pixel not yet scrolled.
    QPointF flickVelocity;
    QPointF flickCarry;
    qint64 flickTick = 0;

    int chartSubscription = 0;
    int pendingSubscription = 0;
    int selectionSubscription = 0;
    int undoSubscription = 0;
    int redoSubscription = 0;
    std::vector<std::pair<PopupMenu*, int>> menuSubscriptions;
    std::vector<std::pair<TextBox*, int>> detailSubscriptions;
    QObject* menu = nullptr;
};

}  // namespace tessaro
