#include <tessaro/runtime/case_insensitive_collection.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/error_code.hpp"

#include <string>

namespace tessaro {
namespace {

using ::testing::ElementsAre;

class CaseInsensitiveCollectionTest : public ::testing::Test {
protected:
    CaseInsensitiveCollectionTest() {
        collection_.Add("Press", "P");
        collection_.Add("Lathe-2", "L");
    }

    CaseInsensitiveCollection<std::string> collection_;
};

TEST_F(CaseInsensitiveCollectionTest, AnySpellingFindsTheItemAndTheKeyKeepsItsSpelling) {
    EXPECT_EQ(collection_.Item("PRESS"), "P");
    EXPECT_TRUE(collection_.Exists("lAtHe-2"));
    ASSERT_NE(collection_.Find("LATHE-2"), nullptr);
    EXPECT_EQ(*collection_.Find("LATHE-2"), "L");
    EXPECT_EQ(collection_.Find("Lathe"), nullptr);
    EXPECT_THAT(collection_.Keys(), ElementsAre("Press", "Lathe-2"));
}

TEST_F(CaseInsensitiveCollectionTest, FailedCallsChangeNothing) {
    EXPECT_EQ(ErrorCode([&] { collection_.Add("PRESS", "other"); }), 457);
    EXPECT_EQ(ErrorCode([&] { collection_.Item("Drill"); }), 5);
    EXPECT_EQ(ErrorCode([&] { collection_.Remove("Drill"); }), 5);
    EXPECT_EQ(collection_.Item("Press"), "P");
    EXPECT_THAT(collection_.Keys(), ElementsAre("Press", "Lathe-2"));
}

TEST_F(CaseInsensitiveCollectionTest, RemoveByAnySpellingThenAddAnew) {
    collection_.Remove("pReSs");
    EXPECT_FALSE(collection_.Exists("Press"));
    collection_.Add("PRESS", "P2");
    EXPECT_EQ(collection_.Item("press"), "P2");
    EXPECT_THAT(collection_.Keys(), ElementsAre("Lathe-2", "PRESS"));
    collection_.Clear();
    EXPECT_EQ(collection_.Count(), 0);
}

TEST(CaseInsensitiveCollectionFoldingTest, OnlyAsciiLettersFold) {
    CaseInsensitiveCollection<int> collection;
    collection.Add("Bay[1]", 1);  // '[' and '{' differ by the same bit as 'B' and 'b'
    collection.Add("\xC3\x89", 2);
    EXPECT_TRUE(collection.Exists("bAY[1]"));
    EXPECT_FALSE(collection.Exists("Bay{1}"));
    EXPECT_FALSE(collection.Exists("\xC3\xA9"));
}

}  // namespace
}  // namespace tessaro
