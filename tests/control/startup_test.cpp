#include <tessaro/control/tessaro_ctrl.hpp>

#include <tessaro/control/design_surface.hpp>

#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tessaro {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class StartupTest : public ::testing::Test {
protected:
    Tessaro_Ctrl ctrl;
};

TEST_F(StartupTest, ChartSettingsAreWrittenInStartupOrder) {
    using W = ChartSettingWrite;
    const std::vector<W> expected = {
        {73, -1},
        {80, -1},
        {33, 0},
        {25, 1},
        {29, 0},
        {30, 0},
        {chart_property::kDayNames, std::string("Sun;Mon;Tue;Wed;Thu;Fri;Sat;")},
        {chart_property::kTimeScaleFormat, std::string("M ,Y")},
        {82, 65},
        {92, -1},
        {chart_property::kRangeStartDay, 37255},
        {chart_property::kRangeEndDay, 37619},
        {81, 3},
        {48, 0},
        {33, 0},
        {49, 6},
        {40, 5},
        {chart_property::kTimeScale, 250},
    };
    EXPECT_THAT(ctrl.ctResSched().SettingLog(), ElementsAreArray(expected));
}

TEST_F(StartupTest, DefaultWindowIsTheYear2002) {
    EXPECT_EQ(ctrl.ctResSched().RangeStartDay(), 37255);
    EXPECT_EQ(ctrl.ctResSched().RangeEndDay(), 37619);
    EXPECT_EQ(ctrl.WindowStart(), (DateTime{37255, 0}));
    EXPECT_EQ(ctrl.WindowEnd(), (DateTime{37619, 0}));
    EXPECT_EQ(ctrl.ctResSched().DayNames().back(), ';');
    EXPECT_EQ(ctrl.ctResSched().RowCount(), 0);
}

TEST_F(StartupTest, StateStartsWithGesturesArmedAndNoChanges) {
    EXPECT_EQ(ctrl.TempBarActive(), -1);
    EXPECT_EQ(ctrl.PasteArmed(), -1);
    EXPECT_EQ(ctrl.MovePending(), 0);
    EXPECT_EQ(ctrl.ResChangeFlag(), "N");
    EXPECT_EQ(ctrl.PendingChanges().Count(), 0);
    EXPECT_EQ(ctrl.SavedChartHeight(), 5055);
    EXPECT_EQ(ctrl.SavedGridHeight(), 2235);
}

TEST_F(StartupTest, ColourTablesHoldTheStatusColours) {
    EXPECT_THAT(ctrl.NormalBarColours(),
                ElementsAre(16769716, 7001344, 11184810, 16756318, 16757738, 11468799, 9869055));
    EXPECT_THAT(ctrl.SelectedBarColours(),
                ElementsAre(14588478, 4755712, 15, 15276843, 16732623, 65535, 255));
}

struct ExpectedStyle {
    int32_t flags;
    int16_t startMark, startMarkSize, endMark, endMarkSize;
};

// Sizes the start-up leaves unset read back as 0.
const ExpectedStyle kExpectedStyles[12] = {
    {15, 0, 0, 0, 0},  {15, 2, 7, 3, 7},   {15, 2, 7, 0, 0},  {15, 1, 7, 3, 7},
    {15, 1, 7, 0, 0},  {15, 0, 0, 3, 7},   {23, 0, 0, 0, 0},  {23, 5, 10, 6, 10},
    {23, 5, 10, 0, 0}, {23, 4, 10, 6, 10}, {23, 4, 10, 0, 0}, {23, 0, 10, 6, 10},
};

void ExpectWorkOrderStyles(const Tessaro_Ctrl& ctrl, int16_t firstStyle) {
    std::vector<int16_t> created(ctrl.NormalBarStyles().begin(), ctrl.NormalBarStyles().end());
    created.insert(created.end(), ctrl.SelectedBarStyles().begin(), ctrl.SelectedBarStyles().end());
    for (size_t i = 0; i < created.size(); ++i) {
        EXPECT_EQ(created[i], firstStyle + static_cast<int16_t>(i)) << "creation order " << i;
        const BarStyle& style = ctrl.ctResSched().Style(created[i]);
        const ExpectedStyle& e = kExpectedStyles[i];
        EXPECT_EQ(style.Flags, e.flags) << i;
        EXPECT_EQ(style.StartMark, e.startMark) << i;
        EXPECT_EQ(style.StartMarkSize, e.startMarkSize) << i;
        EXPECT_EQ(style.EndMark, e.endMark) << i;
        EXPECT_EQ(style.EndMarkSize, e.endMarkSize) << i;
    }
}

TEST_F(StartupTest, TwelveWorkOrderStylesInCreationOrder) {
    EXPECT_EQ(ctrl.ctResSched().StyleCount(), 12);
    ExpectWorkOrderStyles(ctrl, 1);
}

TEST_F(StartupTest, SecondStyleCreationAddsTwelveMoreAndPointsAtThem) {
    ctrl.CreateWOTimeBarStyles();
    EXPECT_EQ(ctrl.ctResSched().StyleCount(), 24);
    ExpectWorkOrderStyles(ctrl, 13);
    // The first twelve stay as they were for bars that already use them.
    EXPECT_EQ(ctrl.ctResSched().Style(2).StartMark, 2);
}

TEST_F(StartupTest, GridHasThirteenTitledColumnsAndNineEmptyRows) {
    const ListGrid& grid = ctrl.vaSpread();
    ASSERT_EQ(grid.GridColumnCount(), 13);
    ASSERT_EQ(grid.GridRowCount(), 9);
    std::vector<std::string> titles;
    for (int32_t column = 1; column <= 13; ++column) {
        titles.push_back(grid.ColumnTitle(column));
        for (int32_t row = 1; row <= 9; ++row) {
            EXPECT_EQ(grid.CellText(column, row), "");
        }
    }
    EXPECT_THAT(titles, ElementsAre("Wo No.", "Status", "Item", "Start Date", "Start Time",
                                    "End Date", "End Time", "SO No.", "Cust. Name", "Req. Dt",
                                    "Prom. Dt", "PP Pos.", "Duration"));
    EXPECT_DOUBLE_EQ(grid.ColumnWidth(9), 18.62);
}

std::vector<std::string> Captions(const PopupMenu& menu) {
    std::vector<std::string> captions;
    for (const MenuItem& item : menu.Items()) {
        captions.push_back(item.Name() + " " + item.Caption());
    }
    return captions;
}

TEST_F(StartupTest, PopupMenusCarryTheirEntriesInOrder) {
    EXPECT_EQ(ctrl.mnuSchedPopUp().Caption(), "Scheduler");
    EXPECT_THAT(
        Captions(ctrl.mnuSchedPopUp()),
        ElementsAre("miCopy Copy", "miSep3 -", "miRefresh Refresh", "miSep1 -", "miPack Pack"));
    EXPECT_EQ(ctrl.mnuDrag().Caption(), "Drag");
    EXPECT_THAT(
        Captions(ctrl.mnuDrag()),
        ElementsAre("miFwdSch Paste Forward schedule", "miBackSch Paste Backward schedule",
                    "miFwdFinSch Paste Forward finite schedule",
                    "miBackFinSch Paste Backward finite schedule", "miSep2 -", "miIgnore Ignore"));
    EXPECT_FALSE(ctrl.mnuDrag().Choose("miFwdFinSch"));
}

TEST_F(StartupTest, SurfaceShowsToolbarConflictListsAndReadOnlyDetails) {
    std::vector<std::string> buttons;
    for (int16_t position = 1; position <= ctrl.ctToolBar1().ButtonCount(); ++position) {
        buttons.push_back(ctrl.ctToolBar1().ButtonCaption(position));
    }
    EXPECT_THAT(buttons, ElementsAre("Hide Mutliline", "Show Mutliline", "Zoom In", "Zoom out"));
    EXPECT_EQ(ctrl.CmbConflictTB().Text(), "Combo1");
    EXPECT_EQ(ctrl.lstConflictWorkOrders().Font().Name, "Verdana");
    EXPECT_EQ(ctrl.Box1().Text(), "");
    for (const char* name : {"TxtWONo", "TxtWOStatus", "TxtOrdNo", "TxtCustNo", "TxtReqDt",
                             "TxtPromisedDt", "TxtItemNo", "TxtActStartDate", "TxtactEndDate",
                             "TxtWOStTime", "TxtWOEndTime", "TxtWOAct"}) {
        ASSERT_NE(ctrl.DetailTextBox(name), nullptr) << name;
        EXPECT_TRUE(ctrl.DetailTextBox(name)->Locked()) << name;
    }
    EXPECT_EQ(ctrl.DetailTextBox("Box1"), nullptr);
}

TEST(DesignSurfaceLayout, ChartSitsDirectlyAboveTheGridAndTheLegendMatchesTheSelectedColours) {
    const SurfaceElement* chart = FindSurfaceElement("ctResSched");
    const SurfaceElement* grid = FindSurfaceElement("vaSpread");
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(grid, nullptr);
    EXPECT_GE(chart->Bounds.Top + chart->Bounds.Height, grid->Bounds.Top);

    Tessaro_Ctrl ctrl;
    EXPECT_EQ(FindSurfaceElement("shReq")->FillColour, ctrl.SelectedBarColours()[1]);
    EXPECT_EQ(FindSurfaceElement("shAcc")->FillColour, ctrl.SelectedBarColours()[5]);
    EXPECT_EQ(FindSurfaceElement("Label5")->Caption, "Schedule Chart ");
    EXPECT_FALSE(FindSurfaceElement("lstConflictHidden")->Visible);

    std::set<std::string> names;
    for (const SurfaceElement& element : DesignSurface()) {
        EXPECT_TRUE(names.insert(element.Name).second) << "duplicate " << element.Name;
        if (!element.Parent.empty()) {
            EXPECT_NE(FindSurfaceElement(element.Parent), nullptr) << element.Name;
        }
    }
}

}  // namespace
}  // namespace tessaro
