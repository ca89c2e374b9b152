#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A deterministic generator of production plants of any size: a plan header, resources with
// two-shift calendars and work orders routed over the resources, as the four XML payloads the
// control loads.
namespace tessaro::plantgen {

// Every generated planning window opens on Monday 4 January 2027.
inline constexpr int32_t kWindowFirstYear = 2027;
inline constexpr int32_t kWindowFirstMonth = 1;
inline constexpr int32_t kWindowFirstDay = 4;

// A chart row holds at most this many bars, and a chart at most this many rows.
inline constexpr int32_t kMaxSubActivitiesPerResource = 32767;
inline constexpr int32_t kMaxResources = 32767;
// The longest planning window: one year and a day.
inline constexpr int32_t kMaxWindowDays = 366;
// Every work order has 1 to this many sub-activities.
inline constexpr int32_t kMaxSubActivitiesPerWorkOrder = 5;

struct PlantOptions {
    int32_t resources = 50;
    int32_t subActivities = 1000;
    uint32_t seed = 1;
    bool calendars = true;  // false: the calendar payload holds no entries
    int32_t windowDays = 21;
};

struct PlantPayloads {
    std::string header, resources, calendars, workOrders;
};

// The same options always give the same payloads, byte for byte, on every platform. Resources
// cycle through lathes, mills, paint lines, curing ovens, assembly cells and inspection stations;
// each work order runs its 1 to 5 sub-activities in time order on successive stations. Every
// resource works two shifts (06:00-22:00) Monday to Friday; its calendar blocks the nights and the
// weekends. The sub-activities are spread evenly over the resources (the counts differ by at most
// one) and packed into the working time of the window, with an occasional overlap.
// Throws std::invalid_argument when resources is outside 1..kMaxResources, subActivities is
// negative, more than kMaxSubActivitiesPerResource would fall on one resource, or windowDays is
// outside 1..kMaxWindowDays.
PlantPayloads GeneratePlant(const PlantOptions& options);

// The file names the four payloads are written under, as in the sample plant.
inline constexpr std::string_view kHeaderFileName = "header.xml";
inline constexpr std::string_view kResourcesFileName = "resources.xml";
inline constexpr std::string_view kCalendarsFileName = "calendars.xml";
inline constexpr std::string_view kWorkOrdersFileName = "workorders.xml";

// Creates the folder when missing and replaces the four files in it. Throws
// std::filesystem::filesystem_error when the folder cannot be created and std::runtime_error when
// a file cannot be written.
void WritePlant(const PlantPayloads& payloads, const std::filesystem::path& folder);

}  // namespace tessaro::plantgen
