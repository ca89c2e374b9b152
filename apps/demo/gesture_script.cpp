#include "gesture_script.hpp"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <tuple>
#include <utility>

#include <QAction>
#include <QMenu>

#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>
#include <tessaro/runtime/automation_error.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "schedule_commands.hpp"

namespace tessaro::demo {

namespace {

struct MenuCommand {
    const char* word;
    const char* menu;
    const char* item;
};

constexpr MenuCommand kMenuCommands[] = {
    {"copy", "mnuSchedPopUp", "miCopy"},        {"pack", "mnuSchedPopUp", "miPack"},
    {"refresh", "mnuSchedPopUp", "miRefresh"},  {"paste-forward", "mnuDrag", "miFwdSch"},
    {"paste-backward", "mnuDrag", "miBackSch"}, {"ignore", "mnuDrag", "miIgnore"},
};

// Gestures of one word or one word and one argument.
struct SimpleGesture {
    const char* word;
    GestureKind kind;
    bool takesSubject;
};

constexpr SimpleGesture kSimpleGestures[] = {
    {"click", GestureKind::Click, true},   {"rightclick", GestureKind::RightClick, true},
    {"select", GestureKind::Select, true}, {"conflicts", GestureKind::Conflicts, false},
    {"undo", GestureKind::Undo, false},    {"redo", GestureKind::Redo, false},
    {"quit", GestureKind::Quit, false},
};

std::vector<std::string> Words(std::string_view line) {
    std::istringstream stream{std::string(line)};
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(std::move(word));
    }
    return words;
}

// The whole text as a number; nullopt for anything else (a sign is allowed).
std::optional<int32_t> WholeNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Numbers separated by one character, such as "1/12/2027" or "08:30".
std::optional<std::vector<int32_t>> Fields(std::string_view text, char separator, size_t count) {
    std::vector<int32_t> fields;
    size_t from = 0;
    while (fields.size() < count) {
        if (from > text.size()) {
            return std::nullopt;
        }
        const size_t to = std::min(text.find(separator, from), text.size());
        const std::string_view part = text.substr(from, to - from);
        const std::optional<int32_t> number =
            part.empty() || part.front() == '+' || part.front() == '-' ? std::nullopt
                                                                       : WholeNumber(part);
        if (!number) {
            return std::nullopt;
        }
        fields.push_back(*number);
        from = to + 1;
    }
    return from == text.size() + 1 ? std::optional(fields) : std::nullopt;
}

// "+N" / "-N", or "M/D/YYYY HH:MM"; false when the words are neither.
bool ReadDragWhen(const std::vector<std::string>& when, DragTarget& target) {
    if (when.size() == 1 && (when[0].front() == '+' || when[0].front() == '-')) {
        target.dayShift = WholeNumber(when[0]);
        return target.dayShift.has_value();
    }
    if (when.size() != 2) {
        return false;
    }
    const auto date = Fields(when[0], '/', 3);
    const auto time = Fields(when[1], ':', 2);
    if (!date || !time) {
        return false;
    }
    const auto [month, day, year] = std::tie((*date)[0], (*date)[1], (*date)[2]);
    // The years the chart's dates reach; the day numbers of others are not needed.
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || (*time)[0] > 23 || (*time)[1] > 59) {
        return false;
    }
    target.day = DayNumber(year, month, day);
    target.minute = (*time)[0] * 60 + (*time)[1];
    return true;
}

// Reads one line into gesture; returns why it cannot be read, "" when it was.
std::string ReadGesture(const std::vector<std::string>& words, Gesture& gesture) {
    const std::string& word = words.front();
    const size_t arguments = words.size() - 1;
    for (const MenuCommand& command : kMenuCommands) {
        if (word == command.word) {
            gesture.kind = GestureKind::MenuCommand;
            gesture.menu = command.menu;
            gesture.subject = command.item;
            return arguments == 0 ? "" : word + " takes no argument";
        }
    }
    for (const SimpleGesture& simple : kSimpleGestures) {
        if (word == simple.word) {
            gesture.kind = simple.kind;
            if (!simple.takesSubject) {
                return arguments == 0 ? "" : word + " takes no argument";
            }
            gesture.subject = arguments == 1 ? words[1] : "";
            return arguments == 1 ? "" : word + " takes one argument";
        }
    }
    if (word == "expect-changes") {
        gesture.kind = GestureKind::ExpectChanges;
        const std::optional<int32_t> count = arguments == 1 ? WholeNumber(words[1]) : std::nullopt;
        gesture.count = count.value_or(-1);
        return gesture.count >= 0 ? "" : "expect-changes takes a count of 0 or more";
    }
    if (word == "drag-temporary") {
        gesture.kind = GestureKind::DragTemporary;
        if (arguments < 2) {
            return "drag-temporary takes a resource and +N, -N or M/D/YYYY HH:MM";
        }
        gesture.drag.resource = words[1];
        const std::vector<std::string> when(words.begin() + 2, words.end());
        return ReadDragWhen(when, gesture.drag) ? ""
                                                : "drag-temporary cannot read the time '" +
                                                      words[2] + "' (+N, -N or M/D/YYYY HH:MM)";
    }
    return "unknown gesture '" + word + "'";
}

// Failures of a gesture that is carried out, raised to the runner with their reason.
struct GestureFailure {
    std::string reason;
};

class ScriptPlayer {
public:
    explicit ScriptPlayer(TessaroWidget& widget)
        : widget_(widget), ctrl_(widget.control()), chart_(ctrl_.ctResSched()) {}

    // Returns true for quit.
    bool play(const Gesture& gesture) {
        switch (gesture.kind) {
            case GestureKind::Click: {
                const auto [row, bar] = barOf(gesture.subject);
                ClickBarAsThePlanner(widget_, row, bar);
                break;
            }
            case GestureKind::RightClick: {
                const auto [row, bar] = barOf(gesture.subject);
                chart_.RightClickBar(row, bar);
                break;
            }
            case GestureKind::MenuCommand:
                choose(gesture.menu, gesture.subject);
                break;
            case GestureKind::DragTemporary:
                dragTemporary(gesture.drag);
                break;
            case GestureKind::Undo:
            case GestureKind::Redo:
                trigger(gesture.kind == GestureKind::Undo ? widget_.undoAction()
                                                          : widget_.redoAction());
                break;
            case GestureKind::Select:
                ctrl_.SelectWorkOrderFirstSubActivity(gesture.subject);
                break;
            case GestureKind::Conflicts:
                std::printf("%s\n", qPrintable(CheckConflictsOfSelectedBar(widget_)));
                break;
            case GestureKind::ExpectChanges: {
                const int32_t pending = ctrl_.PendingChanges().Count();
                if (pending != gesture.count) {
                    throw GestureFailure{"expected " + std::to_string(gesture.count) +
                                         " pending changes, the control holds " +
                                         std::to_string(pending)};
                }
                break;
            }
            case GestureKind::Quit:
                return true;
        }
        return false;
    }

    // A planner's choice closes the menus a right-click opened; a script has no planner.
    void closeMenus() {
        for (const char* name : {"mnuSchedPopUp", "mnuDrag"}) {
            if (QMenu* menu = widget_.popupMenu(QString::fromLatin1(name))) {
                menu->hide();
            }
        }
    }

private:
    std::pair<int16_t, int16_t> barOf(const std::string& key) const {
        const int16_t row = chart_.FindTimeBarRow(key);
        if (row == 0) {
            throw GestureFailure{"no bar carries the key '" + key + "'"};
        }
        return {row, chart_.FindTimeBarInRow(key, row)};
    }

    int16_t rowOf(const std::string& resource) const {
        for (int row = 1; row <= chart_.RowCount(); ++row) {
            if (chart_.RowColumnText(static_cast<int16_t>(row), 1) == resource) {
                return static_cast<int16_t>(row);
            }
        }
        throw GestureFailure{"no row shows the resource '" + resource + "'"};
    }

    void choose(const std::string& menuName, const std::string& item) {
        PopupMenu& menu = menuName == "mnuDrag" ? ctrl_.mnuDrag() : ctrl_.mnuSchedPopUp();
        if (!menu.Choose(item)) {
            throw GestureFailure{"the " + menu.Caption() + " menu does not offer " +
                                 menu.Item(item).Caption() + " now"};
        }
    }

    void dragTemporary(const DragTarget& target) {
        const std::string& key = ctrl_.TempBarKey();
        std::pair<int16_t, int16_t> temporary{0, 0};
        const std::string_view group = std::string_view(key).substr(0, key.find('$'));
        for (const auto& [row, bar] : chart_.FindTimeBarsInKeyGroup(group)) {
            if (chart_.TimeBarKind(row, bar) == ScheduleChartView::kTemporaryBarKind) {
                temporary = {row, bar};
            }
        }
        if (temporary.first == 0) {
            throw GestureFailure{"there is no temporary bar to drag (copy first)"};
        }
        const int16_t targetRow = rowOf(target.resource);
        const ChartBar& bar = chart_.Bar(temporary.first, temporary.second);
        const int32_t day = target.dayShift ? bar.Start.Day + *target.dayShift : target.day;
        const int32_t minute = target.dayShift ? bar.Start.Minute : target.minute;
        chart_.DragBar(temporary.first, temporary.second, targetRow, day, minute);
    }

    static void trigger(QAction* action) {
        if (!action->isEnabled()) {
            throw GestureFailure{action->text().remove(QLatin1Char('&')).toStdString() +
                                 " is not offered now"};
        }
        action->trigger();
    }

    TessaroWidget& widget_;
    Tessaro_Ctrl& ctrl_;
    ScheduleChart& chart_;
};

std::string AtLine(int line, const std::string& why) {
    return "line " + std::to_string(line) + ": " + why;
}

}  // namespace

ParsedScript ParseGestureScript(std::string_view text) {
    ParsedScript parsed;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const size_t end = std::min(text.find('\n'), text.size());
        const std::vector<std::string> words = Words(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (words.empty() || words.front().front() == '#') {
            continue;
        }
        Gesture gesture;
        gesture.line = line;
        if (std::string why = ReadGesture(words, gesture); !why.empty()) {
            parsed.error = AtLine(line, why);
            return parsed;
        }
        parsed.gestures.push_back(std::move(gesture));
    }
    return parsed;
}

ScriptOutcome RunGestureScript(const std::vector<Gesture>& gestures, TessaroWidget& widget) {
    ScriptOutcome outcome;
    ScriptPlayer player(widget);
    for (const Gesture& gesture : gestures) {
        try {
            outcome.quitRequested = player.play(gesture);
        } catch (const GestureFailure& failure) {
            outcome.error = AtLine(gesture.line, failure.reason);
        } catch (const AutomationError& error) {
            outcome.error =
                AtLine(gesture.line, "error " + std::to_string(error.Number()) + " in " +
                                         error.Source() + ": " + error.Description());
        }
        player.closeMenus();
        if (!outcome.error.empty() || outcome.quitRequested) {
            break;
        }
    }
    return outcome;
}

}  // namespace tessaro::demo
