// The sample plant in samples/: what a planner and the demo rely on.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "plantgen/payload_reader.hpp"

namespace tessaro::plantgen {
namespace {

std::string SampleText(std::string_view name) {
    const std::filesystem::path path = std::filesystem::path(TESSARO_SAMPLES_DIR) / name;
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Interval {
    int64_t From;
    int64_t To;
};

class SamplePlantTest : public ::testing::Test {
protected:
    // The files are read once for all the tests.
    static void SetUpTestSuite() {
        header_ = Read(SampleText("header.xml"));
        resources_ = Read(SampleText("resources.xml"));
        calendars_ = Read(SampleText("calendars.xml"));
        workOrders_ = Read(SampleText("workorders.xml"));
    }

    static void TearDownTestSuite() {
        header_.reset();
        resources_.reset();
        calendars_.reset();
        workOrders_.reset();
    }

    void SetUp() override {
        for (const ReadPayload* payload :
             {header_.get(), resources_.get(), calendars_.get(), workOrders_.get()}) {
            ASSERT_EQ(payload->error, "");
            ASSERT_FALSE(payload->records.empty());
        }
    }

    static std::set<std::string> ResourceNumbers() {
        std::set<std::string> numbers;
        for (const pugi::xml_node& record : resources_->records) {
            numbers.insert(record.attribute("resno").value());
        }
        return numbers;
    }

    static Interval Bar(const pugi::xml_node& record) {
        const int64_t start = *NumberAttribute(record, "time_buffer");
        return {start, start + *NumberAttribute(record, "timeindays1")};
    }

    static std::map<std::string, std::vector<Interval>> Blocks() {
        std::map<std::string, std::vector<Interval>> blocks;
        for (const pugi::xml_node& record : calendars_->records) {
            blocks[record.attribute("resno").value()].push_back(Bar(record));
        }
        return blocks;
    }

    static inline std::unique_ptr<ReadPayload> header_, resources_, calendars_, workOrders_;
};

TEST_F(SamplePlantTest, TheHeaderPlansThreeWorkingWeeks) {
    ASSERT_EQ(header_->records.size(), 1u);
    const pugi::xml_node header = header_->records[0];
    EXPECT_EQ(AttributeNames(header), kHeaderAttributes);
    const int32_t from = DayOfText(header.attribute("fromtimeperiod").value());
    const int32_t to = DayOfText(header.attribute("totimeperiod").value());
    EXPECT_EQ(from % 7, 0) << "starts on a Monday";
    EXPECT_EQ(to - from, 18) << "ends on the Friday two weeks later";
    EXPECT_STREQ(header.attribute("fromresno").value(),
                 resources_->records.front().attribute("resno").value());
    EXPECT_STREQ(header.attribute("toresno").value(),
                 resources_->records.back().attribute("resno").value());
}

TEST_F(SamplePlantTest, AboutADozenUniquelyNumberedResources) {
    EXPECT_GE(resources_->records.size(), 10u);
    EXPECT_LE(resources_->records.size(), 14u);
    EXPECT_EQ(RecordsWithOtherAttributes(*resources_), std::vector<size_t>{});
    const std::set<std::string> attributes = AttributeNames(resources_->records[0]);
    EXPECT_TRUE(attributes.contains("resno"));
    EXPECT_TRUE(attributes.contains("shortdesc"));
    EXPECT_GT(attributes.size(), 2u) << "extra attributes such as location";
    const std::set<std::string> numbers = ResourceNumbers();
    EXPECT_EQ(numbers.size(), resources_->records.size());
    for (const std::string& number : numbers) {
        EXPECT_FALSE(number.empty());
        EXPECT_EQ(number.find_first_of(";'"), std::string::npos) << number;
    }
}

TEST_F(SamplePlantTest, CalendarsBlockNightsWeekendsAndOneMaintenanceStop) {
    const std::set<std::string> numbers = ResourceNumbers();
    std::map<std::string, std::set<int32_t>> blockedWeekendDays;
    std::set<std::string> withNights;
    std::vector<std::string> daytimeStops;
    for (const pugi::xml_node& record : calendars_->records) {
        ASSERT_EQ(AttributeNames(record), kCalendarAttributes);
        const std::string resno = record.attribute("resno").value();
        ASSERT_TRUE(numbers.contains(resno)) << resno;
        EXPECT_EQ(*NumberAttribute(record, "avlqty"), 0);
        const int32_t day = DayOfText(record.attribute("calendar_from").value());
        const int64_t start = *NumberAttribute(record, "no_of_buckets1");
        const int64_t length = *NumberAttribute(record, "no_of_buckets2");
        EXPECT_EQ(*NumberAttribute(record, "time_buffer"),
                  int64_t{day - kDayOf2000} * kSecondsPerDay + start);
        EXPECT_EQ(*NumberAttribute(record, "timeindays1"), length);
        if (day % 7 >= 5 && start == 0 && length == kSecondsPerDay) {
            blockedWeekendDays[resno].insert(day);
        } else if (start == 22 * 3600) {
            withNights.insert(resno);
        } else if (day % 7 < 5 && start >= 6 * 3600 && start < 22 * 3600) {
            daytimeStops.push_back(resno);
        }
    }
    for (const std::string& resno : numbers) {
        EXPECT_EQ(blockedWeekendDays[resno].size(), 4u) << resno << ": two weekends";
    }
    EXPECT_GE(withNights.size(), numbers.size() / 2) << "most resources work two shifts";
    EXPECT_EQ(daytimeStops.size(), 1u) << "one maintenance stop";
}

TEST_F(SamplePlantTest, EveryWorkOrderRecordHasTheSameAttributesAndAKnownResource) {
    const std::set<std::string> numbers = ResourceNumbers();
    std::set<std::string> used;
    for (const pugi::xml_node& record : workOrders_->records) {
        ASSERT_EQ(AttributeNames(record), kWorkOrderAttributes);
        ASSERT_TRUE(numbers.contains(record.attribute("resno").value()));
        used.insert(record.attribute("resno").value());
        for (const pugi::xml_attribute attribute : record.attributes()) {
            ASSERT_EQ(std::string_view(attribute.value()).find_first_of("$'"),
                      std::string_view::npos)
                << attribute.name() << "=" << attribute.value();
        }
    }
    EXPECT_EQ(used, numbers) << "every resource has work";
}

TEST_F(SamplePlantTest, AboutSixtyWorkOrdersOfOneToFiveSubActivitiesInRoutingOrder) {
    const std::vector<pugi::xml_node>& records = workOrders_->records;
    const auto runs = WorkOrderRuns(records);
    EXPECT_GE(runs.size(), 50u);
    EXPECT_LE(runs.size(), 70u);
    std::set<std::string> numbers;
    std::set<size_t> sizes;
    for (const auto& [first, end] : runs) {
        const std::string number = records[first].attribute("work_order_no").value();
        EXPECT_FALSE(number.empty());
        EXPECT_TRUE(numbers.insert(number).second) << number << " names two work orders";
        EXPECT_LE(end - first, 5u) << number;
        sizes.insert(end - first);
        for (size_t i = first + 1; i < end; ++i) {
            EXPECT_LE(Bar(records[i - 1]).To, Bar(records[i]).From)
                << number << ": a step starts before the one before it ends";
            EXPECT_LE(*NumberAttribute(records[i - 1], "rsscheduleno"),
                      *NumberAttribute(records[i], "rsscheduleno"))
                << number;
            for (const char* name : kWorkOrderWide) {
                EXPECT_STREQ(records[i - 1].attribute(name).value(),
                             records[i].attribute(name).value())
                    << number << " " << name;
            }
        }
        EXPECT_EQ(DayOfText(records[first].attribute("wo_start_date").value()),
                  DayOfSeconds(Bar(records[first]).From))
            << number;
        EXPECT_EQ(DayOfText(records[first].attribute("wo_end_date").value()),
                  DayOfSeconds(Bar(records[end - 1]).To))
            << number;
    }
    EXPECT_EQ(sizes, (std::set<size_t>{1, 2, 3, 4, 5}));
}

TEST_F(SamplePlantTest, BarsLastAnHourToTwoDaysInsideTheWindowAndTheWorkingTime) {
    const pugi::xml_node header = header_->records[0];
    const int64_t windowStart =
        int64_t{DayOfText(header.attribute("fromtimeperiod").value()) - kDayOf2000} *
        kSecondsPerDay;
    const int64_t windowEnd =
        int64_t{DayOfText(header.attribute("totimeperiod").value()) + 1 - kDayOf2000} *
        kSecondsPerDay;
    std::map<std::string, std::vector<Interval>> blocks = Blocks();
    size_t inWorkingTime = 0;
    std::array<size_t, 3> startsPerWeek{};
    for (const pugi::xml_node& record : workOrders_->records) {
        const Interval bar = Bar(record);
        ASSERT_GE(bar.To - bar.From, 3600);
        ASSERT_LE(bar.To - bar.From, 2 * kSecondsPerDay);
        ASSERT_GE(bar.From, windowStart);
        ASSERT_LE(bar.To, windowEnd);
        ASSERT_EQ(record.attribute("fromdate").value(), HoursMinutes(bar.From));
        ASSERT_EQ(record.attribute("todate").value(), HoursMinutes(bar.To));
        const bool blocked = std::any_of(
            blocks[record.attribute("resno").value()].begin(),
            blocks[record.attribute("resno").value()].end(),
            [&](const Interval& block) { return bar.From < block.To && block.From < bar.To; });
        inWorkingTime += blocked ? 0 : 1;
        ++startsPerWeek[static_cast<size_t>((bar.From - windowStart) / (7 * kSecondsPerDay))];
    }
    EXPECT_GE(inWorkingTime * 10, workOrders_->records.size() * 9);
    for (const size_t starts : startsPerWeek) {
        EXPECT_GE(starts * 5, workOrders_->records.size()) << "bars spread over the weeks";
    }
}

TEST_F(SamplePlantTest, EveryBarColourAndCheckCombinationAppears) {
    std::set<char> flags;
    std::set<std::pair<int64_t, int64_t>> checkPairs;
    int64_t special = 0;
    for (const pugi::xml_node& record : workOrders_->records) {
        const std::string_view flag = record.attribute("flag").value();
        ASSERT_EQ(flag.size(), 1u);
        flags.insert(flag[0]);
        const int64_t chkflag = *NumberAttribute(record, "chkflag");
        const int64_t online = *NumberAttribute(record, "execute_online");
        ASSERT_TRUE(chkflag >= 0 && chkflag <= 2);
        ASSERT_TRUE(online == 0 || online == 1);
        checkPairs.emplace(chkflag, online);
        special += *NumberAttribute(record, "activitytimetype") == 8 ? 1 : 0;
        const int64_t code = *NumberAttribute(record, "subactivity_code_mul");
        ASSERT_TRUE(code >= std::numeric_limits<int16_t>::min() &&
                    code <= std::numeric_limits<int16_t>::max());
        ASSERT_NO_THROW(TextToDate(record.attribute("reqddate").value()));
        ASSERT_NO_THROW(TextToDate(record.attribute("schdate").value()));
    }
    EXPECT_LT(*flags.begin(), 'D') << "a status before Request";
    for (const char flag : {'D', 'E', 'F', 'G'}) {
        EXPECT_TRUE(flags.contains(flag)) << flag;
    }
    EXPECT_TRUE(std::any_of(flags.begin(), flags.end(), [](char f) { return f > 'G'; }))
        << "a further status letter";
    EXPECT_EQ(checkPairs, (std::set<std::pair<int64_t, int64_t>>{
                              {0, 0}, {2, 1}, {2, 0}, {1, 1}, {1, 0}, {0, 1}}));
    EXPECT_GT(special, 0) << "activities of the special time type";
}

TEST_F(SamplePlantTest, AFewBarsOverlapOnTheirResource) {
    std::map<std::string, std::vector<Interval>> rows;
    for (const pugi::xml_node& record : workOrders_->records) {
        rows[record.attribute("resno").value()].push_back(Bar(record));
    }
    int64_t overlaps = 0;
    for (auto& [resno, bars] : rows) {
        std::sort(bars.begin(), bars.end(),
                  [](const Interval& a, const Interval& b) { return a.From < b.From; });
        for (size_t i = 1; i < bars.size(); ++i) {
            overlaps += bars[i].From < bars[i - 1].To ? 1 : 0;
        }
    }
    EXPECT_GE(overlaps, 1);
    EXPECT_LE(overlaps, 6) << "a conflict list, not a jumble";
}

}  // namespace
}  // namespace tessaro::plantgen
