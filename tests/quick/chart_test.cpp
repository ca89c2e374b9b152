// The Qt Quick chart over the sample plant, in an offscreen window: what it paints, a click, the
// copy dragged onto another resource (recorded exactly as the same drag through the widget), a
// finger held on a bar opening the control's menu, the conflict marks a drop makes, a flick, the
// hovered bar's tooltip and the keys.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <QGuiApplication>
#include <QPalette>
#include <QPointingDevice>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

#include <gtest/gtest.h>

#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "support/samples.hpp"
#include "tessaro_chart.hpp"

namespace tessaro {
namespace {

using testing::ReadSample;

// The first order of the plan: on LATHE-01 on Monday from 14:00 to 18:00.
constexpr const char* kFirstBarKey = "WO-24001$1$5";

std::pair<int16_t, int16_t> FindBar(const ScheduleChart& chart, const std::string& key) {
    const int16_t row = chart.FindTimeBarRow(key);
    return {row, row > 0 ? chart.FindTimeBarInRow(key, row) : int16_t{0}};
}

// Copies the bar's activity through the Scheduler menu's model, as a right-click and Copy do;
// the temporary bar of the copy, or {0, 0}.
std::pair<int16_t, int16_t> CopyBar(Tessaro_Ctrl& control, std::pair<int16_t, int16_t> bar) {
    control.ctResSched().RightClickBar(bar.first, bar.second);
    if (!control.mnuSchedPopUp().Choose("miCopy") || control.TempBarKey().empty()) {
        return {0, 0};
    }
    return FindBar(control.ctResSched(), control.TempBarKey());
}

template <typename Target>
void DragMouse(Target* target, QPoint from, QPoint to) {
    QTest::mousePress(target, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 8; ++i) {
        QTest::mouseMove(target, from + (to - from) * i / 8);
    }
    QTest::mouseRelease(target, Qt::LeftButton, {}, to);
}

class QuickChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine = std::make_unique<QQmlEngine>();
        engine->addImportPath(QStringLiteral(TESSARO_QML_DIR));
        QQmlComponent component(engine.get());
        component.setData("import Tessaro\nTessaroChart { width: 1400; height: 700 }", QUrl());
        item.reset(qobject_cast<TessaroChart*>(component.create()));
        ASSERT_NE(item, nullptr) << component.errorString().toStdString();
        window = std::make_unique<QQuickWindow>();
        window->resize(1400, 700);
        item->setParentItem(window->contentItem());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->requestActivate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_EQ(item->loadPlantFolder(QStringLiteral(TESSARO_SAMPLES_DIR)), QString());
        ASSERT_EQ(chart().RowCount(), 12);
    }

    void TearDown() override {
        item.reset();
        window.reset();
        engine.reset();
    }

    Tessaro_Ctrl& ctrl() { return item->control(); }
    ScheduleChart& chart() { return ctrl().ctResSched(); }
    QPoint centre(std::pair<int16_t, int16_t> bar) {
        return item->barRect(bar.first, bar.second).center().toPoint();
    }
    QImage frame() { return window->grabWindow().convertToFormat(QImage::Format_RGB32); }
    // Drags the copy of the activity of the bar with that key by `hours` along its row; the
    // copy's activity is rebuilt where it was dropped.
    void DragCopyBy(const char* key, double hours) {
        const auto copy = CopyBar(ctrl(), FindBar(chart(), key));
        ASSERT_NE(copy.second, 0);
        const QPoint from = centre(copy);
        DragMouse(window.get(), from,
                  from + QPoint(static_cast<int>(std::lround(item->dayWidth() * hours / 24)), 0));
        ASSERT_EQ(ctrl().Changes().size(), 1u);
    }
    std::vector<PlanConflict> ConflictsOf(const ActivityKey& activity, ConflictKind kind) {
        std::vector<PlanConflict> found;
        for (const PlanConflict& conflict : ctrl().PlanConflicts()) {
            if (conflict.Activity == activity && conflict.Kind == kind) {
                found.push_back(conflict);
            }
        }
        return found;
    }
    QObject* openMenu(const QString& name) {
        auto* menu = item->findChild<QObject*>(name);
        return menu != nullptr && menu->property("opened").toBool() ? menu : nullptr;
    }

    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<TessaroChart> item;
};

TEST_F(QuickChartTest, PaintsTheFirstOrderInItsColourWhereItsTimesAre) {
    const auto first = FindBar(chart(), kFirstBarKey);
    ASSERT_NE(first.second, 0);
    const QRect rect = item->barRect(first.first, first.second).toRect();
    ASSERT_TRUE(QRect(0, 0, 1400, 700).contains(rect));
    const QImage image = window->grabWindow().convertToFormat(QImage::Format_RGB32);
    const QColor colour = toQColor(chart().Bar(first.first, first.second).Colour);
    // Above the bar's label, inside its outlines; and not beside it.
    const int y = rect.top() + 2;
    EXPECT_EQ(image.pixelColor(rect.center().x(), y), colour);
    EXPECT_NE(image.pixelColor(rect.left() - 3, y), colour);
    EXPECT_NE(image.pixelColor(rect.right() + 4, y), colour);
    // The resource list names the row.
    EXPECT_NE(image.pixelColor(2, rect.center().y()), colour);
}

TEST_F(QuickChartTest, AClickShowsTheWorkOrderAndTheControlsSelectionIsHeard) {
    QSignalSpy clicked(item.get(), &TessaroChart::barClicked);
    QSignalSpy details(item.get(), &TessaroChart::detailsChanged);
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, centre(FindBar(chart(), kFirstBarKey)));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toString(), QStringLiteral("WO-24001"));
    EXPECT_GE(details.count(), 1);
    const QVariantList shown = item->details();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown[0].toMap()[QStringLiteral("text")].toString(), QStringLiteral("WO-24001"));

    QSignalSpy selected(item.get(), &TessaroChart::selectedWorkOrderChanged);
    ctrl().SelectWorkOrderFirstSubActivity("WO-24004");
    EXPECT_EQ(selected.count(), 1);
    EXPECT_EQ(item->selectedWorkOrder(), QStringLiteral("WO-24004"));
}

TEST_F(QuickChartTest, DraggingTheCopyOntoAnotherRowRecordsWhatTheWidgetRecords) {
    // The same plant in the widget, dragged by the mouse the same way.
    TessaroWidget widget;
    widget.resize(1400, 860);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    Tessaro_Ctrl& other = widget.control();
    other.LoadScheduleTime(ReadSample("header.xml"));
    other.LoadResource(ReadSample("resources.xml"));
    other.LoadCalendarEvents(ReadSample("calendars.xml"));
    other.LoadResourceEvents(ReadSample("workorders.xml"));
    ScheduleChartView* view = widget.chartView();
    view->scrollToDay(other.ctResSched().RangeStartDay());
    view->verticalScrollBar()->setValue(0);

    const auto widgetCopy = CopyBar(other, FindBar(other.ctResSched(), kFirstBarKey));
    ASSERT_NE(widgetCopy.second, 0);
    const QPoint widgetFrom = view->barRect(widgetCopy.first, widgetCopy.second).center();
    // A day and a few minutes later, onto the next lathe.
    DragMouse(view->viewport(), widgetFrom,
              widgetFrom +
                  QPoint(static_cast<int>(std::lround(view->dayWidth())) + 7, view->rowHeight()));
    ASSERT_EQ(other.Changes().size(), 1u);

    const auto copy = CopyBar(ctrl(), FindBar(chart(), kFirstBarKey));
    ASSERT_NE(copy.second, 0);
    const QPoint from = centre(copy);
    QSignalSpy pending(item.get(), &TessaroChart::pendingChangesChanged);
    DragMouse(
        window.get(), from,
        from + QPoint(static_cast<int>(std::lround(item->dayWidth())) + 7, item->rowHeight()));
    EXPECT_EQ(ctrl().Changes(), other.Changes());
    EXPECT_EQ(ctrl().rescheduling().Xml(), other.rescheduling().Xml());
    EXPECT_EQ(item->pendingChanges(), 1);
    EXPECT_GE(pending.count(), 1);
    EXPECT_TRUE(item->canUndo());
}

TEST_F(QuickChartTest, AFingerHeldOnABarOpensTheSchedulerMenu) {
    // The test owns the device it made; nothing else deletes it.
    const std::unique_ptr<QPointingDevice> fingerDevice(QTest::createTouchDevice());
    QPointingDevice* finger = fingerDevice.get();
    const QPoint at = centre(FindBar(chart(), kFirstBarKey));
    QTest::touchEvent(window.get(), finger).press(0, at, window.get());
    EXPECT_EQ(openMenu(QStringLiteral("mnuSchedPopUp")), nullptr);
    QTest::qWait(QGuiApplication::styleHints()->mousePressAndHoldInterval());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return openMenu(QStringLiteral("mnuSchedPopUp")) != nullptr; }));
    QObject* menu = openMenu(QStringLiteral("mnuSchedPopUp"));
    EXPECT_EQ(menu->property("title").toString(), QStringLiteral("Scheduler"));
    QTest::touchEvent(window.get(), finger).release(0, at, window.get());
    // The release after the hold is no click: nothing was selected by it.
    EXPECT_EQ(ctrl().mnuSchedPopUp().ShowCount(), 1);
    // Closed as the planner would close it, so the window goes without a popup on it.
    QMetaObject::invokeMethod(menu, "close");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return openMenu(QStringLiteral("mnuSchedPopUp")) == nullptr; }));
}

// A parameterised case is named, and printed, by its `name`.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// The share of the rect's pixels in that colour.
double ShareOf(const QImage& image, const QRect& rect, const QColor& colour) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return rect.isEmpty() ? 0 : static_cast<double>(count) / (rect.width() * rect.height());
}

// WO-24001's activity 20 runs on MILL-01 from 18:30 to 21:30 on Monday, after activity 10 ends
// at 18:00 on LATHE-01; the mill's calendar blocks it from 22:00. Two hours earlier the copy
// starts before activity 10 ends, two hours later it runs into the block: the rebuilt bar carries
// the mark of that conflict where the conflict is.
struct ConflictMarkCase {
    const char* name;
    double hours;
    ConflictKind kind;
    // Where on the bar (fractions of its width) the mark is, and where it is not.
    double markFrom;
    double markTo;
    double clearFrom;
    double clearTo;
};

void PrintTo(const ConflictMarkCase& c, std::ostream* out) {
    *out << c.name;
}

class QuickChartConflictMarkTest : public QuickChartTest,
                                   public ::testing::WithParamInterface<ConflictMarkCase> {};

TEST_P(QuickChartConflictMarkTest, ADropThatMakesAConflictIsMarkedOnTheRebuiltBar) {
    const ConflictMarkCase& c = GetParam();
    const ActivityKey activity{"WO-24001", 20};
    ASSERT_TRUE(ConflictsOf(activity, c.kind).empty());
    // Twenty pixels an hour, the bar in sight.
    chart().SetTimeScale(480);
    const auto bar20 = FindBar(chart(), "WO-24001$2$5");
    item->setFocusedBar(bar20.first, bar20.second);
    DragCopyBy("WO-24001$2$5", c.hours);
    const std::vector<PlanConflict> made = ConflictsOf(activity, c.kind);
    ASSERT_EQ(made.size(), 1u);
    // Off the bar, so neither the tooltip nor the focus ring covers it.
    QTest::mouseMove(window.get(), QPoint(5, 5));
    const QRect bar = item->barRect(made[0].Row, made[0].Bar).toRect();
    ASSERT_TRUE(item->chartArea().toRect().contains(bar));
    const QImage image = frame();
    // The upper part of the bar, clear of its outline and label.
    const auto band = [&](double from, double to) {
        return QRect(bar.left() + static_cast<int>(bar.width() * from), bar.top() + 2,
                     std::max(1, static_cast<int>(bar.width() * (to - from))),
                     std::max(1, bar.height() / 4 - 2));
    };
    const QColor mark = c.kind == ConflictKind::Precedence
                            ? QColor(0xE0, 0x8A, 0x00)
                            : QGuiApplication::palette().color(QPalette::Text);
    EXPECT_GT(ShareOf(image, band(c.markFrom, c.markTo), mark), 0.05);
    EXPECT_LT(ShareOf(image, band(c.clearFrom, c.clearTo), mark), 0.02);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, QuickChartConflictMarkTest,
    ::testing::Values(
        // The amber edge at the bar's start, nothing at its end.
        ConflictMarkCase{"Precedence", -2, ConflictKind::Precedence, 0, 0.02, 0.5, 0.9},
        // The dotted band over the last half hour and more, nothing before the block.
        ConflictMarkCase{"NonWorkingTime", 2, ConflictKind::NonWorkingTime, 0.6, 0.95, 0.05, 0.4}),
    CaseName<ConflictMarkCase>);

// A pan off the bars that is still moving when the mouse lets go carries the chart on, slower
// and slower; one held still before the release stops where it is.
struct FlickCase {
    const char* name;
    int pauseBeforeReleaseMs;
    bool carriesOn;
};

void PrintTo(const FlickCase& c, std::ostream* out) {
    *out << c.name;
}

class QuickChartFlickTest : public QuickChartTest,
                            public ::testing::WithParamInterface<FlickCase> {};

TEST_P(QuickChartFlickTest, APanLetGoWhileMovingCarriesTheChartOn) {
    const FlickCase& c = GetParam();
    // Below the last row, in the chart area: no bar there, so the mouse pans.
    const QRectF area = item->chartArea();
    const int y = static_cast<int>(area.top()) + item->contentHeight() + 20;
    ASSERT_LT(y, area.bottom());
    ASSERT_GT(item->contentWidth(), area.width() + 1000);
    const QPoint from(static_cast<int>(area.center().x()) + 200, y);
    const QPoint to = from - QPoint(300, 0);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= 10; ++i) {
        QTest::mouseMove(window.get(), from + (to - from) * i / 10);
    }
    EXPECT_EQ(item->contentX(), 300);
    if (c.pauseBeforeReleaseMs > 0) {
        QTest::qWait(c.pauseBeforeReleaseMs);
    }
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, to);
    const int released = item->contentX();
    EXPECT_EQ(item->flicking(), c.carriesOn);
    QTest::qWait(150);
    if (c.carriesOn) {
        const int later = item->contentX();
        EXPECT_GT(later, released + 50);
        // It slows down and stops.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !item->flicking(); }, 5000));
        EXPECT_GE(item->contentX(), later);
    } else {
        EXPECT_EQ(item->contentX(), released);
    }
}

INSTANTIATE_TEST_SUITE_P(Pans, QuickChartFlickTest,
                         ::testing::Values(FlickCase{"LetGoMoving", 0, true},
                                           FlickCase{"HeldStillFirst", 250, false}),
                         CaseName<FlickCase>);

TEST_F(QuickChartTest, TheHoveredBarsTooltipIsTheWidgetsAndLeavesWithTheMouse) {
    TessaroWidget widget;
    Tessaro_Ctrl& other = widget.control();
    other.LoadScheduleTime(ReadSample("header.xml"));
    other.LoadResource(ReadSample("resources.xml"));
    other.LoadCalendarEvents(ReadSample("calendars.xml"));
    other.LoadResourceEvents(ReadSample("workorders.xml"));
    const auto bar = FindBar(chart(), kFirstBarKey);
    const QString expected = widget.chartView()->describeBar(bar.first, bar.second);
    ASSERT_TRUE(expected.contains(QStringLiteral("WO-24001")));

    QSignalSpy hovered(item.get(), &TessaroChart::hoverChanged);
    QTest::mouseMove(window.get(), centre(bar));
    EXPECT_EQ(item->hoverText(), expected);
    EXPECT_EQ(item->hoverRect(), item->barRect(bar.first, bar.second));
    EXPECT_EQ(item->toolTipAt(centre(bar).x(), centre(bar).y()), expected);
    EXPECT_EQ(hovered.count(), 1);
    // Along the same bar nothing changes; off the bars the text goes.
    QTest::mouseMove(window.get(), centre(bar) + QPoint(3, 0));
    EXPECT_EQ(hovered.count(), 1);
    QTest::mouseMove(window.get(), QPoint(5, 5));
    EXPECT_EQ(item->hoverText(), QString());
}

// The widget's keys on the item: each case starts from the loaded plant with the item focused.
class QuickChartKeyTest;

struct KeyCase {
    const char* name;
    std::function<void(QuickChartKeyTest&)> arrange;
    std::vector<QKeyCombination> keys;
    std::function<void(QuickChartKeyTest&)> check;
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

class QuickChartKeyTest : public QuickChartTest, public ::testing::WithParamInterface<KeyCase> {
public:
    using QuickChartTest::chart;
    using QuickChartTest::ctrl;
    using QuickChartTest::item;
    using QuickChartTest::openMenu;
};

TEST_P(QuickChartKeyTest, KeysDoWhatTheWidgetsKeysDo) {
    const KeyCase& c = GetParam();
    item->forceActiveFocus();
    ASSERT_TRUE(item->hasActiveFocus());
    if (c.arrange) {
        c.arrange(*this);
    }
    for (const QKeyCombination key : c.keys) {
        QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
    }
    c.check(*this);
}

std::pair<int, int> FirstWorkOrderBarOf(const ScheduleChart& chart) {
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            if (chart.TimeBarKind(row, bar) == WorkOrderBarKind) {
                return {row, bar};
            }
        }
    }
    return {0, 0};
}

INSTANTIATE_TEST_SUITE_P(
    Keys, QuickChartKeyTest,
    ::testing::Values(
        // The first arrow takes the first work-order bar, the next goes on along its row, and
        // the focus ring is painted round it.
        KeyCase{"ArrowsWalkTheFocus",
                nullptr,
                {QKeyCombination(Qt::Key_Right)},
                [](QuickChartKeyTest& test) {
                    const std::pair<int, int> first = FirstWorkOrderBarOf(test.chart());
                    ASSERT_EQ(test.item->focusedBar(), first);
                    QSignalSpy moved(test.item.get(), &TessaroChart::barFocusChanged);
                    QTest::keyClick(test.item->window(), Qt::Key_Right);
                    const auto [row, bar] = test.item->focusedBar();
                    EXPECT_EQ(moved.count(), 1);
                    EXPECT_EQ(row, first.first);
                    EXPECT_NE(bar, first.second);
                    EXPECT_GT(test.chart()
                                  .Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar))
                                  .Start.AbsoluteMinutes(),
                              test.chart()
                                  .Bar(static_cast<int16_t>(first.first),
                                       static_cast<int16_t>(first.second))
                                  .Start.AbsoluteMinutes());
                    // Two pixels of the highlight just outside the bar.
                    const QRect rect = test.item->barRect(row, bar).toRect();
                    const QImage image =
                        test.item->window()->grabWindow().convertToFormat(QImage::Format_RGB32);
                    EXPECT_EQ(image.pixelColor(rect.center().x(), rect.top() - 2),
                              QGuiApplication::palette().color(QPalette::Highlight));
                }},
        // Space clicks the focused bar: its work order's details fill in.
        KeyCase{"SpaceClicksTheFocusedBar",
                nullptr,
                {QKeyCombination(Qt::Key_Right), QKeyCombination(Qt::Key_Space)},
                [](QuickChartKeyTest& test) {
                    const auto [row, bar] = test.item->focusedBar();
                    EXPECT_EQ(test.item->lastClickedBar(), std::make_pair(row, bar));
                    EXPECT_FALSE(test.ctrl().TxtWONo().Text().empty());
                }},
        // F8 clicks a bar of a conflict and brings it into sight.
        KeyCase{"F8ReachesAConflict",
                nullptr,
                {QKeyCombination(Qt::Key_F8)},
                [](QuickChartKeyTest& test) {
                    const auto [row, bar] = test.item->lastClickedBar();
                    ASSERT_NE(bar, 0);
                    const ChartBar& clicked =
                        test.chart().Bar(static_cast<int16_t>(row), static_cast<int16_t>(bar));
                    // The chart counts minutes from 1 January 1900, the plan from 1970.
                    const auto minute = [](PlanTime time) {
                        return std::chrono::floor<std::chrono::minutes>(time)
                                   .time_since_epoch()
                                   .count() +
                               int64_t{25567} * 1440;
                    };
                    const bool inConflict = std::ranges::any_of(
                        test.ctrl().PlanConflicts(), [&](const PlanConflict& conflict) {
                            return conflict.Row == row &&
                                   minute(conflict.Start) < clicked.End.AbsoluteMinutes() &&
                                   minute(conflict.End) > clicked.Start.AbsoluteMinutes();
                        });
                    EXPECT_TRUE(inConflict) << row << "," << bar;
                    EXPECT_TRUE(test.item->chartArea().intersects(test.item->barRect(row, bar)));
                }},
        // Ctrl+Z takes back a drop, Ctrl+Y makes it again.
        KeyCase{"CtrlZUndoesAndCtrlYRedoes",
                [](QuickChartKeyTest& test) {
                    Tessaro_Ctrl& control = test.ctrl();
                    const auto copy = CopyBar(control, FindBar(control.ctResSched(), kFirstBarKey));
                    ASSERT_NE(copy.second, 0);
                    control.ctResSched().DragBar(
                        copy.first, copy.second, copy.first,
                        control.ctResSched().Bar(copy.first, copy.second).Start.Day + 1, 14 * 60);
                    ASSERT_EQ(control.Changes().size(), 1u);
                    // The menu the right-click opened goes, and the keys come back to the chart.
                    if (QObject* menu = test.openMenu(QStringLiteral("mnuSchedPopUp"))) {
                        QMetaObject::invokeMethod(menu, "close");
                    }
                    ASSERT_TRUE(QTest::qWaitFor(
                        [&] { return test.openMenu(QStringLiteral("mnuSchedPopUp")) == nullptr; }));
                    test.item->forceActiveFocus();
                },
                {QKeyCombination(Qt::ControlModifier, Qt::Key_Z)},
                [](QuickChartKeyTest& test) {
                    EXPECT_TRUE(test.ctrl().Changes().empty());
                    EXPECT_TRUE(test.item->canRedo());
                    QTest::keyClick(test.item->window(), Qt::Key_Y, Qt::ControlModifier);
                    EXPECT_EQ(test.ctrl().Changes().size(), 1u);
                }}),
    CaseName<KeyCase>);

}  // namespace
}  // namespace tessaro
