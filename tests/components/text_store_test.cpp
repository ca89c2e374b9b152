#include <tessaro/components/text_store.hpp>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class TextStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.SetText("<rows><row resno=\"R1\"/></rows>");
        store.Changed.Subscribe([this] { ++changes; });
    }

    TextStore store;
    int changes = 0;
};

TEST_F(TextStoreTest, NotifiesOnlyWhenTheTextChanges) {
    const std::string held = store.Text();
    const struct {
        std::string text;
        int changes;
    } cases[] = {
        {held, 0},                 // an equal copy
        {held + " ", 1},           // one character more
        {held, 2},                 // back again
        {"", 3},                   // emptied
        {"", 3},                   // still empty
        {std::string(5, 'x'), 4},  // filled
    };
    for (const auto& c : cases) {
        store.SetText(c.text);
        EXPECT_EQ(store.View(), c.text);
        EXPECT_EQ(store.Text(), c.text);
        EXPECT_EQ(changes, c.changes) << c.text;
    }
}

// Refresh hands a loader the store's own text; a host may hand back a part of it.
TEST_F(TextStoreTest, TakesViewsOfItsOwnText) {
    const std::string whole = store.Text();
    const char* const buffer = store.Text().data();
    store.SetText(store.View());
    store.SetText(store.Text());
    EXPECT_EQ(store.Text(), whole);
    EXPECT_EQ(store.Text().data(), buffer);
    EXPECT_EQ(changes, 0);

    const std::string_view inner = std::string_view(store.Text()).substr(6, 18);
    store.SetText(inner);
    EXPECT_EQ(store.Text(), whole.substr(6, 18));
    EXPECT_EQ(changes, 1);

    store.SetText(store.View().substr(2));
    EXPECT_EQ(store.View(), whole.substr(8, 16));
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace tessaro
