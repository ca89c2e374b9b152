#include "menu_anchor.hpp"

#include <QAction>
#include <QMenu>

namespace tessaro::qt_detail {
namespace {

MenuAnchor& Current() {
    static MenuAnchor anchor;
    return anchor;
}

}  // namespace

MenuAnchor CurrentMenuAnchor() {
    return Current();
}

void SelectFirstEntry(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (action->isEnabled() && action->isVisible() && !action->isSeparator()) {
            menu.setActiveAction(action);
            return;
        }
    }
}

MenuAnchorScope::MenuAnchorScope(MenuAnchor anchor) : outer_(Current()) {
    Current() = anchor;
}

MenuAnchorScope::~MenuAnchorScope() {
    Current() = outer_;
}

}  // namespace tessaro::qt_detail
