#pragma once

// Small payloads for loader tests, written the way a host writes them.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::testing {

using Attributes = std::vector<std::pair<std::string, std::string>>;

// A payload a loader must refuse, with the error code it raises.
struct FailingPayload {
    const char* name;
    std::string payload;
    int32_t error;
};

// <root><r a="..." .../>...</root>, attribute values written as given (no escaping).
inline std::string PayloadXml(const std::vector<Attributes>& records) {
    std::string xml = "<root>";
    for (const Attributes& record : records) {
        xml += "<r";
        for (const auto& [name, value] : record) {
            xml += " " + name + "=\"" + value + "\"";
        }
        xml += "/>";
    }
    return xml + "</root>";
}

inline std::string ResourcesXml(std::initializer_list<std::pair<std::string, std::string>> rows) {
    std::vector<Attributes> records;
    for (const auto& [resno, shortdesc] : rows) {
        records.push_back({{"resno", resno}, {"shortdesc", shortdesc}});
    }
    return PayloadXml(records);
}

inline std::string HeaderXml(const std::string& from, const std::string& to) {
    return PayloadXml({{{"dep", "D1"},
                        {"fromresno", "R1"},
                        {"fromtimeperiod", from},
                        {"guid", "g"},
                        {"hdncompanycode", "C1"},
                        {"item_code1", "I1"},
                        {"production_cont", "P"},
                        {"save_template", "N"},
                        {"toresno", "R9"},
                        {"totimeperiod", to},
                        {"wo_no", "WO1"}}});
}

struct CalendarEntry {
    std::string resno;
    std::string day = "1/1/2002";
    std::string startSeconds = "36000";
    std::string lengthSeconds = "7200";
};

inline Attributes CalendarAttributes(const CalendarEntry& entry) {
    return {{"avlqty", "0"},
            {"calendar_from", entry.day},
            {"no_of_buckets1", entry.startSeconds},
            {"no_of_buckets2", entry.lengthSeconds},
            {"resno", entry.resno},
            {"time_buffer", "0"},
            {"timeindays1", "0"},
            {"timetableno", "T1"}};
}

inline std::string CalendarXml(std::initializer_list<CalendarEntry> entries) {
    std::vector<Attributes> records;
    for (const CalendarEntry& entry : entries) {
        records.push_back(CalendarAttributes(entry));
    }
    return PayloadXml(records);
}

// One work-order sub-activity with every attribute the bar loader reads.
struct SubActivity {
    std::string resno = "R1";
    std::string workOrder = "WO1";
    std::string start = "0";
    std::string duration = "3600";
    std::string flag = "D";
    std::string chkflag = "0";
    std::string executeOnline = "0";
    std::string activityTimeType = "1";
    std::string rsscheduleno = "10";
    std::string status = "Open";
    std::string itemCode = "IT1";
    std::string salesOrder = "SO1";
    std::string customer = "Acme";
    std::string subActivityCode = "1";

    Attributes ToAttributes() const {
        return {{"resno", resno},
                {"time_buffer", start},
                {"timeindays1", duration},
                {"work_order_no", workOrder},
                {"flag", flag},
                {"chkflag", chkflag},
                {"execute_online", executeOnline},
                {"activitytimetype", activityTimeType},
                {"rsscheduleno", rsscheduleno},
                {"status", status},
                {"item_code", itemCode},
                {"sdesc3", salesOrder},
                {"sdesc4", customer},
                {"reqddate", "01/10/2002"},
                {"schdate", "01/12/2002"},
                {"wo_start_date", "01/02/2002"},
                {"wo_end_date", "01/09/2002"},
                {"fromdate", "08:00"},
                {"todate", "17:00"},
                {"subactivity_code_mul", subActivityCode}};
    }
};

inline std::string WorkOrdersXml(const std::vector<SubActivity>& subActivities) {
    std::vector<Attributes> records;
    for (const SubActivity& subActivity : subActivities) {
        records.push_back(subActivity.ToAttributes());
    }
    return PayloadXml(records);
}

// Each sub-activity's record repeated `count` times, in order: the payload WorkOrdersXml makes of
// the repeated list, built from one record text a run, so 32767 records are quick to make.
inline std::string RepeatedWorkOrdersXml(
    const std::vector<std::pair<SubActivity, std::size_t>>& runs) {
    std::string xml = "<root>";
    for (const auto& [subActivity, count] : runs) {
        const std::string one = PayloadXml({subActivity.ToAttributes()});
        const std::string record = one.substr(6, one.size() - 6 - 7);  // without <root>, </root>
        xml.reserve(xml.size() + record.size() * count + 7);
        for (std::size_t i = 0; i < count; ++i) {
            xml += record;
        }
    }
    return xml + "</root>";
}

}  // namespace tessaro::testing
