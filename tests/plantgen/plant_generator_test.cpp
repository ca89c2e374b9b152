#include <plantgen/plant_generator.hpp>

#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <limits>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <tessaro/runtime/calendar.hpp>
#include "runtime/conversions.hpp"

#include "plantgen/payload_reader.hpp"

namespace tessaro::plantgen {
namespace {

// Payload seconds of midnight at the start of the window's first day.
int64_t WindowStart() {
    return January4th2027();
}

int64_t WindowEnd(const PlantOptions& options) {
    return WindowStart() + options.windowDays * kSecondsPerDay;
}

struct PlantCase {
    const char* Name;
    PlantOptions Options;
};

void PrintTo(const PlantCase& c, std::ostream* os) {
    *os << c.Name;
}

// Test names after the cases' names.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.Name;
}

const PlantCase kPlants[] = {
    {"Default", {}},
    {"OneResourceOneDay", {.resources = 1, .subActivities = 5, .seed = 9, .windowDays = 1}},
    {"SmallWeek", {.resources = 7, .subActivities = 20, .seed = 3, .windowDays = 8}},
    {"NoWorkOrders", {.resources = 13, .subActivities = 0, .seed = 4}},
    {"FewerSubActivitiesThanResources", {.resources = 40, .subActivities = 23, .seed = 5}},
    {"NoCalendars", {.resources = 40, .subActivities = 2000, .seed = 77, .calendars = false}},
    {"FullYear", {.resources = 3, .subActivities = 301, .seed = 5, .windowDays = 366}},
    {"ManyResources", {.resources = 500, .subActivities = 20000, .seed = 2}},
    {"FullRow", {.resources = 1, .subActivities = 32767, .seed = 11, .windowDays = 14}},
};

class GeneratedPlantTest : public ::testing::TestWithParam<PlantCase> {
protected:
    void SetUp() override {
        options_ = GetParam().Options;
        payloads_ = GeneratePlant(options_);
        header_ = Read(payloads_.header);
        resources_ = Read(payloads_.resources);
        calendars_ = Read(payloads_.calendars);
        workOrders_ = Read(payloads_.workOrders);
        ASSERT_EQ(header_->error, "");
        ASSERT_EQ(resources_->error, "");
        ASSERT_EQ(calendars_->error, "");
        ASSERT_EQ(workOrders_->error, "");
    }

    std::set<std::string> ResourceNumbers() const {
        std::set<std::string> numbers;
        for (const pugi::xml_node& record : resources_->records) {
            numbers.insert(record.attribute("resno").value());
        }
        return numbers;
    }

    PlantOptions options_;
    PlantPayloads payloads_;
    std::unique_ptr<ReadPayload> header_, resources_, calendars_, workOrders_;
};

INSTANTIATE_TEST_SUITE_P(Plants, GeneratedPlantTest, ::testing::ValuesIn(kPlants),
                         CaseName<PlantCase>);

TEST_P(GeneratedPlantTest, RecordCountsFollowTheOptions) {
    int64_t entriesPerResource = 0;
    for (int32_t day = 0; day < options_.windowDays; ++day) {
        entriesPerResource += day % 7 == 0 ? 2 : 1;  // Mondays carry the early morning too
    }
    EXPECT_EQ(header_->records.size(), 1u);
    EXPECT_EQ(resources_->records.size(), static_cast<size_t>(options_.resources));
    EXPECT_EQ(workOrders_->records.size(), static_cast<size_t>(options_.subActivities));
    EXPECT_EQ(static_cast<int64_t>(calendars_->records.size()),
              options_.calendars ? options_.resources * entriesPerResource : 0);
}

TEST_P(GeneratedPlantTest, EveryRecordOfAPayloadHasTheSameAttributes) {
    EXPECT_EQ(AttributeNames(header_->records.at(0)), kHeaderAttributes);
    EXPECT_EQ(RecordsWithOtherAttributes(*resources_), std::vector<size_t>{});
    const std::set<std::string> resourceAttributes = AttributeNames(resources_->records.at(0));
    EXPECT_TRUE(resourceAttributes.contains("resno"));
    EXPECT_TRUE(resourceAttributes.contains("shortdesc"));
    for (const pugi::xml_node& record : calendars_->records) {
        ASSERT_EQ(AttributeNames(record), kCalendarAttributes);
    }
    for (const pugi::xml_node& record : workOrders_->records) {
        ASSERT_EQ(AttributeNames(record), kWorkOrderAttributes);
    }
}

TEST_P(GeneratedPlantTest, ResourceNumbersAreUniqueAndEveryReferenceIsKnown) {
    const std::set<std::string> numbers = ResourceNumbers();
    EXPECT_EQ(numbers.size(), resources_->records.size());
    for (const std::string& number : numbers) {
        EXPECT_FALSE(number.empty());
        EXPECT_EQ(number.find_first_of(";'"), std::string::npos) << number;
    }
    for (const auto* payload : {calendars_.get(), workOrders_.get()}) {
        for (const pugi::xml_node& record : payload->records) {
            ASSERT_TRUE(numbers.contains(record.attribute("resno").value()))
                << record.attribute("resno").value();
        }
    }
    const pugi::xml_node header = header_->records.at(0);
    EXPECT_STREQ(header.attribute("fromresno").value(),
                 resources_->records.front().attribute("resno").value());
    EXPECT_STREQ(header.attribute("toresno").value(),
                 resources_->records.back().attribute("resno").value());
}

TEST_P(GeneratedPlantTest, SubActivitiesAreSpreadEvenlyOverTheResources) {
    const std::map<std::string, int64_t> perResource = CountBy(*workOrders_, "resno");
    int64_t fewest = std::numeric_limits<int64_t>::max();
    int64_t most = 0;
    for (const std::string& number : ResourceNumbers()) {
        const auto found = perResource.find(number);
        const int64_t count = found == perResource.end() ? 0 : found->second;
        fewest = std::min(fewest, count);
        most = std::max(most, count);
    }
    EXPECT_LE(most, kMaxSubActivitiesPerResource);
    EXPECT_LE(most - fewest, 1);
}

TEST_P(GeneratedPlantTest, BarsLieInTheWorkingTimeOfTheWindow) {
    for (const pugi::xml_node& record : workOrders_->records) {
        const std::optional<int64_t> start = NumberAttribute(record, "time_buffer");
        const std::optional<int64_t> duration = NumberAttribute(record, "timeindays1");
        ASSERT_TRUE(start && duration);
        ASSERT_GE(*start, WindowStart());
        ASSERT_GE(*duration, 1);
        ASSERT_LE(*start + *duration, WindowEnd(options_));
        ASSERT_LE(*start + *duration, std::numeric_limits<int32_t>::max());
        // Two shifts, 06:00 to 22:00, Monday to Friday: a bar starts at 06:00 at the earliest
        // and ends at 22:00 at the latest.
        const int64_t second = *start % kSecondsPerDay;
        ASSERT_LT(WeekdayOf(*start), 5) << *start;
        ASSERT_GE(second, 6 * 3600) << *start;
        ASSERT_LT(second, 22 * 3600) << *start;
        const int64_t end = *start + *duration;
        ASSERT_LT(WeekdayOf(end - 1), 5) << end;
        ASSERT_GT(end % kSecondsPerDay, 6 * 3600) << end;
        ASSERT_LE(end % kSecondsPerDay, 22 * 3600) << end;
    }
}

TEST_P(GeneratedPlantTest, NoBarStartsInsideACalendarBlockOfItsResource) {
    std::map<std::string, std::vector<std::pair<int64_t, int64_t>>> blocks;
    for (const pugi::xml_node& record : calendars_->records) {
        const int64_t start = *NumberAttribute(record, "time_buffer");
        blocks[record.attribute("resno").value()].emplace_back(
            start, start + *NumberAttribute(record, "timeindays1"));
    }
    for (const pugi::xml_node& record : workOrders_->records) {
        const int64_t start = *NumberAttribute(record, "time_buffer");
        for (const auto& [from, to] : blocks[record.attribute("resno").value()]) {
            ASSERT_FALSE(start >= from && start < to)
                << record.attribute("resno").value() << " " << start;
        }
    }
}

TEST_P(GeneratedPlantTest, WorkOrdersHaveOneToFiveSubActivitiesInTimeOrder) {
    const std::vector<pugi::xml_node>& records = workOrders_->records;
    std::set<std::string> numbers;
    for (const auto& [first, end] : WorkOrderRuns(records)) {
        const std::string number = records[first].attribute("work_order_no").value();
        ASSERT_FALSE(number.empty());
        ASSERT_TRUE(numbers.insert(number).second) << number << " names two work orders";
        EXPECT_LE(end - first, static_cast<size_t>(kMaxSubActivitiesPerWorkOrder)) << number;
        for (size_t i = first + 1; i < end; ++i) {
            const pugi::xml_node& before = records[i - 1];
            const pugi::xml_node& after = records[i];
            EXPECT_LT(*NumberAttribute(before, "time_buffer"),
                      *NumberAttribute(after, "time_buffer"))
                << number;
            EXPECT_LE(*NumberAttribute(before, "rsscheduleno"),
                      *NumberAttribute(after, "rsscheduleno"))
                << number;
            for (const char* name : kWorkOrderWide) {
                EXPECT_STREQ(before.attribute(name).value(), after.attribute(name).value())
                    << number << " " << name;
            }
        }
    }
}

TEST_P(GeneratedPlantTest, DateTextsAgreeWithTheBarTimes) {
    const std::vector<pugi::xml_node>& records = workOrders_->records;
    for (const auto& [first, end] : WorkOrderRuns(records)) {
        const pugi::xml_node& record = records[first];
        const std::string number = record.attribute("work_order_no").value();
        const int64_t start = *NumberAttribute(record, "time_buffer");
        const int64_t finish = *NumberAttribute(records[end - 1], "time_buffer") +
                               *NumberAttribute(records[end - 1], "timeindays1");
        ASSERT_EQ(DayOfText(record.attribute("wo_start_date").value()), DayOfSeconds(start))
            << number;
        ASSERT_EQ(DayOfText(record.attribute("wo_end_date").value()), DayOfSeconds(finish))
            << number;
        for (const char* name : {"reqddate", "schdate", "wo_start_date", "wo_end_date"}) {
            const std::string text = record.attribute(name).value();
            ASSERT_EQ(text.size(), 10u) << name << " " << text;  // MM/DD/YYYY
            ASSERT_NO_THROW(TextToDate(text)) << name << " " << text;
        }
    }
    for (const pugi::xml_node& record : records) {
        const int64_t start = *NumberAttribute(record, "time_buffer");
        const int64_t end = start + *NumberAttribute(record, "timeindays1");
        ASSERT_EQ(record.attribute("fromdate").value(), HoursMinutes(start));
        ASSERT_EQ(record.attribute("todate").value(), HoursMinutes(end));
    }
}

TEST_P(GeneratedPlantTest, CalendarEntriesDescribeTheirOwnDay) {
    for (const pugi::xml_node& record : calendars_->records) {
        const int32_t day = DayOfText(record.attribute("calendar_from").value());
        ASSERT_EQ(*NumberAttribute(record, "time_buffer"),
                  int64_t{day - kDayOf2000} * kSecondsPerDay +
                      *NumberAttribute(record, "no_of_buckets1"));
        ASSERT_EQ(*NumberAttribute(record, "timeindays1"),
                  *NumberAttribute(record, "no_of_buckets2"));
        ASSERT_EQ(*NumberAttribute(record, "avlqty"), 0);
        ASSERT_GE(int64_t{day - kDayOf2000} * kSecondsPerDay, WindowStart());
        ASSERT_LT(int64_t{day - kDayOf2000} * kSecondsPerDay, WindowEnd(options_));
    }
    const pugi::xml_node header = header_->records.at(0);
    EXPECT_EQ(DayOfText(header.attribute("fromtimeperiod").value()), DayNumber(2027, 1, 4));
    EXPECT_EQ(DayOfText(header.attribute("totimeperiod").value()),
              DayNumber(2027, 1, 4) + options_.windowDays - 1);
}

TEST_P(GeneratedPlantTest, ValuesFitTheirFields) {
    std::map<std::string, std::string> statusOfFlag;
    for (const pugi::xml_node& record : workOrders_->records) {
        const int64_t chkflag = *NumberAttribute(record, "chkflag");
        const int64_t online = *NumberAttribute(record, "execute_online");
        const int64_t type = *NumberAttribute(record, "activitytimetype");
        const int64_t schedule = *NumberAttribute(record, "rsscheduleno");
        const int64_t code = *NumberAttribute(record, "subactivity_code_mul");
        ASSERT_TRUE(chkflag >= 0 && chkflag <= 2) << chkflag;
        ASSERT_TRUE(online == 0 || online == 1) << online;
        ASSERT_TRUE((type >= 1 && type <= 4) || type == 8) << type;
        ASSERT_TRUE(schedule >= 1 && schedule <= std::numeric_limits<int16_t>::max());
        ASSERT_TRUE(code >= 1 && code <= std::numeric_limits<int16_t>::max());
        const std::string flag = record.attribute("flag").value();
        ASSERT_EQ(flag.size(), 1u);
        ASSERT_TRUE(flag[0] >= 'A' && flag[0] <= 'Z') << flag;
        const auto [known, added] = statusOfFlag.emplace(flag, record.attribute("status").value());
        ASSERT_EQ(known->second, record.attribute("status").value()) << flag;
    }
}

TEST_P(GeneratedPlantTest, NoTextHoldsADollarOrAQuote) {
    for (const auto* payload :
         {header_.get(), resources_.get(), calendars_.get(), workOrders_.get()}) {
        for (const pugi::xml_node& record : payload->records) {
            for (const pugi::xml_attribute attribute : record.attributes()) {
                ASSERT_EQ(std::string_view(attribute.value()).find_first_of("$'"),
                          std::string_view::npos)
                    << attribute.name() << "=" << attribute.value();
            }
        }
    }
}

// ---- Determinism ----

TEST(PlantGeneratorTest, TheSameOptionsGiveTheSamePayloads) {
    for (const PlantCase& plant : kPlants) {
        const PlantPayloads first = GeneratePlant(plant.Options);
        const PlantPayloads second = GeneratePlant(plant.Options);
        EXPECT_EQ(first.header, second.header) << plant.Name;
        EXPECT_EQ(first.resources, second.resources) << plant.Name;
        EXPECT_EQ(first.calendars, second.calendars) << plant.Name;
        EXPECT_EQ(first.workOrders, second.workOrders) << plant.Name;
    }
}

TEST(PlantGeneratorTest, AnotherSeedGivesAnotherPlan) {
    PlantOptions options;
    const PlantPayloads first = GeneratePlant(options);
    options.seed = 2;
    const PlantPayloads second = GeneratePlant(options);
    EXPECT_NE(first.header, second.header);  // the plan's guid
    EXPECT_NE(first.workOrders, second.workOrders);
    EXPECT_EQ(Read(second.workOrders)->records.size(), 1000u);
}

// ---- What a planner sees in the default plant ----

TEST(PlantGeneratorTest, TheDefaultPlantShowsEveryBarColourAndSomeConflicts) {
    const std::unique_ptr<ReadPayload> workOrders = Read(GeneratePlant({}).workOrders);
    ASSERT_EQ(workOrders->error, "");
    std::set<char> flags;
    std::set<std::pair<int64_t, int64_t>> checkPairs;
    int64_t special = 0;
    std::map<std::string, std::vector<std::pair<int64_t, int64_t>>> bars;
    for (const pugi::xml_node& record : workOrders->records) {
        flags.insert(record.attribute("flag").value()[0]);
        checkPairs.emplace(*NumberAttribute(record, "chkflag"),
                           *NumberAttribute(record, "execute_online"));
        special += *NumberAttribute(record, "activitytimetype") == 8 ? 1 : 0;
        const int64_t start = *NumberAttribute(record, "time_buffer");
        bars[record.attribute("resno").value()].emplace_back(
            start, start + *NumberAttribute(record, "timeindays1"));
    }
    EXPECT_LT(*flags.begin(), 'D');
    for (const char flag : {'D', 'E', 'F', 'G'}) {
        EXPECT_TRUE(flags.contains(flag)) << flag;
    }
    EXPECT_GT(*flags.rbegin(), 'G');
    EXPECT_EQ(checkPairs.size(), 6u);
    EXPECT_GT(special, 0);

    int64_t overlaps = 0;
    for (auto& [resno, row] : bars) {
        std::sort(row.begin(), row.end());
        for (size_t i = 1; i < row.size(); ++i) {
            overlaps += row[i].first < row[i - 1].second ? 1 : 0;
        }
    }
    EXPECT_GT(overlaps, 0);
    EXPECT_LT(overlaps, 100);  // a few conflicts, not a jumble
}

TEST(PlantGeneratorTest, CalendarsBlockNightsAndWeekends) {
    const std::unique_ptr<ReadPayload> calendars =
        Read(GeneratePlant({.resources = 1, .subActivities = 0, .windowDays = 7}).calendars);
    ASSERT_EQ(calendars->error, "");
    struct Entry {
        const char* Day;
        int64_t Start;
        int64_t Length;
    };
    const Entry expected[] = {
        {"1/4/2027", 0, 21600},     {"1/4/2027", 79200, 28800}, {"1/5/2027", 79200, 28800},
        {"1/6/2027", 79200, 28800}, {"1/7/2027", 79200, 28800}, {"1/8/2027", 79200, 7200},
        {"1/9/2027", 0, 86400},     {"1/10/2027", 0, 86400},
    };
    ASSERT_EQ(calendars->records.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const pugi::xml_node& record = calendars->records[i];
        EXPECT_STREQ(record.attribute("calendar_from").value(), expected[i].Day) << i;
        EXPECT_EQ(*NumberAttribute(record, "no_of_buckets1"), expected[i].Start) << i;
        EXPECT_EQ(*NumberAttribute(record, "no_of_buckets2"), expected[i].Length) << i;
    }
}

TEST(PlantGeneratorTest, ResourcesCycleThroughTheStationsAndAreListedByKind) {
    const std::unique_ptr<ReadPayload> resources =
        Read(GeneratePlant({.resources = 14, .subActivities = 0}).resources);
    ASSERT_EQ(resources->error, "");
    std::vector<std::string> numbers;
    for (const pugi::xml_node& record : resources->records) {
        numbers.emplace_back(record.attribute("resno").value());
    }
    EXPECT_EQ(numbers,
              (std::vector<std::string>{"LATHE-01", "LATHE-02", "LATHE-03", "MILL-01", "MILL-02",
                                        "MILL-03", "PAINT-01", "PAINT-02", "OVEN-01", "OVEN-02",
                                        "ASSY-01", "ASSY-02", "INSP-01", "INSP-02"}));
    EXPECT_STREQ(resources->records.at(3).attribute("shortdesc").value(), "CNC milling centre 1");
}

TEST(PlantGeneratorTest, ResourceNumbersWidenWithTheirCount) {
    const std::unique_ptr<ReadPayload> resources =
        Read(GeneratePlant({.resources = 700, .subActivities = 0, .calendars = false}).resources);
    ASSERT_EQ(resources->error, "");
    EXPECT_STREQ(resources->records.front().attribute("resno").value(), "LATHE-001");
    EXPECT_STREQ(resources->records.back().attribute("resno").value(), "INSP-116");
}

// ---- Options ----

struct OptionsCase {
    const char* Name;
    PlantOptions Options;
};

void PrintTo(const OptionsCase& c, std::ostream* os) {
    *os << c.Name;
}

class RefusedOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(RefusedOptionsTest, Throw) {
    EXPECT_THROW(GeneratePlant(GetParam().Options), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    PlantGenerator, RefusedOptionsTest,
    ::testing::Values(
        OptionsCase{"NoResources", {.resources = 0}},
        OptionsCase{"NegativeResources", {.resources = -1}},
        OptionsCase{"MoreResourcesThanRows", {.resources = 32768, .subActivities = 0}},
        OptionsCase{"NegativeSubActivities", {.subActivities = -1}},
        OptionsCase{"RowOverflowOnOneResource", {.resources = 1, .subActivities = 32768}},
        OptionsCase{"RowOverflowSpread", {.resources = 3, .subActivities = 3 * 32767 + 1}},
        OptionsCase{"RowOverflowAtTheTop",
                    {.resources = 2, .subActivities = std::numeric_limits<int32_t>::max()}},
        OptionsCase{"EmptyWindow", {.windowDays = 0}},
        OptionsCase{"NegativeWindow", {.windowDays = -7}},
        OptionsCase{"WindowBeyondAYear", {.windowDays = 367}}),
    CaseName<OptionsCase>);

class AcceptedLimitsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(AcceptedLimitsTest, Generate) {
    const PlantOptions& options = GetParam().Options;
    const PlantPayloads payloads = GeneratePlant(options);
    const std::unique_ptr<ReadPayload> workOrders = Read(payloads.workOrders);
    ASSERT_EQ(workOrders->error, "");
    EXPECT_EQ(workOrders->records.size(), static_cast<size_t>(options.subActivities));
    EXPECT_EQ(Read(payloads.resources)->records.size(), static_cast<size_t>(options.resources));
}

INSTANTIATE_TEST_SUITE_P(
    PlantGenerator, AcceptedLimitsTest,
    ::testing::Values(OptionsCase{"FullRowOnOneResource",
                                  {.resources = 1, .subActivities = 32767, .calendars = false}},
                      OptionsCase{"FullRowsSpread", {.resources = 3, .subActivities = 3 * 32767}},
                      OptionsCase{"MostResources",
                                  {.resources = 32767, .subActivities = 40000, .calendars = false}},
                      OptionsCase{"LongestWindow",
                                  {.resources = 2, .subActivities = 50, .windowDays = 366}}),
    CaseName<OptionsCase>);

// ---- Files ----

class WritePlantTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tessaro-plantgen-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
    }

    void TearDown() override { std::filesystem::remove_all(folder_); }

    static std::string Contents(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder_;
};

TEST_F(WritePlantTest, WritesTheFourPayloadsIntoANewFolder) {
    const PlantPayloads payloads = GeneratePlant({.resources = 5, .subActivities = 40});
    const std::filesystem::path target = folder_ / "nested" / "plant";
    WritePlant(payloads, target);
    EXPECT_EQ(Contents(target / "header.xml"), payloads.header);
    EXPECT_EQ(Contents(target / "resources.xml"), payloads.resources);
    EXPECT_EQ(Contents(target / "calendars.xml"), payloads.calendars);
    EXPECT_EQ(Contents(target / "workorders.xml"), payloads.workOrders);
}

TEST_F(WritePlantTest, ReplacesLongerFiles) {
    WritePlant(GeneratePlant({.resources = 20, .subActivities = 400}), folder_);
    const PlantPayloads smaller = GeneratePlant({.resources = 2, .subActivities = 3});
    WritePlant(smaller, folder_);
    EXPECT_EQ(Contents(folder_ / "workorders.xml"), smaller.workOrders);
    EXPECT_EQ(Contents(folder_ / "calendars.xml"), smaller.calendars);
}

TEST_F(WritePlantTest, ThrowsWhenTheFolderIsAFile) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "taken") << "not a folder";
    EXPECT_THROW(WritePlant(GeneratePlant({}), folder_ / "taken"), std::exception);
}

}  // namespace
}  // namespace tessaro::plantgen
