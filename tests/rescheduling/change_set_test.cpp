#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include <tessaro/bars/bar_kinds.hpp>
#include <tessaro/control/tessaro_ctrl.hpp>
#include <tessaro/runtime/automation_error.hpp>

#include "support/error_code.hpp"
#include "support/plan.hpp"
#include "support/plan_agreement.hpp"

namespace tessaro {

void PrintTo(const ChartTime& time, std::ostream* out) {
    *out << testing::TimeText(time);
}

namespace {

using testing::ActivityOfTag;
using testing::CalendarXml;
using testing::HeaderXml;
using testing::Placed;
using testing::PlacedBar;
using testing::Plan;
using testing::PlanAgreement;

constexpr int32_t kDay = 37300;
const std::vector<std::string> kAgree;

struct Place {
    int16_t row = 0;
    int16_t bar = 0;
};

using Record = std::map<std::string, std::string>;

// The four payloads of a small plant on rows R1, R2, R3: WO1/10, WO2/5, WO4/7 and WO5/3 (two
// pieces) on R1 with a calendar entry, WO3/1 on R2, WO6/2 (two days long) on R3. Gestures name
// activities, not keys, so that they reach the bar the planner means.
class LoadedPlant {
public:
    LoadedPlant()
        : LoadedPlant(
              {Placed("R1", "WO1", 10, kDay, 480, 60), Placed("R1", "WO2", 5, kDay, 600, 60),
               Placed("R2", "WO3", 1, kDay, 480, 120), Placed("R1", "WO4", 7, kDay + 1, 0, 60),
               Placed("R1", "WO5", 3, kDay + 2, 0, 60), Placed("R1", "WO5", 3, kDay + 2, 120, 60),
               Placed("R3", "WO6", 2, kDay, 600, 2880)}) {}

    explicit LoadedPlant(const std::vector<testing::SubActivity>& subActivities)
        : plan({{"R1", "Lathe"}, {"R2", "Mill"}, {"R3", "Oven"}}, subActivities),
          agreement(LoadHeaderAndCalendars(plan.control)) {}

    static const Tessaro_Ctrl& LoadHeaderAndCalendars(Tessaro_Ctrl& control) {
        control.LoadScheduleTime(HeaderXml("2/1/2002", "6/30/2002"));
        control.LoadCalendarEvents(CalendarXml({{"R1", "2/5/2002", "0", "28800"}}));
        return control;
    }

    // The first bar of the activity (row order, then bar order); (0, 0) when none.
    Place BarOf(const std::string& workOrder, int64_t schedule) const {
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                const ChartBar& b = chart.Bar(row, bar);
                const auto id = ActivityOfTag(b.Tag);
                if (b.Kind == WorkOrderBarKind && id && id->WorkOrder == workOrder &&
                    id->Schedule == schedule) {
                    return {row, bar};
                }
            }
        }
        return {};
    }

    Place FirstOfKind(int32_t kind) const {
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                if (chart.TimeBarKind(row, bar) == kind) {
                    return {row, bar};
                }
            }
        }
        return {};
    }

    Place TemporaryBar() const { return FirstOfKind(TemporaryBarKind); }

    // Every bar of the activity, in row order, then time.
    std::vector<PlacedBar> BarsOf(const std::string& workOrder, int64_t schedule) const {
        std::vector<PlacedBar> bars;
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                const ChartBar& b = chart.Bar(row, bar);
                const auto id = ActivityOfTag(b.Tag);
                if (b.Kind == WorkOrderBarKind && id && id->WorkOrder == workOrder &&
                    id->Schedule == schedule) {
                    bars.push_back({row, b.Start, b.End});
                }
            }
        }
        std::sort(bars.begin(), bars.end());
        return bars;
    }

    void RightClick(Place p) { chart.RightClickBar(p.row, p.bar); }

    void Copy(const std::string& workOrder, int64_t schedule) {
        RightClick(BarOf(workOrder, schedule));
        control.miCopy_Click();
    }

    void DragCopy(int16_t targetRow, int32_t day, int32_t minute) {
        const Place temporary = TemporaryBar();
        ASSERT_GT(temporary.bar, 0) << "no copy to drag";
        chart.DragBar(temporary.row, temporary.bar, targetRow, day, minute);
    }

    void Move(const std::string& workOrder, int64_t schedule, int16_t targetRow, int32_t day,
              int32_t minute) {
        Copy(workOrder, schedule);
        DragCopy(targetRow, day, minute);
    }

    std::vector<Record> Records() {
        pugi::xml_document output;
        output.load_string(control.rescheduling().Xml().c_str());
        std::vector<Record> records;
        for (pugi::xml_node info : output.document_element().children("Rescheduleinfo")) {
            Record& record = records.emplace_back();
            for (pugi::xml_attribute attribute : info.attributes()) {
                record[attribute.name()] = attribute.value();
            }
        }
        return records;
    }

    std::optional<Record> RecordOf(const std::string& workOrder, int64_t schedule) {
        for (const Record& record : Records()) {
            if (record.at("workorder") == workOrder &&
                record.at("position") == std::to_string(schedule)) {
                return record;
            }
        }
        return std::nullopt;
    }

    // A record's span and resource change in one line, "start-end flag new<-old"; "none"
    // without a record.
    std::string ChangeOf(const std::string& workOrder, int64_t schedule) {
        const std::optional<Record> r = RecordOf(workOrder, schedule);
        return r ? r->at("starttime") + "-" + r->at("endtime") + " " + r->at("reschangeflg") + " " +
                       r->at("newresource") + "<-" + r->at("oldresource")
                 : "none";
    }

    std::vector<std::string> Violations() { return agreement.Violations(control); }

    // Rows, every bar, the window and the changes, as lines that compare in one go.
    std::vector<std::string> Picture() {
        std::vector<std::string> lines;
        lines.push_back("window " + std::to_string(control.WindowStart().Day) + " " +
                        std::to_string(control.WindowEnd().Day));
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            lines.push_back("row " + chart.RowText(row));
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                const ChartBar& b = chart.Bar(row, bar);
                lines.push_back(std::to_string(row) + " kind " + std::to_string(b.Kind) + " " +
                                b.Key + " " + b.Tag + " " + testing::TimeText(b.Start) + " to " +
                                testing::TimeText(b.End));
            }
        }
        std::sort(lines.begin(), lines.end());
        lines.push_back(control.rescheduling().Xml());
        return lines;
    }

    int BarsEndingBeforeTheyStart() const {
        int count = 0;
        for (int16_t row = 1; row <= chart.RowCount(); ++row) {
            for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
                count += chart.Bar(row, bar).End < chart.Bar(row, bar).Start;
            }
        }
        return count;
    }

    Plan plan;
    Tessaro_Ctrl& control = plan.control;
    ScheduleChart& chart = plan.chart;
    const PlanAgreement agreement;
};

class ChangeSet : public ::testing::Test {
protected:
    std::unique_ptr<LoadedPlant> plant = std::make_unique<LoadedPlant>();
    LoadedPlant& p = *plant;
};

// Succeeds when both pictures hold the same lines; otherwise names the lines that differ.
::testing::AssertionResult SamePicture(const std::vector<std::string>& before,
                                       const std::vector<std::string>& after) {
    std::string differences;
    for (const std::string& line : before) {
        if (std::find(after.begin(), after.end(), line) == after.end()) {
            differences += "\n  was: " + line;
        }
    }
    for (const std::string& line : after) {
        if (std::find(before.begin(), before.end(), line) == before.end()) {
            differences += "\n  now: " + line;
        }
    }
    if (differences.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << differences;
}

PlacedBar At(int16_t row, ChartTime start, ChartTime end) {
    return {row, start, end};
}

TEST_F(ChangeSet, CopyLaysTheTemporaryBarOverTheClickedActivityUntilItIsApplied) {
    p.Copy("WO5", 3);
    const Place temporary = p.TemporaryBar();
    ASSERT_GT(temporary.bar, 0);
    EXPECT_EQ(temporary.row, 1);
    EXPECT_EQ(p.chart.Bar(temporary.row, temporary.bar).Start, (ChartTime{kDay + 2, 0}));
    EXPECT_EQ(p.chart.Bar(temporary.row, temporary.bar).End, (ChartTime{kDay + 2, 180}));
    EXPECT_TRUE(PlanAgreement::CopyPending(p.control));
    EXPECT_TRUE(p.Records().empty());
    p.DragCopy(1, kDay + 4, 0);
    EXPECT_FALSE(PlanAgreement::CopyPending(p.control));
}

// The line LoadedPlant::ChangeOf gives for a record of that span and resource change.
std::string Change(ChartTime start, ChartTime end, const std::string& resources) {
    return std::to_string(start.ToPayloadSeconds()) + "-" + std::to_string(end.ToPayloadSeconds()) +
           " " + resources;
}

TEST_F(ChangeSet, DragOfTheCopyRebuildsTheActivityAsOneBarAndRecordsWhereItIs) {
    p.Move("WO5", 3, 1, kDay + 3, 60);
    EXPECT_EQ(p.BarsOf("WO5", 3), std::vector<PlacedBar>{At(1, {kDay + 3, 60}, {kDay + 3, 240})});
    EXPECT_EQ(p.TemporaryBar().bar, 0);
    EXPECT_EQ(p.ChangeOf("WO5", 3), Change({kDay + 3, 60}, {kDay + 3, 240}, "N <-"));
    EXPECT_EQ(p.Violations(), kAgree);
}

TEST_F(ChangeSet, DropOnAnotherRowRebuildsTheActivityThereAndMovingItBackEndsTheResourceChange) {
    p.Move("WO1", 10, 2, kDay + 2, 0);
    EXPECT_EQ(p.BarsOf("WO1", 10), std::vector<PlacedBar>{At(2, {kDay + 2, 0}, {kDay + 2, 60})});
    EXPECT_EQ(p.ChangeOf("WO1", 10), Change({kDay + 2, 0}, {kDay + 2, 60}, "Y R2<-R1"));
    EXPECT_EQ(p.Violations(), kAgree);

    p.Move("WO1", 10, 1, kDay + 3, 0);
    EXPECT_EQ(p.BarsOf("WO1", 10), std::vector<PlacedBar>{At(1, {kDay + 3, 0}, {kDay + 3, 60})});
    EXPECT_EQ(p.ChangeOf("WO1", 10), Change({kDay + 3, 0}, {kDay + 3, 60}, "N <-"));
    EXPECT_EQ(p.Violations(), kAgree);
}

TEST_F(ChangeSet, ResourceChangeEndsWithTheDropThatMadeIt) {
    p.Move("WO1", 10, 2, kDay + 2, 0);
    p.Move("WO2", 5, 1, kDay + 3, 0);
    EXPECT_TRUE(p.ChangeOf("WO2", 5).ends_with(" N <-")) << p.ChangeOf("WO2", 5);
    EXPECT_EQ(p.Violations(), kAgree);
}

TEST_F(ChangeSet, SecondDragRecordsTheStartAndEndWhereTheActivityNowIs) {
    p.Move("WO1", 10, 1, kDay + 2, 60);
    p.Move("WO1", 10, 1, kDay + 1, 600);
    EXPECT_EQ(p.ChangeOf("WO1", 10), Change({kDay + 1, 600}, {kDay + 1, 660}, "N <-"));
    EXPECT_EQ(p.Violations(), kAgree);
}

// Only a copy moves an activity: a drag of the bars themselves goes back and records nothing.
TEST_F(ChangeSet, DragsOfWorkOrderAndCalendarBarsAreRefused) {
    struct Case {
        const char* name;
        std::function<void(LoadedPlant&)> drag;
    } cases[] = {
        {"work-order bar along its row",
         [](LoadedPlant& q) {
             const Place b = q.BarOf("WO2", 5);
             q.chart.DragBar(b.row, b.bar, b.row, kDay + 3, 0);
         }},
        {"work-order bar onto another row",
         [](LoadedPlant& q) {
             const Place b = q.BarOf("WO2", 5);
             q.chart.DragBar(b.row, b.bar, 2, kDay + 3, 0);
         }},
        {"work-order bar's start inward to its next day",
         [](LoadedPlant& q) {
             const Place b = q.BarOf("WO6", 2);
             q.chart.DragBarStart(b.row, b.bar, kDay + 1, 60);
         }},
        {"work-order bar's end inward to an earlier day",
         [](LoadedPlant& q) {
             const Place b = q.BarOf("WO6", 2);
             q.chart.DragBarEnd(b.row, b.bar, kDay + 1, 60);
         }},
        {"work-order bar's end outward",
         [](LoadedPlant& q) {
             const Place b = q.BarOf("WO2", 5);
             q.chart.DragBarEnd(b.row, b.bar, kDay + 4, 0);
         }},
        {"calendar bar along its row",
         [](LoadedPlant& q) {
             const Place b = q.FirstOfKind(CalendarBarKind);
             q.chart.DragBar(b.row, b.bar, b.row, kDay + 3, 0);
         }},
        {"calendar bar onto another row",
         [](LoadedPlant& q) {
             const Place b = q.FirstOfKind(CalendarBarKind);
             q.chart.DragBar(b.row, b.bar, 3, kDay + 3, 0);
         }},
        {"calendar bar's end to a later day",
         [](LoadedPlant& q) {
             const Place b = q.FirstOfKind(CalendarBarKind);
             q.chart.DragBarEnd(b.row, b.bar, kDay + 30, 0);
         }},
    };
    for (const Case& c : cases) {
        LoadedPlant fresh;
        const std::vector<std::string> before = fresh.Picture();
        c.drag(fresh);
        EXPECT_TRUE(SamePicture(before, fresh.Picture())) << c.name;
        EXPECT_EQ(fresh.Violations(), kAgree) << c.name;
    }
}

// The copy of WO6 spans two days (day 0 minute 600 to day 2 minute 600); an edge of it may only
// be moved inward to another day, and stays so until the copy is applied.
TEST_F(ChangeSet, EdgeDragsOfTheCopyStandOnlyWhenMovedInwardToAnotherDay) {
    const ChartTime start{kDay, 600};
    const ChartTime end{kDay + 2, 600};
    struct Case {
        const char* name;
        bool startEdge;
        ChartTime to;
        ChartTime startAfter;
        ChartTime endAfter;
    } cases[] = {
        {"start within its day", true, {kDay, 700}, start, end},
        {"start outward", true, {kDay - 1, 0}, start, end},
        {"end outward", false, {kDay + 3, 0}, start, end},
        {"end within its day", false, {kDay + 2, 500}, start, end},
        {"start past the end", true, {kDay + 2, 700}, start, end},
        {"end past the start", false, {kDay, 500}, start, end},
        {"start inward to the next day", true, {kDay + 1, 60}, {kDay + 1, 60}, end},
        {"end inward to an earlier day", false, {kDay + 1, 60}, start, {kDay + 1, 60}},
    };
    for (const Case& c : cases) {
        LoadedPlant fresh;
        fresh.Copy("WO6", 2);
        const Place temporary = fresh.TemporaryBar();
        ASSERT_GT(temporary.bar, 0);
        const std::string context = c.name;
        const int32_t error = ErrorCode([&] {
            if (c.startEdge) {
                fresh.chart.DragBarStart(temporary.row, temporary.bar, c.to.Day, c.to.Minute);
            } else {
                fresh.chart.DragBarEnd(temporary.row, temporary.bar, c.to.Day, c.to.Minute);
            }
        });
        EXPECT_EQ(error, 0) << context;
        const Place after = fresh.TemporaryBar();
        ASSERT_GT(after.bar, 0) << context << ": the copy ended";
        EXPECT_EQ(fresh.chart.Bar(after.row, after.bar).Start, c.startAfter) << context;
        EXPECT_EQ(fresh.chart.Bar(after.row, after.bar).End, c.endAfter) << context;
        EXPECT_TRUE(fresh.Records().empty()) << context;
        EXPECT_EQ(fresh.BarsEndingBeforeTheyStart(), 0) << context;
    }
}

// A shortened copy that was ignored leaves nothing behind for the next copy's drop.
TEST_F(ChangeSet, CopyDroppedAfterAShortenedCopyKeepsItsOwnSpan) {
    p.Copy("WO6", 2);
    const Place temporary = p.TemporaryBar();
    p.chart.DragBarStart(temporary.row, temporary.bar, kDay + 1, 60);
    p.control.miIgnore_Click();
    p.Copy("WO2", 5);
    EXPECT_EQ(ErrorCode([&] { p.DragCopy(1, kDay + 3, 0); }), 0);
    EXPECT_EQ(p.BarsOf("WO2", 5), std::vector<PlacedBar>{At(1, {kDay + 3, 0}, {kDay + 3, 60})});
    EXPECT_EQ(p.BarsOf("WO6", 2), std::vector<PlacedBar>{At(3, {kDay, 600}, {kDay + 2, 600})});
    EXPECT_EQ(p.BarsEndingBeforeTheyStart(), 0);
    EXPECT_EQ(p.Violations(), kAgree);
}

TEST_F(ChangeSet, NoBarEverEndsBeforeItStarts) {
    struct Case {
        const char* name;
        std::function<Place(LoadedPlant&)> bar;
    } bars[] = {
        {"work-order bar", [](LoadedPlant& q) { return q.BarOf("WO2", 5); }},
        {"calendar bar", [](LoadedPlant& q) { return q.FirstOfKind(CalendarBarKind); }},
        {"temporary bar",
         [](LoadedPlant& q) {
             q.Copy("WO2", 5);
             return q.TemporaryBar();
         }},
    };
    for (const Case& c : bars) {
        for (const bool startEdge : {true, false}) {
            LoadedPlant fresh;
            const Place b = c.bar(fresh);
            ASSERT_GT(b.bar, 0) << c.name;
            const ChartBar shown = fresh.chart.Bar(b.row, b.bar);
            ErrorCode([&] {
                if (startEdge) {
                    fresh.chart.DragBarStart(b.row, b.bar, shown.End.Day + 1, 0);
                } else {
                    fresh.chart.DragBarEnd(b.row, b.bar, shown.Start.Day - 1, 0);
                }
            });
            EXPECT_EQ(fresh.BarsEndingBeforeTheyStart(), 0)
                << c.name << (startEdge ? " start" : " end");
            EXPECT_EQ(fresh.Violations(), kAgree) << c.name;
        }
    }
}

TEST_F(ChangeSet, RemovalOfWorkOrderAndCalendarBarsIsRefusedAndOfTheCopyActsAsIgnore) {
    for (const int32_t kind : {WorkOrderBarKind, CalendarBarKind}) {
        LoadedPlant fresh;
        const std::vector<std::string> before = fresh.Picture();
        const Place b = fresh.FirstOfKind(kind);
        fresh.chart.RequestBarRemoval(b.row, b.bar, true);
        EXPECT_TRUE(SamePicture(before, fresh.Picture())) << kind;
    }
    p.Move("WO1", 10, 1, kDay + 2, 0);
    const std::vector<std::string> applied = p.Picture();
    p.Copy("WO2", 5);
    const Place temporary = p.TemporaryBar();
    p.chart.RequestBarRemoval(temporary.row, temporary.bar, true);
    EXPECT_TRUE(SamePicture(applied, p.Picture()));
    int scheduler = 0;
    p.control.mnuSchedPopUp().Shown.Subscribe([&] { ++scheduler; });
    p.RightClick(p.BarOf("WO2", 5));
    EXPECT_EQ(scheduler, 1) << "the copy is still pending";
}

TEST_F(ChangeSet, IgnoreLeavesEveryAppliedChangeAlone) {
    p.Move("WO1", 10, 1, kDay + 2, 0);
    p.Copy("WO2", 5);
    p.control.miIgnore_Click();
    EXPECT_TRUE(p.RecordOf("WO1", 10));
    EXPECT_FALSE(p.RecordOf("WO2", 5));
    EXPECT_EQ(p.BarsOf("WO1", 10), std::vector<PlacedBar>{At(1, {kDay + 2, 0}, {kDay + 2, 60})});
    EXPECT_EQ(p.Violations(), kAgree);
}

TEST_F(ChangeSet, ChangesOfWorkOrdersWhoseNumbersRunTogetherAreKeptApart) {
    LoadedPlant close({Placed("R1", "W1", 23, kDay, 0, 60), Placed("R1", "W12", 3, kDay, 120, 60)});
    close.Move("W1", 23, 1, kDay + 2, 0);
    close.Move("W12", 3, 1, kDay + 3, 0);
    EXPECT_EQ(close.Records().size(), 2u);
    EXPECT_EQ(close.Violations(), kAgree);
    std::vector<std::string> keys;
    for (const auto& [key, change] : close.control.PendingChanges()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"W1$23", "W12$3"}));
}

// Work order WO has nine activities on R1 (keys WO$1$9 to WO$9$9); activity 9, moved, is
// rebuilt under a key that an earlier bar already carries. Each gesture must act on the bar the
// planner right-clicked, the rebuilt one.
TEST_F(ChangeSet, GesturesActOnTheClickedBarNotOnTheFirstBarSharingItsKey) {
    std::vector<testing::SubActivity> nine;
    for (int32_t activity = 1; activity <= 9; ++activity) {
        nine.push_back(Placed("R1", "WO", activity, kDay + activity, 0, 60));
    }
    const ChartTime movedStart{kDay + 20, 0};
    const ChartTime movedEnd{kDay + 20, 60};
    struct Case {
        const char* name;
        std::function<void(LoadedPlant&)> gesture;
        std::function<void(LoadedPlant&)> check;
    } cases[] = {
        {"Copy",
         [](LoadedPlant& q) {
             q.RightClick(q.BarOf("WO", 9));
             q.control.miCopy_Click();
         },
         [&](LoadedPlant& q) {
             const Place temporary = q.TemporaryBar();
             ASSERT_GT(temporary.bar, 0);
             EXPECT_EQ(q.chart.Bar(temporary.row, temporary.bar).Start, movedStart);
             EXPECT_EQ(q.chart.Bar(temporary.row, temporary.bar).End, movedEnd);
         }},
        {"Pack",
         [](LoadedPlant& q) {
             q.RightClick(q.BarOf("WO", 9));
             q.control.miPack_Click();
         },
         [&](LoadedPlant& q) {
             // The clicked bar is the last of its row: nothing follows it to be packed.
             EXPECT_EQ(q.BarsOf("WO", 2),
                       std::vector<PlacedBar>{At(1, {kDay + 2, 0}, {kDay + 2, 60})});
             EXPECT_EQ(q.BarsOf("WO", 9), std::vector<PlacedBar>{At(1, movedStart, movedEnd)});
         }},
        {"paste forward",
         [](LoadedPlant& q) {
             q.Copy("WO", 5);
             q.RightClick(q.BarOf("WO", 9));
             q.control.miFwdSch_Click();
         },
         [&](LoadedPlant& q) {
             EXPECT_EQ(q.BarsOf("WO", 5), std::vector<PlacedBar>{At(1, movedStart, movedEnd)});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedPlant fresh(nine);
        fresh.Move("WO", 9, 1, movedStart.Day, movedStart.Minute);
        c.gesture(fresh);
        c.check(fresh);
        EXPECT_EQ(fresh.Violations(), kAgree);
    }
}

TEST_F(ChangeSet, EveryLoadEndsAPendingCopy) {
    struct Case {
        const char* name;
        std::function<void(Tessaro_Ctrl&)> load;
    } cases[] = {
        {"LoadScheduleTime",
         [](Tessaro_Ctrl& c) { c.LoadScheduleTime(std::string(c.Box3().Text())); }},
        {"LoadResource and the rest",
         [](Tessaro_Ctrl& c) {
             c.LoadResource(std::string(c.Box1().Text()));
             c.LoadCalendarEvents(std::string(c.Box4().Text()));
             c.LoadResourceEvents(std::string(c.Box2().Text()));
         }},
        {"LoadCalendarEvents",
         [](Tessaro_Ctrl& c) { c.LoadCalendarEvents(std::string(c.Box4().Text())); }},
        {"LoadResourceEvents",
         [](Tessaro_Ctrl& c) { c.LoadResourceEvents(std::string(c.Box2().Text())); }},
    };
    for (const Case& c : cases) {
        LoadedPlant fresh;
        fresh.Copy("WO1", 10);
        c.load(fresh.control);
        EXPECT_EQ(fresh.TemporaryBar().bar, 0) << c.name;
        int scheduler = 0;
        int drag = 0;
        fresh.control.mnuSchedPopUp().Shown.Subscribe([&] { ++scheduler; });
        fresh.control.mnuDrag().Shown.Subscribe([&] { ++drag; });
        fresh.RightClick(fresh.BarOf("WO2", 5));
        EXPECT_EQ(scheduler, 1) << c.name;
        EXPECT_EQ(drag, 0) << c.name;
    }
    // Every row goes with LoadResource, and the changes of its bars with them.
    p.Move("WO1", 10, 1, kDay + 2, 0);
    cases[1].load(p.control);
    EXPECT_TRUE(p.Records().empty());
    EXPECT_EQ(p.Violations(), kAgree);
}

TEST_F(ChangeSet, RefreshThatCannotReloadEveryPayloadChangesNothing) {
    p.Move("WO1", 10, 2, kDay + 2, 0);
    EXPECT_NE(ErrorCode([&] { p.control.LoadResourceEvents("<root><r"); }), 0);
    const std::vector<std::string> before = p.Picture();
    EXPECT_NE(ErrorCode([&] { p.control.miRefresh_Click(); }), 0);
    EXPECT_TRUE(SamePicture(before, p.Picture()));
}

TEST_F(ChangeSet, RepeatedRefreshesAndCopiesReuseTheirStylesAndKeepTheSettingLogBounded) {
    p.control.miRefresh_Click();
    const int16_t afterRefresh = p.chart.StyleCount();
    for (int i = 0; i < 10; ++i) {
        p.control.miRefresh_Click();
    }
    EXPECT_EQ(p.chart.StyleCount(), afterRefresh);
    p.Copy("WO1", 10);
    p.control.miIgnore_Click();
    const int16_t afterCopy = p.chart.StyleCount();
    for (int i = 0; i < 10; ++i) {
        p.Copy("WO1", 10);
        p.control.miIgnore_Click();
    }
    EXPECT_EQ(p.chart.StyleCount(), afterCopy);
    for (int i = 0; i < 2000; ++i) {
        p.control.miRefresh_Click();
    }
    EXPECT_LE(p.chart.SettingLog().size(), 5000u);
}

TEST_F(ChangeSet, CalendarBarEndsAtItsStartPlusItsLengthRoundedAsOneSum) {
    struct Case {
        const char* start;
        const char* length;
        int32_t endMinute;
    } cases[] = {
        {"36060", "90", 602}, {"36060", "30", 602},  {"36060", "150", 604},  {"36000", "90", 602},
        {"36000", "30", 600}, {"36000", "150", 602}, {"36000", "7200", 720},
    };
    for (const Case& c : cases) {
        Plan calendar({{"R1", "Lathe"}}, {Placed("R1", "WO1", 1, kDay, 0, 60)});
        calendar.control.LoadCalendarEvents(CalendarXml({{"R1", "2/5/2002", c.start, c.length}}));
        ASSERT_EQ(calendar.chart.TimeBarCount(1), 2);
        ASSERT_EQ(calendar.chart.TimeBarKind(1, 2), CalendarBarKind);
        EXPECT_EQ(calendar.chart.Bar(1, 2).End.Minute, c.endMinute)
            << "start " << c.start << " s, length " << c.length << " s";
    }
}

// A ends at 23:00 on day 0; B and C are packed behind it past midnight; D, the last in bar
// order, starts on day 0 and is packed too.
TEST_F(ChangeSet, PackHandsAChainPastMidnightOnSoLaterBarsOfTheAnchorsDayArePacked) {
    LoadedPlant packed({Placed("R1", "A", 1, kDay, 1200, 180),
                        Placed("R1", "B", 1, kDay + 2, 0, 120),
                        Placed("R1", "C", 1, kDay + 3, 0, 60), Placed("R1", "D", 1, kDay, 60, 30)});
    packed.RightClick(packed.BarOf("A", 1));
    packed.control.miPack_Click();
    EXPECT_EQ(packed.BarsOf("C", 1),
              std::vector<PlacedBar>{At(1, {kDay + 1, 60}, {kDay + 1, 120})});
    EXPECT_EQ(packed.BarsOf("D", 1),
              std::vector<PlacedBar>{At(1, {kDay + 1, 120}, {kDay + 1, 150})});
    EXPECT_EQ(packed.Violations(), kAgree);
}

TEST_F(ChangeSet, RemovalBetweenCopyAndDragLeavesOtherActivitiesAlone) {
    p.Copy("WO2", 5);
    const Place other = p.BarOf("WO1", 10);
    p.chart.RequestBarRemoval(other.row, other.bar, true);
    p.DragCopy(1, kDay + 3, 0);
    EXPECT_EQ(p.BarsOf("WO2", 5), std::vector<PlacedBar>{At(1, {kDay + 3, 0}, {kDay + 3, 60})});
    EXPECT_EQ(p.BarsOf("WO1", 10), std::vector<PlacedBar>{At(1, {kDay, 480}, {kDay, 540})});
    EXPECT_EQ(p.BarsOf("WO4", 7), std::vector<PlacedBar>{At(1, {kDay + 1, 0}, {kDay + 1, 60})});
    EXPECT_EQ(p.Violations(), kAgree);
}

// An activity split over two resources moves as a whole: the pieces on the copied row become one
// bar where the copy went, the pieces on other rows follow by as much, onto the drop row when the
// copy changed rows. No gesture takes planned minutes off the chart, and undo brings both pieces
// back.
TEST(SplitActivity, EveryGestureMovesAllOfItsPiecesAndUndoBringsThemBack) {
    struct Case {
        const char* name;
        std::function<void(LoadedPlant&)> gesture;
        std::vector<PlacedBar> bars;
        std::string change;
    };
    // WO7/4: 08:00-09:00 on R2 and 10:00-11:30 on R3, five days after WO3/1 (08:00-10:00 on R2).
    const ChartTime r3Start{kDay + 5, 600};
    const std::vector<Case> cases = {
        {"drag in time",
         [](LoadedPlant& p) { p.Move("WO7", 4, 2, kDay + 6, 480); },
         {At(2, {kDay + 6, 480}, {kDay + 6, 540}), At(3, {kDay + 6, 600}, {kDay + 6, 690})},
         Change({kDay + 6, 480}, {kDay + 6, 690}, "N <-")},
        {"drop on another row",
         [](LoadedPlant& p) { p.Move("WO7", 4, 1, kDay + 6, 480); },
         {At(1, {kDay + 6, 480}, {kDay + 6, 540}), At(1, {kDay + 6, 600}, {kDay + 6, 690})},
         Change({kDay + 6, 480}, {kDay + 6, 690}, "Y R1<-R2")},
        {"paste forward",
         [](LoadedPlant& p) {
             p.Copy("WO7", 4);
             p.RightClick(p.BarOf("WO3", 1));
             p.control.miFwdSch_Click();
         },
         {At(2, {kDay, 540}, {kDay, 600}), At(3, {kDay, 660}, {kDay, 750})},
         Change({kDay, 540}, {kDay, 750}, "N <-")},
        {"pack",
         [](LoadedPlant& p) {
             p.RightClick(p.BarOf("WO3", 1));
             p.control.miPack_Click();
         },
         {At(2, {kDay, 600}, {kDay, 660}), At(3, {kDay, 720}, {kDay, 810})},
         Change({kDay, 600}, {kDay, 810}, "N <-")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedPlant p({Placed("R2", "WO3", 1, kDay, 480, 120),
                       Placed("R2", "WO7", 4, kDay + 5, 480, 60),
                       Placed("R3", "WO7", 4, r3Start.Day, r3Start.Minute, 90)});
        c.gesture(p);
        EXPECT_EQ(p.BarsOf("WO7", 4), c.bars);
        EXPECT_EQ(p.ChangeOf("WO7", 4), c.change);
        EXPECT_EQ(p.Violations(), kAgree);
        p.control.Undo();
        EXPECT_EQ(p.BarsOf("WO7", 4),
                  (std::vector<PlacedBar>{At(2, {kDay + 5, 480}, {kDay + 5, 540}),
                                          At(3, r3Start, {kDay + 5, 690})}));
        EXPECT_EQ(p.ChangeOf("WO7", 4), "none");
    }
}

}  // namespace
}  // namespace tessaro
