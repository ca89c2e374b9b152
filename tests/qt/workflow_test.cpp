// The planner's workflow on the sample plant, driven through the real widgets with the mouse:
// what the chart paints, Copy from the Scheduler menu, dragging the temporary bar onto another
// resource, Paste Forward from the Drag menu, selecting a work order from the grid and the hint
// over a bar.

#include <tessaro/qt/tessaro_widget.hpp>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "qt/widget_test_support.hpp"

namespace tessaro {
namespace {

using testing::CloseMenus;
using testing::DragMouse;
using testing::Snapshot;
using testing::VisibleMenu;

std::string ReadSample(const char* name) {
    QFile file(QStringLiteral(TESSARO_SAMPLES_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read sample " << name;
        return {};
    }
    return file.readAll().toStdString();
}

struct BarRef {
    int row = 0;
    int bar = 0;
};

// The light green of the temporary bar a Copy lays down.
const QColor kTemporaryGreen(144, 238, 144);

// A pale, clearly red tint: how calendar blocks (the resource is not available) are painted.
bool IsLightRed(const QColor& c) {
    return c.red() >= 230 && c.red() - c.green() >= 20 && c.red() - c.blue() >= 20 &&
           c.green() >= 150 && c.blue() >= 150;
}

// Share of the rect's pixels that pass the test; the rect is clipped to the image.
template <typename Test>
double PaintedShareWhere(const QImage& image, QRect rect, Test&& matches) {
    rect = rect.intersected(image.rect());
    if (rect.isEmpty()) {
        return 0;
    }
    int hits = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            hits += matches(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return static_cast<double>(hits) / (rect.width() * rect.height());
}

double PaintedShare(const QImage& image, const QRect& rect, const QColor& colour) {
    return PaintedShareWhere(image, rect, [&](const QColor& c) { return c == colour; });
}

// A bar's fill, inside its outline.
QRect Inside(const QRect& rect) {
    return rect.adjusted(2, 2, -2, -2);
}

// One Rescheduleinfo element as the control writes it.
std::string RescheduleInfo(const std::string& workOrder, int position, int subActivity,
                           const ChartTime& start, const ChartTime& end, const std::string& method,
                           const std::string& resourceChanged, const std::string& newResource,
                           const std::string& oldResource) {
    return "<Rescheduleinfo company=\"\" workorder=\"" + workOrder + "\" position=\"" +
           std::to_string(position) + "\" subact=\"" + std::to_string(subActivity) +
           "\" starttime=\"" + std::to_string(start.ToPayloadSeconds()) + "\" endtime=\"" +
           std::to_string(end.ToPayloadSeconds()) + "\" method=\"" + method + "\" reschangeflg=\"" +
           resourceChanged + "\" newresource=\"" + newResource + "\" oldresource=\"" + oldResource +
           "\"/>";
}

// The whole control, large enough to show the first days of the sample plant on every row, loaded
// with the sample plant and scrolled to its first day (Monday 4 January 2027).
class WorkflowTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget = std::make_unique<TessaroWidget>();
        widget->resize(1400, 860);
        widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
        ctrl().LoadScheduleTime(ReadSample("header.xml"));
        ctrl().LoadResource(ReadSample("resources.xml"));
        ctrl().LoadCalendarEvents(ReadSample("calendars.xml"));
        ctrl().LoadResourceEvents(ReadSample("workorders.xml"));
        monday = chart().RangeStartDay();
        view()->scrollToDay(monday);
        view()->verticalScrollBar()->setValue(0);
        ASSERT_EQ(chart().RowCount(), 12);
        // Every row is in sight.
        ASSERT_LE(view()->barRect(12, 1).bottom(), view()->chartArea().bottom());
    }

    void TearDown() override {
        CloseMenus();
        QToolTip::hideText();
        widget.reset();
    }

    Tessaro_Ctrl& ctrl() { return widget->control(); }
    ScheduleChart& chart() { return ctrl().ctResSched(); }
    ScheduleChartView* view() { return widget->chartView(); }
    QWidget* port() { return view()->viewport(); }
    QImage chartImage() { return Snapshot(port()); }

    ChartBar bar(const BarRef& ref) {
        return chart().Bar(static_cast<int16_t>(ref.row), static_cast<int16_t>(ref.bar));
    }
    QRect rect(const BarRef& ref) { return view()->barRect(ref.row, ref.bar); }

    BarRef find(const std::string& key) {
        const int16_t row = chart().FindTimeBarRow(key);
        return {row, row > 0 ? chart().FindTimeBarInRow(key, row) : 0};
    }

    // The row of the resource, by its code.
    int rowOf(const std::string& resource) {
        for (int16_t row = 1; row <= chart().RowCount(); ++row) {
            if (chart().RowColumnText(row, 1) == resource) {
                return row;
            }
        }
        return 0;
    }

    // Every work-order bar of the work order, on every row.
    std::vector<BarRef> workOrderBars(const std::string& workOrder) {
        std::vector<BarRef> bars;
        for (const auto& [row, index] : chart().FindTimeBarsInKeyGroup(workOrder)) {
            if (chart().TimeBarKind(row, index) == ScheduleChartView::kWorkOrderBarKind) {
                bars.push_back({row, index});
            }
        }
        return bars;
    }

    // The temporary bar of the Copy in progress; {0, 0} when there is none.
    BarRef temporaryBar() {
        if (ctrl().TempBarKey().empty()) {
            return {};
        }
        return find(ctrl().TempBarKey());
    }

    void rightClick(const BarRef& ref) {
        QTest::mouseClick(port(), Qt::RightButton, {}, rect(ref).center());
    }

    // Clicks the menu entry of that name in the visible pop-up menu of that title.
    ::testing::AssertionResult choose(const QString& title, const QString& entry,
                                      const QString& caption) {
        QMenu* menu = VisibleMenu(title);
        if (menu == nullptr) {
            return ::testing::AssertionFailure() << "no visible menu " << title.toStdString();
        }
        auto* action = menu->findChild<QAction*>(entry);
        if (action == nullptr || !action->isVisible() || action->text() != caption) {
            return ::testing::AssertionFailure()
                   << "menu " << title.toStdString() << " shows no " << caption.toStdString();
        }
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        if (menu->isVisible()) {
            return ::testing::AssertionFailure() << "the menu stayed open";
        }
        return ::testing::AssertionSuccess();
    }

    // Right-clicks the bar and copies its activity through the Scheduler menu.
    ::testing::AssertionResult copy(const BarRef& ref) {
        rightClick(ref);
        return choose(QStringLiteral("Scheduler"), QStringLiteral("miCopy"),
                      QStringLiteral("Copy"));
    }

    int32_t monday = 0;
    std::unique_ptr<TessaroWidget> widget;
};

// ---- What the chart paints ----

TEST_F(WorkflowTest, WorkOrderBarsArePaintedInTheirColoursWhereTheirTimesAre) {
    const QImage image = chartImage();
    const QRect area = view()->chartArea();
    std::vector<QRect> occupied;
    std::vector<BarRef> candidates;
    for (int row = 1; row <= chart().RowCount(); ++row) {
        for (int index = 1; index <= chart().TimeBarCount(static_cast<int16_t>(row)); ++index) {
            const BarRef ref{row, index};
            if (bar(ref).Kind != ScheduleChartView::kWorkOrderBarKind) {
                continue;
            }
            occupied.push_back(rect(ref));
            if (area.contains(rect(ref)) && rect(ref).width() >= 16) {
                candidates.push_back(ref);
            }
        }
    }
    int checked = 0;
    for (const BarRef& ref : candidates) {
        const QRect r = rect(ref);
        int neighbours = 0;
        for (const QRect& other : occupied) {
            neighbours += other.intersects(r.adjusted(-4, 0, 4, 0)) ? 1 : 0;
        }
        if (neighbours > 1) {
            continue;  // bars that touch or overlap others share their pixels
        }
        const ChartBar b = bar(ref);
        const QColor colour = toQColor(b.Colour);
        // The bar lies between the x of its start and of its end, on its row.
        EXPECT_EQ(r.left(), view()->pointAt(ref.row, b.Start).x()) << b.Key;
        EXPECT_EQ(r.right() + 1, view()->pointAt(ref.row, b.End).x()) << b.Key;
        EXPECT_EQ(view()->rowAt(r.center()), ref.row) << b.Key;
        // Filled with its colour; the same colour stops at its ends.
        EXPECT_GE(PaintedShare(image, Inside(r), colour), 0.6) << b.Key;
        const int y = r.center().y();
        EXPECT_NE(image.pixelColor(r.left() - 2, y), colour) << b.Key;
        EXPECT_NE(image.pixelColor(r.right() + 3, y), colour) << b.Key;
        ++checked;
    }
    EXPECT_GE(checked, 20);

    // The first order of the plan turns on LATHE-01 on Monday from 14:00 to 18:00.
    const BarRef first = find("WO-24001$1$5");
    ASSERT_EQ(first.row, rowOf("LATHE-01"));
    const QColor firstColour = toQColor(bar(first).Colour);
    const int middle = rect(first).center().y();
    EXPECT_EQ(image.pixelColor(view()->pointAt(first.row, {monday, 16 * 60}).x(), middle),
              firstColour);
    EXPECT_NE(image.pixelColor(view()->pointAt(first.row, {monday, 13 * 60}).x(), middle),
              firstColour);
    EXPECT_NE(image.pixelColor(view()->pointAt(first.row, {monday, 19 * 60}).x(), middle),
              firstColour);
}

TEST_F(WorkflowTest, CalendarBlocksArePaintedLightRed) {
    const QImage image = chartImage();
    const QRect area = view()->chartArea();
    int checked = 0;
    for (int row = 1; row <= chart().RowCount(); ++row) {
        for (int index = 1; index <= chart().TimeBarCount(static_cast<int16_t>(row)); ++index) {
            const BarRef ref{row, index};
            const QRect r = rect(ref).intersected(area);
            if (bar(ref).Kind != ScheduleChartView::kCalendarBarKind || r.width() < 8) {
                continue;
            }
            // Hour lines cross the blocks; the rest is the block's tint.
            EXPECT_GE(PaintedShareWhere(image, r, IsLightRed), 0.8)
                << chart().RowColumnText(static_cast<int16_t>(row), 1) << " "
                << bar(ref).Start.Minute;
            ++checked;
        }
    }
    EXPECT_GE(checked, 24);

    // Monday's early-morning block on LATHE-01, and no block in its working day.
    const int lathe = rowOf("LATHE-01");
    const int y = view()->pointAt(lathe, {monday, 0}).y();
    EXPECT_TRUE(IsLightRed(image.pixelColor(view()->pointAt(lathe, {monday, 3 * 60 + 5}).x(), y)));
    EXPECT_FALSE(
        IsLightRed(image.pixelColor(view()->pointAt(lathe, {monday, 10 * 60 + 5}).x(), y)));
}

// ---- Copy and drag onto another resource ----

TEST_F(WorkflowTest, CopyLaysALightGreenTemporaryBarOverTheActivity) {
    const BarRef source = find("WO-24001$1$5");
    ASSERT_TRUE(copy(source));
    const BarRef temporary = temporaryBar();
    ASSERT_EQ(temporary.row, source.row);
    ASSERT_NE(temporary.bar, 0);
    EXPECT_EQ(bar(temporary).Kind, ScheduleChartView::kTemporaryBarKind);
    EXPECT_EQ(rect(temporary), rect(source));
    EXPECT_GE(PaintedShare(chartImage(), Inside(rect(temporary)), kTemporaryGreen), 0.6);
    // It lies on top: the mouse finds it, not the copied bar.
    EXPECT_EQ(view()->barAt(rect(source).center()).bar, temporary.bar);
}

TEST_F(WorkflowTest, DraggingTheTemporaryBarOntoAnotherResourceRecordsTheMove) {
    const BarRef source = find("WO-24001$1$5");
    const ChartBar before = bar(source);
    const QRect oldRect = rect(source);
    ASSERT_TRUE(copy(source));
    const BarRef temporary = temporaryBar();
    ASSERT_NE(temporary.bar, 0);

    // A day and a few minutes later, onto the next lathe.
    const int target = rowOf("LATHE-02");
    ASSERT_EQ(target, source.row + 1);
    const QPoint from = rect(temporary).center();
    const QPoint to =
        from + QPoint(static_cast<int>(std::lround(view()->dayWidth())) + 7, view()->rowHeight());
    ASSERT_EQ(view()->rowAt(to), target);
    // Where the ghost lands: the distance in minutes, snapped to the axis' grid.
    const TimeAxis& axis = view()->timeAxis();
    const int64_t length = before.End.AbsoluteMinutes() - before.Start.AbsoluteMinutes();
    const int64_t landed =
        axis.snap(before.Start.AbsoluteMinutes() +
                  static_cast<int64_t>(std::llround((to.x() - from.x()) / axis.minuteWidth())));
    ASSERT_EQ(landed % axis.snapMinutes(), 0);
    ASSERT_LT(std::abs(landed - (before.Start.AbsoluteMinutes() + 1440)), 60);
    const ChartTime start = TimeAxis::timeOf(landed);
    const ChartTime end = TimeAxis::timeOf(landed + length);

    DragMouse(port(), from, to);

    EXPECT_EQ(view()->dragState(), ScheduleChartView::DragState::Idle);
    EXPECT_EQ(ctrl().rescheduling().Xml(),
              "<Saveres>" +
                  RescheduleInfo("WO-24001", 10, 10, start, end, "", "Y", "LATHE-02", "LATHE-01") +
                  "</Saveres>");

    // The activity is rebuilt as one bar at the new times on the resource it was dropped on; the
    // temporary bar is gone.
    EXPECT_EQ(ctrl().TempBarKey(), "");
    std::vector<BarRef> rebuiltBars;
    for (const BarRef& ref : workOrderBars("WO-24001")) {
        if (bar(ref).Key.ends_with("$9")) {
            rebuiltBars.push_back(ref);
        }
    }
    ASSERT_EQ(rebuiltBars.size(), 1u);
    const BarRef onTarget = rebuiltBars.front();
    EXPECT_EQ(onTarget.row, target);
    const ChartBar rebuilt = bar(onTarget);
    EXPECT_EQ(rebuilt.Key.substr(0, 9), "WO-24001$");
    EXPECT_EQ(rebuilt.Start, start);
    EXPECT_EQ(rebuilt.End, end);

    // Painted there in the activity's colour, and no longer where it was.
    const QImage image = chartImage();
    const QColor colour = toQColor(rebuilt.Colour);
    EXPECT_GE(PaintedShare(image, Inside(rect(onTarget)), colour), 0.6);
    EXPECT_EQ(PaintedShare(image, Inside(oldRect), colour), 0.0);
    EXPECT_EQ(PaintedShare(image, Inside(rect(onTarget)), kTemporaryGreen), 0.0);
}

// ---- Paste Forward from the Drag menu ----

TEST_F(WorkflowTest, PasteForwardEndsTheActivityWhereTheClickedBarEnds) {
    const BarRef source = find("WO-24001$1$5");
    const ChartBar before = bar(source);
    ASSERT_TRUE(copy(source));

    // Another order on the same lathe, on Wednesday morning.
    const BarRef clicked = find("WO-24026$1$4");
    ASSERT_EQ(clicked.row, source.row);
    ASSERT_TRUE(view()->chartArea().contains(rect(clicked)));
    const ChartBar target = bar(clicked);
    rightClick(clicked);
    EXPECT_EQ(VisibleMenu(QStringLiteral("Scheduler")), nullptr);
    ASSERT_TRUE(choose(QStringLiteral("Drag"), QStringLiteral("miFwdSch"),
                       QStringLiteral("Paste Forward schedule")));

    const int64_t length = before.End.AbsoluteMinutes() - before.Start.AbsoluteMinutes();
    const ChartTime end = target.End;
    const ChartTime start = TimeAxis::timeOf(end.AbsoluteMinutes() - length);
    EXPECT_EQ(ctrl().rescheduling().Xml(),
              "<Saveres>" + RescheduleInfo("WO-24001", 10, 10, start, end, "F", "N", "", "") +
                  "</Saveres>");

    EXPECT_EQ(ctrl().TempBarKey(), "");
    const std::vector<BarRef> bars = workOrderBars("WO-24001");
    std::vector<BarRef> onSource;
    for (const BarRef& ref : bars) {
        if (ref.row == source.row) {
            onSource.push_back(ref);
        }
    }
    ASSERT_EQ(onSource.size(), 1u);
    EXPECT_EQ(bar(onSource.front()).Start, start);
    EXPECT_EQ(bar(onSource.front()).End, target.End);
    // On screen it ends where the clicked bar ends.
    EXPECT_EQ(rect(onSource.front()).right(), rect(find("WO-24026$1$4")).right());
}

// ---- Selecting a work order from the grid ----

TEST_F(WorkflowTest, ClickingAGridRowSelectsEveryBarOfItsWorkOrder) {
    // A click on a bar fills the grid with the work orders of its resource from that day on.
    const BarRef clicked = find("WO-24001$1$5");
    QTest::mouseClick(port(), Qt::LeftButton, {}, rect(clicked).center());
    EXPECT_EQ(ctrl().TxtWONo().Text(), "WO-24001");
    const ListGrid& grid = ctrl().vaSpread();
    ListGridView* gridView = widget->gridView();
    int gridRow = 0;
    for (int32_t g = 1; g <= grid.GridRowCount(); ++g) {
        gridRow = grid.CellText(1, g) == "WO-24021" ? g : gridRow;
    }
    ASSERT_NE(gridRow, 0);

    const std::vector<BarRef> bars = workOrderBars("WO-24021");
    ASSERT_GE(bars.size(), 2u);
    // Each bar's selected colour is the one of its status in the selected table.
    std::vector<QColor> expected;
    for (const BarRef& ref : bars) {
        const ColourTable& normal = ctrl().NormalBarColours();
        int place = -1;
        for (size_t i = 0; i < normal.size(); ++i) {
            place = normal[i] == bar(ref).Colour ? static_cast<int>(i) : place;
        }
        ASSERT_GE(place, 0) << bar(ref).Key;
        expected.push_back(toQColor(ctrl().SelectedBarColours()[static_cast<size_t>(place)]));
        ASSERT_NE(expected.back(), toQColor(bar(ref).Colour));
    }

    // The part of the work-order cell that the detail frame leaves in sight.
    const QRect cell = gridView->cellRect(1, gridRow);
    QPoint at(cell.left() + 6, cell.center().y());
    ASSERT_EQ(widget->childAt(gridView->viewport()->mapTo(widget.get(), at)), gridView->viewport());
    QTest::mouseClick(gridView->viewport(), Qt::LeftButton, {}, at);

    for (size_t i = 0; i < bars.size(); ++i) {
        view()->scrollToBar(bars[i].row, bars[i].bar);
        EXPECT_GE(PaintedShare(chartImage(), Inside(rect(bars[i])), expected[i]), 0.5)
            << bar(bars[i]).Key;
    }
    // Another order keeps its colour.
    view()->scrollToDay(monday);
    EXPECT_GE(PaintedShare(chartImage(), Inside(rect(clicked)), toQColor(bar(clicked).Colour)),
              0.6);
    // The grid shows the chosen row highlighted.
    const auto blue = [](const QColor& c) {
        return c.blue() >= 200 && c.red() <= 120 && c.green() <= 140;
    };
    EXPECT_GE(PaintedShareWhere(Snapshot(gridView->viewport()), cell, blue), 0.6);
    EXPECT_LE(PaintedShareWhere(Snapshot(gridView->viewport()),
                                gridView->cellRect(1, gridRow == 1 ? 2 : 1), blue),
              0.1);
}

// ---- Hints ----

TEST_F(WorkflowTest, HoveringABarShowsItsWorkOrderCustomerAndItem) {
    const BarRef hovered = find("WO-24001$1$5");
    QTest::mouseMove(port(), rect(hovered).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text().toStdString(), "WO-24001$Vantage Wind Systems$FLG-3125");
    EXPECT_EQ(chart().HintText(), "WO-24001$Vantage Wind Systems$FLG-3125");
}

}  // namespace
}  // namespace tessaro
