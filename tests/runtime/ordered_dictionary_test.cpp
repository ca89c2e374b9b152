#include <tessaro/runtime/ordered_dictionary.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/error_code.hpp"

#include <string>
#include <utility>

namespace tessaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class OrderedDictionaryTest : public ::testing::Test {
protected:
    OrderedDictionaryTest() {
        dictionary_.Add("WO-3", 3);
        dictionary_.Add("WO-1", 1);
        dictionary_.Add("WO-2", 2);
    }

    OrderedDictionary<int> dictionary_;
};

TEST_F(OrderedDictionaryTest, KeepsInsertionOrder) {
    EXPECT_THAT(dictionary_.Keys(), ElementsAre("WO-3", "WO-1", "WO-2"));
    std::string walked;
    for (const auto& [key, value] : dictionary_) {
        walked += key + "=" + std::to_string(value) + ";";
    }
    EXPECT_EQ(walked, "WO-3=3;WO-1=1;WO-2=2;");
}

TEST_F(OrderedDictionaryTest, KeysAreCaseSensitiveAndReachTheStoredValue) {
    EXPECT_FALSE(dictionary_.Exists("wo-1"));
    EXPECT_EQ(dictionary_.Find("wo-1"), nullptr);
    dictionary_.Add("wo-1", 10);
    dictionary_.Item("WO-1") = 11;
    *dictionary_.Find("WO-2") = 22;
    const auto& constant = dictionary_;
    EXPECT_EQ(constant.Item("wo-1"), 10);
    EXPECT_EQ(constant.Item("WO-1"), 11);
    EXPECT_EQ(*constant.Find("WO-2"), 22);
}

TEST_F(OrderedDictionaryTest, RemovedKeyAddedAgainMovesToTheEnd) {
    dictionary_.Remove("WO-3");
    EXPECT_FALSE(dictionary_.Exists("WO-3"));
    dictionary_.Add("WO-3", 30);
    EXPECT_THAT(dictionary_.Keys(), ElementsAre("WO-1", "WO-2", "WO-3"));
    EXPECT_EQ(dictionary_.Item("WO-3"), 30);
}

TEST_F(OrderedDictionaryTest, AddBeforePutsARemovedKeyBackInItsPlace) {
    dictionary_.Remove("WO-1");
    dictionary_.AddBefore("WO-2", "WO-1", 10);
    dictionary_.AddBefore("WO-3", "WO-0", 0);
    EXPECT_THAT(dictionary_.Keys(), ElementsAre("WO-0", "WO-3", "WO-1", "WO-2"));
    EXPECT_EQ(dictionary_.Item("WO-1"), 10);
    dictionary_.Remove("WO-1");
    EXPECT_THAT(dictionary_.Keys(), ElementsAre("WO-0", "WO-3", "WO-2"));
}

TEST_F(OrderedDictionaryTest, FailedCallsChangeNothing) {
    EXPECT_EQ(ErrorCode([&] { dictionary_.Add("WO-1", 99); }), 457);
    EXPECT_EQ(ErrorCode([&] { dictionary_.Item("WO-9"); }), 5);
    EXPECT_EQ(ErrorCode([&] { std::as_const(dictionary_).Item("WO-9"); }), 5);
    EXPECT_EQ(ErrorCode([&] { dictionary_.Remove("WO-9"); }), 5);
    EXPECT_EQ(ErrorCode([&] { dictionary_.AddBefore("WO-9", "WO-4", 4); }), 5);
    EXPECT_EQ(ErrorCode([&] { dictionary_.AddBefore("WO-2", "WO-1", 4); }), 457);
    EXPECT_EQ(dictionary_.Count(), 3);
    EXPECT_FALSE(dictionary_.Exists("WO-9"));
    EXPECT_EQ(dictionary_.Item("WO-1"), 1);
    EXPECT_THAT(dictionary_.Keys(), ElementsAre("WO-3", "WO-1", "WO-2"));
}

TEST_F(OrderedDictionaryTest, RemoveAllEmptiesAndAcceptsTheSameKeys) {
    dictionary_.RemoveAll();
    EXPECT_EQ(dictionary_.Count(), 0);
    EXPECT_THAT(dictionary_.Keys(), IsEmpty());
    dictionary_.Add("WO-1", 5);
    EXPECT_EQ(dictionary_.Item("WO-1"), 5);
}

TEST_F(OrderedDictionaryTest, CopyIsIndependentOfTheOriginal) {
    OrderedDictionary<int> copy = dictionary_;
    dictionary_.Remove("WO-1");
    dictionary_.Item("WO-2") = 20;
    EXPECT_EQ(copy.Item("WO-1"), 1);
    EXPECT_EQ(copy.Item("WO-2"), 2);
    copy.Remove("WO-3");
    copy.Add("WO-4", 4);
    EXPECT_THAT(copy.Keys(), ElementsAre("WO-1", "WO-2", "WO-4"));
    EXPECT_THAT(dictionary_.Keys(), ElementsAre("WO-3", "WO-2"));

    OrderedDictionary<int> assigned;
    assigned.Add("old", 0);
    assigned = copy;
    copy.RemoveAll();
    EXPECT_THAT(assigned.Keys(), ElementsAre("WO-1", "WO-2", "WO-4"));
    EXPECT_EQ(assigned.Item("WO-4"), 4);
}

TEST_F(OrderedDictionaryTest, MoveLeavesTheSourceEmptyAndTheTargetWorking) {
    const int* stored = dictionary_.Find("WO-1");
    OrderedDictionary<int> moved = std::move(dictionary_);
    EXPECT_EQ(moved.Find("WO-1"), stored);
    moved.Remove("WO-3");
    EXPECT_THAT(moved.Keys(), ElementsAre("WO-1", "WO-2"));
    EXPECT_EQ(dictionary_.Count(), 0);  // NOLINT(bugprone-use-after-move)

    dictionary_ = std::move(moved);
    EXPECT_EQ(dictionary_.Item("WO-2"), 2);
    dictionary_.Add("WO-3", 3);
    EXPECT_THAT(dictionary_.Keys(), ElementsAre("WO-1", "WO-2", "WO-3"));
}

}  // namespace
}  // namespace tessaro
