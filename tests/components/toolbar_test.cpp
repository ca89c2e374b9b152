#include <tessaro/components/toolbar.hpp>

#include <vector>

#include <gtest/gtest.h>

#include "support/error_code.hpp"

namespace tessaro {
namespace {

class ToolbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolbar.AddButton("Zoom in");
        toolbar.AddButton("Zoom out");
        toolbar.SetButtonClickedHandler([this](int16_t position) { pressed.push_back(position); });
    }

    Toolbar toolbar;
    std::vector<int16_t> pressed;
};

TEST_F(ToolbarTest, PressRaisesTheClickWithTheButtonPosition) {
    toolbar.PressButton(2);
    toolbar.PressButton(1);
    EXPECT_EQ(pressed, (std::vector<int16_t>{2, 1}));
    EXPECT_EQ(toolbar.ButtonCaption(2), "Zoom out");
}

TEST_F(ToolbarTest, PositionsOutsideTheToolbarRaiseInvalidProcedureCall) {
    for (const int16_t position : {0, -1, 3}) {
        EXPECT_EQ(ErrorCode([&] { toolbar.PressButton(position); }), 5) << position;
        EXPECT_EQ(ErrorCode([&] { toolbar.ButtonCaption(position); }), 5) << position;
    }
    EXPECT_TRUE(pressed.empty());
}

}  // namespace
}  // namespace tessaro
