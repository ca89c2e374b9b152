// The panels around the chart, driven with real mouse and key events: the conflict panel lists
// the plan's conflicts in planner words and brings a double-clicked one into sight; the find
// field brings a far resource into sight.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "qt/widget_test_support.hpp"
#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;

constexpr int32_t kDay = 37300;  // Friday 15 February 2002

class SurfacePanelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        widget = std::make_unique<TessaroWidget>();
        ASSERT_TRUE(testing::ShowActive(widget.get()));
        ctrl().LoadScheduleTime(testing::HeaderXml("2/11/2002", "2/28/2002"));
    }

    Tessaro_Ctrl& ctrl() { return widget->control(); }
    ScheduleChartView* view() const { return widget->chartView(); }
    QTreeWidget* conflicts() const { return widget->conflictPanel()->findChild<QTreeWidget*>(); }
    bool inSight(int row, int bar) const {
        return view()->chartArea().intersects(view()->barRect(row, bar));
    }

    std::unique_ptr<TessaroWidget> widget;
};

TEST_F(SurfacePanelsTest, ConflictPanelListsOverlapAndPrecedenceAndShowsADoubleClickedBar) {
    // WO1 and WO2 overlap on R1 from 09:00 to 10:00; WO3/20 on R3 starts at 13:00, before
    // WO3/10 on R2 ends at 15:00.
    ctrl().LoadResource(testing::ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Drill"}}));
    ctrl().LoadResourceEvents(testing::WorkOrdersXml({
        Placed("R1", "WO1", 10, kDay, 480, 120),
        Placed("R1", "WO2", 20, kDay, 540, 120),
        Placed("R2", "WO3", 10, kDay, 720, 180),
        Placed("R3", "WO3", 20, kDay, 780, 60),
    }));
    QApplication::processEvents();
    QTreeWidget* list = conflicts();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(ctrl().PlanConflicts().size()));

    struct Expected {
        const char* kind;
        const char* resource;
        const char* activities;
    };
    const Expected expected[] = {
        {"Overlap", "R1", "WO2/20 with WO1/10"},
        {"Out of order", "R3", "WO3/20 starts before WO3/10 ends"},
    };
    list->sortByColumn(1, Qt::AscendingOrder);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.kind);
        const auto found = list->findItems(QString::fromLatin1(e.kind), Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1);
        QTreeWidgetItem* item = found.front();
        EXPECT_EQ(item->text(1).toStdString(), e.resource);
        const std::string activities = item->text(3).toStdString();
        const bool either =
            activities == e.activities || activities == std::string("WO1/10 with WO2/20");
        EXPECT_TRUE(either) << activities;
        EXPECT_FALSE(item->toolTip(0).contains(QLatin1Char('$')));
        EXPECT_TRUE(item->toolTip(0).contains(item->text(2)));
    }
    // By resource R1 comes first; by time the overlap at 09:00 too, R3's 13:00 after it.
    EXPECT_EQ(list->topLevelItem(0)->text(1).toStdString(), "R1");
    list->sortByColumn(2, Qt::DescendingOrder);
    EXPECT_EQ(list->topLevelItem(0)->text(1).toStdString(), "R3");

    // Scrolled a week away, a double click on R3's line brings its bar back and clicks it.
    view()->scrollToDay(kDay + 7);
    // R3 holds WO3/20's bar alone.
    ASSERT_EQ(ctrl().ctResSched().TimeBarCount(3), 1);
    ASSERT_FALSE(inSight(3, 1));
    const QRect line = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_TRUE(inSight(3, 1));
    EXPECT_EQ(view()->focusedBar(), std::make_pair(3, 1));
    EXPECT_NE(ctrl().TxtWONo().Text().find("WO3"), std::string::npos);
}

// The panel keeps the lines of conflicts that stay and puts new ones where the order the planner
// chose puts them: after each move its lines are the plan's conflicts, still in that order.
TEST_F(SurfacePanelsTest, ConflictPanelFollowsMovesInTheOrderChosen) {
    ctrl().LoadResource(testing::ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Drill"}}));
    // Overlaps on R1 and R3; WO5 and WO6 on R2 apart.
    ctrl().LoadResourceEvents(testing::WorkOrdersXml({
        Placed("R1", "WO1", 10, kDay, 480, 120),
        Placed("R1", "WO2", 10, kDay, 540, 120),
        Placed("R2", "WO5", 10, kDay, 480, 60),
        Placed("R2", "WO6", 10, kDay, 700, 60),
        Placed("R3", "WO4", 10, kDay, 900, 60),
        Placed("R3", "WO7", 10, kDay, 930, 60),
    }));
    QApplication::processEvents();
    QTreeWidget* list = conflicts();
    ASSERT_NE(list, nullptr);
    list->sortByColumn(1, Qt::DescendingOrder);
    ScheduleChart& chart = ctrl().ctResSched();
    struct Move {
        const char* what;
        const char* key;
        int32_t startMinute;
    };
    const Move moves[] = {
        {"WO6 onto WO5: an overlap on R2 comes between R3's and R1's", "WO6$1$1", 500},
        {"WO2 away from WO1: R1's overlap goes", "WO2$1$1", 700},
        {"WO2 back onto WO1: R1's comes again, last", "WO2$1$1", 560},
        {"WO6 away from WO5: R2's goes", "WO6$1$1", 700},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.what);
        const int16_t row = chart.FindTimeBarRow(move.key);
        const int16_t bar = chart.FindTimeBarInRow(move.key, row);
        ASSERT_NE(bar, 0);
        const ChartBar& moved = chart.Bar(row, bar);
        const int32_t minutes = moved.End.AbsoluteMinutes() - moved.Start.AbsoluteMinutes();
        chart.PlaceTimeBar(row, bar, {kDay, move.startMinute}, {kDay, move.startMinute + minutes});
        QApplication::processEvents();
        ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(ctrl().PlanConflicts().size()));
        std::vector<std::string> shown;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            shown.push_back(list->topLevelItem(i)->text(1).toStdString());
        }
        EXPECT_TRUE(std::is_sorted(shown.rbegin(), shown.rend()))
            << ::testing::PrintToString(shown);
        std::vector<std::string> resources;
        for (const PlanConflict& conflict : ctrl().PlanConflicts()) {
            resources.push_back(conflict.Resource);
        }
        std::sort(resources.rbegin(), resources.rend());
        EXPECT_EQ(shown, resources);
    }
}

TEST_F(SurfacePanelsTest, FindFieldBringsAFarResourceIntoSightAndEnterGoesOn) {
    std::vector<testing::Attributes> resources;
    for (int i = 1; i <= 120; ++i) {
        const std::string code = (i < 100 ? "MILL-" : "LATHE-") + std::to_string(i);
        resources.push_back({{"resno", code}, {"shortdesc", i == 7 ? "Spare mill" : "Machine"}});
    }
    ctrl().LoadResource(testing::PayloadXml(resources));
    QApplication::processEvents();
    auto* find = widget->findChild<QLineEdit*>(QStringLiteral("resourceFinder"));
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(find->isVisible());
    find->setFocus(Qt::OtherFocusReason);

    auto shownRow = [&] {
        const int row = view()->highlightedRow();
        const QRect area = view()->chartArea();
        const QPoint at = view()->pointAt(row, ChartTime{kDay, 0});
        return row != 0 && at.y() >= area.top() && at.y() <= area.bottom() ? row : -row;
    };
    // The row of a resource code; the chart keeps the rows in its own order.
    auto rowOf = [&](const char* code) {
        const ScheduleChart& chart = ctrl().ctResSched();
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            if (chart.RowColumnText(row, 1) == code) {
                return static_cast<int>(row);
            }
        }
        return -1;
    };
    struct Step {
        const char* typed;  // text typed; nullptr for the key
        Qt::Key key;
        const char* found;  // the resource highlighted and in sight; nullptr for none
    };
    const Step steps[] = {
        {"MILL-84", Qt::Key_unknown, "MILL-84"}, {nullptr, Qt::Key_Return, "MILL-84"},
        {nullptr, Qt::Key_Escape, nullptr},      {"spare", Qt::Key_unknown, "MILL-7"},
        {nullptr, Qt::Key_Escape, nullptr},      {"LATHE-11", Qt::Key_unknown, "LATHE-110"},
        {nullptr, Qt::Key_Return, "LATHE-111"},  {nullptr, Qt::Key_Escape, nullptr},
        {"DRILL", Qt::Key_unknown, nullptr},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed != nullptr ? step.typed : "key");
        if (step.typed != nullptr) {
            QTest::keyClicks(find, QString::fromLatin1(step.typed));
        } else {
            QTest::keyClick(find, step.key);
        }
        EXPECT_EQ(shownRow(), step.found != nullptr ? rowOf(step.found) : 0);
        if (step.key == Qt::Key_Escape) {
            EXPECT_TRUE(find->text().isEmpty());
        }
    }
}

}  // namespace
}  // namespace tessaro
