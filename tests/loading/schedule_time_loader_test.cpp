#include <gtest/gtest.h>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/error_code.hpp"
#include "support/payloads.hpp"

namespace tessaro {
namespace {

using testing::HeaderXml;
using testing::PayloadXml;

class ScheduleTimeLoader : public ::testing::Test {
protected:
    void ExpectDefaultWindow(const char* context) {
        EXPECT_EQ(control.WindowStart().Day, 37255) << context;
        EXPECT_EQ(control.WindowEnd().Day, 37619) << context;
        EXPECT_EQ(control.ctResSched().RangeStartDay(), 37255) << context;
        EXPECT_EQ(control.ctResSched().RangeEndDay(), 37619) << context;
    }

    Tessaro_Ctrl control;
};

TEST_F(ScheduleTimeLoader, FirstRecordSetsWindowAndRange) {
    control.LoadScheduleTime(HeaderXml("1/1/2003", "3/31/2003"));
    EXPECT_EQ(control.ctResSched().RangeStartDay(), 37620);
    EXPECT_EQ(control.ctResSched().RangeEndDay(), 37709);
    EXPECT_EQ(control.WindowStart(), (DateTime{37620, 0}));
    EXPECT_EQ(control.Box3().Text(), HeaderXml("1/1/2003", "3/31/2003"));
}

TEST_F(ScheduleTimeLoader, TimeOfDayIsCarriedButTheDayCounts) {
    control.LoadScheduleTime(HeaderXml("1/1/2003 10:30", "2003-03-31T23:59:00"));
    EXPECT_EQ(control.WindowStart(), (DateTime{37620, 37800}));
    EXPECT_EQ(control.ctResSched().RangeStartDay(), 37620);
    EXPECT_EQ(control.ctResSched().RangeEndDay(), 37709);
}

// The shortest window is one moment; one that ends before it starts is refused.
TEST_F(ScheduleTimeLoader, WindowOfASingleMomentIsAWindowOfOneDay) {
    control.LoadScheduleTime(HeaderXml("1/4/2027 10:00", "1/4/2027 10:00"));
    EXPECT_EQ(control.ctResSched().RangeStartDay(), control.ctResSched().RangeEndDay());
}

TEST_F(ScheduleTimeLoader, OnlyTheFirstRecordCountsButEveryRecordIsRead) {
    testing::Attributes first = {{"dep", "D"},
                                 {"fromresno", "R"},
                                 {"fromtimeperiod", "1/1/2003"},
                                 {"guid", "g"},
                                 {"hdncompanycode", "C"},
                                 {"item_code1", "I"},
                                 {"production_cont", "P"},
                                 {"save_template", "N"},
                                 {"toresno", "R"},
                                 {"totimeperiod", "3/31/2003"}};  // ten: no wo_no
    testing::Attributes second = first;
    second[2].second = "6/1/2003";
    control.LoadScheduleTime(PayloadXml({first, second}));
    EXPECT_EQ(control.ctResSched().RangeStartDay(), 37620);

    second[9].second = "not a date";
    EXPECT_EQ(ErrorCode([&] { control.LoadScheduleTime(PayloadXml({first, second})); }), 13);
}

}  // namespace
}  // namespace tessaro
