// What makes the chart readable beyond its bars: the time header at every zoom, zooming with the
// wheel and to the whole window, overlaps outlined and visited with F8, bars that stay put under
// the mouse, the palette's colours and the whole chart exported.

#include <tessaro/qt/schedule_chart_view.hpp>

#include <memory>
#include <string>
#include <vector>

#include <QFile>
#include <QPdfWriter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tessaro/runtime/calendar.hpp>

#include "chart_palette.hpp"
#include "demo/dark_palette.hpp"
#include "qt/widget_test_support.hpp"
#include "time_header.hpp"

namespace tessaro {
namespace {

using testing::DragMouse;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingSink;
using testing::Snapshot;

using testing::Rgb;

// Work order WO-n, activity 10: a bar record of eighteen fields.
std::string Record(const std::string& workOrder) {
    return workOrder + "$10$Released$0$0$ITEM-1$SO-1$Customer$G$01/11/2027$01/12/2027$01/04/2027$" +
           "01/05/2027$08:00$12:00$10$1$14400";
}

// Three resources over the year 2002 at 240 pixels a day; on row 1 two work-order bars overlap
// on Monday 7 January from 10:00 to 12:00, on row 3 a third stands alone.
class ChartReadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        monday = DayNumber(2002, 1, 7);
        chart.SetRangeStartDay(DayNumber(2002, 1, 1));
        chart.SetRangeEndDay(DayNumber(2002, 12, 31));
        chart.SetTimeScale(240);
        chart.SetDayNames("Sun;Mon;Tue;Wed;Thu;Fri;Sat;");
        chart.SetEventSink(&sink);
        for (const char* row : {"R1;Lathe", "R2;Mill", "R3;Drill"}) {
            chart.AddRow(row);
        }
        addWorkOrder(1, 480, 720, "WO-1");
        addWorkOrder(1, 600, 900, "WO-2");
        addWorkOrder(3, 480, 720, "WO-3");

        view = std::make_unique<ScheduleChartView>(chart);
        view->resize(900, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->scrollToDay(monday);
    }

    int16_t addWorkOrder(int16_t row, int32_t start, int32_t end, const std::string& number) {
        const int16_t bar = chart.AddTimeBar(row, start, end, monday, monday, number + "$1$1");
        chart.SetTimeBarKind(row, bar, ScheduleChartView::kWorkOrderBarKind);
        chart.SetTimeBarTag(row, bar, Record(number));
        chart.SetTimeBarColour(row, bar, Rgb(94, 174, 255));
        return bar;
    }

    QWidget* port() const { return view->viewport(); }

    int32_t monday = 0;
    ScheduleChart chart;
    RecordingSink sink;
    std::unique_ptr<ScheduleChartView> view;
};

// ---- The time header ----

TEST(TimeHeaderTest, CaptionsNeverOverlapNorLeaveTheirCellsAtAnyZoom) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.25);
    const QFontMetrics metrics(font);
    const int32_t first = DayNumber(2027, 1, 4);
    for (const double dayWidth :
         {1.0, 2.0, 3.3, 5.0, 9.0, 20.0, 33.0, 47.0, 60.0, 100.0, 250.0, 700.0, 3000.0}) {
        // Scrolled by fractions of a day too: the first day is then cut at the left edge.
        for (const int scroll : {0, 17, static_cast<int>(dayWidth * 3.6)}) {
            qt_detail::HeaderInput in;
            in.axis = TimeAxis(first, first + 364, dayWidth);
            in.chartLeft = 120;
            in.chartWidth = 800;
            in.scrollX = scroll;
            in.rowHeight = 20;
            in.rows = dayWidth / 24 >= 20 ? 3 : 2;
            in.font = font;
            in.dayNames = "Sunday;Monday;Tuesday;Wednesday;Thursday;Friday;Saturday";
            in.monthNames =
                "January,February,March,April,May,June,July,August,September,"
                "October,November,December";
            in.monthFormat = "M ,Y";
            const qt_detail::HeaderLayout out = qt_detail::LayOutHeader(in);
            const std::string where =
                std::to_string(dayWidth) + " px/day, scroll " + std::to_string(scroll);
            std::vector<QRect> byLevel[3];
            for (const qt_detail::HeaderCaption& caption : out.captions) {
                QFont used = font;
                used.setBold(caption.bold);
                EXPECT_LE(QFontMetrics(used).horizontalAdvance(caption.text), caption.rect.width())
                    << where << " " << caption.text.toStdString();
                EXPECT_GE(caption.rect.left(), in.chartLeft) << where;
                EXPECT_LE(caption.rect.right(), in.chartLeft + in.chartWidth) << where;
                for (const QRect& other : byLevel[caption.level]) {
                    EXPECT_FALSE(other.intersects(caption.rect))
                        << where << " " << caption.text.toStdString();
                }
                byLevel[caption.level].push_back(caption.rect);
                // One form of weekday name for every whole day.
                if (caption.level == 1 && out.dayNameForm != qt_detail::DayNameForm::None &&
                    caption.text.contains(QLatin1Char(' '))) {
                    const QString name = caption.text.section(QLatin1Char(' '), 0, 0);
                    EXPECT_EQ(name.size(),
                              out.dayNameForm == qt_detail::DayNameForm::ThreeLetters ? 3
                              : out.dayNameForm == qt_detail::DayNameForm::TwoLetters ? 2
                                                                                      : name.size())
                        << where << " " << caption.text.toStdString();
                }
            }
            // Never a blank header: the months are always named, the days or weeks too.
            EXPECT_FALSE(byLevel[0].empty()) << where;
            EXPECT_FALSE(byLevel[1].empty()) << where;
        }
    }
}

// ---- Zoom ----

TEST_F(ChartReadingTest, ControlWheelZoomsAboutTheCursorDownToTheWholeWindow) {
    const QPoint cursor = view->pointAt(2, {monday, 600});
    const ChartTime under = view->timeAt(cursor);
    auto wheel = [&](int delta) {
        QWheelEvent event(cursor, port()->mapToGlobal(cursor), {}, QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(port(), &event);
    };
    wheel(120);
    EXPECT_EQ(chart.TimeScale(), 300);
    EXPECT_NEAR(view->timeAt(cursor).AbsoluteMinutes(), under.AbsoluteMinutes(), 6);
    for (int i = 0; i < 40; ++i) {
        wheel(-120);
    }
    // Never collapsed: the whole year fills the chart's width, and no further.
    EXPECT_NEAR(view->dayWidth(), view->fitDayWidth(), 1.0);
    EXPECT_GE(chart.TimeScale(), 1);
    EXPECT_LE(view->timeAxis().totalWidth(), view->chartArea().width() + 365);
    // Without Ctrl the wheel scrolls and leaves the zoom.
    const int16_t scale = chart.TimeScale();
    QWheelEvent plain(cursor, port()->mapToGlobal(cursor), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(port(), &plain);
    EXPECT_EQ(chart.TimeScale(), scale);

    view->fitToWindow();
    EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
    EXPECT_LE(view->timeAxis().totalWidth(), view->chartArea().width());
}

TEST_F(ChartReadingTest, TheNowLineIsPaintedWhereTheHostSetsIt) {
    const ChartTime now{monday + 1, 9 * 60};
    const QPoint at = view->pointAt(2, now);
    const QColor before = Snapshot(port()).pixelColor(at);
    view->setNowTime(now);
    const QColor line = Snapshot(port()).pixelColor(at);
    EXPECT_NE(line, before);
    EXPECT_GT(line.red(), line.blue() + 100);
    view->setNowTime(std::nullopt);
    EXPECT_EQ(Snapshot(port()).pixelColor(at), before);
}

// ---- Overlaps ----

TEST_F(ChartReadingTest, OverlappingWorkOrderBarsAreOutlinedAndHatchedUntilMovedApart) {
    EXPECT_TRUE(view->isConflicting(1, 1));
    EXPECT_TRUE(view->isConflicting(1, 2));
    EXPECT_FALSE(view->isConflicting(3, 1));
    const int64_t day = int64_t{monday} * 1440;
    EXPECT_THAT(view->conflictZones(1), ElementsAre(std::make_pair(day + 600, day + 720)));

    auto redShare = [&](const QRect& rect) {
        const QImage image = Snapshot(port());
        int red = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
            }
        }
        return static_cast<double>(red) / (rect.width() * rect.height());
    };
    const QRect overlap(view->pointAt(1, {monday, 630}), view->pointAt(1, {monday, 690}));
    const QRect zone = overlap.adjusted(0, -4, 0, 4);
    EXPECT_GT(redShare(zone), 0.08);
    // The outline runs round the bar, outside its fill.
    const QRect alone = view->barRect(1, 1);
    EXPECT_GT(redShare(QRect(alone.left() - 1, alone.top(), 1, alone.height())), 0.8);
    EXPECT_EQ(redShare(view->barRect(3, 1).adjusted(-1, -1, 1, 1)), 0.0);

    // Moved apart: plain again at once.
    chart.MoveTimeBar(1, 2, 720, 900, monday, monday);
    EXPECT_FALSE(view->isConflicting(1, 1));
    EXPECT_EQ(redShare(zone), 0.0);
    // Bars that only touch do not overlap.
    EXPECT_THAT(view->conflictZones(1), IsEmpty());
}

TEST_F(ChartReadingTest, F8VisitsEveryOverlapInTurnAndClicksItsFirstBar) {
    chart.AddRow("R4;Far");
    const int16_t late = addWorkOrder(4, 100, 300, "WO-4");
    addWorkOrder(4, 200, 400, "WO-5");
    chart.MoveTimeBar(4, late, 100, 300, monday + 200, monday + 200);
    chart.MoveTimeBar(4, 2, 200, 400, monday + 200, monday + 200);
    const struct {
        Qt::KeyboardModifiers modifiers;
        const char* clicked;
    } presses[] = {
        {Qt::NoModifier, "BarClick 1,1"},
        {Qt::NoModifier, "BarClick 4,1"},
        {Qt::NoModifier, "BarClick 1,1"},     // round again
        {Qt::ShiftModifier, "BarClick 4,1"},  // and back
    };
    QSignalSpy shown(view.get(), &ScheduleChartView::conflictShown);
    for (const auto& press : presses) {
        sink.log.clear();
        QTest::keyClick(view.get(), Qt::Key_F8, press.modifiers);
        ASSERT_FALSE(sink.log.empty());
        EXPECT_EQ(sink.log.front(), press.clicked);
        const auto [row, bar] = view->lastClickedBar();
        EXPECT_TRUE(view->chartArea().intersects(view->barRect(row, bar))) << press.clicked;
    }
    EXPECT_EQ(shown.count(), 4);
    chart.ClearRows();
    EXPECT_FALSE(view->showNextConflict());
}

// ---- Bars that stay put ----

TEST_F(ChartReadingTest, WorkOrderAndCalendarBarsRefuseTheDragAndSayWhy) {
    const int16_t block = chart.AddTimeBar(2, 0, 0, monday, monday + 1, "");
    chart.SetTimeBarKind(2, block, ScheduleChartView::kCalendarBarKind);
    QSignalSpy hints(view.get(), &ScheduleChartView::statusHint);
    const QPoint points[] = {
        view->barRect(3, 1).center(), view->pointAt(2, {monday, 300}),
        QPoint(view->barRect(3, 1).right() + 1, view->barRect(3, 1).center().y())};
    for (const QPoint& from : points) {
        sink.log.clear();
        QTest::mouseMove(port(), from);
        EXPECT_NE(port()->cursor().shape(), Qt::SizeHorCursor);
        QTest::mousePress(port(), Qt::LeftButton, {}, from);
        for (int dx = 10; dx <= 60; dx += 10) {
            QTest::mouseMove(port(), from + QPoint(dx, 0));
        }
        // No ghost, no move: the forbidden cursor until the button is let go.
        EXPECT_EQ(view->dragState(), ScheduleChartView::DragState::Pressed);
        EXPECT_EQ(port()->cursor().shape(), Qt::ForbiddenCursor);
        QTest::mouseRelease(port(), Qt::LeftButton, {}, from + QPoint(60, 0));
        EXPECT_THAT(sink.log, IsEmpty());
    }
    EXPECT_EQ(chart.Bar(3, 1).Start, (ChartTime{monday, 480}));
    ASSERT_EQ(hints.count(), 3);
    EXPECT_TRUE(hints[0][0].toString().contains(QStringLiteral("right-click, Copy")));

    // The copy moves.
    const int16_t copy = chart.AddTimeBar(2, 480, 720, monday, monday, "T$1");
    chart.SetTimeBarKind(2, copy, ScheduleChartView::kTemporaryBarKind);
    const QPoint from = view->barRect(2, copy).center();
    // Shift at the release drops it exactly there, in the row's calendar block too.
    QTest::mousePress(port(), Qt::LeftButton, {}, from);
    for (int dx = 10; dx <= 60; dx += 10) {
        QTest::mouseMove(port(), from + QPoint(dx, 0));
    }
    QTest::mouseRelease(port(), Qt::LeftButton, Qt::ShiftModifier, from + QPoint(60, 0));
    EXPECT_EQ(chart.Bar(2, copy).Start, (ChartTime{monday, 480 + 360}));
}

TEST_F(ChartReadingTest, DeleteAsksOnlyAboutTheCopy) {
    std::vector<std::pair<int, int>> asked;
    view->setRemovalConfirmation([&](int row, int bar) {
        asked.emplace_back(row, bar);
        return true;
    });
    QSignalSpy hints(view.get(), &ScheduleChartView::statusHint);
    QTest::mouseClick(port(), Qt::LeftButton, {}, view->barRect(3, 1).center());
    sink.log.clear();
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_THAT(asked, IsEmpty());
    EXPECT_THAT(sink.log, IsEmpty());
    EXPECT_EQ(hints.count(), 1);

    const int16_t copy = chart.AddTimeBar(2, 480, 720, monday, monday, "T$1");
    chart.SetTimeBarKind(2, copy, ScheduleChartView::kTemporaryBarKind);
    QTest::mouseClick(port(), Qt::LeftButton, {}, view->barRect(2, copy).center());
    sink.log.clear();
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_THAT(asked, ElementsAre(std::make_pair(2, 1)));
    EXPECT_THAT(sink.log, ElementsAre("BarRemoveRequest 2,1,yes"));
}

TEST_F(ChartReadingTest, BarsWithRoomNameTheirWorkOrderAndActivity) {
    chart.SetTimeBarText(3, 1, ".");
    EXPECT_EQ(chart.TimeBarText(3, 1), ".");
    const QString tip = view->describeBar(3, 1);
    for (const char* part :
         {"Work order WO-3, activity 10", "Customer: Customer", "Item: ITEM-1", "On R3:"}) {
        EXPECT_TRUE(tip.contains(QLatin1String(part))) << part << "\n" << tip.toStdString();
    }
    // The label is drawn: dark ink on the light blue, left in the bar.
    const QRect rect = view->barRect(3, 1);
    const QImage image = Snapshot(port());
    int ink = 0;
    for (int x = rect.left() + 4; x < rect.right() - 4; ++x) {
        for (int y = rect.top() + 2; y < rect.bottom() - 1; ++y) {
            ink += image.pixelColor(x, y).lightness() < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 20);
}

// ---- Palettes ----

using demo::DarkPalette;

TEST_F(ChartReadingTest, TextReadsOnItsBackgroundInLightAndDarkPalettes) {
    using chart_palette::ChartColours;
    using chart_palette::ContrastRatio;
    // A palette whose author gave a dark base but left the text dark is read right too.
    QPalette careless = DarkPalette();
    careless.setColor(QPalette::Text, QColor(20, 20, 20));
    careless.setColor(QPalette::ButtonText, QColor(20, 20, 20));
    const struct {
        const char* name;
        QPalette palette;
    } palettes[] = {{"light", QPalette(QColor(239, 239, 239))},
                    {"dark", DarkPalette()},
                    {"careless", careless}};
    for (const auto& p : palettes) {
        const ChartColours c = ChartColours::from(p.palette);
        const std::pair<QColor, QColor> pairs[] = {
            {c.text, c.base},
            {c.text, c.listStripe},
            {c.headerText, c.headerBackground},
            {c.headerText, c.headerWeekend},
            {c.labelText, c.labelBackground},
        };
        for (const auto& [ink, paper] : pairs) {
            EXPECT_GE(ContrastRatio(ink, paper), 4.5) << p.name << " " << ink.name().toStdString()
                                                      << " on " << paper.name().toStdString();
        }
        // Every status colour the control paints carries readable ink.
        for (const int32_t colour :
             {16769716, 7001344, 11184810, 16756318, 16757738, 11468799, 9869055, 14588478, 4755712,
              15, 15276843, 16732623, 65535, 255}) {
            const QColor fill(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
            EXPECT_GE(ContrastRatio(c.inkOn(fill), fill), 4.5) << p.name << " " << colour;
        }
    }
    // Painted: the dark palette gives dark rows and a dark header, with light resource names.
    view->setPalette(DarkPalette());
    const QImage image = Snapshot(port());
    const QColor header = image.pixelColor(view->chartArea().left() + 300, 3);
    const QColor row = image.pixelColor(view->listArea().right() - 3, view->pointAt(2, {}).y());
    EXPECT_LT(header.lightness(), 90);
    EXPECT_LT(row.lightness(), 90);
    int lightest = 0;
    const QRect name(6, view->pointAt(2, {}).y() - 6, 30, 12);
    for (int x = name.left(); x <= name.right(); ++x) {
        for (int y = name.top(); y <= name.bottom(); ++y) {
            lightest = std::max(lightest, image.pixelColor(x, y).lightness());
        }
    }
    EXPECT_GT(lightest, 180);
}

// ---- Export ----

TEST_F(ChartReadingTest, ExportsHoldEveryRowOverTheWholeWindow) {
    for (int i = 4; i <= 60; ++i) {
        chart.AddRow("R" + std::to_string(i) + ";Machine");
    }
    const int16_t last = addWorkOrder(60, 480, 720, "WO-60");
    chart.MoveTimeBar(60, last, 0, 0, DayNumber(2002, 12, 29), DayNumber(2002, 12, 31));
    ASSERT_FALSE(view->chartArea().contains(view->barRect(60, last)));

    const QImage image = view->renderWholeChart(4000);
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(image.width(), 4000);
    EXPECT_EQ(image.height(), view->headerHeight() + 60 * view->rowHeight());
    // The last row's bar, at the end of the year, is painted in its colour.
    const double dayWidth = (image.width() - view->listWidth() - 1) / 365.0;
    const int x =
        view->listWidth() + 1 +
        static_cast<int>((DayNumber(2002, 12, 30) - DayNumber(2002, 1, 1) + 0.2) * dayWidth);
    const int y = image.height() - view->rowHeight() / 2;
    EXPECT_EQ(image.pixelColor(x, y), QColor(94, 174, 255));
    // The screen is as it was.
    EXPECT_EQ(view->dayWidth(), 240.0);

    QTemporaryDir dir;
    // Zoomed out, the file stays small: the image follows the screen's zoom.
    chart.SetTimeScale(4);
    const QString png = dir.filePath(QStringLiteral("chart.png"));
    ASSERT_TRUE(view->exportPng(png));
    EXPECT_EQ(QImage(png).height(), image.height());
    EXPECT_EQ(QImage(png).width(), view->listWidth() + 1 + 365 * 4);

    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(view->exportPdf(pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // 60 rows on A3 pages: more than one page, each a page of its own in the document.
    QPdfWriter probe(dir.filePath(QStringLiteral("probe.pdf")));
    probe.setResolution(96);
    probe.setPageLayout(QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    const int pages = view->printChart(probe);
    EXPECT_EQ(pages, (60 + (probe.height() - view->headerHeight()) / view->rowHeight() - 1) /
                         ((probe.height() - view->headerHeight()) / view->rowHeight()));
    EXPECT_EQ(
        bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
        pages);
}

}  // namespace
}  // namespace tessaro
