// The Qt Quick chart over the sample plant, in an offscreen window: what it paints, a click, the
// copy dragged onto another resource (recorded exactly as the same drag through the widget) and
// a finger held on a bar opening the control's menu.

#include <cmath>
#include <memory>
#include <string>
#include <utility>

#include <QGuiApplication>
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

}  // namespace
}  // namespace tessaro
