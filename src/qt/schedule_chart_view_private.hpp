#pragma once

// What a ScheduleChartView keeps between events: its model, the index and layout it paints
// through, the caches of a frame and the state of the planner's gesture.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QPoint>
#include <QRect>

#include <tessaro/plan/working_time.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>

#include "bar_focus.hpp"
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
#include "plan_conflict_cache.hpp"
#include "precedence_links.hpp"

class QKeyEvent;
class QPainter;
class QTimer;

namespace tessaro {

struct TESSARO_QT_NO_EXPORT ScheduleChartView::Private {
    // The bar a gesture started on and where its ghost currently is.
    struct Gesture {
        QPoint pressPos;
        // Scroll position at the press: the chart may scroll under a drag.
        QPoint pressScroll;
        QPoint lastPos;
        int row = 0;
        int bar = 0;
        BarPart part = BarPart::None;
        int64_t start = 0;
        int64_t end = 0;
        int targetRow = 0;
        int64_t ghostStart = 0;
        int64_t ghostEnd = 0;
        // Calendar blocks and work-order bars can be clicked but not dragged: a work-order
        // activity moves through its copy.
        bool draggable = false;
        // The planner tried to drag a bar that stays put.
        bool refused = false;
        // Added to the row under the mouse: a drag of a companion drags the copy from its row.
        int rowShift = 0;
        // The temporary bars that travel with the dragged copy.
        std::vector<std::pair<int, int>> companions;
        // Shift holds the copy exactly where the mouse puts it instead of snapping it to working
        // time; the calendar blocks it snaps by are those of blocksRow.
        bool exact = false;
        int blocksRow = 0;
        MinuteSpans blocks;
    };

    // The last preview of a drop of the copy and the place it was asked for.
    struct Preview {
        int row = 0;
        int64_t start = 0;
        DropPreview answer;
        QString text;
    };

    struct BarRef {
        int row = 0;
        int bar = 0;
    };

    Private(ScheduleChartView& view, ScheduleChart& chart)
        : q(&view),
          chart_(chart),
          index_(std::make_unique<qt_detail::ChartBarIndex>(kWorkOrderBarKind)),
          colours_(std::make_unique<chart_palette::ChartColours>(
              chart_palette::ChartColours::from(view.palette()))),
          labels_(std::make_unique<qt_detail::LabelCache>()),
          marks_(std::make_unique<qt_detail::BarMarks>()),
          frameBars_(std::make_unique<qt_detail::FrameBars>()) {}

    // Model notifications.
    void onChartChanged(const ChartChange& change);
    // Fonts, row height, header, list columns, time axis and scroll ranges from the model.
    void relayout();
    void syncScrollBars(double keepMinuteAtLeft);
    double dpiScale() const;
    double wantedDayWidth() const;

    // Where rows, bars and times lie in the viewport, for painting and hit testing.
    qt_detail::ChartGeometry chartGeometry() const;
    QRect spanRect(int row, int64_t start, int64_t end, int32_t kind) const;
    // Where the bar is painted in the frame: its span, in its lane when lanes are on.
    QRect paintedBarRect(const qt_detail::ChartGeometry& geometry, int row, int bar) const;

    // One frame through the chart painter: the viewport's, or a page of an export, which shows
    // no gesture.
    void paintFrame(QPainter& painter, const qt_detail::ChartGeometry& geometry, bool exporting);
    // The drag in progress as the painter shows it; nothing while no bar follows the mouse.
    std::optional<qt_detail::GhostBar> ghost() const;
    // The bars a drop of the copy would newly overlap, and its tally under the ghost.
    void paintDropPreview(QPainter& painter);

    // Gestures.
    void beginGesture(const BarHit& hit, const QPoint& pos);
    void updateGesture(const QPoint& pos);
    void finishGesture();
    void cancelGesture();
    void updateHoverCursor(const QPoint& pos);
    // Near the chart area's edges a drag scrolls the chart on, one step per timer tick.
    void updateAutoScroll(const QPoint& pos);
    void autoScrollStep();
    void removeLastClickedBar();
    void refuseDrag(const QPoint& pos);
    // Moves the copy's ghost to the nearest working time of its row unless Shift holds it.
    void snapCopyToWorkingTime();
    bool draggingCopy() const;
    // Asks the source again when the copy's ghost stands somewhere new; clears it otherwise.
    void updateDropPreview();
    // Runs the model's handler of a gesture on the bar and, when it returned and the bar is a
    // work-order bar, reports the gesture with the bar's activity; false when the handler raised.
    template <typename Call>
    bool handleBarGesture(BarGesture gesture, int row, int bar, Call&& call);
    bool showHint(const QPoint& pos, const QPoint& globalPos);
    // Runs a call into the model; an error it raises goes out through errorRaised.
    template <typename Call>
    bool guarded(Call&& call);

    bool barExists(int row, int bar) const;
    // The list font and the widest text of every list column, from the model's rows.
    void remeasureRows();
    void measureRow(int row);
    // The changed activities as the source last gave them, asked again after a change of the
    // chart, with where each is now.
    const std::vector<ChangedActivity>& changes();
    // The same changes as the painter outlines them.
    const std::vector<qt_detail::ChangeOutline>& changeOutlines();
    // The source's conflicts of at least the rows from firstRow to lastRow, by row.
    const std::vector<PlanConflict>& planConflicts(int firstRow, int lastRow);
    // The lines of the last clicked bar's work order; none without a source or a clicked bar.
    const std::vector<qt_detail::LinkLine>& selectedLinks();
    // The layout of an export at that day width, and the view painting one frame through it.
    qt_detail::ChartLayout exportLayout(double dayWidth) const;
    int headerRowsFor(double dayWidth) const;
    void paintExportFrame(QPainter& painter, const qt_detail::ChartLayout& layout,
                          const qt_detail::ChartFrame& frame);

    // Picked activities, the rubber band and the companions of a copy
    // (schedule_chart_view_picks.cpp).
    bool isPicked(int row, int bar) const;
    void setPicks(std::vector<ActivityKey> picked);
    // Ctrl+click: false for a bar that carries no activity.
    bool togglePick(int row, int bar);
    // Ctrl held at the press adds the band's activities to the picks instead of replacing them.
    void beginBand(const QPoint& pos, bool adding);
    void updateBand(const QPoint& pos);
    void finishBand();
    // Taking hold of a temporary bar (with the mouse or the keys) takes the copy's companions
    // along; a companion held hands the drag to the copy, shifted to the companion's row.
    void takeCompanions(int heldRow, int heldBar);
    void paintPicks(QPainter& painter) const;
    void paintCompanionGhosts(QPainter& painter, qt_detail::ChartPaintInput& input) const;
    void paintHighlightedRow(QPainter& painter) const;

    // The keyboard model (chart_keyboard.cpp): the focused bar, the keys, and the copy's move
    // while keys hold it. handleKey returns false for a key it leaves to the view.
    struct Keyboard;
    qt_detail::BarFocus focusedBar() const;
    // Scrolls the bar into sight when `reveal` is set (a click leaves the chart where it is).
    void focusBar(ScheduleChartView& view, qt_detail::BarFocus focus, bool reveal);
    bool handleKey(ScheduleChartView& view, QKeyEvent& event);
    bool keysHoldMove() const;
    void paintFocusRing(const ScheduleChartView& view, QPainter& painter) const;

    ScheduleChartView* q;
    ScheduleChart& chart_;
    int subscription_ = 0;
    std::unique_ptr<qt_detail::ChartBarIndex> index_;
    qt_detail::ChartLayout layout_;
    QWidget* scrollSpacer_ = nullptr;
    // The palette's chart colours, taken again at every paint.
    std::unique_ptr<chart_palette::ChartColours> colours_;
    std::unique_ptr<qt_detail::LabelCache> labels_;
    std::unique_ptr<qt_detail::BarMarks> marks_;
    std::unique_ptr<qt_detail::FrameBars> frameBars_;
    std::optional<ChartTime> now_;
    // Where F8 goes on from.
    qt_detail::ConflictCursor conflictCursor_;
    std::function<std::vector<PlanConflict>(int firstRow, int lastRow)> conflictSource_;
    // The source's conflicts of the rows asked for last, as of the chart now: asked again after
    // a change or for rows outside them; by row.
    qt_detail::PlanConflictCache planConflicts_;
    std::function<std::vector<PrecedenceLine>(const std::string&)> precedenceSource_;
    // The lines of the work order asked for last.
    qt_detail::SelectedLinks links_;
    std::function<std::vector<ChangedActivity>()> changeSource_;
    std::vector<ChangedActivity> changes_;
    std::vector<qt_detail::ChangeOutline> changeOutlines_;
    // "work order$activity" to its entry in changes_.
    std::unordered_map<std::string, size_t> changeIndex_;
    bool changesDirty_ = true;

    DragState dragState_ = DragState::Idle;
    Gesture gesture_;
    BarRef lastClicked_;
    std::function<bool(int, int)> confirmRemoval_;
    QTimer* autoScroll_ = nullptr;
    QPoint autoScrollDirection_;
    int lastPaintedBarCount_ = 0;
    bool subLanes_ = true;
    bool loadStrips_ = true;
    std::unique_ptr<qt_detail::LoadStrips> loads_ = std::make_unique<qt_detail::LoadStrips>();
    std::function<DropPreview(int, PlanTime)> previewSource_;
    std::optional<Preview> preview_;
    qt_detail::ChartKeyboard keys_;
    std::vector<ActivityKey> picked_;
    std::function<std::vector<std::pair<int, int>>()> companionSource_;
    // The rubber band's corners while Shift+drag draws one, and whether it adds to the picks.
    std::optional<std::pair<QPoint, QPoint>> band_;
    bool bandAdds_ = false;
    int highlightedRow_ = 0;
};

}  // namespace tessaro
