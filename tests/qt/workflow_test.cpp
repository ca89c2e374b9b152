// The planner's workflow on the sample plant, driven through the real widgets with the mouse:
// what the chart paints, Copy from the Scheduler menu, dragging the temporary bar onto another
// resource, Paste Forward from the Drag menu, selecting a work order from the grid and the hint
// over a bar.

#include <tessaro/qt/tessaro_widget.hpp>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/runtime/chart_time.hpp>

#include "qt/widget_test_support.hpp"
#include "support/samples.hpp"

namespace tessaro {
namespace {

using testing::CloseMenus;
using testing::DragMouse;
using testing::Snapshot;
using testing::VisibleMenu;

using testing::ReadSample;

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
    // Above the bar's label, inside its outlines.
    const int middle = rect(first).top() + 2;
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
    // The planner reads the work order, customer and item; the control's hint keeps its text.
    const QString tip = QToolTip::text();
    for (const char* part : {"Work order WO-24001, activity 10", "Customer: Vantage Wind Systems",
                             "Item: FLG-3125", "On LATHE-01:", "right-click, Copy"}) {
        EXPECT_TRUE(tip.contains(QString::fromUtf8(part))) << part << "\n" << tip.toStdString();
    }
    EXPECT_FALSE(tip.contains(QLatin1Char('$'))) << tip.toStdString();
    EXPECT_EQ(chart().HintText(), "WO-24001$Vantage Wind Systems$FLG-3125");
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

// ---- What the planner sees beyond the bars ----

TEST_F(WorkflowTest, AMovedActivityShowsWhereItWasAndWhatWillBeSaved) {
    const BarRef source = find("WO-24001$1$5");
    const QRect was = rect(source);
    ASSERT_TRUE(copy(source));
    const BarRef temporary = temporaryBar();
    const QPoint from = rect(temporary).center();
    DragMouse(port(), from,
              from + QPoint(static_cast<int>(view()->dayWidth()), view()->rowHeight()));
    ASSERT_EQ(ctrl().PendingChanges().Count(), 1);

    // A dashed outline in the change colour where the activity was loaded.
    const QImage image = chartImage();
    const double outline = PaintedShareWhere(
        image, QRect(was.left() + 1, was.top() + 1, was.width() - 2, 2),
        [](const QColor& c) { return c.blue() > 150 && c.red() < 80 && c.green() < 150; });
    EXPECT_GT(outline, 0.2);
    // The moved bar knows its change and its tooltip says what will be saved.
    const std::vector<BarRef> moved = workOrderBars("WO-24001");
    const auto now = std::find_if(moved.begin(), moved.end(), [&](const BarRef& ref) {
        return view()->changeOf(ref.row, ref.bar) != nullptr;
    });
    ASSERT_NE(now, moved.end());
    EXPECT_EQ(now->row, rowOf("LATHE-02"));
    const QString tip = view()->describeBar(now->row, now->bar);
    for (const char* part : {"moved by hand", "Resource LATHE-02, was LATHE-01", "Start "}) {
        EXPECT_TRUE(tip.contains(QLatin1String(part))) << part << "\n" << tip.toStdString();
    }

    // Clicked, its details say where it is now, beside the times it was loaded with.
    QTest::mouseClick(port(), Qt::LeftButton, {}, rect(*now).center());
    auto* frame = qobject_cast<QGroupBox*>(widget->surfaceWidget(QStringLiteral("frameWO")));
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->title().isEmpty(); }));
    const ChartBar current = bar(*now);
    // The start's hour and minute, as any locale writes them ("9:30" is in "09:30" and "9:30 AM").
    const QString start = QStringLiteral("%1:%2")
                              .arg(current.Start.Minute / 60)
                              .arg(current.Start.Minute % 60, 2, 10, QLatin1Char('0'));
    for (const QString& part : {QStringLiteral("Activity 10 now:"), start,
                                QStringLiteral("on LATHE-02"), QStringLiteral("changed")}) {
        EXPECT_TRUE(frame->title().contains(part)) << frame->title().toStdString();
    }

    // Undone: back where it was loaded, with neither outline nor "changed".
    ASSERT_TRUE(ctrl().CanUndo());
    while (ctrl().CanUndo()) {
        ctrl().Undo();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return !frame->title().contains(QStringLiteral("changed"));
    })) << frame->title().toStdString();
    EXPECT_TRUE(frame->title().endsWith(QStringLiteral("on LATHE-01")))
        << frame->title().toStdString();
    const double after = PaintedShareWhere(
        chartImage(), QRect(was.left() + 1, was.top() + 1, was.width() - 2, 2),
        [](const QColor& c) { return c.blue() > 150 && c.red() < 80 && c.green() < 150; });
    EXPECT_EQ(after, 0.0);
}

// After Pack the grid lists the packed activities with the times they have now (the control's
// cells keep the payload's), and after Undo with the payload's again.
TEST_F(WorkflowTest, TheGridShowsTheTimesActivitiesHaveNow) {
    const BarRef anchor = find("WO-24001$1$5");
    rightClick(anchor);
    ASSERT_TRUE(
        choose(QStringLiteral("Scheduler"), QStringLiteral("miPack"), QStringLiteral("Pack")));
    ASSERT_GT(ctrl().PendingChanges().Count(), 0);
    QTest::mouseClick(port(), Qt::LeftButton, {}, rect(find("WO-24001$1$5")).center());

    ListGridView* grid = widget->gridView();
    const ListGrid& cells = ctrl().vaSpread();
    int moved = 0;
    for (int row = 1; row <= cells.GridRowCount(); ++row) {
        const auto* change =
            ctrl().PendingChanges().Find(cells.CellText(1, row) + "$" + cells.CellText(12, row));
        if (change == nullptr) {
            EXPECT_EQ(grid->displayedText(5, row), toQString(cells.CellText(5, row)));
            continue;
        }
        const ChartTime start = ChartTime::FromPayloadSeconds((*change)->starttime);
        const QString now = QStringLiteral("%1:%2")
                                .arg(start.Minute / 60, 2, 10, QLatin1Char('0'))
                                .arg(start.Minute % 60, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(grid->displayedText(5, row), now) << row;
        moved += grid->displayedText(5, row) != toQString(cells.CellText(5, row)) ? 1 : 0;
    }
    EXPECT_GT(moved, 0);

    ctrl().Undo();
    for (int row = 1; row <= cells.GridRowCount(); ++row) {
        for (int column = 4; column <= 7; ++column) {
            EXPECT_EQ(grid->displayedText(column, row), toQString(cells.CellText(column, row)));
        }
    }
}

TEST_F(WorkflowTest, TheConflictListReadsAsWorkOrdersAndDoubleClickShowsTheirBars) {
    BarRef rush;
    for (const BarRef& ref : workOrderBars("WO-24014")) {
        if (ref.row == rowOf("LATHE-01")) {
            rush = ref;
        }
    }
    ASSERT_NE(rush.bar, 0);
    EXPECT_TRUE(view()->isConflicting(rush.row, rush.bar));
    auto row = static_cast<int16_t>(rush.row);
    auto index = static_cast<int16_t>(rush.bar);
    EXPECT_EQ(ctrl().ConflictTimeBars(row, index), "");
    auto* list =
        qobject_cast<QListWidget*>(widget->surfaceWidget(QStringLiteral("lstConflictWorkOrders")));
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->count(), 2);
    for (int i = 0; i < list->count(); ++i) {
        const QString shown = list->item(i)->text();
        const std::string& kept = ctrl().lstConflictWorkOrders().Items()[static_cast<size_t>(i)];
        EXPECT_NE(kept.find('$'), std::string::npos);  // the control's own text is unchanged
        EXPECT_TRUE(shown.startsWith(toQString(kept.substr(0, kept.find('$')))))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("LATHE-01"))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(QLatin1Char('$'))) << shown.toStdString();
    }
    // Scrolled away, a double click on the other activity brings its bar back into sight.
    view()->scrollToDay(monday + 15);
    const QRect entry = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    const BarRef other = find(ctrl().lstConflictHidden().List(1));
    EXPECT_TRUE(view()->chartArea().intersects(rect(other)));
}

TEST_F(WorkflowTest, ZoomingOutStopsAtTheWholeWindowWithItsHeaderNamed) {
    QToolButton* zoomOut = widget->toolButton(4);
    ASSERT_NE(zoomOut, nullptr);
    int presses = 0;
    while (zoomOut->isEnabled() && presses < 20) {
        QTest::mouseClick(zoomOut, Qt::LeftButton);
        ++presses;
    }
    // Disabled once the whole window is in sight; the control's own step to 0 is painted so.
    EXPECT_FALSE(zoomOut->isEnabled());
    EXPECT_LE(view()->dayWidth(), view()->fitDayWidth());
    while (chart().TimeScale() > 0) {
        ctrl().ToolButtonClicked(4);
    }
    EXPECT_DOUBLE_EQ(view()->dayWidth(), view()->fitDayWidth());
    EXPECT_FALSE(zoomOut->isEnabled());
    // The last day of the window ends inside the chart, and the header is not blank.
    EXPECT_LE(view()->pointAt(1, {chart().RangeEndDay() + 1, 0}).x(),
              view()->chartArea().right() + 1);
    const QImage image = chartImage();
    int ink = 0;
    for (int x = view()->chartArea().left(); x < image.width(); ++x) {
        for (int y = 0; y < view()->headerHeight(); ++y) {
            ink += image.pixelColor(x, y).lightness() < 60 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 200);
    // Zoomed in past the whole window, zooming out is offered again.
    QTest::mouseClick(widget->toolButton(3), Qt::LeftButton);
    QTest::mouseClick(widget->toolButton(3), Qt::LeftButton);
    EXPECT_GT(view()->dayWidth(), view()->fitDayWidth());
    EXPECT_TRUE(view()->canZoomOut());
    EXPECT_TRUE(widget->toolButton(4)->isEnabled());
}

}  // namespace
}  // namespace tessaro
