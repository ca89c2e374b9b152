#include "loading/payload_reader.hpp"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <tessaro/runtime/automation_error.hpp>
#include "runtime/ascii.hpp"

#include "loading/attribute_names.hpp"
#include "loading/payload_text.hpp"

namespace tessaro {

namespace {

[[noreturn]] void RaisePayloadError(std::string description) {
    RaiseRuntimeError(RuntimeError::InvalidProcedureCall, std::move(description));
}

// Payload values can be huge; a message shows their start.
std::string Shortened(std::string_view value) {
    constexpr std::size_t kShown = 60;
    return value.size() <= kShown ? std::string(value)
                                  : std::string(value.substr(0, kShown)) + "...";
}

std::string RecordName(std::size_t index) {
    return "Record " + std::to_string(index + 1);
}

// The document is read as a fragment so that text outside the root, which a document parse
// drops, stays in it and is refused here. The document type is kept to be refused too: the
// control reads no DTD, so it expands no entity declared there and fetches nothing it names.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_fragment | pugi::parse_doctype;

pugi::xml_node SingleRoot(const pugi::xml_document& document) {
    pugi::xml_node root;
    for (pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_element) {
            if (root) {
                RaisePayloadError("The payload has more than one root element.");
            }
            root = node;
        } else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            RaisePayloadError("The payload has text outside its root element.");
        } else if (node.type() == pugi::node_doctype) {
            RaisePayloadError(
                "The payload declares a document type; the control reads none, so it expands no "
                "entity and fetches nothing a document type names.");
        }
    }
    if (!root) {
        RaisePayloadError("The payload has no root element.");
    }
    return root;
}

// The document is parsed in a copy of the text, returned with it: its names and values point
// into the copy. The text holds no NUL (see CheckPayloadText).
std::unique_ptr<LargeCharBuffer> Parse(pugi::xml_document& document, std::string_view text,
                                       unsigned options) {
    // A fragment parsed in place ends at a terminating NUL; without one the parser drops the
    // last character of text after the root. The text holds no NUL of its own by now.
    auto copy = std::make_unique<LargeCharBuffer>(text.size() + 1);
    std::copy(text.begin(), text.end(), copy->Data());
    copy->Data()[text.size()] = '\0';
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(copy->Data(), copy->Size(), options, pugi::encoding_utf8);
    if (!parsed) {
        RaisePayloadError(
            "The payload is not well-formed XML: " + std::string(parsed.description()) +
            " at character " + std::to_string(parsed.offset + 1) + ".");
    }
    return copy;
}

// The root's child elements; text among them is refused.
std::vector<pugi::xml_node> RecordsOf(pugi::xml_node root) {
    std::vector<pugi::xml_node> elements;
    for (pugi::xml_node node : root.children()) {
        if (node.type() == pugi::node_element) {
            elements.push_back(node);
        } else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            RaisePayloadError("The payload's root holds text outside its records.");
        }
    }
    return elements;
}

// The parser leaves a reference it cannot resolve as it was written, and once "&amp;lol;" has
// become "&lol;" no value tells the two apart. So when the text holds such a reference anywhere,
// it is parsed once more with no reference resolved and the records' attributes are searched;
// references elsewhere (comments, CDATA, a record's content) are never read.
void CheckReferencesOfRecords(std::string_view text) {
    if (FindUnreadableReference(text).empty()) {
        return;
    }
    pugi::xml_document unresolved;
    const auto copy = Parse(unresolved, text, kParseOptions & ~pugi::parse_escapes);
    const std::vector<pugi::xml_node> elements = RecordsOf(SingleRoot(unresolved));
    for (std::size_t index = 0; index < elements.size(); ++index) {
        for (pugi::xml_attribute attribute : elements[index].attributes()) {
            const std::string_view reference = FindUnreadableReference(attribute.value());
            if (!reference.empty()) {
                RaisePayloadError(RecordName(index) + " of the payload: attribute \"" +
                                  Shortened(attribute.name()) + "\" holds the reference \"" +
                                  Shortened(reference) +
                                  "\", which the control cannot read; it reads the five entities "
                                  "XML predefines and references to characters other than NUL.");
            }
        }
    }
}

// Whether the NUL-terminated name is exactly `expected`: one pass, no length taken first.
bool NameIs(const char* name, std::string_view expected) {
    return std::strncmp(name, expected.data(), expected.size()) == 0 &&
           name[expected.size()] == '\0';
}

using AttributesByName = std::unordered_map<std::string_view, pugi::xml_attribute>;

// The record's first attribute of that name. A search along the attributes costs as many steps
// as the record has, so a record of many attributes in an order of its own is indexed once, on
// its first attribute out of place.
pugi::xml_attribute Named(const std::vector<pugi::xml_attribute>& attributes,
                          AttributesByName& byName, const std::string& name) {
    constexpr std::size_t kSearchedAlong = 16;
    if (attributes.size() <= kSearchedAlong) {
        for (pugi::xml_attribute attribute : attributes) {
            if (NameIs(attribute.name(), name)) {
                return attribute;
            }
        }
        return {};
    }
    if (byName.empty()) {
        for (pugi::xml_attribute attribute : attributes) {
            byName.emplace(attribute.name(), attribute);
        }
    }
    const auto found = byName.find(name);
    return found != byName.end() ? found->second : pugi::xml_attribute();
}

}  // namespace

PayloadRecords ReadPayloadRecords(std::string_view text) {
    PayloadRecords records;
    records.Document = std::make_unique<pugi::xml_document>();
    text = TrimSpaces(text);
    CheckPayloadText(text);
    records.Text = Parse(*records.Document, text, kParseOptions);
    records.Elements = RecordsOf(SingleRoot(*records.Document));
    if (records.Elements.empty()) {
        RaisePayloadError("The payload's root holds no record.");
    }
    CheckReferencesOfRecords(text);
    return records;
}

void AddColumnsOfElement(RecordTable& table, pugi::xml_node element) {
    for (pugi::xml_attribute attribute : element.attributes()) {
        table.AppendColumn(std::string(AttributeBaseName(attribute.name())), ColumnType::Text);
    }
}

void ReadRecords(RecordTable& table, const std::vector<pugi::xml_node>& elements) {
    const int32_t columns = table.ColumnCount();
    const std::vector<std::string> lookupNames = ColumnLookupNames(table);

    table.Reserve(elements.size());
    std::vector<pugi::xml_attribute> attributes;
    attributes.reserve(static_cast<std::size_t>(columns) + 1);
    AttributesByName byName;
    for (std::size_t index = 0; index < elements.size(); ++index) {
        attributes.clear();
        // Counting stops one past the columns: that is enough to refuse the record.
        for (pugi::xml_attribute attribute = elements[index].first_attribute();
             attribute && attributes.size() <= static_cast<std::size_t>(columns);
             attribute = attribute.next_attribute()) {
            attributes.push_back(attribute);
        }
        if (attributes.size() > static_cast<std::size_t>(columns)) {
            RaisePayloadError(RecordName(index) + " of the payload has more attributes than " +
                              "the first record.");
        }
        table.AddNew();
        byName.clear();
        for (std::size_t column = 0; column < attributes.size(); ++column) {
            const std::string& name = lookupNames[column];
            // Records usually list their attributes in the first record's order.
            pugi::xml_attribute value = attributes[column];
            if (!NameIs(value.name(), name)) {
                value = Named(attributes, byName, name);
            }
            if (!value) {
                RaisePayloadError(RecordName(index) + " of the payload has no attribute \"" +
                                  Shortened(name) + "\".");
            }
            try {
                // The value is measured here, while its text is still in the cache.
                table.SetField(static_cast<int32_t>(column), std::string_view(value.value()));
            } catch (const AutomationError& error) {
                throw AutomationError(error.Number(), error.Source(),
                                      error.Description() + ": attribute \"" + name + "\" of " +
                                          AsciiLowered(RecordName(index)) + " is \"" +
                                          Shortened(value.value()) + "\".");
            }
        }
        table.Update();
    }
}

PayloadValues ReadPayloadTable(RecordTable& table, std::string_view text, PayloadColumns columns) {
    PayloadValues values;
    const std::string_view trimmed = TrimSpaces(text);
    values.TextsNeedNoEscape = CheckPayloadText(trimmed);
    if (ScanPayloadRecords(table, trimmed, columns, values.Decoded)) {
        return values;
    }
    // Outside the plain form, or refused: the document reader reads it or names the fault.
    values.Decoded = DecodedValues();
    values.Records = ReadPayloadDocument(table, text, columns);
    return values;
}

PayloadRecords ReadPayloadDocument(RecordTable& table, std::string_view text,
                                   PayloadColumns columns) {
    PayloadRecords records = ReadPayloadRecords(text);
    if (columns == PayloadColumns::OfFirstRecord) {
        AddColumnsOfElement(table, records.Elements.front());
    }
    ReadRecords(table, records.Elements);
    return records;
}

}  // namespace tessaro
