#pragma once

// The demo's command line, read before any Qt object exists: --help and a wrong option answer
// without a display.

#include <optional>
#include <string>
#include <vector>

namespace tessaro::demo {

// Exit codes of the demo, as --help lists them.
inline constexpr int kExitLoadOrWriteFailed = 1;
inline constexpr int kExitBadCommandLine = 2;
inline constexpr int kExitScriptFailed = 3;

struct DemoOptions {
    // Folder of the four payloads; single files given below take precedence over its files.
    std::string samples;
    std::optional<std::string> header;
    std::optional<std::string> resources;
    std::optional<std::string> calendars;
    std::optional<std::string> workOrders;
    bool selectFirst = false;
    // Lets the planner move work that has started (the demo refuses that by default).
    bool allowStarted = false;
    std::optional<std::string> script;
    std::optional<std::string> screenshot;
    std::optional<std::string> save;
    // The picture: a move made first, overlaps visited, a dark palette, the now line, an export.
    std::optional<std::string> move;
    // A copy held mid-drag ("KEY,HOURS[,RES]"), its ghost and tally in the picture.
    std::optional<std::string> dragPreview;
    std::optional<std::string> conflict;
    bool dark = false;
    std::optional<std::string> now;
    std::optional<std::string> exportFile;
    // The language to speak ("de"); the locale's when not given.
    std::optional<std::string> language;
};

// What the command line asks for: the options, the help text, or why it cannot be read.
struct ParsedCommandLine {
    std::optional<DemoOptions> options;
    bool helpRequested = false;
    std::string error;
};

// args excludes the program name. An option given twice keeps its last value; an unknown option,
// a stray argument or an option without its value is an error.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const std::string& defaultSamples);

// The whole --help text: options, exit codes and the script language.
std::string HelpText();

}  // namespace tessaro::demo
