#pragma once

// Where the next pop-up menu the control shows goes. The control only asks for its menu to be
// shown; a menu asked for from the keyboard belongs at the focused bar, not at a mouse that may
// be anywhere, and a copy made with Ctrl+C goes through the control's own menu without showing it.

#include <optional>

#include <QPoint>

class QMenu;

namespace tessaro::qt_detail {

struct MenuAnchor {
    // Global position of the menu's top left corner; the cursor's when empty.
    std::optional<QPoint> at;
    // The menu is not shown at all.
    bool silent = false;
    // Opened from the keyboard: the first entry is made current so arrows and Enter go on there.
    bool fromKeyboard = false;
};

// The anchor of the innermost scope alive; the cursor's otherwise.
MenuAnchor CurrentMenuAnchor();

// Makes the menu's first enabled entry the current one.
void SelectFirstEntry(QMenu& menu);

// Menus shown while the scope lives go where it says. Scopes nest; GUI thread only.
class MenuAnchorScope {
public:
    explicit MenuAnchorScope(MenuAnchor anchor);
    ~MenuAnchorScope();
    MenuAnchorScope(const MenuAnchorScope&) = delete;
    MenuAnchorScope& operator=(const MenuAnchorScope&) = delete;

private:
    MenuAnchor outer_;
};

}  // namespace tessaro::qt_detail
