// Every way a payload fails, for each of the four loaders: the error it raises, and that the
// control keeps its window, rows, bars, styles, keys, registry, pending changes, selection, grid
// and detail panel, storing only the payload text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/loader_checks.hpp"
#include "support/payloads.hpp"

namespace tessaro {
namespace {

using testing::Attributes;
using testing::CalendarXml;
using testing::HeaderXml;
using testing::Loader;
using testing::PayloadXml;
using testing::SubActivity;
using testing::WorkOrdersXml;

struct FailureCase {
    Loader loader;
    const char* name;
    std::string payload;
    int32_t error;
};

// The first n header attributes in their column order, with readable values.
Attributes HeaderAttributes(std::size_t n) {
    const Attributes all = {{"dep", "D"},
                            {"fromresno", "R1"},
                            {"fromtimeperiod", "1/1/2003"},
                            {"guid", "g"},
                            {"hdncompanycode", "C"},
                            {"item_code1", "I"},
                            {"production_cont", "P"},
                            {"save_template", "N"},
                            {"toresno", "R9"},
                            {"totimeperiod", "3/31/2003"},
                            {"wo_no", "WO1"}};
    return Attributes(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n));
}

Attributes WithExtra(Attributes attributes) {
    attributes.emplace_back("extra", "x");
    return attributes;
}

std::string ManyResources(std::size_t count) {
    std::vector<Attributes> records;
    for (std::size_t i = 0; i < count; ++i) {
        records.push_back({{"resno", "N" + std::to_string(i)}, {"shortdesc", "M"}});
    }
    return PayloadXml(records);
}

std::string CalendarEntries(const char* resno, std::size_t count) {
    std::vector<Attributes> records(count, testing::CalendarAttributes({resno}));
    return PayloadXml(records);
}

Attributes CalendarWith(std::size_t place, const char* value) {
    Attributes attributes = testing::CalendarAttributes({"R2"});
    attributes[place].second = value;
    return attributes;
}

SubActivity On(const char* resno, const char* workOrder) {
    SubActivity subActivity;
    subActivity.resno = resno;
    subActivity.workOrder = workOrder;
    return subActivity;
}

// A good record on the first row, then the one given on the second: the first bar is read
// before the second fails.
std::string AfterGood(const SubActivity& second) {
    return WorkOrdersXml({On("R1", "WO7"), second});
}

std::string AfterAGoodRecord(const Attributes& second) {
    return PayloadXml({On("R1", "WO7").ToAttributes(), second});
}

// The record's attributes with one renamed, removed (empty new name) or added at the end.
Attributes Renamed(const char* name, const char* to) {
    Attributes attributes = On("R2", "WO7").ToAttributes();
    for (auto place = attributes.begin(); place != attributes.end(); ++place) {
        if (place->first == name) {
            if (*to == '\0') {
                attributes.erase(place);
            } else {
                place->first = to;
            }
            return attributes;
        }
    }
    attributes.emplace_back(to, "x");
    return attributes;
}

std::string ManyWorkOrders(const char* resno, std::size_t count) {
    return testing::RepeatedWorkOrdersXml({{On(resno, "X"), count}});
}

// Sub-activities of work order X, half on each row, so no row is full.
std::string OneWorkOrderOnTwoRows(std::size_t count) {
    return testing::RepeatedWorkOrdersXml(
        {{On("R1", "X"), count / 2}, {On("R2", "X"), count - count / 2}});
}

// The bars row 1 of the plan holds, so a payload can fill it to exactly 32767 and one past.
std::size_t BarsOfThePlansFirstRow() {
    testing::PlannedControl probe;
    return static_cast<std::size_t>(probe.plan.chart.TimeBarCount(1));
}

// One more bar of the changed activity WO2/5 on row 1, from `start` for `seconds`.
std::string ChangedActivityFrom(const char* start, const char* seconds) {
    SubActivity subActivity = On("R1", "WO2");
    subActivity.rsscheduleno = "5";
    subActivity.start = start;
    subActivity.duration = seconds;
    return WorkOrdersXml({subActivity});
}

TEST(LoaderFailures, EachFailureRaisesItsErrorAndChangesNothingButTheStore) {
    using enum Loader;
    const FailureCase cases[] = {
        // The planning window.
        {Header, "empty text", "", 5},
        {Header, "blanks only", "   ", 5},
        {Header, "not well-formed", "<h><r dep=\"x\"></h>", 5},
        {Header, "two roots", "<h/><h/>", 5},
        {Header, "root without records", "<h/>", 5},
        {Header, "text among the records", "<h>x<r dep=\"D\"/></h>", 5},
        {Header, "missing name", PayloadXml({{{"guid", "g"}, {"dep", "D"}}}), 5},
        {Header, "capital letters", PayloadXml({{{"DEP", "D"}}}), 5},
        {Header, "twelve attributes", PayloadXml({WithExtra(HeaderAttributes(11))}), 5},
        {Header, "later record of twelve",
         PayloadXml({HeaderAttributes(11), WithExtra(HeaderAttributes(11))}), 5},
        {Header, "bad start date", HeaderXml("13/45/2003", "3/31/2003"), 13},
        {Header, "bad end date", HeaderXml("1/1/2003", "2003-02-30"), 13},
        {Header, "empty start date", HeaderXml("", "3/31/2003"), 13},
        {Header, "year past 9999", HeaderXml("1/1/10000", "3/31/2003"), 13},
        {Header, "bad date in a later record",
         PayloadXml(
             {HeaderAttributes(10), {{"dep", "D"}, {"fromresno", "R"}, {"fromtimeperiod", "x"}}}),
         13},
        {Header, "no fromtimeperiod value", PayloadXml({HeaderAttributes(2)}), 94},
        {Header, "no totimeperiod value", PayloadXml({HeaderAttributes(4)}), 94},
        {Header, "window ending before it starts", HeaderXml("1/22/2027", "1/4/2027"), 5},
        {Header, "window ending a day before it starts", HeaderXml("1/5/2027", "1/4/2027"), 5},
        {Header, "window ending a minute before it starts",
         HeaderXml("1/4/2027 10:00", "1/4/2027 09:59"), 5},

        // The rows.
        {Resources, "empty text", "", 5},
        {Resources, "not well-formed", "<res><r resno=\"R9\" shortdesc=\"X\"></res>", 5},
        {Resources, "two roots", "<a/><b/>", 5},
        {Resources, "root without records", "<res></res>", 5},
        {Resources, "text among the records", "<res>abc<r resno=\"R9\" shortdesc=\"X\"/></res>", 5},
        {Resources, "upper-case names", PayloadXml({{{"RESNO", "R9"}, {"shortdesc", "X"}}}), 5},
        {Resources, "names equal ignoring case",
         PayloadXml({{{"resno", "R9"}, {"shortdesc", "X"}, {"ResNo", "R8"}}}), 5},
        {Resources, "missing name",
         PayloadXml({{{"resno", "R9"}, {"shortdesc", "X"}}, {{"resno", "R8"}, {"loc", "X"}}}), 5},
        {Resources, "more attributes than the first",
         PayloadXml({{{"resno", "R9"}, {"shortdesc", "X"}},
                     {{"resno", "R8"}, {"shortdesc", "Y"}, {"loc", "Z"}}}),
         5},
        {Resources, "no shortdesc column", PayloadXml({{{"resno", "R9"}, {"loc", "X"}}}), 5},
        {Resources, "no resno column", PayloadXml({{{"shortdesc", "X"}}}), 5},
        {Resources, "later resource without shortdesc value",
         PayloadXml({{{"resno", "R9"}, {"shortdesc", "X"}}, {{"resno", "R8"}}}), 94},
        {Resources, "32768 resources", ManyResources(32768), 6},
        {Resources, "semicolon in a resource number",
         testing::ResourcesXml({{"R1", "Lathe"}, {"PAINT;2", "Paint"}}), 5},
        {Resources, "resource number of a semicolon", testing::ResourcesXml({{";", "Paint"}}), 5},

        // The calendars.
        {Calendars, "empty text", "", 5},
        {Calendars, "not well-formed", "<c><r></c>", 5},
        {Calendars, "no entries", "<c/>", 5},
        {Calendars, "nine attributes", PayloadXml({WithExtra(testing::CalendarAttributes({"R1"}))}),
         5},
        {Calendars, "capital letters", PayloadXml({{{"AVLQTY", "0"}}}), 5},
        {Calendars, "missing name",
         PayloadXml({{{"avlqty", "0"},
                      {"calendar_from", "1/1/2002"},
                      {"no_of_buckets1", "0"},
                      {"resno", "R1"}}}),
         5},
        {Calendars, "not a number", PayloadXml({CalendarWith(2, "ten")}), 13},
        {Calendars, "empty number", PayloadXml({CalendarWith(3, "")}), 13},
        {Calendars, "bad date", CalendarXml({{"R1", "2002-13-01"}}), 13},
        {Calendars, "out of range", CalendarXml({{"R1", "1/1/2002", "9999999999"}}), 6},
        {Calendars, "bad value for a resource without a row",
         CalendarXml({{"R1"}, {"R9", "1/1/2002", "x"}}), 13},
        {Calendars, "row past 32767 bars", CalendarEntries("R1", 32767), 6},
        {Calendars, "negative length", CalendarXml({{"R2", "1/1/2002", "36000", "-1"}}), 5},
        {Calendars, "negative length after a good entry",
         CalendarXml({{"R1"}, {"R2", "1/1/2002", "36000", "-3600"}}), 5},

        // The work-order bars.
        {WorkOrders, "empty text", "", 5},
        {WorkOrders, "not well-formed", "<w><r resno=\"R1\"></w>", 5},
        {WorkOrders, "no records", "<w/>", 5},
        {WorkOrders, "capital letter in a name", PayloadXml({Renamed("flag", "Flag")}), 5},
        {WorkOrders, "flag twice ignoring case", PayloadXml({Renamed("extra", "FLAG")}), 5},
        {WorkOrders, "no resno column", PayloadXml({Renamed("resno", "")}), 5},
        {WorkOrders, "no status column", PayloadXml({Renamed("status", "state")}), 5},
        {WorkOrders, "more attributes than the first", AfterAGoodRecord(Renamed("extra", "extra")),
         5},
        {WorkOrders, "lacks status", AfterAGoodRecord(Renamed("status", "")), 5},
        {WorkOrders, "Null value", AfterAGoodRecord(Renamed("subactivity_code_mul", "")), 94},
        {WorkOrders, "start not a number", AfterGood({.resno = "R2", .start = "soon"}), 13},
        {WorkOrders, "empty chkflag", AfterGood({.resno = "R2", .chkflag = ""}), 13},
        {WorkOrders, "flag out of 16 bits", AfterGood({.resno = "R2", .executeOnline = "40000"}),
         6},
        {WorkOrders, "end beyond 32 bits", AfterGood({.resno = "R2", .start = "2147483000"}), 6},
        {WorkOrders, "duration beyond 32 bits",
         AfterGood({.resno = "R2", .duration = "2147483648"}), 6},
        {WorkOrders, "activity type not a number",
         AfterGood({.resno = "R2", .activityTimeType = "x"}), 13},
        {WorkOrders, "schedule number not a number",
         AfterGood({.resno = "R2", .rsscheduleno = "x"}), 13},
        {WorkOrders, "sub-activity code out of 16 bits",
         AfterGood({.resno = "R2", .subActivityCode = "-32769"}), 6},
        {WorkOrders, "dollar in the work order", AfterGood({.resno = "R2", .workOrder = "WO$7"}),
         5},
        {WorkOrders, "blank work order", AfterGood({.resno = "R2", .workOrder = "  "}), 1001},
        {WorkOrders, "row past 32767 bars", ManyWorkOrders("R1", 32767), 6},
        {WorkOrders, "row one past 32767 bars",
         ManyWorkOrders("R1", 32767 - BarsOfThePlansFirstRow() + 1), 6},
        {WorkOrders, "negative duration", AfterGood({.resno = "R2", .duration = "-1"}), 5},
        {WorkOrders, "an hour's negative duration", AfterGood({.resno = "R2", .duration = "-3600"}),
         5},
        {WorkOrders, "32768 sub-activities of one work order", OneWorkOrderOnTwoRows(32768), 6},
        {WorkOrders, "changed activity from the first payload second",
         ChangedActivityFrom("-2147483648", "7"), 6},
        {WorkOrders, "changed activity from a second before the first whole minute",
         ChangedActivityFrom("-2147483641", "1"), 6},
    };
    for (const FailureCase& c : cases) {
        testing::PlannedControl planned;
        testing::ExpectRefusedLeavingTheRest(planned, c.loader, c.payload, c.error, c.name);
    }
}

// The payload with `text` put into its first record's first value.
std::string InFirstValue(const std::string& payload, const std::string& text) {
    std::string changed = payload;
    changed.insert(changed.find("=\"") + 2, text);
    return changed;
}

// What the reader refuses in the text of any payload, before a loader reads a record.
TEST(LoaderFailures, TextTheReaderRefusesChangesNothingButTheStore) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string before;
        std::string inFirstValue;
        std::string after;
    } refusals[] = {
        {"text before the root", "x", "", ""},
        {"text after the root", "", "", "x"},
        {"second root", "", "", "<root/>"},
        {"document type", "<!DOCTYPE root>", "", ""},
        {"NUL after the root", "", "", "\0"s},
        {"byte that is not UTF-8", "", "\xff", ""},
        {"undefined entity", "", "&lol;", ""},
        {"reference to NUL", "", "&#0;", ""},
        {"reference to a surrogate", "", "&#xDC00;", ""},
    };
    const std::pair<Loader, std::string> payloads[] = {
        {Loader::Header, HeaderXml("1/1/2003", "3/31/2003")},
        {Loader::Resources, testing::ResourcesXml({{"R1", "Lathe"}})},
        {Loader::Calendars, CalendarXml({{"R1"}})},
        {Loader::WorkOrders, WorkOrdersXml({On("R1", "WO7")})},
    };
    for (const auto& [loader, payload] : payloads) {
        for (const auto& refusal : refusals) {
            testing::PlannedControl planned;
            const std::string refused =
                refusal.before + InFirstValue(payload, refusal.inFirstValue) + refusal.after;
            testing::ExpectRefusedLeavingTheRest(planned, loader, refused, 5, refusal.name);
        }
    }
}

// A row whose text has no ";" names no resource: the calendar and bar loaders fail when they
// reach it, after the rows before it were read.
TEST(LoaderFailures, RowWithoutResourceNumberFailsBeforeAnyBar) {
    using enum Loader;
    const FailureCase cases[] = {
        {Calendars, "calendar entries", CalendarXml({{"R1"}, {"R2"}}), 5},
        {WorkOrders, "work orders", WorkOrdersXml({On("R1", "WO7"), On("R2", "WO7")}), 5},
    };
    for (const FailureCase& c : cases) {
        testing::PlannedControl planned;
        planned.plan.chart.AddRow("no separator");
        testing::ExpectRefusedLeavingTheRest(planned, c.loader, c.payload, c.error, c.name);
    }
}

}  // namespace
}  // namespace tessaro
