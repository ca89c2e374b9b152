// The chart painter needs no widget: a front end that is not Qt Widgets hands it a model, a
// layout and a QPainter on any device and gets the chart the widget shows.

#include "chart_painter.hpp"

#include <functional>
#include <optional>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

#include <tessaro/runtime/calendar.hpp>

#include "qt/widget_test_support.hpp"

namespace tessaro::qt_detail {
namespace {

using testing::Rgb;

// Two resources over January 2002 at 240 pixels a day; one red bar on row 1, Monday 7 January
// 08:00-12:00, painted into an image with the Monday at the chart's left edge.
class ChartPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        monday = DayNumber(2002, 1, 7);
        chart.SetRangeStartDay(DayNumber(2002, 1, 1));
        chart.SetRangeEndDay(DayNumber(2002, 1, 31));
        chart.AddRow("R1;Lathe");
        chart.AddRow("R2;Mill");
        chart.AddTimeBar(1, 480, 720, monday, monday, "WO1");
        chart.SetTimeBarColour(1, 1, Rgb(200, 30, 30));
        layout.axis = TimeAxis(chart.RangeStartDay(), chart.RangeEndDay(), 240);
    }

    // Paints one frame; the bar painted in the middle of (row, 08:00 to 12:00 on the Monday).
    QImage paint(std::optional<GhostBar> ghost = std::nullopt) {
        QImage image(700, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        const int scrollX = static_cast<int>(layout.axis.x(int64_t{monday} * 1440));
        ChartPaintInput input{.chart = chart,
                              .geometry = {layout, image.size(), scrollX, 0, chart.RowCount()},
                              .colours = colours,
                              .index = index,
                              .frameBars = frameBars,
                              .labels = labels,
                              .marks = marks,
                              .changes = changes,
                              .dpiScale = 1,
                              .now = std::nullopt,
                              .ghost = ghost,
                              .markedRow = 0,
                              .markedBar = 0,
                              .markColour = Qt::black};
        painted = PaintChart(painter, input);
        centreOf = [this, input](int row) {
            return input.geometry
                .spanRect(row, int64_t{monday} * 1440 + 480, int64_t{monday} * 1440 + 720, false)
                .center();
        };
        return image;
    }

    int32_t monday = 0;
    ScheduleChart chart;
    ChartLayout layout;
    chart_palette::ChartColours colours = chart_palette::ChartColours::from(QPalette(Qt::white));
    ChartBarIndex index{WorkOrderBarKind};
    FrameBars frameBars;
    LabelCache labels;
    BarMarks marks;
    std::vector<ChangeOutline> changes;
    int painted = 0;
    std::function<QPoint(int)> centreOf;
};

TEST_F(ChartPainterTest, PaintsTheModelsBarsIntoAnImage) {
    const QImage image = paint();
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(image.pixelColor(centreOf(1)), QColor(200, 30, 30));
    EXPECT_EQ(image.pixelColor(centreOf(2)), colours.base);
}

TEST_F(ChartPainterTest, AGhostShowsWhereTheDraggedBarWouldLand) {
    const int64_t start = int64_t{monday} * 1440 + 480;
    const QImage image = paint(GhostBar{1, 1, 2, start, start + 240, GhostBar::Follows::Bar});
    // See-through over the shaded drop row: neither the bar's own red nor the empty row.
    const QColor ghost = image.pixelColor(centreOf(2));
    EXPECT_NE(ghost, QColor(200, 30, 30));
    EXPECT_NE(ghost, colours.base);
    EXPECT_GT(ghost.red(), ghost.green());
    // The resource list marks the row too.
    EXPECT_EQ(image.pixelColor(QPoint(layout.listWidth / 2, centreOf(2).y())), colours.dropTarget);
}

}  // namespace
}  // namespace tessaro::qt_detail
