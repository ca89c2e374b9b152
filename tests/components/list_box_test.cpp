#include <tessaro/components/combo_box.hpp>
#include <tessaro/components/list_box.hpp>

#include <gtest/gtest.h>

#include "support/error_code.hpp"

namespace tessaro {
namespace {

// Four items with the third selected.
class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* item : {"Press", "Lathe", "Mill", "Paint"}) {
            box.AddItem(item);
        }
        box.SelectItem(2);
    }

    ListBox box;
};

TEST_F(ListBoxTest, RemovingAnItemKeepsTheSelectionOnItsItem) {
    const struct {
        int32_t removed;
        int32_t index;
    } cases[] = {
        {0, 1},   // before the selection: it moves up
        {1, 1},   // just before the selection
        {2, -1},  // the selected item itself
        {3, 2},   // after the selection: it stays
    };
    for (const auto& c : cases) {
        ListBox copy = box;
        copy.RemoveItem(c.removed);
        EXPECT_EQ(copy.ListIndex(), c.index) << c.removed;
    }
}

TEST_F(ListBoxTest, ClearEmptiesTheListAndTheSelection) {
    box.Clear();
    EXPECT_EQ(box.ListCount(), 0);
    EXPECT_EQ(box.ListIndex(), -1);
}

TEST_F(ListBoxTest, IndicesOutsideTheListRaiseInvalidProcedureCall) {
    for (const int32_t index : {-1, 4}) {
        EXPECT_EQ(ErrorCode([&] { box.List(index); }), 5) << index;
        EXPECT_EQ(ErrorCode([&] { box.RemoveItem(index); }), 5) << index;
    }
    for (const int32_t index : {-2, 4}) {
        EXPECT_EQ(ErrorCode([&] { box.SetListIndex(index); }), 5) << index;
    }
    EXPECT_EQ(box.ListCount(), 4);
    EXPECT_EQ(box.ListIndex(), 2);
}

TEST_F(ListBoxTest, DoubleClickRunsTheHandlerAfterTheUserSelects) {
    int32_t seen = -2;
    box.SetDoubleClickHandler([&] { seen = box.ListIndex(); });
    box.SelectItem(1);
    box.DoubleClick();
    EXPECT_EQ(seen, 1);
}

TEST(ComboBoxTest, SelectingAnItemCopiesItIntoTheText) {
    ComboBox combo;
    combo.AddItem("Day shift");
    combo.AddItem("Night shift");
    combo.SetText("typed");
    combo.SetListIndex(1);
    EXPECT_EQ(combo.Text(), "Night shift");
    combo.SetListIndex(-1);
    EXPECT_EQ(combo.Text(), "Night shift");
    combo.SetText("Day shift");
    EXPECT_EQ(combo.ListIndex(), -1);
}

}  // namespace
}  // namespace tessaro
