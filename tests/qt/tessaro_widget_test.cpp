#include <tessaro/qt/tessaro_widget.hpp>

#include <memory>
#include <string>
#include <vector>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "qt/widget_test_support.hpp"
#include "surface_widgets.hpp"

namespace tessaro {
namespace {

using testing::CloseMenus;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RecordingSink;
using testing::Snapshot;
using testing::VisibleMenu;

QStringList MenuEntries(const QMenu* menu) {
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return entries;
}

// The whole control at its design size, with two resources and a green one-day bar on Monday
// 7 January 2002 in sight. The chart's notifications go to a recording sink.
class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget = std::make_unique<TessaroWidget>();
        widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
        monday = DayNumber(2002, 1, 7);
        ScheduleChart& chart = ctrl().ctResSched();
        chart.SetEventSink(&sink);
        chart.AddRow("R1;Lathe");
        chart.AddRow("R2;Mill");
        chart.AddTimeBar(1, 0, 0, monday, monday + 1, "WO1");
        chart.SetTimeBarColour(1, 1, 4755712);
        chart.SetTimeBarKind(1, 1, ScheduleChartView::kWorkOrderBarKind);
        view()->scrollToDay(monday - 1);
    }

    void TearDown() override {
        CloseMenus();
        widget.reset();
    }

    Tessaro_Ctrl& ctrl() { return widget->control(); }
    ScheduleChartView* view() { return widget->chartView(); }
    QWidget* element(const char* name) { return widget->surfaceWidget(QString::fromLatin1(name)); }

    // The bar's painted width, counted in pixels of its colour along its middle; the two outline
    // pixels at its ends are drawn darker.
    int paintedWidth(int row, int bar, const QColor& colour) {
        const QImage image = Snapshot(view()->viewport());
        const int y = view()->barRect(row, bar).center().y();
        int width = 0;
        for (int x = 0; x < image.width(); ++x) {
            width += image.pixelColor(x, y) == colour ? 1 : 0;
        }
        return width + 2;
    }

    int32_t monday = 0;
    RecordingSink sink;
    std::unique_ptr<TessaroWidget> widget;
};

// ---- The surface ----

TEST_F(WidgetTest, EveryVisibleSurfaceElementIsShownAndNoHiddenOne) {
    int shown = 0;
    for (const SurfaceElement& e : DesignSurface()) {
        QWidget* w = element(e.Name.c_str());
        if (!e.Visible) {
            EXPECT_EQ(w, nullptr) << e.Name;
            continue;
        }
        ASSERT_NE(w, nullptr) << e.Name;
        // The conflict panel beside the chart shows what the one-line box listed.
        EXPECT_EQ(w->isVisible(), e.Name != "lstConflictWorkOrders") << e.Name;
        EXPECT_EQ(w->objectName().toStdString(), e.Name);
        ++shown;
    }
    EXPECT_EQ(shown, 37);
    EXPECT_EQ(element("lstConflictHidden"), nullptr);
    EXPECT_EQ(element("Box1"), nullptr);
}

TEST_F(WidgetTest, ElementsArePlacedFromTheirTwips) {
    // 14475 x 9525 twips at 96 dpi (the detail frame below the grid, not over its rows), and the
    // legend's lines below the status legend.
    const QRect legend = widget->legendDetails()->geometry();
    EXPECT_EQ(legend.top(), 635);
    EXPECT_GT(legend.height(), 0);
    EXPECT_EQ(widget->size(), QSize(965, 635 + legend.height()));
    const struct {
        const char* name;
        QRect rect;
    } cases[] = {
        {"ctToolBar1", {0, 0, 217, 33}},   {"CmbConflictTB", {808, 8, 153, 21}},
        {"ctResSched", {0, 32, 668, 337}}, {"vaSpread", {0, 368, 961, 149}},
        {"Frame2", {0, 602, 965, 33}},     {"shReq", {16, 10, 16, 16}},  // inside the legend frame
        {"shRel", {496, 10, 16, 16}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(element(c.name)->geometry(), c.rect) << c.name;
    }
    // The conflict panel takes 3/10 of the width beside the chart, as tall as the chart.
    EXPECT_EQ(widget->conflictPanel()->geometry(), QRect(672, 32, 289, 337));
}

TEST_F(WidgetTest, TheChartAndGridStretchWithTheWidth) {
    widget->resize(1265, 749);
    const int legend = widget->legendDetails()->height();
    EXPECT_EQ(element("ctResSched")->geometry(), QRect(0, 32, 1261 - 379 - 4, 337 + 114 - legend));
    EXPECT_EQ(element("vaSpread")->geometry(), QRect(0, 482 - legend, 1261, 149));
    EXPECT_EQ(widget->legendDetails()->geometry().bottom(), 748);
    EXPECT_EQ(element("CmbConflictTB")->geometry(), QRect(808, 8, 153, 21));
}

TEST_F(WidgetTest, CaptionsAndTheTitleAreShownUncut) {
    const char* const labels[] = {"Label5",     "LabelWONo",       "LabelItemNo", "LabelStartDt",
                                  "LabelReqDt", "LabelWOActivity", "LabelSONo",   "LabelCustName",
                                  "LabelEndDt", "LabelPromDt",     "LabelReq",    "LabelRel"};
    for (const char* name : labels) {
        const auto* label = qobject_cast<QLabel*>(element(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << name;
    }
    EXPECT_EQ(qobject_cast<QLabel*>(element("Label5"))->text(), QStringLiteral("Schedule Chart "));
    // No caption hides under its neighbour on the same line.
    const QRect activity = element("LabelWOActivity")->geometry();
    EXPECT_LT(activity.right(), element("TxtWOAct")->geometry().left());
}

TEST_F(WidgetTest, DetailTextBoxesShowTheirModelsReadOnly) {
    const char* const names[] = {"TxtWONo",     "TxtWOStatus",     "TxtOrdNo",
                                 "TxtCustNo",   "TxtReqDt",        "TxtPromisedDt",
                                 "TxtItemNo",   "TxtActStartDate", "TxtactEndDate",
                                 "TxtWOStTime", "TxtWOEndTime",    "TxtWOAct"};
    for (const char* name : names) {
        auto* box = qobject_cast<QLineEdit*>(element(name));
        ASSERT_NE(box, nullptr) << name;
        EXPECT_TRUE(box->isReadOnly()) << name;
        EXPECT_EQ(box->parentWidget(), element("frameWO")) << name;
        const std::string text = std::string("12/31/2002 ") + name;
        ctrl().DetailTextBox(name)->SetText(text);
        EXPECT_EQ(box->text().toStdString(), text) << name;
        // The box grows to show its whole text.
        EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->text())) << name;
    }
}

TEST_F(WidgetTest, TheLegendShowsTheFourStatusColours) {
    const struct {
        const char* box;
        const char* label;
        QColor colour;
        const char* caption;
    } cases[] = {
        {"shReq", "LabelReq", QColor(0, 145, 72), "Request"},
        {"shAcc", "LabelAcc", QColor(255, 255, 0), "Accepted"},
        {"shFir", "LabelFir", widget->palette().color(QPalette::ButtonText), "Firmed"},
        {"shRel", "LabelRel", QColor(0, 0, 255), "Released"},
    };
    for (const auto& c : cases) {
        QWidget* box = element(c.box);
        EXPECT_EQ(Snapshot(box).pixelColor(box->rect().center()), c.colour) << c.box;
        EXPECT_EQ(qobject_cast<QLabel*>(element(c.label))->text().toStdString(), c.caption);
    }
}

TEST_F(WidgetTest, TheLegendAlsoShowsBarsAsTheyLookUnselected) {
    auto* legend = qobject_cast<qt_detail::LegendStrip*>(widget->legendDetails());
    ASSERT_NE(legend, nullptr);
    const QImage image = Snapshot(legend);
    // Entry 0 is the heading; then the statuses with their index in the normal colour table.
    const struct {
        int entry;
        size_t colour;
        const char* caption;
    } cases[] = {{1, 0, "Planned"},         {2, 1, "Request"},  {3, 5, "Accepted"},
                 {4, 2, "Firmed"},          {5, 3, "Released"}, {6, 4, "Other status"},
                 {7, 6, "Special activity"}};
    for (const auto& c : cases) {
        const QRect swatch = legend->swatchRect(c.entry);
        ASSERT_TRUE(legend->rect().contains(swatch)) << c.caption;
        EXPECT_EQ(image.pixelColor(swatch.center()), toQColor(ctrl().NormalBarColours()[c.colour]))
            << c.caption;
        EXPECT_EQ(legend->captions()[c.entry].toStdString(), c.caption);
    }
    for (const char* meaning : {"Not available", "Copy to move", "Overlap", "Changed: loaded here",
                                "Start mark: host check 1 or 2", "End mark: runs online"}) {
        EXPECT_TRUE(legend->captions().contains(QLatin1String(meaning))) << meaning;
    }
}

TEST_F(WidgetTest, ConflictListAndComboFollowTheirModels) {
    auto* list = qobject_cast<QListWidget*>(element("lstConflictWorkOrders"));
    ASSERT_NE(list, nullptr);
    ctrl().lstConflictWorkOrders().AddItem("WO1 / 10");
    ctrl().lstConflictWorkOrders().AddItem("WO2 / 20");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("WO2 / 20"));

    auto* combo = qobject_cast<QComboBox*>(element("CmbConflictTB"));
    ASSERT_NE(combo, nullptr);
    // The design's "Combo1" stays the model's text; the box says what it is for.
    EXPECT_EQ(ctrl().CmbConflictTB().Text(), "Combo1");
    EXPECT_EQ(combo->currentText(), QString());
    EXPECT_EQ(combo->lineEdit()->placeholderText(), QStringLiteral("Conflicting bars"));
    EXPECT_EQ(combo->toolTip(), QStringLiteral("Combo1"));
    ctrl().CmbConflictTB().AddItem("Lathe");
    ctrl().CmbConflictTB().SetListIndex(0);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Lathe"));
}

TEST_F(WidgetTest, DoubleClickingAConflictSelectsItThenConfirms) {
    auto* list = qobject_cast<QListWidget*>(element("lstConflictWorkOrders"));
    ListBox& model = ctrl().lstConflictWorkOrders();
    model.AddItem("WO1 / 10");
    model.AddItem("WO2 / 20");
    std::vector<int32_t> confirmed;
    model.SetDoubleClickHandler([&] { confirmed.push_back(model.ListIndex()); });
    const QPoint at = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(model.ListIndex(), 1);
    EXPECT_THAT(confirmed, IsEmpty());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_THAT(confirmed, ElementsAre(1));
}

// ---- Toolbar ----

TEST_F(WidgetTest, ToolbarButtonsCarryTheModelsCaptions) {
    const char* const captions[] = {"Hide Mutliline", "Show Mutliline", "Zoom In", "Zoom out"};
    const char* const shown[] = {"Hide work-order list", "Show work-order list", "Zoom In",
                                 "Zoom out"};
    for (int position = 1; position <= 4; ++position) {
        QToolButton* button = widget->toolButton(position);
        ASSERT_NE(button, nullptr) << position;
        EXPECT_EQ(button->text().toStdString(), shown[position - 1]);
        EXPECT_EQ(button->toolTip().toStdString(), shown[position - 1]);
        EXPECT_EQ(button->accessibleDescription().toStdString(), captions[position - 1]);
    }
    EXPECT_EQ(widget->toolButton(5), nullptr);
}

TEST_F(WidgetTest, ZoomButtonsChangeThePaintedWidthOfADay) {
    // A day of 300 pixels needs the whole width, without the conflict panel beside the chart.
    widget->setSurfacePartVisible(SurfacePart::ConflictList, false);
    const QColor green(0, 145, 72);
    EXPECT_NEAR(paintedWidth(1, 1, green), 250, 1);
    QTest::mouseClick(widget->toolButton(3), Qt::LeftButton);
    EXPECT_EQ(ctrl().ctResSched().TimeScale(), 300);
    view()->scrollToDay(monday - 1);
    EXPECT_NEAR(paintedWidth(1, 1, green), 300, 1);
    QTest::mouseClick(widget->toolButton(4), Qt::LeftButton);
    QTest::mouseClick(widget->toolButton(4), Qt::LeftButton);
    view()->scrollToDay(monday - 1);
    EXPECT_NEAR(paintedWidth(1, 1, green), 200, 1);
}

TEST_F(WidgetTest, HideMultilineGivesTheGridsHeightToTheChart) {
    QWidget* grid = element("vaSpread");
    const int chartHeight = view()->height();
    const int gridHeight = grid->height();
    QTest::mouseClick(widget->toolButton(1), Qt::LeftButton);
    EXPECT_NEAR(view()->height(), chartHeight + gridHeight, 1);
    EXPECT_FALSE(grid->isVisible());
    // The detail frame lies below the grid, so the chart grown over the grid leaves it in sight.
    EXPECT_TRUE(element("frameWO")->isVisible());
    EXPECT_TRUE(element("Frame2")->isVisible());
    // More rows fit in sight.
    EXPECT_GT(view()->chartArea().height(), chartHeight);

    QTest::mouseClick(widget->toolButton(2), Qt::LeftButton);
    EXPECT_EQ(view()->height(), chartHeight);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_TRUE(element("frameWO")->isVisible());
}

TEST_F(WidgetTest, AnErrorInTheToolbarHandlerIsReported) {
    ctrl().ctToolBar1().SetButtonClickedHandler(
        [](int16_t) { RaiseRuntimeError(RuntimeError::Overflow); });
    QSignalSpy spy(widget.get(), &TessaroWidget::errorRaised);
    QTest::mouseClick(widget->toolButton(3), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), static_cast<int>(0x800A0006));
    EXPECT_EQ(spy[0][2].toString(), QStringLiteral("Overflow"));
}

// ---- Pop-up menus ----

TEST_F(WidgetTest, RightClickPopsTheSchedulerMenuAndChoosingReachesTheModel) {
    sink.react = [&](const std::string& name, int16_t, int16_t) {
        if (name == "BarRightClick") {
            ctrl().mnuSchedPopUp().Show();
        }
    };
    std::vector<std::string> chosen;
    ctrl().mnuSchedPopUp().SetItemChosenHandler(
        [&](const std::string& item) { chosen.push_back(item); });

    QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, view()->barRect(1, 1).center());
    QMenu* menu = VisibleMenu(QStringLiteral("Scheduler"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu, widget->popupMenu(QStringLiteral("mnuSchedPopUp")));
    EXPECT_EQ(MenuEntries(menu), QStringList({"Copy", "-", "Refresh", "-", "Pack"}));

    QAction* refresh = menu->findChild<QAction*>(QStringLiteral("miRefresh"));
    ASSERT_NE(refresh, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(refresh).center());
    EXPECT_THAT(chosen, ElementsAre("miRefresh"));
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(WidgetTest, MenusShowHiddenAndDisabledItemsAsTheModelSays) {
    PopupMenu& drag = ctrl().mnuDrag();
    drag.Item("miIgnore").SetVisible(false);
    std::vector<std::string> chosen;
    drag.SetItemChosenHandler([&](const std::string& item) { chosen.push_back(item); });
    drag.Show();
    QMenu* menu = VisibleMenu(QStringLiteral("Drag"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuEntries(menu), QStringList({"Paste Forward schedule", "Paste Backward schedule",
                                              "Paste Forward finite schedule",
                                              "Paste Backward finite schedule", "-"}));
    QAction* finite = menu->findChild<QAction*>(QStringLiteral("miFwdFinSch"));
    ASSERT_NE(finite, nullptr);
    EXPECT_FALSE(finite->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(finite).center());
    EXPECT_THAT(chosen, IsEmpty());

    // A change while the menu is up shows at once.
    drag.Item("miIgnore").SetVisible(true);
    EXPECT_EQ(MenuEntries(menu).back(), QStringLiteral("Ignore"));
    QAction* backward = menu->findChild<QAction*>(QStringLiteral("miBackSch"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(backward).center());
    EXPECT_THAT(chosen, ElementsAre("miBackSch"));
}

TEST_F(WidgetTest, AnErrorInAMenuHandlerIsReportedAndTheWidgetKeepsWorking) {
    PopupMenu& menuModel = ctrl().mnuSchedPopUp();
    menuModel.SetItemChosenHandler([](const std::string&) {
        throw AutomationError(kBarKeyBlankErrorNumber, "Tessaro_Ctrl", "Blank work order");
    });
    QSignalSpy spy(widget.get(), &TessaroWidget::errorRaised);
    menuModel.Show();
    QMenu* menu = VisibleMenu(QStringLiteral("Scheduler"));
    ASSERT_NE(menu, nullptr);
    QAction* copy = menu->findChild<QAction*>(QStringLiteral("miCopy"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(copy).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), kBarKeyBlankErrorNumber);
    EXPECT_EQ(spy[0][1].toString(), QStringLiteral("Tessaro_Ctrl"));
    EXPECT_EQ(spy[0][2].toString(), QStringLiteral("Blank work order"));

    // Still alive: the menu pops up again and the chart still takes gestures.
    std::vector<std::string> chosen;
    menuModel.SetItemChosenHandler([&](const std::string& item) { chosen.push_back(item); });
    menuModel.Show();
    menu = VisibleMenu(QStringLiteral("Scheduler"));
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(
        menu, Qt::LeftButton, {},
        menu->actionGeometry(menu->findChild<QAction*>(QStringLiteral("miPack"))).center());
    EXPECT_THAT(chosen, ElementsAre("miPack"));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->barRect(1, 1).center());
    EXPECT_THAT(sink.log, ElementsAre("BarClick 1,1", "BarSelected 1,1"));
}

TEST_F(WidgetTest, ChartErrorsReachTheWidgetsSignal) {
    sink.react = [](const std::string& name, int16_t, int16_t) {
        if (name == "BarChosen") {
            RaiseRuntimeError(RuntimeError::InvalidUseOfNull);
        }
    };
    QSignalSpy spy(widget.get(), &TessaroWidget::errorRaised);
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, view()->barRect(1, 1).center());
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, view()->barRect(1, 1).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), static_cast<int>(0x800A005E));
}

// ---- Grid ----

TEST_F(WidgetTest, ClickingAGridCellCallsTheGridsCellHandler) {
    std::vector<std::pair<int32_t, int32_t>> clicks;
    ctrl().vaSpread().SetCellClickedHandler(
        [&](int32_t column, int32_t row) { clicks.emplace_back(column, row); });
    ListGridView* grid = widget->gridView();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 1).center());
    EXPECT_THAT(clicks, ElementsAre(std::make_pair(3, 1)));

    ctrl().vaSpread().SetCellClickedHandler(
        [](int32_t, int32_t) { RaiseRuntimeError(RuntimeError::TypeMismatch); });
    QSignalSpy spy(widget.get(), &TessaroWidget::errorRaised);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 1).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), static_cast<int>(0x800A000D));
}

TEST_F(WidgetTest, TheGridShowsTheControlsTitles) {
    const ListGrid& grid = ctrl().vaSpread();
    EXPECT_EQ(grid.GridColumnCount(), 13);
    ListGridView* view = widget->gridView();
    // Wider columns in characters are wider on screen.
    EXPECT_GT(view->columnWidth(9), view->columnWidth(2));  // 18.62 against 7.37 characters
    EXPECT_EQ(grid.ColumnTitle(1), "Wo No.");
}

}  // namespace
}  // namespace tessaro
