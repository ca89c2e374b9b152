#include <tessaro/control/tessaro_ctrl.hpp>

#include <gtest/gtest.h>

#include <tessaro/runtime/automation_error.hpp>

namespace tessaro {
namespace {

enum Button : int16_t { kHide = 1, kShow = 2, kZoomIn = 3, kZoomOut = 4 };

class ToolbarTest : public ::testing::Test {
protected:
    float ChartHeight() const { return ctrl.ctResSched().Height(); }
    float GridHeight() const { return ctrl.vaSpread().Height(); }

    Tessaro_Ctrl ctrl;
};

TEST_F(ToolbarTest, ZoomStepsByFiftyWithoutALowerLimit) {
    for (int i = 0; i < 5; ++i) {
        ctrl.ToolButtonClicked(kZoomOut);
    }
    EXPECT_EQ(ctrl.ctResSched().TimeScale(), 0);
    ctrl.ToolButtonClicked(kZoomIn);
    EXPECT_EQ(ctrl.ctResSched().TimeScale(), 50);
    ctrl.ToolButtonClicked(kZoomOut);
    ctrl.ToolButtonClicked(kZoomOut);
    EXPECT_EQ(ctrl.ctResSched().TimeScale(), -50);
}

TEST_F(ToolbarTest, ZoomPastSixteenBitsRaisesOverflowAndKeepsTheScale) {
    ctrl.ctResSched().SetTimeScale(32760);
    try {
        ctrl.ToolButtonClicked(kZoomIn);
        FAIL() << "no overflow";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Code(), 6);
        EXPECT_EQ(error.Number(), static_cast<int32_t>(0x800A0006));
    }
    EXPECT_EQ(ctrl.ctResSched().TimeScale(), 32760);
}

TEST_F(ToolbarTest, HidingTheGridAlwaysSumsTheSavedHeights) {
    ctrl.ToolButtonClicked(kHide);
    ctrl.ToolButtonClicked(kHide);
    EXPECT_FLOAT_EQ(ChartHeight(), 5055 + 2235);
    EXPECT_FLOAT_EQ(GridHeight(), 2235);
    ctrl.ToolButtonClicked(kShow);
    EXPECT_FLOAT_EQ(ChartHeight(), 5055);
}

TEST_F(ToolbarTest, ShowingRestoresBothStartupHeightsAfterAHostResize) {
    ctrl.ctResSched().SetHeight(3000);
    ctrl.vaSpread().SetHeight(1000);
    ctrl.ToolButtonClicked(kShow);
    EXPECT_FLOAT_EQ(ChartHeight(), 5055);
    EXPECT_FLOAT_EQ(GridHeight(), 2235);
}

TEST_F(ToolbarTest, PressingAButtonReachesTheHandlerAndOtherPositionsDoNothing) {
    ctrl.ctToolBar1().PressButton(kZoomIn);
    EXPECT_EQ(ctrl.ctResSched().TimeScale(), 300);
    for (int16_t position : {int16_t{0}, int16_t{5}, int16_t{-1}}) {
        ctrl.ToolButtonClicked(position);
    }
    EXPECT_EQ(ctrl.ctResSched().TimeScale(), 300);
    EXPECT_FLOAT_EQ(ChartHeight(), 5055);
}

}  // namespace
}  // namespace tessaro
