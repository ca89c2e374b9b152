#include "loading/typed_payloads.hpp"

#include <chrono>
#include <cstdio>
#include <string_view>

namespace tessaro {

namespace {

using namespace std::chrono;

// Payload seconds count from 1 January 2000.
constexpr sys_days kPayloadEpoch = sys_days{year{2000} / January / 1};

class PayloadWriter {
public:
    explicit PayloadWriter(std::string_view root) : root_(root) { text_ = "<" + root_ + ">"; }

    void Begin(std::string_view element) {
        text_ += '<';
        text_ += element;
    }
    void Text(std::string_view name, std::string_view value) {
        text_ += ' ';
        text_ += name;
        text_ += "=\"";
        for (const char c : value) {
            switch (c) {
                case '&':
                    text_ += "&amp;";
                    break;
                case '<':
                    text_ += "&lt;";
                    break;
                case '>':
                    text_ += "&gt;";
                    break;
                case '"':
                    text_ += "&quot;";
                    break;
                default:
                    text_ += c;
            }
        }
        text_ += '"';
    }
    void Number(std::string_view name, int64_t value) { Text(name, std::to_string(value)); }
    // Month/day/year, as the payloads write dates.
    void Date(std::string_view name, sys_days day) {
        const year_month_day date{day};
        char text[32];
        std::snprintf(text, sizeof text, "%u/%u/%d", static_cast<unsigned>(date.month()),
                      static_cast<unsigned>(date.day()), static_cast<int>(date.year()));
        Text(name, text);
    }
    void TimeOfDay(std::string_view name, sys_seconds time) {
        const auto minutes =
            static_cast<int>(duration_cast<std::chrono::minutes>(time - floor<days>(time)).count());
        const char text[] = {
            static_cast<char>('0' + minutes / 600), static_cast<char>('0' + minutes / 60 % 10), ':',
            static_cast<char>('0' + minutes % 60 / 10), static_cast<char>('0' + minutes % 10)};
        Text(name, std::string_view(text, sizeof text));
    }
    void End() { text_ += "/>"; }

    std::string Finish() { return text_ + "</" + root_ + ">"; }

private:
    std::string root_;
    std::string text_;
};

}  // namespace

std::string HeaderPayload(const PlanHeader& header) {
    PayloadWriter writer("header");
    writer.Begin("record");
    writer.Text("dep", header.Department);
    writer.Text("fromresno", header.FromResource);
    writer.Date("fromtimeperiod", header.From);
    writer.Text("guid", header.Guid);
    writer.Text("hdncompanycode", header.CompanyCode);
    writer.Text("item_code1", header.ItemCode);
    writer.Text("production_cont", header.ProductionControl);
    writer.Text("save_template", header.SaveTemplate);
    writer.Text("toresno", header.ToResource);
    writer.Date("totimeperiod", header.To);
    writer.Text("wo_no", header.WorkOrder);
    writer.End();
    return writer.Finish();
}

std::string ResourcesPayload(std::span<const PlanResource> resources) {
    PayloadWriter writer("resources");
    for (const PlanResource& resource : resources) {
        writer.Begin("resource");
        writer.Text("resno", resource.Code);
        writer.Text("shortdesc", resource.Description);
        writer.End();
    }
    return writer.Finish();
}

std::string CalendarsPayload(std::span<const CalendarEntry> entries) {
    PayloadWriter writer("calendars");
    for (const CalendarEntry& entry : entries) {
        writer.Begin("calendar");
        writer.Number("avlqty", 0);
        writer.Date("calendar_from", entry.Day);
        writer.Number("no_of_buckets1", entry.Start.count());
        writer.Number("no_of_buckets2", entry.Length.count());
        writer.Text("resno", entry.Resource);
        writer.Number("time_buffer", 0);
        writer.Number("timeindays1", 0);
        writer.Text("timetableno", "");
        writer.End();
    }
    return writer.Finish();
}

std::string SubActivitiesPayload(std::span<const PlannedSubActivity> subActivities) {
    PayloadWriter writer("workorders");
    for (const PlannedSubActivity& s : subActivities) {
        writer.Begin("subactivity");
        writer.Text("resno", s.Resource);
        // A time outside the payloads' 32-bit seconds is refused by the load, as in XML.
        writer.Number("time_buffer", (s.Start - sys_seconds{kPayloadEpoch}).count());
        writer.Number("timeindays1", s.Duration.count());
        writer.Text("work_order_no", s.WorkOrder);
        writer.Text("flag", s.Flag);
        writer.Number("chkflag", s.CheckFlag);
        writer.Number("execute_online", s.ExecuteOnline);
        writer.Number("activitytimetype", s.ActivityTimeType);
        writer.Number("rsscheduleno", s.Activity);
        writer.Text("status", s.Status);
        writer.Text("item_code", s.ItemCode);
        writer.Text("sdesc3", s.SalesOrder);
        writer.Text("sdesc4", s.Customer);
        writer.Date("reqddate", s.RequiredDate);
        writer.Date("schdate", s.PromisedDate);
        writer.Date("wo_start_date", s.WorkOrderStart);
        writer.Date("wo_end_date", s.WorkOrderEnd);
        writer.TimeOfDay("fromdate", s.Start);
        writer.TimeOfDay("todate", s.Start + s.Duration);
        writer.Number("subactivity_code_mul", s.SubActivity);
        writer.End();
    }
    return writer.Finish();
}

}  // namespace tessaro
