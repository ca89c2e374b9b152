#pragma once

// What a TessaroChart keeps between events: the control it owns, the layout and caches it paints
// through, how far it is scrolled and the state of the planner's gesture.

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QPointF>
#include <QTimer>

#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "bar_drag.hpp"
#include "bar_index.hpp"
#include "bar_marks.hpp"
#include "chart_geometry.hpp"
#include "chart_layout.hpp"
#include "chart_painter.hpp"
#include "chart_palette.hpp"
#include "frame_bars.hpp"
#include "label_cache.hpp"
#include "tessaro_chart.hpp"

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
    int scrollX = 0;
    int scrollY = 0;
    std::optional<ChartTime> now;
    // As the control last announced it.
    QString selectedWorkOrder;
    std::vector<qt_detail::ChangeOutline> outlines;
    bool outlinesDirty = true;
    int paintedBars = 0;
    std::pair<int, int64_t> conflictCursor{0, 0};
    std::pair<int, int> lastClicked{0, 0};

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
