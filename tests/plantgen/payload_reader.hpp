#pragma once

#include <cctype>
#include <charconv>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace tessaro::plantgen {

// A payload read back with pugixml: its records in order, or what keeps the text from being a
// payload (one root after an optional declaration, only empty record elements under it, data only
// in lower-case attributes, no comments or processing instructions).
struct ReadPayload {
    pugi::xml_document document;
    std::vector<pugi::xml_node> records;
    std::string error;  // empty when the text is a payload
};

inline std::unique_ptr<ReadPayload> Read(std::string_view text) {
    auto payload = std::make_unique<ReadPayload>();
    const pugi::xml_parse_result parsed = payload->document.load_buffer(
        text.data(), text.size(),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi);
    if (!parsed) {
        payload->error = std::string("not XML: ") + parsed.description() + " at offset " +
                         std::to_string(parsed.offset);
        return payload;
    }
    pugi::xml_node root;
    for (const pugi::xml_node node : payload->document.children()) {
        if (node.type() == pugi::node_declaration && !root) {
            continue;
        }
        if (node.type() != pugi::node_element || root) {
            payload->error = "more than one root element, or a node beside it";
            return payload;
        }
        root = node;
    }
    if (!root) {
        payload->error = "no root element";
        return payload;
    }
    for (const pugi::xml_node record : root.children()) {
        if (record.type() != pugi::node_element) {
            payload->error = std::string("a non-element node under <") + root.name() + ">";
            return payload;
        }
        if (record.first_child()) {
            payload->error = std::string("<") + record.name() + "> has content";
            return payload;
        }
        for (const pugi::xml_attribute attribute : record.attributes()) {
            for (const char c : std::string_view(attribute.name())) {
                if (std::isupper(static_cast<unsigned char>(c))) {
                    payload->error =
                        std::string("attribute name ") + attribute.name() + " is not lower case";
                    return payload;
                }
            }
        }
        payload->records.push_back(record);
    }
    return payload;
}

inline std::set<std::string> AttributeNames(const pugi::xml_node& record) {
    std::set<std::string> names;
    for (const pugi::xml_attribute attribute : record.attributes()) {
        names.insert(attribute.name());
    }
    return names;
}

// The records whose attribute set differs from the first record's, by position.
inline std::vector<size_t> RecordsWithOtherAttributes(const ReadPayload& payload) {
    std::vector<size_t> odd;
    if (payload.records.empty()) {
        return odd;
    }
    const std::set<std::string> first = AttributeNames(payload.records.front());
    for (size_t i = 0; i < payload.records.size(); ++i) {
        if (AttributeNames(payload.records[i]) != first) {
            odd.push_back(i);
        }
    }
    return odd;
}

// A whole decimal number with an optional minus sign and nothing else, or nothing.
inline std::optional<int64_t> WholeNumber(std::string_view text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

inline std::optional<int64_t> NumberAttribute(const pugi::xml_node& record, const char* name) {
    return WholeNumber(record.attribute(name).value());
}

// Records per value of one attribute.
inline std::map<std::string, int64_t> CountBy(const ReadPayload& payload, const char* name) {
    std::map<std::string, int64_t> counts;
    for (const pugi::xml_node& record : payload.records) {
        ++counts[record.attribute(name).value()];
    }
    return counts;
}

}  // namespace tessaro::plantgen
