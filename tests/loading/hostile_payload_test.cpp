// Payloads a careless or hostile host may send: a hundred megabytes, a million levels of nesting,
// attribute values of tens of megabytes, document types declaring entities or naming files, NUL
// bytes, text that is not UTF-8, byte order marks, CDATA sections and character references. Each
// ends in a clear error that leaves the control as it was, or in the load its plain equivalent
// gives; none recurses on its nesting, expands an entity or reads a file.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "support/loader_checks.hpp"
#include "support/payloads.hpp"
#include "support/peak_memory.hpp"

namespace tessaro {
namespace {

using testing::Attributes;
using testing::ControlSnapshot;
using testing::Loader;
using testing::PayloadXml;
using testing::PlannedControl;
using testing::SubActivity;

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

std::string Repeated(std::string_view piece, std::size_t count) {
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text.append(piece);
    }
    return text;
}

// `levels` elements, each inside the one before.
std::string Nested(std::size_t levels) {
    return Repeated("<a>", levels) + Repeated("</a>", levels);
}

// A payload's records without their root, to build larger or stranger payloads from.
std::string RecordsOf(const std::string& payload) {
    return payload.substr(6, payload.size() - 6 - 7);  // <root> ... </root>
}

// Payloads of each loader, with values the planned control has rows for.
std::string HeaderPayload() {
    return testing::HeaderXml("1/1/2003", "3/31/2003");
}
std::string ResourcePayload() {
    return testing::ResourcesXml({{"R1", "Lathe"}, {"R2", "Mill"}});
}
std::string CalendarPayload() {
    return testing::CalendarXml({{"R1", "2/2/2002"}, {"R2"}});
}
SubActivity OnRow(const char* resno, const char* workOrder) {
    SubActivity subActivity;
    subActivity.resno = resno;
    subActivity.workOrder = workOrder;
    return subActivity;
}
std::string WorkOrderPayload() {
    return testing::WorkOrdersXml({OnRow("R1", "WO7"), OnRow("R2", "WO7")});
}

std::string PayloadOf(Loader loader) {
    switch (loader) {
        case Loader::Header:
            return HeaderPayload();
        case Loader::Resources:
            return ResourcePayload();
        case Loader::Calendars:
            return CalendarPayload();
        case Loader::WorkOrders:
            return WorkOrderPayload();
    }
    return {};
}

constexpr Loader kLoaders[] = {Loader::Header, Loader::Resources, Loader::Calendars,
                               Loader::WorkOrders};

// The payload with the content given inside its first record.
std::string WithChildren(const std::string& payload, std::string_view content) {
    std::string changed = payload;
    changed.replace(changed.find("/>"), 2, ">" + std::string(content) + "</r>");
    return changed;
}

// The payload with the first record's value of the attribute replaced.
std::string WithValue(const std::string& payload, const std::string& name, std::string_view value) {
    const std::string start = " " + name + "=\"";
    const std::size_t from = payload.find(start) + start.size();
    const std::size_t to = payload.find('"', from);
    std::string changed = payload;
    changed.replace(from, to - from, value);
    return changed;
}

// Both payloads load, and the hostile one leaves the control as the plain one does, the text in its
// store apart.
void ExpectLoadsAs(Loader loader, const std::string& hostile, const std::string& plain,
                   const std::string& name) {
    const std::string context = std::string(testing::LoaderName(loader)) + ", " + name;
    PlannedControl expected;
    PlannedControl loaded;
    const auto plainError = testing::RaisedBy([&] { Load(expected.control, loader, plain); });
    ASSERT_FALSE(plainError.has_value()) << context << ": " << plainError->Description();
    const auto error = testing::RaisedBy([&] { Load(loaded.control, loader, hostile); });
    ASSERT_FALSE(error.has_value()) << context << ": " << error->Description().substr(0, 300);
    const ControlSnapshot want = expected.Snapshot();
    const ControlSnapshot got = loaded.Snapshot();
    EXPECT_TRUE(testing::SameState(want, got)) << context;
    EXPECT_TRUE(got.Boxes()[testing::StoreOf(loader)] == hostile) << context;
}

void ExpectRefused(Loader loader, const std::string& payload, int32_t code,
                   const std::string& name) {
    PlannedControl planned;
    testing::ExpectRefusedLeavingTheRest(planned, loader, payload, code, name);
}

// What a hostile payload must give: an error code, or else the load of its plain equivalent.
struct Outcome {
    Loader loader;
    const char* name;
    std::string payload;
    int32_t error;
    std::string plain;
};

void ExpectOutcome(const Outcome& c) {
    if (c.error != 0) {
        ExpectRefused(c.loader, c.payload, c.error, c.name);
    } else {
        ExpectLoadsAs(c.loader, c.payload, c.plain, c.name);
    }
}

// ---- Size ----

// About `bytes` of work-order records, each of a work order of its own ("W0000000", "W0000001",
// ...), dealt over the resources in turn; `count` returns how many.
std::string WorkOrderRecords(std::size_t bytes, const std::vector<std::string>& resources,
                             std::size_t& count) {
    std::vector<std::string> templates;
    for (const std::string& resno : resources) {
        templates.push_back(RecordsOf(testing::WorkOrdersXml({OnRow(resno.c_str(), "W0000000")})));
    }
    std::string text = "<w>";
    text.reserve(bytes + 4096);
    for (count = 0; text.size() < bytes; ++count) {
        const std::string& record = templates[count % templates.size()];
        const std::size_t digits = text.size() + record.find("W0000000") + 1;
        text += record;
        for (std::size_t place = 7, number = count; place-- > 0; number /= 10) {
            text[digits + place] = static_cast<char>('0' + number % 10);
        }
    }
    return text + "</w>";
}

// A load peaks at about 8 bytes a payload byte (12 under AddressSanitizer), counting the test's own
// copy of the payload, the stored one, the parser's and its document; twice that is a bound no load
// linear in its payload reaches.
void ExpectMemoryOfTheOrderOf(const testing::PeakMemory& peak, const std::string& payload) {
    EXPECT_LT(peak.Bytes(), 24 * payload.size()) << (peak.Bytes() >> 20) << " MB at the peak";
}

TEST(HostilePayloads, HundredMegabytesOfWorkOrdersOnTwoRowsOverflowBeforeAnyBar) {
    std::size_t count = 0;
    const std::string payload = WorkOrderRecords(100 * kMegabyte, {"R1", "R2"}, count);
    ASSERT_GT(count, 2u * 32767);
    const testing::PeakMemory peak;
    ExpectRefused(Loader::WorkOrders, payload, 6, "100 MB on two rows");
    ExpectMemoryOfTheOrderOf(peak, payload);
}

TEST(HostilePayloads, HundredMegabytesOfWorkOrdersOverEnoughRowsLoadEveryBar) {
    std::vector<std::string> resources;
    std::vector<testing::Attributes> rows;
    for (int i = 1; i <= 16; ++i) {
        resources.push_back("R" + std::to_string(i));
        rows.push_back({{"resno", resources.back()}, {"shortdesc", "Machine"}});
    }
    std::size_t count = 0;
    const std::string payload = WorkOrderRecords(100 * kMegabyte, resources, count);

    Tessaro_Ctrl control;
    control.LoadResource(PayloadXml(rows));
    const testing::PeakMemory peak;
    control.LoadResourceEvents(payload);
    ExpectMemoryOfTheOrderOf(peak, payload);
    const ScheduleChart& chart = control.ctResSched();
    std::size_t bars = 0;
    for (int16_t row = 1; row <= 16; ++row) {
        const std::size_t expected = count / 16 + (static_cast<std::size_t>(row) <= count % 16);
        EXPECT_EQ(static_cast<std::size_t>(chart.TimeBarCount(row)), expected) << row;
        bars += static_cast<std::size_t>(chart.TimeBarCount(row));
    }
    EXPECT_EQ(bars, count);
    EXPECT_EQ(chart.TimeBarKey(1, 1), "W0000000$1$1");
    EXPECT_EQ(chart.TimeBarKey(16, 1), "W0000015$1$1");
    const std::string last = "W" + std::to_string(count - 1 + 10000000).substr(1) + "$1$1";
    const int16_t lastRow = static_cast<int16_t>((count - 1) % 16 + 1);
    EXPECT_EQ(chart.TimeBarKey(lastRow, chart.TimeBarCount(lastRow)), last);
    EXPECT_EQ(chart.FindTimeBarRow(last), lastRow);
    EXPECT_EQ(chart.TimeBarTag(2, 2).substr(0, 13), "W0000017$10$O");
}

// ---- Nesting ----

TEST(HostilePayloads, MillionLevelsOfNestingAreNeitherRecursedOnNorRead) {
    const std::string deep = Nested(1000000);
    std::vector<Outcome> cases;
    // Children of a record are not read: a million levels inside one load as none.
    for (Loader loader : kLoaders) {
        cases.push_back({loader, "inside a record", WithChildren(PayloadOf(loader), deep), 0,
                         PayloadOf(loader)});
    }
    // As the root: one record without attributes, whose children are not read.
    cases.push_back({Loader::Header, "as the root", deep, 94, ""});
    cases.push_back({Loader::Resources, "as the root", deep, 5, ""});
    cases.push_back({Loader::Calendars, "as the root", deep, 0, "<a><a/></a>"});
    cases.push_back({Loader::WorkOrders, "as the root", deep, 5, ""});
    // Never closed.
    cases.push_back({Loader::Resources, "unclosed", Repeated("<a>", 1000000), 5, ""});
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

// ---- Huge values ----

const std::string& Huge(char c) {
    static std::string text;
    text.assign(32 * kMegabyte, c);
    return text;
}

TEST(HostilePayloads, NumbersOfTensOfMegabytesConvertOrFailClearly) {
    const std::string work = WorkOrderPayload();
    const Outcome cases[] = {
        {Loader::WorkOrders, "nines", WithValue(work, "time_buffer", Huge('9')), 6, ""},
        {Loader::WorkOrders, "letters", WithValue(work, "timeindays1", Huge('x')), 13, ""},
        {Loader::WorkOrders, "behind zeros", WithValue(work, "time_buffer", Huge('0') + "3600"), 0,
         WithValue(work, "time_buffer", "3600")},
        {Loader::WorkOrders, "behind blanks", WithValue(work, "chkflag", Huge(' ') + "1"), 0,
         WithValue(work, "chkflag", "1")},
        {Loader::Calendars, "nines", WithValue(CalendarPayload(), "no_of_buckets2", Huge('9')), 6,
         ""},
    };
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

TEST(HostilePayloads, DatesAndKeysOfTensOfMegabytesConvertOrFailClearly) {
    const std::string header = HeaderPayload();
    const Outcome cases[] = {
        {Loader::Calendars, "date of letters",
         WithValue(CalendarPayload(), "calendar_from", Huge('x')), 13, ""},
        {Loader::Header, "date of letters", WithValue(header, "totimeperiod", Huge('x')), 13, ""},
        {Loader::Header, "date before blanks",
         WithValue(header, "fromtimeperiod", "1/2/2003" + Huge(' ')), 0,
         WithValue(header, "fromtimeperiod", "1/2/2003")},
        {Loader::WorkOrders, "work order ending in a dollar",
         WithValue(WorkOrderPayload(), "work_order_no", Huge('x') + "$"), 5, ""},
    };
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

TEST(HostilePayloads, HugeKeyAndTextValuesLoadWhole) {
    const std::string number(32 * kMegabyte, 'K');
    const std::string text(32 * kMegabyte, 't');
    Tessaro_Ctrl control;
    control.LoadResource("<root><r resno=\"R1\" shortdesc=\"" + text + "\"/><r resno=\"" + text +
                         "\" shortdesc=\"Mill\"/></root>");
    const std::string first =
        WithValue(WithValue(testing::WorkOrdersXml({OnRow("R1", "K")}), "work_order_no", number),
                  "sdesc4", text);
    const std::string second =
        WithValue(WithValue(testing::WorkOrdersXml({OnRow("R9", "K")}), "work_order_no", number),
                  "resno", text);
    control.LoadResourceEvents("<root>" + RecordsOf(first) + RecordsOf(second) + "</root>");

    // Compared with == rather than EXPECT_EQ, which would print megabytes on a failure.
    const ScheduleChart& chart = control.ctResSched();
    ASSERT_EQ(chart.RowCount(), 2);
    EXPECT_TRUE(chart.RowText(1) == "R1;" + text);
    EXPECT_TRUE(chart.RowText(2) == text + ";Mill");
    ASSERT_EQ(chart.TimeBarCount(1), 1);
    ASSERT_EQ(chart.TimeBarCount(2), 1);
    EXPECT_TRUE(chart.TimeBarKey(1, 1) == number + "$1$2");
    EXPECT_TRUE(chart.TimeBarKey(2, 1) == number + "$2$2");
    EXPECT_EQ(chart.FindTimeBarRow(number + "$2$2"), 2);
    EXPECT_TRUE(chart.TimeBarTag(1, 1) == number + "$10$Open$0$60$IT1$SO1$" + text +
                                              "$D$01/10/2002$01/12/2002$01/02/2002$01/09/2002$"
                                              "08:00$17:00$1$1$3600");
}

TEST(HostilePayloads, ManyAttributesInAnyOrderAreReadOnce) {
    Attributes first = {{"resno", "R1"}, {"shortdesc", "Lathe"}};
    for (int i = 0; i < 200000; ++i) {
        first.emplace_back("a" + std::to_string(i), "v");
    }
    const Attributes reversed(first.rbegin(), first.rend());
    ExpectLoadsAs(Loader::Resources, PayloadXml({first, reversed}),
                  testing::ResourcesXml({{"R1", "Lathe"}, {"R1", "Lathe"}}), "200,000 attributes");
}

// ---- Document types and entities ----

// A file the payloads name; the control must never read it.
class SecretFile {
public:
    SecretFile() : path_(::testing::TempDir() + "tessaro_hostile_secret.txt") {
        std::ofstream(path_) << kContent;
    }
    ~SecretFile() { std::remove(path_.c_str()); }
    std::string Url() const { return "file://" + path_; }
    static constexpr const char* kContent = "SECRET-LATHE-42";

private:
    std::string path_;
};

// The name of the first record's first attribute.
std::string FirstAttributeName(const std::string& payload) {
    return payload.substr(9, payload.find('=') - 9);  // after "<root><r "
}

std::string BillionLaughs() {
    std::string doctype = "<!DOCTYPE root [<!ENTITY lol0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        doctype += "<!ENTITY lol" + std::to_string(level) + " \"" +
                   Repeated("&lol" + std::to_string(level - 1) + ";", 10) + "\">";
    }
    return doctype + "]>";
}

TEST(HostilePayloads, DocumentTypesAreRefusedAndNoEntityIsExpanded) {
    const SecretFile secret;
    const std::string laughs = BillionLaughs();
    const std::string external = "<!DOCTYPE root [<!ENTITY x SYSTEM \"" + secret.Url() + "\">]>";
    const std::string parameter =
        "<!DOCTYPE root [<!ENTITY % p SYSTEM \"" + secret.Url() + "\"> %p;]>";
    const std::string externalSubset = "<!DOCTYPE root SYSTEM \"" + secret.Url() + "\">";
    std::vector<Outcome> cases;
    for (Loader loader : kLoaders) {
        const std::string payload = PayloadOf(loader);
        const std::string name = FirstAttributeName(payload);
        cases.push_back(
            {loader, "billion laughs", laughs + WithValue(payload, name, "&lol9;"), 5, ""});
        cases.push_back(
            {loader, "external entity", external + WithValue(payload, name, "&x;"), 5, ""});
        cases.push_back({loader, "parameter entity", parameter + payload, 5, ""});
        cases.push_back({loader, "external subset", externalSubset + payload, 5, ""});
        cases.push_back({loader, "plain document type", "<!DOCTYPE root>" + payload, 5, ""});
        cases.push_back(
            {loader, "document type after the root", payload + "<!DOCTYPE root>", 5, ""});
    }
    for (const Outcome& c : cases) {
        PlannedControl planned;
        testing::ExpectRefusedLeavingTheRest(planned, c.loader, c.payload, c.error, c.name);
        const auto error = testing::RaisedBy([&] { Load(planned.control, c.loader, c.payload); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->Description().find(SecretFile::kContent), std::string::npos) << c.name;
    }
}

TEST(HostilePayloads, EntityReferencesBeyondTheFivePredefinedAreRefused) {
    const std::string resources = ResourcePayload();
    const std::string work = WorkOrderPayload();
    const Outcome cases[] = {
        {Loader::Resources, "undefined entity", WithValue(resources, "shortdesc", "&lol;"), 5, ""},
        {Loader::WorkOrders, "undefined entity in the key",
         WithValue(work, "work_order_no", "W&x;1"), 5, ""},
        {Loader::Header, "undefined entity",
         WithValue(HeaderPayload(), "fromtimeperiod", "&today;"), 5, ""},
        {Loader::Calendars, "undefined entity", WithValue(CalendarPayload(), "resno", "&r1;"), 5,
         ""},
        {Loader::Resources, "the five predefined",
         WithValue(resources, "shortdesc", "&lt;&gt;&amp;&quot;&apos;"), 0,
         WithValue(resources, "shortdesc", "&#60;&#62;&#38;&#34;&#39;")},
        {Loader::Resources, "escaped reference stays text",
         WithValue(resources, "shortdesc", "&amp;lol;"), 0,
         WithValue(resources, "shortdesc", "&#38;lol;")},
        {Loader::Resources, "ampersand starting no reference",
         WithValue(resources, "shortdesc", "A & B &c"), 0,
         WithValue(resources, "shortdesc", "A &amp; B &amp;c")},
        {Loader::Resources, "undefined entity in a CDATA section of a record",
         WithChildren(resources, "<![CDATA[&lol;]]>"), 0, resources},
        {Loader::Resources, "undefined entity in a comment", "<!-- &lol; -->" + resources, 0,
         resources},
        {Loader::Resources, "undefined entity in a record's text", WithChildren(resources, "&lol;"),
         0, resources},
    };
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

// ---- Characters ----

TEST(HostilePayloads, NulCharactersAreRefused) {
    using namespace std::string_literals;
    const std::string resources = ResourcePayload();
    const Outcome cases[] = {
        {Loader::Resources, "in a value", WithValue(resources, "shortdesc", "La\0the"s), 5, ""},
        {Loader::Resources, "after the root", resources + "\0<r resno=\"R9\"/>"s, 5, ""},
        {Loader::Resources, "alone after the root", resources + "\0"s, 5, ""},
        {Loader::Resources, "between records", "<root>\0"s + RecordsOf(resources) + "</root>", 5,
         ""},
        {Loader::Resources, "in a comment", "<!--\0-->"s + resources, 5, ""},
        {Loader::Resources, "as a decimal reference",
         WithValue(resources, "shortdesc", "La&#0;the"), 5, ""},
        {Loader::Resources, "as a hexadecimal reference", WithValue(resources, "resno", "R1&#x0;"),
         5, ""},
        {Loader::WorkOrders, "in the key",
         WithValue(WorkOrderPayload(), "work_order_no", "WO7&#00;X"), 5, ""},
        {Loader::Header, "in a date", WithValue(HeaderPayload(), "fromtimeperiod", "1/1/2003\0x"s),
         5, ""},
    };
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

TEST(HostilePayloads, TextThatIsNotUtf8IsRefused) {
    const std::string resources = ResourcePayload();
    const auto desc = [&](std::string_view value) {
        return WithValue(resources, "shortdesc", value);
    };
    const Outcome cases[] = {
        {Loader::Resources, "stray continuation byte", desc("La\x80the"), 5, ""},
        {Loader::Resources, "byte FF", desc("\xff"), 5, ""},
        {Loader::Resources, "sequence cut short", desc("La\xc3"), 5, ""},
        {Loader::Resources, "overlong slash", desc("\xc0\xaf"), 5, ""},
        {Loader::Resources, "overlong three bytes", desc("\xe0\x80\xaf"), 5, ""},
        {Loader::Resources, "surrogate", desc("\xed\xa0\x80"), 5, ""},
        {Loader::Resources, "past U+10FFFF", desc("\xf4\x90\x80\x80"), 5, ""},
        {Loader::Resources, "in a name", "<root><r resno=\"R1\" short\xff=\"x\"/></root>", 5, ""},
        {Loader::Resources, "reference to a surrogate", desc("&#xD800;"), 5, ""},
        {Loader::Resources, "reference past U+10FFFF", desc("&#x110000;"), 5, ""},
        {Loader::Resources, "reference of many digits", desc("&#99999999999999999999;"), 5, ""},
        {Loader::Resources, "reference without digits", desc("&#x;"), 5, ""},
        {Loader::Resources, "reference with a bad digit", desc("&#xZZ;"), 5, ""},
        {Loader::Resources, "reference without its end", desc("&#65"), 5, ""},
        {Loader::Resources, "two-, three- and four-byte characters",
         desc("Dreh\xc3\xa4\xe6\x97\x8b\xf0\x9f\x94\xa9"), 0, desc("Dreh&#xE4;&#x65CB;&#x1F529;")},
        {Loader::Resources, "last characters", desc("\xef\xbf\xbf\xf4\x8f\xbf\xbf"), 0,
         desc("&#xFFFF;&#x10FFFF;")},
    };
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

TEST(HostilePayloads, ByteOrderMarksAndTextOutsideTheRoot) {
    const std::string resources = ResourcePayload();
    const std::string bom = "\xef\xbb\xbf";
    const Outcome cases[] = {
        {Loader::Resources, "mark first", bom + resources, 0, resources},
        {Loader::Resources, "mark after blanks", "  " + bom + resources, 0, resources},
        {Loader::Resources, "mark in a value", WithValue(resources, "shortdesc", bom + "Lathe"), 0,
         WithValue(resources, "shortdesc", "&#xFEFF;Lathe")},
        {Loader::Resources, "two marks", bom + bom + resources, 5, ""},
        {Loader::Resources, "text before the root", "x" + resources, 5, ""},
        {Loader::Resources, "text after the root", resources + "x", 5, ""},
        {Loader::Resources, "CDATA before the root", "<![CDATA[x]]>" + resources, 5, ""},
        {Loader::Resources, "CDATA among the records",
         "<root><![CDATA[<r resno=\"R9\" shortdesc=\"X\"/>]]>" + RecordsOf(resources) + "</root>",
         5, ""},
        {Loader::WorkOrders, "mark first", bom + WorkOrderPayload(), 0, WorkOrderPayload()},
        {Loader::Header, "text after the root", HeaderPayload() + "x", 5, ""},
        {Loader::Calendars, "text before the root", "x" + CalendarPayload(), 5, ""},
    };
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

// A "$" or ";" written as a character reference is the character itself: it is refused in a
// resource number and a work-order number just as the character is.
TEST(HostilePayloads, CharacterReferencesToSeparatorsActAsTheCharacters) {
    const std::string resources = ResourcePayload();
    const std::string work = WorkOrderPayload();
    const Outcome cases[] = {
        {Loader::Resources, "semicolon in resno", WithValue(resources, "resno", "R1&#59;x"), 5, ""},
        {Loader::Resources, "semicolon in shortdesc",
         WithValue(resources, "shortdesc", "La&#x3B;the"), 0,
         WithValue(resources, "shortdesc", "La;the")},
        {Loader::WorkOrders, "dollar in the work order",
         WithValue(work, "work_order_no", "WO&#36;7"), 5, ""},
        {Loader::WorkOrders, "dollar in a text field",
         WithValue(work, "sdesc4", "Smith &#x24; Sons"), 0,
         WithValue(work, "sdesc4", "Smith $ Sons")},
        {Loader::WorkOrders, "semicolon in resno", WithValue(work, "resno", "R1&#59;"), 0,
         WithValue(work, "resno", "R1;")},
        {Loader::WorkOrders, "resno spelt by references", WithValue(work, "resno", "&#82;&#x31;"),
         0, work},
        {Loader::Calendars, "resno spelt by references",
         WithValue(CalendarPayload(), "resno", "&#x52;1"), 0, CalendarPayload()},
        {Loader::Header, "date spelt by references",
         WithValue(HeaderPayload(), "fromtimeperiod", "1&#47;1&#x2F;2003"), 0, HeaderPayload()},
    };
    for (const Outcome& c : cases) {
        ExpectOutcome(c);
    }
}

}  // namespace
}  // namespace tessaro
