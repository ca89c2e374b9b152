// tessaro-genplant: writes a generated production plant as the four payload files the control
// loads (header.xml, resources.xml, calendars.xml, workorders.xml).

#include <plantgen/plant_generator.hpp>

#include <charconv>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

namespace plantgen = tessaro::plantgen;

constexpr int kBadArguments = 2;
constexpr int kFailed = 1;

constexpr std::string_view kUsage =
    "usage: tessaro-genplant --resources N --subactivities M --out DIR\n"
    "                        [--seed S] [--days D] [--no-calendars]\n"
    "\n"
    "Writes a generated production plant to DIR as header.xml, resources.xml, calendars.xml and\n"
    "workorders.xml. The same options always write the same files.\n"
    "\n"
    "  --resources N      chart rows: lathes, mills, paint lines, ovens, assembly cells and\n"
    "                     inspection stations in turn (1..32767)\n"
    "  --subactivities M  work-order sub-activities, spread evenly over the resources\n"
    "                     (at most 32767 per resource)\n"
    "  --seed S           varies the work orders (0..4294967295, default 1)\n"
    "  --days D           length of the planning window from Monday 1/4/2027 (1..366, default 21)\n"
    "  --no-calendars     leave the resource calendars empty\n"
    "  --out DIR          folder to write; created when missing\n"
    "  --help             show this text\n";

// A bad command line: the message says what and the command exits with kBadArguments.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <typename Number>
Number ParseNumber(std::string_view option, std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc::result_out_of_range) {
        throw UsageError(std::string(option) + " " + std::string(text) + " is out of range (" +
                         std::to_string(std::numeric_limits<Number>::min()) + ".." +
                         std::to_string(std::numeric_limits<Number>::max()) + ")");
    }
    if (text.empty() || error != std::errc{} || ptr != end) {
        throw UsageError(std::string(option) + " needs a whole number, not '" + std::string(text) +
                         "'");
    }
    return value;
}

struct CommandLine {
    bool help = false;
    plantgen::PlantOptions options;
    std::filesystem::path out;
};

CommandLine Parse(int argc, char** argv) {
    CommandLine line;
    std::optional<int32_t> resources;
    std::optional<int32_t> subActivities;
    std::optional<uint32_t> seed;
    std::optional<int32_t> days;
    std::optional<std::string> out;
    bool noCalendars = false;

    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        std::optional<std::string_view> inlineValue;
        if (const size_t equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        const auto value = [&]() -> std::string_view {
            if (inlineValue) {
                return *inlineValue;
            }
            if (i + 1 >= argc) {
                throw UsageError(std::string(argument) + " needs a value");
            }
            return argv[++i];
        };
        const auto once = [&](const auto& slot) {
            if (slot) {
                throw UsageError(std::string(argument) + " given twice");
            }
        };

        if (argument == "--help" || argument == "-h") {
            line.help = true;
            return line;
        } else if (argument == "--resources") {
            once(resources);
            resources = ParseNumber<int32_t>(argument, value());
        } else if (argument == "--subactivities") {
            once(subActivities);
            subActivities = ParseNumber<int32_t>(argument, value());
        } else if (argument == "--seed") {
            once(seed);
            seed = ParseNumber<uint32_t>(argument, value());
        } else if (argument == "--days") {
            once(days);
            days = ParseNumber<int32_t>(argument, value());
        } else if (argument == "--out") {
            once(out);
            out = std::string(value());
            if (out->empty()) {
                throw UsageError("--out needs a folder");
            }
        } else if (argument == "--no-calendars" && !inlineValue) {
            noCalendars = true;
        } else {
            throw UsageError("unknown argument '" + std::string(argv[i]) + "'");
        }
    }

    if (!resources) {
        throw UsageError("--resources is required");
    }
    if (!subActivities) {
        throw UsageError("--subactivities is required");
    }
    if (!out) {
        throw UsageError("--out is required");
    }
    line.options.resources = *resources;
    line.options.subActivities = *subActivities;
    line.options.seed = seed.value_or(line.options.seed);
    line.options.windowDays = days.value_or(line.options.windowDays);
    line.options.calendars = !noCalendars;
    line.out = *out;
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    plantgen::PlantPayloads payloads;
    try {
        line = Parse(argc, argv);
        if (line.help) {
            std::cout << kUsage;
            return 0;
        }
        payloads = plantgen::GeneratePlant(line.options);
    } catch (const UsageError& error) {
        std::cerr << "tessaro-genplant: " << error.what() << "\n"
                  << "Try 'tessaro-genplant --help'.\n";
        return kBadArguments;
    } catch (const std::invalid_argument& error) {  // options the generator refuses
        std::cerr << "tessaro-genplant: " << error.what() << "\n";
        return kBadArguments;
    }

    try {
        plantgen::WritePlant(payloads, line.out);
    } catch (const std::exception& error) {
        std::cerr << "tessaro-genplant: " << error.what() << "\n";
        return kFailed;
    }
    std::cout << "tessaro-genplant: wrote " << line.options.resources << " resources and "
              << line.options.subActivities << " sub-activities ("
              << (line.options.calendars ? "with" : "without") << " calendars, "
              << line.options.windowDays << " days) to " << line.out.string() << "\n";
    return 0;
}
