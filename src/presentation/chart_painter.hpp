#pragma once

// The schedule chart painted onto any QPainter: the rows with their bars, the time header and the
// resource list of one frame, on the screen or on a page of an export. A front end keeps the
// model, the layout and the caches and hands them over with what its gesture shows; the painter
// keeps nothing between frames but what the caches remember.

#include <cstdint>
#include <optional>
#include <vector>

#include <QColor>
#include <QRect>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/components/schedule_chart.hpp>
#include <tessaro/plan/plan_conflicts.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "bar_index.hpp"
#include "bar_marks.hpp"
#include "chart_geometry.hpp"
#include "chart_palette.hpp"
#include "frame_bars.hpp"
#include "label_cache.hpp"
#include "load_strips.hpp"

class QPainter;

namespace tessaro::qt_detail {

// A changed activity as the chart outlines it: where it was loaded and where its bars are now
// (row 0 when it has none on the chart).
struct ChangeOutline {
    int loadedRow = 0;
    int64_t loadedStart = 0;
    int64_t loadedEnd = 0;
    int currentRow = 0;
    int64_t currentStart = 0;
    int64_t currentEnd = 0;
};

// The bar a drag is moving and where its ghost is; which edge follows the mouse decides the
// caption beside it.
struct GhostBar {
    enum class Follows { Bar, Start, End };
    int row = 0;
    int bar = 0;
    int targetRow = 0;
    int64_t start = 0;
    int64_t end = 0;
    Follows follows = Follows::Bar;
};

// A line between two activities of the selected work order, from the end of one bar to the start
// of another; red-amber when the later one starts before the earlier one ends.
struct LinkLine {
    int fromRow = 0;
    int fromBar = 0;
    int toRow = 0;
    int toBar = 0;
    bool outOfOrder = false;
};

// Everything one frame is painted from. The references must outlive the paint.
struct ChartPaintInput {
    const ScheduleChart& chart;
    ChartGeometry geometry;
    const chart_palette::ChartColours& colours;
    // What the painter fills and reuses: the rows' bar index, the frame's bars, the labels and
    // the marks already drawn.
    ChartBarIndex& index;
    FrameBars& frameBars;
    LabelCache& labels;
    BarMarks& marks;
    const std::vector<ChangeOutline>& changes;
    // The screen's logical DPI over 96: the marks' sizes and the list's column cap grow with it.
    double dpiScale = 1;
    std::optional<ChartTime> now;
    // A drag in progress; the row it would drop on is shaded while the whole bar moves.
    std::optional<GhostBar> ghost;
    // The bar the Delete key acts on gets a dotted frame in this colour; row 0 for none.
    int markedRow = 0;
    int markedBar = 0;
    QColor markColour;
    // Overlapping work-order bars side by side in lanes of their row.
    bool subLanes = false;
    // Each resource's load over the time in sight beside its name; none without.
    LoadStrips* loadStrips = nullptr;
    // The plan's conflicts in row order: precedence conflicts and bars in calendar blocks get
    // marks of their own (overlaps keep their hatch).
    const std::vector<PlanConflict>* conflicts = nullptr;
    // The selected work order's activities in sequence.
    const std::vector<LinkLine>* links = nullptr;
};

// Paints the whole frame back to front; returns how many bars it painted.
int PaintChart(QPainter& painter, ChartPaintInput& input);

// The parts PaintChart paints, in its order. Painting the rows clips to the chart area.
void PaintTimeBackground(QPainter& painter, const ChartPaintInput& input);
// Calendar blocks first, under the grid lines; every other bar after them. Returns the count.
int PaintFrameBars(QPainter& painter, ChartPaintInput& input, bool calendarBlocks);
void PaintDropTarget(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow);
void PaintGridLines(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow);
void PaintChanges(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow);
void PaintConflictZones(QPainter& painter, ChartPaintInput& input, int firstRow, int lastRow);
void PaintNowLine(QPainter& painter, const ChartPaintInput& input);
// An amber edge and chevron at the start of a bar whose activity starts before the one before it
// ends; a dotted, striped band over the part of a bar in a calendar block.
void PaintConflictMarks(QPainter& painter, ChartPaintInput& input, int firstRow, int lastRow);
void PaintLinks(QPainter& painter, ChartPaintInput& input);
void PaintGhost(QPainter& painter, ChartPaintInput& input);
void PaintHeader(QPainter& painter, const ChartPaintInput& input);
void PaintResourceList(QPainter& painter, const ChartPaintInput& input, int firstRow, int lastRow);

// One bar in its rect: fill, outline, label and end marks; a ghost is see-through and dashed.
void PaintBar(QPainter& painter, ChartPaintInput& input, const QRect& rect, int16_t row,
              int16_t bar, const BarGlance& glance, bool ghost, bool conflicting);

// The day at the left edge of the chart area.
int32_t FirstVisibleDay(const ChartGeometry& geometry);
// An x from the geometry as a pixel column, far-off values clamped.
int RoundedX(double x);

}  // namespace tessaro::qt_detail
