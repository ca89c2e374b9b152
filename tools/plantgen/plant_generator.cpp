#include <plantgen/plant_generator.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaro::plantgen {
namespace {

// splitmix64: its output is fixed by these few lines, so a seed gives the same plant with every
// compiler and standard library.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. bound - 1; bound must be positive.
    int64_t Below(int64_t bound) {
        return static_cast<int64_t>(Next() % static_cast<uint64_t>(bound));
    }

    bool OneIn(int64_t n) { return Below(n) == 0; }

private:
    uint64_t state_;
};

// ---- Dates: days since 1 January 2000, the day payload seconds count from ----

struct Date {
    int32_t Year;
    int32_t Month;
    int32_t Day;
};

constexpr int32_t DaysFrom2000(int32_t year, int32_t month, int32_t day) {
    year -= month <= 2 ? 1 : 0;
    const int32_t era = (year >= 0 ? year : year - 399) / 400;
    const int32_t yearOfEra = year - era * 400;
    const int32_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 730425;
}

constexpr Date DateFromDays(int32_t days) {
    days += 730425;
    const int32_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int32_t dayOfEra = days - era * 146097;
    const int32_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int32_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int32_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int32_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// 0 = Monday .. 6 = Sunday; 1 January 2000 was a Saturday.
constexpr int32_t Weekday(int32_t days) {
    return ((days + 5) % 7 + 7) % 7;
}

constexpr int32_t kSecondsPerDay = 86400;
constexpr int32_t kFirstDay = DaysFrom2000(kWindowFirstYear, kWindowFirstMonth, kWindowFirstDay);
static_assert(Weekday(kFirstDay) == 0, "the planning window opens on a Monday");
static_assert(DateFromDays(kFirstDay).Day == kWindowFirstDay);

// ---- Shifts and calendars ----

// Two shifts, 06:00 to 22:00, Monday to Friday.
constexpr int32_t kShiftStart = 6 * 3600;
constexpr int32_t kShiftLength = 16 * 3600;

struct Block {
    int32_t Start;   // seconds after midnight
    int32_t Length;  // seconds; may run past midnight
};

// The non-working time a calendar blocks on each weekday: the early morning of Monday, every
// night from 22:00 to the next shift, Friday night to midnight and the whole weekend days.
struct DayBlocks {
    std::array<Block, 2> Blocks;
    int32_t Count;
};
constexpr std::array<DayBlocks, 7> kBlocksByWeekday = {{
    {{{{0, 6 * 3600}, {22 * 3600, 8 * 3600}}}, 2},
    {{{{22 * 3600, 8 * 3600}, {}}}, 1},
    {{{{22 * 3600, 8 * 3600}, {}}}, 1},
    {{{{22 * 3600, 8 * 3600}, {}}}, 1},
    {{{{22 * 3600, 2 * 3600}, {}}}, 1},
    {{{{0, kSecondsPerDay}, {}}}, 1},
    {{{{0, kSecondsPerDay}, {}}}, 1},
}};

// The working time of the window laid end to end: offset 0 is Monday 06:00 of the first day,
// kShiftLength later the next working day's 06:00, and so on.
class WorkingTime {
public:
    explicit WorkingTime(int32_t windowDays) {
        for (int32_t day = 0; day < windowDays; ++day) {
            if (Weekday(kFirstDay + day) < 5) {
                workdays_.push_back(kFirstDay + day);
            }
        }
    }

    int64_t Total() const { return static_cast<int64_t>(workdays_.size()) * kShiftLength; }

    // Payload seconds of the moment `offset` (0 <= offset < Total()) starts at.
    int32_t StartOf(int64_t offset) const {
        const auto day = static_cast<size_t>(offset / kShiftLength);
        const auto second = static_cast<int32_t>(offset % kShiftLength);
        return workdays_[day] * kSecondsPerDay + kShiftStart + second;
    }

    // Payload seconds of the moment `offset` (0 < offset <= Total()) ends at: the end of a
    // working day is 22:00 of that day, not 06:00 of the next.
    int32_t EndOf(int64_t offset) const { return StartOf(offset - 1) + 1; }

private:
    std::vector<int32_t> workdays_;
};

// ---- Resources ----

struct ResourceKind {
    std::string_view Prefix;
    std::string_view Description;
    std::string_view Location;
    std::string_view Department;
    int32_t ActivityTimeType;
};

// A work order's successive sub-activities run on successive kinds: turn, mill, paint, cure,
// assemble, inspect.
constexpr std::array<ResourceKind, 6> kKinds = {{
    {"LATHE", "CNC lathe", "Hall A", "Turning", 1},
    {"MILL", "CNC milling centre", "Hall A", "Milling", 1},
    {"PAINT", "Paint line", "Hall B", "Surface", 2},
    {"OVEN", "Curing oven", "Hall B", "Surface", 2},
    {"ASSY", "Assembly cell", "Hall C", "Assembly", 3},
    {"INSP", "Final inspection", "Hall C", "Quality", 4},
}};
constexpr int32_t kKindCount = static_cast<int32_t>(kKinds.size());
constexpr int32_t kSpecialActivityTimeType = 8;

// ---- Work-order texts ----

struct Status {
    char Flag;
    std::string_view Text;
    int32_t Weight;
};
constexpr std::array<Status, 7> kStatuses = {{
    {'A', "Planned", 1},
    {'C', "Open", 1},
    {'D', "Requested", 4},
    {'E', "Accepted", 4},
    {'F', "Firmed", 4},
    {'G', "Released", 5},
    {'H', "Started", 1},
}};
constexpr int32_t kStatusWeightTotal = 20;

constexpr std::array<std::string_view, 16> kCustomers = {
    "Nordwerk Hydraulik GmbH",     "Brightwater Pumps Ltd",      "Atlas Conveyor Systems",
    "Meridian Marine Engineering", "Harbor Valve Company",       "Summit Agricultural Machinery",
    "Lindqvist Automation AB",     "Pioneer Rail Components",    "Castell Packaging Machines",
    "Redwood Compressor Inc",      "Orion Medical Devices",      "Vantage Wind Systems",
    "Keller Sohn Maschinenbau",    "Bluestone Mining Equipment", "Fairfield Food Processing",
    "Tamura Precision Works",
};

constexpr std::array<std::string_view, 10> kItemFamilies = {
    "SHF", "FLG", "HSG", "BRK", "GER", "CVR", "VLV", "PMP", "BSH", "PLT",
};

// ---- XML text ----

void AppendNumber(std::string& out, int64_t value) {
    std::array<char, 24> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.append(digits.data(), result.ptr);
}

void AppendPadded(std::string& out, int32_t value, int32_t width) {
    if (width == 2 && value >= 0 && value < 100) {  // months, days, hours, minutes
        const std::array<char, 2> digits = {static_cast<char>('0' + value / 10),
                                            static_cast<char>('0' + value % 10)};
        out.append(digits.data(), digits.size());
        return;
    }
    std::array<char, 16> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    for (auto length = static_cast<int32_t>(result.ptr - digits.data()); length < width; ++length) {
        out += '0';
    }
    out.append(digits.data(), result.ptr);
}

constexpr bool NeedsEscape(char c) {
    return c == '&' || c == '<' || c == '>' || c == '"';
}

// One payload: an XML declaration, the root, one empty element per record with the data in its
// attributes.
class PayloadWriter {
public:
    PayloadWriter(std::string_view root, size_t reserve) : root_(root) {
        out_.reserve(reserve);
        out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<";
        out_ += root_;
        out_ += ">\n";
    }

    // Closes the root and hands the payload over; the writer is spent afterwards.
    std::string Finish() {
        out_ += "</";
        out_ += root_;
        out_ += ">\n";
        return std::move(out_);
    }

    void Begin(std::string_view element) {
        out_ += "  <";
        out_ += element;
    }

    void End() { out_ += "/>\n"; }

    void Text(std::string_view name, std::string_view value) {
        Name(name);
        if (std::none_of(value.begin(), value.end(), NeedsEscape)) {
            out_ += value;
        } else {
            for (const char c : value) {
                switch (c) {
                    case '&':
                        out_ += "&amp;";
                        break;
                    case '<':
                        out_ += "&lt;";
                        break;
                    case '>':
                        out_ += "&gt;";
                        break;
                    case '"':
                        out_ += "&quot;";
                        break;
                    default:
                        out_ += c;
                }
            }
        }
        out_ += '"';
    }

    void Number(std::string_view name, int64_t value) {
        Name(name);
        AppendNumber(out_, value);
        out_ += '"';
    }

    // M/D/YYYY, the plan header's and the calendars' form.
    void ShortDate(std::string_view name, int32_t days) {
        const Date date = DateFromDays(days);
        Name(name);
        AppendNumber(out_, date.Month);
        out_ += '/';
        AppendNumber(out_, date.Day);
        out_ += '/';
        AppendNumber(out_, date.Year);
        out_ += '"';
    }

    // MM/DD/YYYY, the work orders' form.
    void PaddedDate(std::string_view name, int32_t days) {
        const Date date = DateFromDays(days);
        Name(name);
        AppendPadded(out_, date.Month, 2);
        out_ += '/';
        AppendPadded(out_, date.Day, 2);
        out_ += '/';
        AppendPadded(out_, date.Year, 4);
        out_ += '"';
    }

    // HH:MM of a payload moment.
    void TimeOfDay(std::string_view name, int32_t seconds) {
        const int32_t second = seconds % kSecondsPerDay;
        Name(name);
        AppendPadded(out_, second / 3600, 2);
        out_ += ':';
        AppendPadded(out_, second / 60 % 60, 2);
        out_ += '"';
    }

private:
    void Name(std::string_view name) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
    }

    std::string out_;
    std::string_view root_;
};

// ---- The plant ----

void Validate(const PlantOptions& options) {
    if (options.resources < 1 || options.resources > kMaxResources) {
        throw std::invalid_argument("the number of resources must be 1.." +
                                    std::to_string(kMaxResources) + ", not " +
                                    std::to_string(options.resources));
    }
    if (options.subActivities < 0) {
        throw std::invalid_argument("the number of sub-activities must not be negative, not " +
                                    std::to_string(options.subActivities));
    }
    const int64_t perResource =
        (static_cast<int64_t>(options.subActivities) + options.resources - 1) / options.resources;
    if (perResource > kMaxSubActivitiesPerResource) {
        throw std::invalid_argument(std::to_string(options.subActivities) + " sub-activities on " +
                                    std::to_string(options.resources) + " resources put " +
                                    std::to_string(perResource) +
                                    " on one resource; a resource holds at most " +
                                    std::to_string(kMaxSubActivitiesPerResource));
    }
    if (options.windowDays < 1 || options.windowDays > kMaxWindowDays) {
        throw std::invalid_argument("the planning window must be 1.." +
                                    std::to_string(kMaxWindowDays) + " days, not " +
                                    std::to_string(options.windowDays));
    }
}

// Resource i (in routing order) is of kind i % 6 and the (i / 6 + 1)th of its kind. The payload
// lists the resources grouped by kind.
struct Resources {
    explicit Resources(int32_t count) {
        const int32_t mostOfOneKind = (count + kKindCount - 1) / kKindCount;
        const int32_t width =
            std::max<int32_t>(2, static_cast<int32_t>(std::to_string(mostOfOneKind).size()));
        names.reserve(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            std::string name(kKinds[static_cast<size_t>(i % kKindCount)].Prefix);
            name += '-';
            AppendPadded(name, i / kKindCount + 1, width);
            names.push_back(std::move(name));
        }
        for (int32_t kind = 0; kind < kKindCount; ++kind) {
            for (int32_t i = kind; i < count; i += kKindCount) {
                rowOrder.push_back(i);
            }
        }
    }

    std::vector<std::string> names;  // by routing index
    std::vector<int32_t> rowOrder;   // routing indices in payload order
};

std::string HeaderPayload(const PlantOptions& options, const Resources& resources) {
    Random random(options.seed ^ 0x5DEECE66Dull);
    const uint64_t high = random.Next();
    const uint64_t low = random.Next();
    std::string guid = "{";
    constexpr std::string_view kHex = "0123456789ABCDEF";
    // Version 4 layout: 8-4-4-4-12 hex digits, the version and variant nibbles fixed.
    const std::array<uint64_t, 2> halves = {(high & ~0xF000ull) | 0x4000ull,
                                            (low & ~(0x3ull << 62)) | (0x2ull << 62)};
    for (int32_t digit = 0; digit < 32; ++digit) {
        if (digit == 8 || digit == 12 || digit == 16 || digit == 20) {
            guid += '-';
        }
        const uint64_t half = halves[static_cast<size_t>(digit / 16)];
        guid += kHex[static_cast<size_t>(half >> (60 - 4 * (digit % 16)) & 0xF)];
    }
    guid += '}';

    PayloadWriter writer("header", 512);
    writer.Begin("record");
    writer.Text("dep", "MFG");
    writer.Text("fromresno", resources.names[static_cast<size_t>(resources.rowOrder.front())]);
    writer.ShortDate("fromtimeperiod", kFirstDay);
    writer.Text("guid", guid);
    writer.Text("hdncompanycode", "01");
    writer.Text("item_code1", "");
    writer.Text("production_cont", "1");
    writer.Text("save_template", "0");
    writer.Text("toresno", resources.names[static_cast<size_t>(resources.rowOrder.back())]);
    writer.ShortDate("totimeperiod", kFirstDay + options.windowDays - 1);
    writer.Text("wo_no", "");
    writer.End();
    return writer.Finish();
}

std::string ResourcesPayload(const Resources& resources) {
    PayloadWriter writer("resources", resources.names.size() * 120 + 128);
    for (const int32_t i : resources.rowOrder) {
        const ResourceKind& kind = kKinds[static_cast<size_t>(i % kKindCount)];
        std::string description(kind.Description);
        description += ' ';
        AppendNumber(description, i / kKindCount + 1);
        writer.Begin("resource");
        writer.Text("resno", resources.names[static_cast<size_t>(i)]);
        writer.Text("shortdesc", description);
        writer.Text("location", kind.Location);
        writer.Text("dept", kind.Department);
        writer.End();
    }
    return writer.Finish();
}

std::string CalendarsPayload(const PlantOptions& options, const Resources& resources) {
    if (!options.calendars) {
        return PayloadWriter("calendars", 128).Finish();
    }
    // Two entries on Mondays, one on every other day.
    const size_t entries = resources.names.size() *
                           static_cast<size_t>(options.windowDays + options.windowDays / 7 + 1);
    PayloadWriter writer("calendars", entries * 190 + 128);
    for (const int32_t i : resources.rowOrder) {
        const std::string& resno = resources.names[static_cast<size_t>(i)];
        for (int32_t day = kFirstDay; day < kFirstDay + options.windowDays; ++day) {
            const DayBlocks& blocks = kBlocksByWeekday[static_cast<size_t>(Weekday(day))];
            for (int32_t b = 0; b < blocks.Count; ++b) {
                const Block& block = blocks.Blocks[static_cast<size_t>(b)];
                writer.Begin("calendar");
                writer.Number("avlqty", 0);
                writer.ShortDate("calendar_from", day);
                writer.Number("no_of_buckets1", block.Start);
                writer.Number("no_of_buckets2", block.Length);
                writer.Text("resno", resno);
                writer.Number("time_buffer", int64_t{day} * kSecondsPerDay + block.Start);
                writer.Number("timeindays1", block.Length);
                writer.Text("timetableno", "2SHIFT");
                writer.End();
            }
        }
    }
    return writer.Finish();
}

struct SubActivityTimes {
    int32_t Resource;
    int32_t Start;     // payload seconds
    int32_t Duration;  // seconds
};

// Lays the sub-activities out on a grid of `slots` equal stretches of working time per resource.
// Diagonal d visits slot j of resource (d + j) % resources, so cutting the diagonals into runs of
// 1 to 5 cells gives work orders whose sub-activities follow one another in time on successive
// resources; the diagonals together cover every cell once. When the sub-activities do not fill the
// grid, the last slot stays empty on the resources from `filled` on.
std::string WorkOrdersPayload(const PlantOptions& options, const Resources& resources,
                              Random& random) {
    const int32_t resourceCount = options.resources;
    const int32_t slots = (options.subActivities + resourceCount - 1) / resourceCount;
    const int32_t filled = options.subActivities % resourceCount;
    const WorkingTime working(options.windowDays);
    const int64_t total = working.Total();
    const int64_t slot = slots > 0 ? total / slots : total;

    PayloadWriter writer("workorders", static_cast<size_t>(options.subActivities) * 470 + 128);

    int64_t workOrder = 100000;
    int64_t salesOrder = 500000;
    std::string_view customer = kCustomers[0];
    std::array<SubActivityTimes, kMaxSubActivitiesPerWorkOrder> steps{};
    std::string workOrderNo;
    std::string itemCode;
    std::string salesOrderNo;

    for (int32_t diagonal = 0; diagonal < resourceCount; ++diagonal) {
        int32_t length = slots;
        if (filled != 0 && (int64_t{diagonal} + slots - 1) % resourceCount >= filled) {
            --length;
        }
        for (int32_t first = 0; first < length;) {
            const auto count = static_cast<int32_t>(
                std::min<int64_t>(1 + random.Below(kMaxSubActivitiesPerWorkOrder), length - first));

            for (int32_t s = 0; s < count; ++s) {
                const int32_t j = first + s;
                const int64_t slotStart = j * slot;
                const int64_t offset = slotStart + random.Below(slot * 15 / 100 + 1);
                int64_t duration = slot / 2 + random.Below(slot * 3 / 10 + 1);
                if (random.OneIn(40)) {  // runs into the next bar on its resource
                    duration = slot * 12 / 10 + random.Below(slot * 2 / 10 + 1);
                }
                duration = std::clamp<int64_t>(duration, 1, total - offset);
                const int32_t start = working.StartOf(offset);
                steps[static_cast<size_t>(s)] = {
                    static_cast<int32_t>((int64_t{diagonal} + j) % resourceCount), start,
                    working.EndOf(offset + duration) - start};
            }

            const Status* status = &kStatuses.back();
            for (int64_t pick = random.Below(kStatusWeightTotal);
                 const Status& candidate : kStatuses) {
                if (pick < candidate.Weight) {
                    status = &candidate;
                    break;
                }
                pick -= candidate.Weight;
            }
            if (workOrder == 100000 || !random.OneIn(3)) {  // a sales order of its own
                ++salesOrder;
                customer = kCustomers[static_cast<size_t>(random.Below(kCustomers.size()))];
            }
            workOrderNo = "WO-";
            AppendNumber(workOrderNo, workOrder++);
            itemCode = kItemFamilies[static_cast<size_t>(random.Below(kItemFamilies.size()))];
            itemCode += '-';
            AppendNumber(itemCode, 1000 + random.Below(9000));
            salesOrderNo = "SO-";
            AppendNumber(salesOrderNo, salesOrder);

            const SubActivityTimes& last = steps[static_cast<size_t>(count - 1)];
            const int32_t startDay = steps[0].Start / kSecondsPerDay;
            const int32_t endDay = (last.Start + last.Duration) / kSecondsPerDay;
            const int32_t requiredDay = endDay - 2 + static_cast<int32_t>(random.Below(7));
            const int32_t promisedDay = requiredDay + static_cast<int32_t>(random.Below(3));

            int32_t activity = 10;
            int32_t subActivityCode = 10;
            for (int32_t s = 0; s < count; ++s) {
                const SubActivityTimes& step = steps[static_cast<size_t>(s)];
                if (s > 0) {
                    if (random.OneIn(5)) {  // the same activity split over two sub-activities
                        subActivityCode += 10;
                    } else {
                        activity += 10;
                        subActivityCode = 10;
                    }
                }
                const ResourceKind& kind = kKinds[static_cast<size_t>(step.Resource % kKindCount)];
                writer.Begin("subactivity");
                writer.Text("resno", resources.names[static_cast<size_t>(step.Resource)]);
                writer.Number("time_buffer", step.Start);
                writer.Number("timeindays1", step.Duration);
                writer.Text("work_order_no", workOrderNo);
                writer.Text("flag", std::string_view(&status->Flag, 1));
                writer.Number("chkflag", random.Below(3));
                writer.Number("execute_online", random.Below(2));
                writer.Number("activitytimetype",
                              random.OneIn(20) ? kSpecialActivityTimeType : kind.ActivityTimeType);
                writer.Number("rsscheduleno", activity);
                writer.Text("status", status->Text);
                writer.Text("item_code", itemCode);
                writer.Text("sdesc3", salesOrderNo);
                writer.Text("sdesc4", customer);
                writer.PaddedDate("reqddate", requiredDay);
                writer.PaddedDate("schdate", promisedDay);
                writer.PaddedDate("wo_start_date", startDay);
                writer.PaddedDate("wo_end_date", endDay);
                writer.TimeOfDay("fromdate", step.Start);
                writer.TimeOfDay("todate", step.Start + step.Duration);
                writer.Number("subactivity_code_mul", subActivityCode);
                writer.End();
            }
            first += count;
        }
    }
    return writer.Finish();
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace

PlantPayloads GeneratePlant(const PlantOptions& options) {
    Validate(options);
    const Resources resources(options.resources);
    Random random(options.seed);
    PlantPayloads payloads;
    payloads.header = HeaderPayload(options, resources);
    payloads.resources = ResourcesPayload(resources);
    payloads.calendars = CalendarsPayload(options, resources);
    payloads.workOrders = WorkOrdersPayload(options, resources, random);
    return payloads;
}

void WritePlant(const PlantPayloads& payloads, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    WriteFile(folder / kHeaderFileName, payloads.header);
    WriteFile(folder / kResourcesFileName, payloads.resources);
    WriteFile(folder / kCalendarsFileName, payloads.calendars);
    WriteFile(folder / kWorkOrdersFileName, payloads.workOrders);
}

}  // namespace tessaro::plantgen
