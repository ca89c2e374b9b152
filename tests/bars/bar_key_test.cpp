#include <gtest/gtest.h>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "bars/work_order_keys.hpp"
#include "support/error_code.hpp"

namespace tessaro {
namespace {

class BarKey : public ::testing::Test {
protected:
    Tessaro_Ctrl control;
    WorkOrderKeys keys;
};

TEST_F(BarKey, AssemblesTrimmedNumberAndDecimalParts) {
    struct Case {
        const char* number;
        int16_t position;
        int16_t count;
        const char* key;
    } cases[] = {
        {"  WO1 ", 2, 3, "WO1$2$3"},
        {"WO/0042", 3, 5, "WO/0042$3$5"},
        {"WO1", -1, 3, "WO1$-1$3"},
        {"WO1", 32767, -32768, "WO1$32767$-32768"},
        {"\tWO1", 1, 1, "\tWO1$1$1"},  // only spaces are trimmed
        {"WORK-ORDER-2027-000042", -32768, 32767, "WORK-ORDER-2027-000042$-32768$32767"},
    };
    for (const Case& c : cases) {
        std::string key = "old";
        control.AssembleKeyID(key, c.number, c.position, c.count);
        EXPECT_EQ(key, c.key) << c.number;
    }
    // The number may be the key's own text, as when a key is rebuilt from itself.
    std::string key = " WO-7 ";
    control.AssembleKeyID(key, key, 4, 9);
    EXPECT_EQ(key, "WO-7$4$9");
}

TEST_F(BarKey, BlankNumberRaisesTheControlsOwnErrorAndKeepsTheKey) {
    for (const char* number : {"", "   "}) {
        std::string key = "WO9$1$1";
        try {
            control.AssembleKeyID(key, number, 1, 1);
            FAIL() << "no error for '" << number << "'";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.Number(), -2147220503);
            EXPECT_EQ(error.Source(), "Riruruvu Dozarud Oziruzada");
            EXPECT_EQ(error.Description(), "Work Order Number cannot be blank.");
        }
        EXPECT_EQ(key, "WO9$1$1");
    }
}

// What a split leaves in its three outputs, starting from ("old", 7, 8), and the error it raises.
TEST_F(BarKey, SplitsWholeAndPartialKeys) {
    struct Case {
        const char* key;
        const char* number;
        int16_t position;
        int16_t count;
        int32_t error;
    } cases[] = {
        {"WO1$2$3", "WO1", 2, 3, 0},
        {"WO1$ 2 $3 ", "WO1", 2, 3, 0},
        {"WO1$-4$32767", "WO1", -4, 32767, 0},
        {"", "old", 7, 8, 0},
        {"   ", "old", 7, 8, 0},
        {"WO1", "old", 7, 8, 0},
        {"WO1$2", "WO1", 7, 8, 5},
        {"WO1$x$3", "WO1", 7, 8, 13},
        {"WO1$2$x", "WO1", 2, 8, 13},
        {"WO1$2$3$4", "WO1", 2, 8, 13},
        {"WO1$2$", "WO1", 2, 8, 13},
        {"WO1$40000$1", "WO1", 7, 8, 6},
        {" WO1$2$3", " WO1", 2, 8, 13},  // the count is cut by the leading blank
    };
    for (const Case& c : cases) {
        std::string number = "old";
        int16_t position = 7;
        int16_t count = 8;
        EXPECT_EQ(ErrorCode([&] { control.DisAssembleKeyID(c.key, number, position, count); }),
                  c.error)
            << c.key;
        EXPECT_EQ(number, c.number) << c.key;
        EXPECT_EQ(position, c.position) << c.key;
        EXPECT_EQ(count, c.count) << c.key;
    }
}

TEST_F(BarKey, SplitReversesAssemble) {
    for (int16_t position : {1, 9, 32767}) {
        std::string key;
        control.AssembleKeyID(key, "  W O-7 ", position, 12);
        std::string number;
        int16_t splitPosition = 0;
        int16_t count = 0;
        control.DisAssembleKeyID(key, number, splitPosition, count);
        EXPECT_EQ(number, "W O-7");
        EXPECT_EQ(splitPosition, position);
        EXPECT_EQ(count, 12);
    }
}

TEST_F(BarKey, RegistryCountsIgnoringLetterCaseAndSpaces) {
    const std::pair<const char*, int16_t> registrations[] = {{"A", 1}, {"B", 1},   {"A", 2},
                                                             {"a", 3}, {" A ", 4}, {"b", 2}};
    for (const auto& [number, expected] : registrations) {
        EXPECT_EQ(keys.Register(number), expected) << number;
    }
}

TEST_F(BarKey, RegistryCountStopsAt32767) {
    for (int i = 0; i < 32766; ++i) {
        keys.Register("WO1");
    }
    EXPECT_EQ(keys.Register("WO1"), 32767);
    EXPECT_EQ(keys.Register("WO1"), 32767);
}

TEST_F(BarKey, SetBarKeyIdRewritesTheCountFromTheRegistry) {
    for (int i = 0; i < 4; ++i) {
        keys.Register("WO1");
    }
    std::string key = "WO1$2$1";
    EXPECT_EQ(keys.SetBarKeyId(key), "WO1$2$4");
    EXPECT_EQ(key, "WO1$2$4");
    std::string lower = "wo1$3$1";
    EXPECT_EQ(keys.SetBarKeyId(lower), "wo1$3$4");
}

TEST_F(BarKey, SetBarKeyIdRaises5ForUnregisteredOrUnsplittableKeys) {
    keys.Register("WO1");
    for (const char* key : {"WO2$1$1", "WO1", ""}) {
        std::string text = key;
        EXPECT_EQ(ErrorCode([&] { keys.SetBarKeyId(text); }), 5) << key;
        EXPECT_EQ(text, key);
    }
    keys.PutBackRegistry(nullptr);
    std::string key = "WO1$1$1";
    EXPECT_EQ(ErrorCode([&] { keys.SetBarKeyId(key); }), 5);
}

TEST_F(BarKey, RefreshRewritesRegisteredWorkOrderBarsOnly) {
    ScheduleChart chart;
    chart.AddRow("R1;Lathe");
    const auto addBar = [&](const char* key, int32_t kind) {
        const int16_t bar = chart.AddTimeBar(1, 0, 60, 37255, 37255, key);
        chart.SetTimeBarKind(1, bar, kind);
    };
    addBar("WO1$1$1", 2000);
    addBar("WO1$2$1", 2000);
    addBar("OLD$1$1", 2000);  // an earlier load's work order
    addBar("WO1$1$1", 3000);  // not a work-order bar
    addBar("WO1$x$1", 2000);  // a key that does not split
    keys.Register("WO1");
    keys.Register("WO1");

    for (int16_t bar = 1; bar <= 5; ++bar) {
        keys.RefreshBarKeyCount(chart, 1, bar);
    }

    const char* expected[] = {"WO1$1$2", "WO1$2$2", "OLD$1$1", "WO1$1$1", "WO1$x$1"};
    for (int16_t bar = 1; bar <= 5; ++bar) {
        EXPECT_EQ(chart.TimeBarKey(1, bar), expected[bar - 1]) << bar;
    }
    EXPECT_EQ(chart.FindTimeBarRow("WO1$2$2"), 1);
    EXPECT_EQ(chart.FindTimeBarRow("WO1$2$1"), 0);
}

}  // namespace
}  // namespace tessaro
