#include "demo_options.hpp"

#include <utility>

namespace tessaro::demo {

namespace {

struct ValueOption {
    const char* name;
    std::optional<std::string> DemoOptions::*field;
};

constexpr ValueOption kValueOptions[] = {
    {"--hdr", &DemoOptions::header},
    {"--res", &DemoOptions::resources},
    {"--cal", &DemoOptions::calendars},
    {"--rev", &DemoOptions::workOrders},
    {"--script", &DemoOptions::script},
    {"--screenshot", &DemoOptions::screenshot},
    {"--save", &DemoOptions::save},
    {"--move", &DemoOptions::move},
    {"--conflict", &DemoOptions::conflict},
    {"--now", &DemoOptions::now},
    {"--export", &DemoOptions::exportFile},
    {"--lang", &DemoOptions::language},
    {"--drag-preview", &DemoOptions::dragPreview},
};

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const std::string& defaultSamples) {
    ParsedCommandLine parsed;
    DemoOptions options;
    options.samples = defaultSamples;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.helpRequested = true;
            return parsed;
        }
        if (arg == "--select-first") {
            options.selectFirst = true;
            continue;
        }
        if (arg == "--allow-started") {
            options.allowStarted = true;
            continue;
        }
        if (arg == "--dark") {
            options.dark = true;
            continue;
        }
        // "--name=value" and "--name value" both give a value.
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const bool isSamples = name == "--samples";
        const ValueOption* option = nullptr;
        for (const ValueOption& candidate : kValueOptions) {
            if (name == candidate.name) {
                option = &candidate;
            }
        }
        if (!isSamples && option == nullptr) {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            parsed.error = "option " + name + " needs a value";
            return parsed;
        }
        if (isSamples) {
            options.samples = std::move(value);
        } else {
            options.*(option->field) = std::move(value);
        }
    }
    parsed.options = std::move(options);
    return parsed;
}

std::string HelpText() {
    return R"(Usage: tessaro-demo [options]

The Tessaro schedule chart in a main window, loaded with a plant's four payloads (the sample
plant without options).

Options:
  --samples DIR      folder with header.xml, resources.xml, calendars.xml and workorders.xml
  --hdr FILE         schedule header payload (instead of the folder's)
  --res FILE         resource payload
  --cal FILE         calendar payload
  --rev FILE         work-order (resource events) payload
  --select-first     click the first work-order bar once the plant is loaded
  --allow-started    let the planner move started work (refused with a reason by default)
  --script FILE      replay the planner's gestures in FILE once the plant is loaded (see below)
  --screenshot FILE  render the window to FILE (PNG) after loading and the script, then exit
  --save FILE        write the change document (the control's rescheduling XML) to FILE when
                     the demo exits, also after --screenshot or a script's quit
  --move KEY,HOURS[,RES]  copy the activity of the bar with that key and drag the copy HOURS
                     later (onto resource RES's row when given), as a planner would
  --drag-preview KEY,HOURS[,RES]  as --move, but the copy is held mid-drag with the mouse: its
                     ghost shows what the drop would do
  --conflict N       show the N-th overlap, as F8 pressed N times
  --dark             paint in a dark palette
  --now YYYY-MM-DDTHH:MM  draw the now line at that time
  --export FILE      write the whole chart to FILE (PDF for a .pdf name, else PNG) and exit
  --lang LANG        speak LANG (de: German; en: English), dates included; the locale's
                     language (LANG=de_DE.UTF-8) when not given
  -h, --help         print this text and exit

Without a display, --script, --screenshot and --export run offscreen.

Script: one gesture a line, run in order; blank lines and lines starting with # are skipped.
A KEY is a bar key such as WO-24001$1$5 and names the first bar carrying it (rows from the top,
then bars in order).
  click KEY                  left-click the bar with the mouse (details, work-order grid)
  rightclick KEY             right-click the bar (opens the Scheduler or the Drag menu)
  copy | pack | refresh      choose Copy, Pack or Refresh on the Scheduler menu
  paste-forward              choose Paste Forward schedule on the Drag menu
  paste-backward             choose Paste Backward schedule on the Drag menu
  ignore                     choose Ignore on the Drag menu
  drag-temporary RES WHEN    drag the temporary bar of the Copy onto the row of resource RES,
                             starting at WHEN: +N or -N days from where it starts now, or
                             M/D/YYYY HH:MM
  undo | redo                Edit > Undo, Edit > Redo
  select WORKORDER           select the work order's first sub-activity
  conflicts                  Schedule > Check conflicts: fill the conflict list for the bar
                             clicked last (else the selected work order's) and print the answer
  expect-changes N           stop the script unless N activities have pending changes
  quit                       close the demo (--save still writes its document)

A line that cannot be read, a bar or resource that is not there, a menu entry not offered now or
an error the control raises stops the script with its line number.

Exit codes: 0 done, 1 a payload could not be loaded or a file not written, 2 a wrong command
line, 3 the script stopped.
)";
}

}  // namespace tessaro::demo
