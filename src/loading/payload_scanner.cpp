#include "loading/payload_scanner.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <unordered_map>

#include <tessaro/runtime/automation_error.hpp>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "loading/attribute_names.hpp"
#include "runtime/ascii.hpp"

namespace tessaro {

namespace {

enum ByteClass : uint8_t {
    kSpace = 1,
    kNameStart = 2,
    kName = 4,
    // A byte a value holds as it is: no quote, no reference, no markup, no control character
    // (the document reader turns tabs and line ends in values into spaces).
    kPlainValue = 8,
};

constexpr std::array<uint8_t, 256> MakeByteClasses() {
    std::array<uint8_t, 256> classes{};
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        uint8_t set = 0;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            set |= kSpace;
        }
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || c == '_' || c == ':') {
            set |= kNameStart | kName;
        }
        if ((c >= '0' && c <= '9') || c == '-' || c == '.') {
            set |= kName;
        }
        if (byte >= 0x20 && c != '"' && c != '\'' && c != '&' && c != '<') {
            set |= kPlainValue;
        }
        classes[static_cast<std::size_t>(byte)] = set;
    }
    return classes;
}

constexpr std::array<uint8_t, 256> kByteClasses = MakeByteClasses();

bool Is(char c, ByteClass byteClass) {
    return (kByteClasses[static_cast<unsigned char>(c)] & byteClass) != 0;
}

struct Attribute {
    std::string_view Name;
    std::string_view Value;
    // Whether the name is the one of the column at the attribute's place.
    bool InPlace = false;
};

// Whether the short texts are equal; names of up to sixteen bytes take two word compares.
bool SameBytes(const char* a, const char* b, std::size_t size) {
    if (size < 8 || size > 16) {
        return std::memcmp(a, b, size) == 0;
    }
    uint64_t words[4];
    std::memcpy(&words[0], a, 8);
    std::memcpy(&words[1], b, 8);
    std::memcpy(&words[2], a + size - 8, 8);
    std::memcpy(&words[3], b + size - 8, 8);
    return ((words[0] ^ words[1]) | (words[2] ^ words[3])) == 0;
}

// Whether the texts of four to thirty-two bytes are equal, in two overlapping compares; other
// sizes go to memcmp.
bool SameShortBytes(const char* a, const char* b, std::size_t size) {
#if defined(__SSE2__)
    if (size >= 16 && size <= 32) {
        const auto load = [](const char* at) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        };
        const __m128i head = _mm_cmpeq_epi8(load(a), load(b));
        const __m128i tail = _mm_cmpeq_epi8(load(a + size - 16), load(b + size - 16));
        return _mm_movemask_epi8(_mm_and_si128(head, tail)) == 0xFFFF;
    }
#endif
    if (size >= 4 && size < 8) {
        uint32_t words[4];
        std::memcpy(&words[0], a, 4);
        std::memcpy(&words[1], b, 4);
        std::memcpy(&words[2], a + size - 4, 4);
        std::memcpy(&words[3], b + size - 4, 4);
        return ((words[0] ^ words[1]) | (words[2] ^ words[3])) == 0;
    }
    return SameBytes(a, b, size);
}

// The first byte from `at` on that a value does not hold as it is: a quote, a reference, markup
// or a control character. Inside a double-quoted value an apostrophe is held as it is, so only
// the closing quote ends it there.
template <bool DoubleQuoted>
const char* SkipValue(const char* at, const char* end) {
#if defined(__SSE2__)
    // Values are most of a payload's bytes: sixteen are classified at a time.
    const __m128i doubleQuote = _mm_set1_epi8('"');
    const __m128i singleQuote = _mm_set1_epi8('\'');
    const __m128i ampersand = _mm_set1_epi8('&');
    const __m128i lessThan = _mm_set1_epi8('<');
    const __m128i controlBits = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i zero = _mm_setzero_si128();
    while (end - at >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        __m128i quotes = _mm_cmpeq_epi8(bytes, doubleQuote);
        if constexpr (!DoubleQuoted) {
            quotes = _mm_or_si128(quotes, _mm_cmpeq_epi8(bytes, singleQuote));
        }
        const __m128i markup =
            _mm_or_si128(_mm_cmpeq_epi8(bytes, ampersand), _mm_cmpeq_epi8(bytes, lessThan));
        const __m128i control = _mm_cmpeq_epi8(_mm_and_si128(bytes, controlBits), zero);
        const int stops = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(quotes, markup), control));
        if (stops != 0) {
            return at + __builtin_ctz(static_cast<unsigned>(stops));
        }
        at += 16;
    }
#endif
    while (at != end && (Is(*at, kPlainValue) || (DoubleQuoted && *at == '\''))) {
        ++at;
    }
    return at;
}

// Writes the code point as UTF-8; returns the bytes written.
std::size_t WriteUtf8(uint32_t code, char* out) {
    const auto byte = [](uint32_t bits) { return static_cast<char>(static_cast<uint8_t>(bits)); };
    if (code < 0x80) {
        out[0] = byte(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = byte(0xC0 | (code >> 6));
        out[1] = byte(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = byte(0xE0 | (code >> 12));
        out[1] = byte(0x80 | ((code >> 6) & 0x3F));
        out[2] = byte(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = byte(0xF0 | (code >> 18));
    out[1] = byte(0x80 | ((code >> 12) & 0x3F));
    out[2] = byte(0x80 | ((code >> 6) & 0x3F));
    out[3] = byte(0x80 | (code & 0x3F));
    return 4;
}

// At an "&" before `end`: writes the character the reference stands for and moves past it.
// False for a reference the scanner leaves to the document reader: an entity other than the five
// predefined ones, a malformed one, or one to NUL, a surrogate or past Unicode.
bool DecodeReference(const char*& at, const char* end, char*& out) {
    const std::string_view rest(at, static_cast<std::size_t>(end - at));
    static constexpr std::array<std::pair<std::string_view, char>, 5> kEntities{
        {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&apos;", '\''}, {"&quot;", '"'}}};
    for (const auto& [entity, character] : kEntities) {
        if (rest.starts_with(entity)) {
            *out++ = character;
            at += entity.size();
            return true;
        }
    }
    if (!rest.starts_with("&#")) {
        return false;
    }
    const bool hex = rest.size() > 2 && rest[2] == 'x';
    std::size_t place = hex ? 3 : 2;
    const std::size_t firstDigit = place;
    // Seven digits reach past Unicode in either base; more are left to the document reader.
    constexpr std::size_t kMostDigits = 7;
    uint32_t code = 0;
    for (; place < rest.size() && place - firstDigit < kMostDigits; ++place) {
        const char c = rest[place];
        if (c >= '0' && c <= '9') {
            code = code * (hex ? 16 : 10) + static_cast<uint32_t>(c - '0');
        } else if (hex && (c | ' ') >= 'a' && (c | ' ') <= 'f') {
            code = code * 16 + static_cast<uint32_t>((c | ' ') - 'a' + 10);
        } else {
            break;
        }
    }
    if (place == firstDigit || place >= rest.size() || rest[place] != ';' || code == 0 ||
        code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return false;
    }
    out += WriteUtf8(code, out);
    at += place + 1;
    return true;
}

// The plain form of a payload, read front to back. Every reader returns false where the text
// leaves that form.
class Scanner {
public:
    explicit Scanner(std::string_view text) : at_(text.data()), end_(text.data() + text.size()) {}

    bool AtEnd() const { return at_ == end_; }
    const char* At() const { return at_; }
    std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }

    void SkipSpace() {
        while (at_ != end_ && Is(*at_, kSpace)) {
            ++at_;
        }
    }

    // White space and comments, with an XML declaration first when `declaration` allows one.
    bool SkipMisc(bool declaration) {
        SkipSpace();
        if (declaration && Next("<?xml") && Left() > 5 && Is(at_[5], kSpace)) {
            const char* close = Find("?>", at_ + 5);
            if (close == nullptr) {
                return false;
            }
            at_ = close + 2;
            SkipSpace();
        }
        while (Next("<!--")) {
            if (!SkipComment()) {
                return false;
            }
            SkipSpace();
        }
        return true;
    }

    bool Next(std::string_view expected) const {
        return Left() >= expected.size() && std::memcmp(at_, expected.data(), expected.size()) == 0;
    }

    // At "<!--": a comment that holds no "--" of its own.
    bool SkipComment() {
        const char* dashes = Find("--", at_ + 4);
        if (dashes == nullptr || dashes + 2 == end_ || dashes[2] != '>') {
            return false;
        }
        at_ = dashes + 3;
        return true;
    }

    // At "<": an element's name and attributes up to its ">" or "/>". `expected` holds each
    // column's name followed by =" : an attribute written so at its place is read without
    // classifying its name's bytes.
    bool StartTag(std::string_view& name, std::vector<Attribute>& attributes, bool& closed,
                  const std::vector<std::string>& expected) {
        ++at_;
        if (!ReadName(name)) {
            return false;
        }
        attributes.clear();
        for (;;) {
            const char* before = at_;
            SkipSpace();
            if (AtEnd()) {
                return false;
            }
            if (*at_ == '>') {
                ++at_;
                closed = false;
                return true;
            }
            if (*at_ == '/') {
                if (Left() < 2 || at_[1] != '>') {
                    return false;
                }
                at_ += 2;
                closed = true;
                return true;
            }
            if (at_ == before) {
                return false;
            }
            Attribute& attribute = attributes.emplace_back();
            const std::size_t place = attributes.size() - 1;
            if (place < expected.size()) {
                const std::string& written = expected[place];
                if (Left() > written.size() && SameBytes(at_, written.data(), written.size())) {
                    attribute.InPlace = true;
                    attribute.Name = std::string_view(written.data(), written.size() - 2);
                    at_ += written.size() - 1;
                    if (!ReadValue(attribute.Value)) {
                        return false;
                    }
                    continue;
                }
            }
            if (!ReadName(attribute.Name)) {
                return false;
            }
            SkipSpace();
            if (AtEnd() || *at_ != '=') {
                return false;
            }
            ++at_;
            SkipSpace();
            if (AtEnd() || (*at_ != '"' && *at_ != '\'') || !ReadValue(attribute.Value)) {
                return false;
            }
        }
    }

    // At "<": a record element whose attributes are each written ` name="` (one space before)
    // at their column's place, as payloads that a program writes have them, with values in
    // which no byte needs a second look: its values are read into `values` without classifying
    // a name's bytes or noting the attributes apart. `name` is the previous record's element
    // name, compared whole before it is read again. False, with the scanner wherever it
    // stopped, for a record in any other form; the caller then reads it again.
    bool InPlaceRecord(std::string_view& name, std::string_view* values, std::size_t& count,
                       bool& closed, const std::vector<std::string>& spacedNames) {
        ++at_;
        if (!SameName(name) && !ReadName(name)) {
            return false;
        }
        count = 0;
        for (const std::string& written : spacedNames) {
            if (Left() <= written.size() || !SameShortBytes(at_, written.data(), written.size())) {
                break;
            }
            at_ += written.size();
            const char* const valueEnd = SkipValue<true>(at_, end_);
            if (valueEnd == end_ || *valueEnd != '"') {
                return false;
            }
            values[count++] = std::string_view(at_, static_cast<std::size_t>(valueEnd - at_));
            at_ = valueEnd + 1;
        }
        SkipSpace();
        if (Next("/>")) {
            at_ += 2;
            closed = true;
            return true;
        }
        if (Next(">")) {
            ++at_;
            closed = false;
            return true;
        }
        return false;
    }

    void MoveTo(const char* at) { at_ = at; }

    // At "</": the end tag of the element named so.
    bool EndTag(std::string_view name) {
        if (Left() < name.size() + 2 || std::memcmp(at_ + 2, name.data(), name.size()) != 0) {
            return false;
        }
        at_ += name.size() + 2;
        SkipSpace();
        if (AtEnd() || *at_ != '>') {
            return false;
        }
        ++at_;
        return true;
    }

    DecodedValues* Decoded = nullptr;

private:
    const char* Find(std::string_view what, const char* from) const {
        const std::string_view rest(from, static_cast<std::size_t>(end_ - from));
        const auto found = rest.find(what);
        return found == std::string_view::npos ? nullptr : from + found;
    }

    // Whether the element name at the scanner is `name` again, ending where a name ends; moves
    // past it when it is.
    bool SameName(std::string_view name) {
        if (name.empty() || Left() <= name.size() || Is(at_[name.size()], kName) ||
            !SameBytes(at_, name.data(), name.size())) {
            return false;
        }
        at_ += name.size();
        return true;
    }

    bool ReadName(std::string_view& name) {
        const char* start = at_;
        if (AtEnd() || !Is(*at_, kNameStart)) {
            return false;
        }
        ++at_;
        while (at_ != end_ && Is(*at_, kName)) {
            ++at_;
        }
        name = std::string_view(start, static_cast<std::size_t>(at_ - start));
        return true;
    }

    // At the opening quote.
    bool ReadValue(std::string_view& value) {
        const char quote = *at_++;
        const char* start = at_;
        for (;;) {
            at_ = SkipValue<false>(at_, end_);
            if (AtEnd()) {
                return false;
            }
            if (*at_ == quote) {
                value = std::string_view(start, static_cast<std::size_t>(at_ - start));
                ++at_;
                return true;
            }
            if (*at_ == '&') {
                return ReadDecodedValue(start, quote, value);
            }
            if (*at_ != '"' && *at_ != '\'') {
                return false;
            }
            ++at_;
        }
    }

    // A value with references: written resolved into the decoded values. No reference is
    // shorter than the character it stands for, so the raw length is room enough.
    bool ReadDecodedValue(const char* start, char quote, std::string_view& value) {
        const auto* close =
            static_cast<const char*>(std::memchr(at_, quote, static_cast<std::size_t>(end_ - at_)));
        if (close == nullptr) {
            return false;
        }
        const auto raw = static_cast<std::size_t>(close - start);
        char* const room = Decoded->Room(raw);
        char* out = room;
        for (const char* from = start; from != close;) {
            if (*from == '&') {
                if (!DecodeReference(from, close, out)) {
                    return false;
                }
            } else if (Is(*from, kPlainValue) || *from == '"' || *from == '\'') {
                *out++ = *from++;
            } else {
                return false;
            }
        }
        const auto written = static_cast<std::size_t>(out - room);
        Decoded->GiveBack(raw - written);
        value = std::string_view(room, written);
        at_ = close + 1;
        return true;
    }

    const char* at_;
    const char* end_;
};

// Fills one record the way the document reader's records are read: an element with n attributes
// fills columns 0..n-1 from its attributes named as those columns in lower case.
// A search along the attributes costs as many steps as the record has, so a record of many
// attributes in an order of its own is indexed once, on its first attribute out of place.
bool AddRecord(RecordTable& table, const std::vector<std::string>& lookupNames,
               const std::vector<Attribute>& attributes,
               std::unordered_map<std::string_view, const Attribute*>& byName) {
    if (attributes.size() > lookupNames.size()) {
        return false;
    }
    constexpr std::size_t kSearchedAlong = 16;
    if (!byName.empty()) {
        byName.clear();
    }
    table.AddNew();
    for (std::size_t column = 0; column < attributes.size(); ++column) {
        const std::string& name = lookupNames[column];
        const Attribute* value = &attributes[column];
        if (!value->InPlace && value->Name != name) {
            if (attributes.size() <= kSearchedAlong) {
                const auto found = std::find_if(attributes.begin(), attributes.end(),
                                                [&](const Attribute& a) { return a.Name == name; });
                value = found != attributes.end() ? &*found : nullptr;
            } else {
                if (byName.empty()) {
                    for (const Attribute& attribute : attributes) {
                        byName.emplace(attribute.Name, &attribute);
                    }
                }
                const auto found = byName.find(name);
                value = found != byName.end() ? found->second : nullptr;
            }
            if (value == nullptr) {
                return false;
            }
        }
        table.SetField(static_cast<int32_t>(column), value->Value);
    }
    table.Update();
    return true;
}

bool Scan(RecordTable& table, std::string_view text, PayloadColumns columns,
          DecodedValues& decoded) {
    Scanner scanner(text);
    scanner.Decoded = &decoded;
    std::vector<Attribute> attributes;
    std::string_view rootName;
    bool closed = false;
    if (!scanner.SkipMisc(true) || !scanner.Next("<") ||
        !scanner.StartTag(rootName, attributes, closed, {}) || closed) {
        return false;
    }

    std::vector<std::string> lookupNames;
    std::vector<std::string> writtenNames;
    std::vector<std::string> spacedNames;
    std::unordered_map<std::string_view, const Attribute*> byName;
    const auto nameColumns = [&] {
        lookupNames = ColumnLookupNames(table);
        for (const std::string& name : lookupNames) {
            writtenNames.push_back(name + "=\"");
            spacedNames.push_back(" " + name + "=\"");
        }
    };
    if (columns == PayloadColumns::OfTable) {
        nameColumns();
    }
    std::size_t records = 0;
    // The values of a record read in place, and the name of the last record's element.
    std::vector<std::string_view> values;
    std::string_view name;
    for (;;) {
        scanner.SkipSpace();
        if (scanner.Next("<!--")) {
            if (!scanner.SkipComment()) {
                return false;
            }
            continue;
        }
        if (scanner.Next("</")) {
            break;
        }
        if (!scanner.Next("<")) {
            return false;
        }
        const char* recordStart = scanner.At();
        std::size_t count = 0;
        const bool inPlace =
            records > 0 && scanner.InPlaceRecord(name, values.data(), count, closed, spacedNames);
        if (!inPlace) {
            scanner.MoveTo(recordStart);
            if (!scanner.StartTag(name, attributes, closed, writtenNames)) {
                return false;
            }
        }
        if (!closed) {
            scanner.SkipSpace();
            if (!scanner.Next("</") || !scanner.EndTag(name)) {
                return false;
            }
        }
        if (inPlace) {
            table.AddRecord(std::span<const std::string_view>(values.data(), count));
            ++records;
            continue;
        }
        if (records == 0) {
            if (columns == PayloadColumns::OfFirstRecord) {
                for (const Attribute& attribute : attributes) {
                    table.AppendColumn(std::string(AttributeBaseName(attribute.Name)),
                                       ColumnType::Text);
                }
                nameColumns();
            }
            values.resize(lookupNames.size());
            // The first record's size foretells the rest; a fifth more is kept in reserve, and
            // room no record fills is never touched.
            // Counting at least four bytes a record and four an attribute keeps the room within
            // a few times the payload's size when the first record is short.
            const auto columnCount = static_cast<std::size_t>(table.ColumnCount());
            const auto recordBytes = std::max<std::size_t>(
                static_cast<std::size_t>(scanner.At() - recordStart), 4 + 4 * columnCount);
            table.Reserve(scanner.Left() / recordBytes * 6 / 5 + 16);
        }
        if (!AddRecord(table, lookupNames, attributes, byName)) {
            return false;
        }
        ++records;
    }
    return records > 0 && scanner.EndTag(rootName) && scanner.SkipMisc(false) && scanner.AtEnd();
}

}  // namespace

char* DecodedValues::Room(std::size_t bytes) {
    if (bytes > free_) {
        constexpr std::size_t kBlockBytes = 64 * 1024;
        const std::size_t size = std::max(bytes, kBlockBytes);
        blocks_.push_back(std::make_unique<char[]>(size));
        next_ = blocks_.back().get();
        free_ = size;
    }
    char* room = next_;
    next_ += bytes;
    free_ -= bytes;
    return room;
}

bool ScanPayloadRecords(RecordTable& table, std::string_view text, PayloadColumns columns,
                        DecodedValues& decoded) {
    RecordTable scanned = table;
    try {
        if (!Scan(scanned, text, columns, decoded)) {
            return false;
        }
    } catch (const AutomationError&) {
        // A column or value the table refuses: the document reader raises it, with its context.
        return false;
    }
    table = std::move(scanned);
    return true;
}

}  // namespace tessaro
