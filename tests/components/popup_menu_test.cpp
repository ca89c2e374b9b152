#include <tessaro/components/popup_menu.hpp>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/error_code.hpp"

namespace tessaro {
namespace {

// A menu with one item in each state Choose has to tell apart.
class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        menu.AddItem("mnuOpen", "Open work order");
        menu.AddItem("mnuHidden", "Split").SetVisible(false);
        menu.AddItem("mnuDisabled", "Merge").SetEnabled(false);
        menu.AddItem("mnuSep", "-");
        menu.SetItemChosenHandler([this](const std::string& name) { chosen.push_back(name); });
        menu.Changed.Subscribe([this] { ++changes; });
    }

    PopupMenu menu{"mnuBar", "Bar"};
    std::vector<std::string> chosen;
    int changes = 0;
};

TEST_F(PopupMenuTest, ChooseRunsTheHandlerOnlyForVisibleEnabledItems) {
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {
        {"mnuOpen", true},       // plain item
        {"mnuHidden", false},    // hidden
        {"mnuDisabled", false},  // greyed
        {"mnuSep", false},       // separator
        {"mnuNone", false},      // unknown
    };
    for (const auto& c : cases) {
        chosen.clear();
        EXPECT_EQ(menu.Choose(c.name), c.accepted) << c.name;
        EXPECT_EQ(chosen,
                  c.accepted ? std::vector<std::string>{c.name} : std::vector<std::string>{})
            << c.name;
    }
}

TEST_F(PopupMenuTest, ItemStateChangesAreHonouredAndNotifyTheMenu) {
    menu.Item("mnuHidden").SetVisible(true);
    menu.Item("mnuDisabled").SetEnabled(true);
    menu.Item("mnuOpen").SetCaption("-");
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(menu.Choose("mnuHidden"));
    EXPECT_TRUE(menu.Choose("mnuDisabled"));
    EXPECT_FALSE(menu.Choose("mnuOpen"));
    EXPECT_TRUE(menu.Item("mnuOpen").IsSeparator());
}

TEST_F(PopupMenuTest, ShowIsCountedAndObserved) {
    int shown = 0;
    menu.Shown.Subscribe([&] { ++shown; });
    menu.Show();
    menu.Show();
    EXPECT_EQ(menu.ShowCount(), 2);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(changes, 0);
}

TEST_F(PopupMenuTest, DuplicateAndUnknownNamesRaiseInvalidProcedureCall) {
    EXPECT_EQ(ErrorCode([&] { menu.AddItem("mnuOpen", "Again"); }), 5);
    EXPECT_EQ(ErrorCode([&] { menu.Item("mnuNone"); }), 5);
    EXPECT_EQ(menu.Items().size(), 4u);
}

TEST_F(PopupMenuTest, ItemReferencesSurviveLaterAdditions) {
    MenuItem& first = menu.Item("mnuOpen");
    for (int i = 0; i < 100; ++i) {
        menu.AddItem("mnu" + std::to_string(i), "Item");
    }
    first.SetEnabled(false);
    EXPECT_FALSE(menu.Choose("mnuOpen"));
    EXPECT_TRUE(menu.Choose("mnu99"));
}

}  // namespace
}  // namespace tessaro
