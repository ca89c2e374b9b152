// Reading records straight from the payload text gives what reading them through the document
// gives: the same columns and fields, or the same error, for generated and mutated payloads.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <string_view>

#include "loading/payload_scanner.hpp"
#include "support/payload_reading.hpp"
#include "support/samples.hpp"

namespace tessaro {
namespace {

using testing::ReadStraight;
using testing::ReadThroughDocument;

bool Scanned(std::string_view text, PayloadColumns columns) {
    RecordTable table;
    if (columns == PayloadColumns::OfTable) {
        testing::AddTypedColumns(table);
    }
    DecodedValues decoded;
    return ScanPayloadRecords(table, text, columns, decoded);
}

// Payloads from pieces that the document reader treats each in its own way, plain ones most.
class PayloadGenerator {
public:
    explicit PayloadGenerator(uint32_t seed) : random_(seed) {}

    std::string Payload(bool plain) {
        plain_ = plain;
        plainColumns_ = 1 + Count(3);
        std::string text = Pick({"", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", "  \n"});
        text += Between();
        const std::string root = Pick({"root", "r:oot"});
        text += "<" + root + (Chance(8) ? " a='1'" : "") + ">";
        const int records = plain_ ? 1 + Count(4) : Count(5);
        for (int record = 0; record < records; ++record) {
            text += Between() + Record();
        }
        text += Between() + "</" + root + Pick({">", " >"}) + Between();
        return text;
    }

    std::string Mutated(std::string text) {
        static constexpr std::string_view kBytes = "<>&;\"'/=! -?x#\t\r\n\xC3\xA9";
        for (int edit = Count(3); edit >= 0 && !text.empty(); --edit) {
            const std::size_t at = random_() % text.size();
            switch (random_() % 3) {
                case 0:
                    text.erase(at, 1 + random_() % 3);
                    break;
                case 1:
                    text.insert(at, 1, kBytes[random_() % kBytes.size()]);
                    break;
                default:
                    text.insert(at, text.substr(random_() % text.size(), random_() % 12));
                    break;
            }
        }
        return text;
    }

private:
    bool Chance(uint32_t oneIn) { return random_() % oneIn == 0; }
    int Count(uint32_t most) { return static_cast<int>(random_() % (most + 1)); }
    std::string Pick(std::initializer_list<std::string_view> choices) {
        return std::string(*(choices.begin() + random_() % choices.size()));
    }

    std::string Between() {
        if (plain_ || !Chance(3)) {
            return Pick({"", "\n  ", " ", "\r\n\t", "<!-- note -->\n"});
        }
        return Pick({"x", "<?pi x?>", "<![CDATA[ ]]>", "<!-- a -- b -->", "<!DOCTYPE r>", "&amp;",
                     "<!---->", "\f"});
    }

    std::string Value(std::string_view name) {
        if (plain_ && name == "qty") {
            return Pick({"12", "-3", " 7 ", "0"});
        }
        if (plain_ && name == "from") {
            return Pick({"1/4/2027", "12/31/1999"});
        }
        std::string value;
        for (int piece = Count(3); piece > 0; --piece) {
            if (plain_ || !Chance(3)) {
                value += Pick({"abc", "12", "-3", "1/4/2027", " ", "\xC3\xA9", "&amp;", "&lt;",
                               "&#65;", "&#x20AC;", "&#x1F600;", ">", "99999999999", "&quot;'"});
            } else {
                value += Pick({"&#0;", "&lol;", "&#xD800;", "&#x110000;", "&#12345678;", "&", "<",
                               "\t", "\r\n", "&#X41;", "&#x;", "&amp", "\x01"});
            }
        }
        return value;
    }

    // Plain records carry the first few of the table's columns in an order of their own; the
    // others any names at all.
    std::string Record() {
        static constexpr std::array<std::string_view, 7> kNames{"resno", "qty",     "from", "name",
                                                                "Name",  "x:resno", "extra"};
        std::array<std::string_view, 4> plainNames{"resno", "qty", "from", "name"};
        std::shuffle(plainNames.begin(), plainNames.begin() + plainColumns_, random_);
        const std::string element = Pick({"rec", "r-2.x", "rec"});
        std::string text = "<" + element;
        const int attributes = plain_ ? plainColumns_ : Count(5);
        for (int attribute = 0; attribute < attributes; ++attribute) {
            const std::string_view name = plain_ ? plainNames[static_cast<std::size_t>(attribute)]
                                                 : kNames[random_() % kNames.size()];
            const char quote = Chance(4) ? '\'' : '"';
            text += Pick({" ", "\n   ", "\t"});
            text += std::string(name) + Pick({"=", " = "}) + quote;
            std::string value = Value(name);
            if (quote == '"' && value.find('"') != std::string::npos) {
                value = "x";
            }
            if (quote == '\'' && value.find('\'') != std::string::npos) {
                value = "y";
            }
            text += value + quote;
        }
        if (plain_ || !Chance(3)) {
            const std::string close = Pick({"/>", " />", "></", ">\n </"});
            return text + close + (close.back() == '/' ? element + Pick({">", " >"}) : "");
        }
        return text + Pick({">x</rec>", "><c/></rec>", "><![CDATA[x]]></rec>", "></recx>", "/",
                            "><!-- c --></rec>"});
    }

    std::mt19937 random_;
    bool plain_ = true;
    int plainColumns_ = 4;
};

constexpr std::array<PayloadColumns, 2> kColumnSources{PayloadColumns::OfTable,
                                                       PayloadColumns::OfFirstRecord};

TEST(PayloadScannerTest, GeneratedAndMutatedPayloadsReadAsThroughTheDocument) {
    PayloadGenerator generator(20261208);
    int scanned = 0;
    int leftToDocument = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = generator.Payload(round % 2 == 0);
        if (round % 3 == 0) {
            text = generator.Mutated(std::move(text));
        }
        for (const PayloadColumns columns : kColumnSources) {
            ASSERT_EQ(ReadStraight(text, columns), ReadThroughDocument(text, columns))
                << "payload: " << text;
            (Scanned(text, columns) ? scanned : leftToDocument) += 1;
        }
    }
    // Both ways are taken often, or the comparison proves little.
    EXPECT_GT(scanned, 2000);
    EXPECT_GT(leftToDocument, 2000);
}

// Records of many attributes in an order of their own are read through an index of names.
TEST(PayloadScannerTest, ManyAttributesInAnotherOrderReadAsThroughTheDocument) {
    // Attributes a0 to a(count - 1), from the last to the first.
    const auto reversed = [](int count) {
        std::string record = "<rec";
        for (int attribute = count - 1; attribute >= 0; --attribute) {
            record += " a" + std::to_string(attribute) + "='" + std::to_string(-attribute) + "'";
        }
        return record;
    };
    std::string first = "<rec";
    for (int attribute = 0; attribute < 40; ++attribute) {
        first += " a" + std::to_string(attribute) + "=\"" + std::to_string(attribute) + "\"";
    }
    for (const std::string& second : {reversed(40), reversed(39)}) {
        const std::string text = "<root>" + first + "/>" + second + "/></root>";
        EXPECT_TRUE(Scanned(text, PayloadColumns::OfFirstRecord));
        EXPECT_EQ(ReadStraight(text, PayloadColumns::OfFirstRecord),
                  ReadThroughDocument(text, PayloadColumns::OfFirstRecord));
    }
    const std::string unnamed = "<root>" + first + "/>" + reversed(39) + " b='1'/></root>";
    EXPECT_EQ(ReadStraight(unnamed, PayloadColumns::OfFirstRecord),
              ReadThroughDocument(unnamed, PayloadColumns::OfFirstRecord));
}

TEST(PayloadScannerTest, SamplePayloadsAreReadStraightFromTheText) {
    for (const char* file : {"workorders.xml", "calendars.xml", "resources.xml"}) {
        const std::string text = testing::ReadSample(file);
        EXPECT_TRUE(Scanned(text, PayloadColumns::OfFirstRecord)) << file;
        EXPECT_EQ(ReadStraight(text, PayloadColumns::OfFirstRecord),
                  ReadThroughDocument(text, PayloadColumns::OfFirstRecord))
            << file;
    }
}

// Records after the first are read at once when written as a program writes them, each
// attribute ` name="` at its column's place; every record near that form reads as through the
// document, and the plain ones are read straight from the text.
TEST(PayloadScannerTest, RecordsNearTheWrittenFormReadAsThroughTheDocument) {
    struct Case {
        std::string_view second;
        bool scanned;
    };
    static constexpr std::array<Case, 22> kCases{{
        {R"(<rec resno="B" qty="2" from="1/5/2027" name="m"/>)", true},
        {R"(<rec resno="B" qty="2"/>)", true},
        {R"(<rec/>)", true},
        {R"(<rec resno="B" qty="2" />)", true},
        {R"(<rec resno="B" qty="2"></rec>)", true},
        {R"(<rec resno="ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" qty="2"/>)", true},
        {R"(<rec resno="it's &gt; 'x'" qty="2"/>)", true},
        {R"(<rec resno="B"  qty="2"/>)", true},
        {R"(<rec resno="B" qty='2'/>)", true},
        {R"(<rec resno = "B"/>)", true},
        {R"(<recx resno="B"/>)", true},
        {R"(<re resno="B"/>)", true},
        {R"(<rec resno="B" qty="x"/>)", false},
        {R"(<rec resno="B" name="m" qty="2"/>)", false},
        {R"(<rec resno="B" qty="2" from="1/5/2027" name="m" extra="x"/>)", false},
        {R"(<rec resno="B" qty="2"></re>)", false},
        {R"(<rec resno="B"qty="2"/>)", false},
        {"<rec resno=\"B\tC\"/>", false},
        {R"(<rec resno="<"/>)", false},
        {R"(<rec resno="B" x:qty="2"/>)", false},
        {R"(<rec resno="B" qty="2")", false},
        {R"(<rec resno="B" qty="2"/ >)", false},
    }};
    for (const Case& c : kCases) {
        const std::string text = "<root><rec resno=\"A\" qty=\"1\" from=\"1/4/2027\" name=\"n\"/>" +
                                 std::string(c.second) + "<rec resno=\"C\" qty=\"3\"/></root>";
        for (const PayloadColumns columns : kColumnSources) {
            EXPECT_EQ(ReadStraight(text, columns), ReadThroughDocument(text, columns)) << text;
        }
        EXPECT_EQ(Scanned(text, PayloadColumns::OfTable), c.scanned) << text;
    }
}

}  // namespace
}  // namespace tessaro
