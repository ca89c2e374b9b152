#include <gtest/gtest.h>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/plan.hpp"

namespace tessaro {
namespace {

using testing::Placed;
using testing::Plan;

// WO1007, schedule number 3, sub-activity code 10, copied and pasted forward onto a bar that ends
// on 1 January 2002 at 10:00.
class ReschedulingOutput : public ::testing::Test {
protected:
    ReschedulingOutput()
        : plan({{"R1", "Lathe"}}, {WithCode(Placed("R1", "WO1007", 3, 37256, 600, 120), "10"),
                                   Placed("R1", "WO2", 1, 37255, 480, 120)}) {}

    static testing::SubActivity WithCode(testing::SubActivity subActivity, const char* code) {
        subActivity.subActivityCode = code;
        return subActivity;
    }

    void PasteOnto(const std::string& key, const char* entry) {
        const auto [row, bar] = plan.Find(key);
        plan.chart.RightClickBar(row, bar);
        plan.control.mnuDrag().Choose(entry);
    }

    Plan plan;
};

TEST_F(ReschedulingOutput, NoChangesGiveAnEmptySaveres) {
    EXPECT_EQ(plan.control.rescheduling().Xml(), "<Saveres/>");
}

TEST_F(ReschedulingOutput, PasteForwardGivesTheDocumentedRecord) {
    plan.Copy("WO1007$1$1");
    PasteOnto("WO2$1$1", "miFwdSch");
    EXPECT_EQ(plan.control.rescheduling().Xml(),
              "<Saveres><Rescheduleinfo company=\"\" workorder=\"WO1007\" position=\"3\" "
              "subact=\"10\" starttime=\"63187200\" endtime=\"63194400\" method=\"F\" "
              "reschangeflg=\"N\" newresource=\"\" oldresource=\"\"/></Saveres>");
    // Asking does not consume the records: a second call gives the same document.
    const std::string first = plan.control.rescheduling().Xml();
    EXPECT_EQ(plan.control.rescheduling().Xml(), first);
    EXPECT_EQ(plan.control.PendingChanges().Count(), 1);
}

TEST_F(ReschedulingOutput, ValuesAreEscaped) {
    Plan odd({{"R1", "Lathe"}}, {Placed("R1", "A&amp;B&lt;1&quot;", 1, 37256, 600, 60),
                                 Placed("R1", "WO2", 1, 37255, 480, 120)});
    odd.Copy("A&B<1\"$1$1");
    const auto [row, bar] = odd.Find("WO2$1$1");
    odd.chart.RightClickBar(row, bar);
    odd.control.mnuDrag().Choose("miBackSch");
    const std::string xml = odd.control.rescheduling().Xml();
    EXPECT_NE(xml.find("workorder=\"A&amp;B&lt;1&quot;\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("method=\"B\""), std::string::npos);
}

}  // namespace
}  // namespace tessaro
