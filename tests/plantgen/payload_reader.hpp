#pragma once

#include <cctype>
#include <charconv>
#include <cstdint>
#include <iomanip>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <pugixml.hpp>
#include <tessaro/runtime/calendar.hpp>
#include <tessaro/runtime/chart_time.hpp>
#include "runtime/conversions.hpp"

namespace tessaro::plantgen {

// The attributes of each payload's records.
inline const std::set<std::string> kHeaderAttributes = {
    "dep",        "fromresno",       "fromtimeperiod", "guid",    "hdncompanycode",
    "item_code1", "production_cont", "save_template",  "toresno", "totimeperiod",
    "wo_no"};
inline const std::set<std::string> kCalendarAttributes = {
    "avlqty", "calendar_from", "no_of_buckets1", "no_of_buckets2",
    "resno",  "time_buffer",   "timeindays1",    "timetableno"};
inline const std::set<std::string> kWorkOrderAttributes = {
    "resno",         "time_buffer",    "timeindays1",      "work_order_no", "flag",
    "chkflag",       "execute_online", "activitytimetype", "rsscheduleno",  "status",
    "item_code",     "sdesc3",         "sdesc4",           "reqddate",      "schdate",
    "wo_start_date", "wo_end_date",    "fromdate",         "todate",        "subactivity_code_mul"};
// Attributes a work order's sub-activities share.
inline const char* const kWorkOrderWide[] = {"flag",    "status",        "item_code",
                                             "sdesc3",  "sdesc4",        "reqddate",
                                             "schdate", "wo_start_date", "wo_end_date"};

inline constexpr int64_t kSecondsPerDay = 86400;

// Payload seconds of midnight at the start of Monday 4 January 2027.
inline int64_t January4th2027() {
    return int64_t{DayNumber(2027, 1, 4) - kDayOf2000} * kSecondsPerDay;
}

// Day numbers count from Monday 1 January 1900: 0 = Monday .. 6 = Sunday.
inline int32_t WeekdayOf(int64_t payloadSeconds) {
    return ChartTime::FromPayloadSeconds(static_cast<int32_t>(payloadSeconds)).Day % 7;
}

inline int32_t DayOfSeconds(int64_t payloadSeconds) {
    return ChartTime::FromPayloadSeconds(static_cast<int32_t>(payloadSeconds)).Day;
}

// The day number a date text names, as the control reads it.
inline int32_t DayOfText(const char* text) {
    return TextToDate(text).Day;
}

// HH:MM of a payload moment.
inline std::string HoursMinutes(int64_t payloadSeconds) {
    const int32_t minute =
        ChartTime::FromPayloadSeconds(static_cast<int32_t>(payloadSeconds)).Minute;
    std::ostringstream text;
    text << std::setfill('0') << std::setw(2) << minute / 60 << ':' << std::setw(2) << minute % 60;
    return text.str();
}

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

namespace tessaro::plantgen {

// Runs of consecutive records with the same work_order_no, as [first, end) positions.
inline std::vector<std::pair<size_t, size_t>> WorkOrderRuns(
    const std::vector<pugi::xml_node>& records) {
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t first = 0; first < records.size();) {
        const std::string_view number = records[first].attribute("work_order_no").value();
        size_t end = first + 1;
        while (end < records.size() && number == records[end].attribute("work_order_no").value()) {
            ++end;
        }
        runs.emplace_back(first, end);
        first = end;
    }
    return runs;
}

}  // namespace tessaro::plantgen
