#include <tessaro/runtime/automation_error.hpp>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(AutomationError, RuntimeErrorsCarryTheirHresultsAndUsualDescriptions) {
    struct Case {
        RuntimeError code;
        uint32_t hresult;
        const char* description;
    };
    const Case cases[] = {
        {RuntimeError::InvalidProcedureCall, 0x800A0005, "Invalid procedure call or argument"},
        {RuntimeError::Overflow, 0x800A0006, "Overflow"},
        {RuntimeError::TypeMismatch, 0x800A000D, "Type mismatch"},
        {RuntimeError::InvalidUseOfNull, 0x800A005E, "Invalid use of Null"},
    };
    for (const Case& c : cases) {
        const AutomationError error = MakeRuntimeError(c.code);
        EXPECT_EQ(error.Number(), static_cast<int32_t>(c.hresult)) << c.description;
        EXPECT_EQ(error.Code(), static_cast<int32_t>(c.code)) << c.description;
        EXPECT_EQ(error.Description(), c.description);
        EXPECT_STREQ(error.what(), c.description);
        EXPECT_EQ(error.Source(), kComponentName);
    }
}

TEST(AutomationError, ADescriptionOfItsOwnReplacesTheUsualOne) {
    const AutomationError error =
        MakeRuntimeError(RuntimeError::InvalidProcedureCall, "Work order W$1 holds a \"$\".");
    EXPECT_EQ(error.Code(), 5);
    EXPECT_EQ(error.Description(), "Work order W$1 holds a \"$\".");
}

TEST(AutomationError, BlankWorkOrderNumberIsTheControlsOwnError) {
    const AutomationError error = BarKeyBlankError();
    EXPECT_EQ(error.Number(), -2147220503);
    EXPECT_EQ(static_cast<uint32_t>(error.Number()), 0x800403E9u);
    EXPECT_EQ(error.Code(), 1001);
    EXPECT_EQ(error.Source(), "Riruruvu Dozarud Oziruzada");
    EXPECT_EQ(error.Description(), "Work Order Number cannot be blank.");
}

}  // namespace
}  // namespace tessaro
