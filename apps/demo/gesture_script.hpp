#pragma once

// A planner's gestures written one a line (the language --help describes), read whole before
// any of them runs and then replayed on the control through the same entry points the widgets
// call.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {
class TessaroWidget;
}

namespace tessaro::demo {

enum class GestureKind {
    Click,
    RightClick,
    MenuCommand,
    DragTemporary,
    Undo,
    Redo,
    Select,
    Conflicts,
    ExpectChanges,
    Quit,
};

// Where a drag puts the temporary bar's start: days from where it starts now, or a moment.
struct DragTarget {
    std::string resource;
    std::optional<int32_t> dayShift;
    int32_t day = 0;
    int32_t minute = 0;
};

struct Gesture {
    int line = 0;
    GestureKind kind = GestureKind::Quit;
    // The bar key, work order or menu entry the gesture names.
    std::string subject;
    // The pop-up menu of a menu command.
    std::string menu;
    DragTarget drag;
    int32_t count = 0;
};

struct ParsedScript {
    std::vector<Gesture> gestures;
    // "line N: why" for the first line that cannot be read; empty when every line was read.
    std::string error;
};

// Reads every line; stops at the first unknown gesture or wrong argument.
ParsedScript ParseGestureScript(std::string_view text);

struct ScriptOutcome {
    // "line N: why" when a gesture could not be carried out; empty when all ran.
    std::string error;
    bool quitRequested = false;
};

// Runs the gestures in order on the widget's control and stops at the first that fails or at
// quit. Pop-up menus a gesture opened are closed again, as the planner's choice closes them.
ScriptOutcome RunGestureScript(const std::vector<Gesture>& gestures, TessaroWidget& widget);

}  // namespace tessaro::demo
