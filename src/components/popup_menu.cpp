#include <tessaro/components/popup_menu.hpp>

#include <utility>

#include "components/argument_check.hpp"

namespace tessaro {

PopupMenu::PopupMenu(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

MenuItem& PopupMenu::AddItem(std::string name, std::string caption) {
    CheckArgument(Find(name) == nullptr);
    MenuItem& item = items_.emplace_back(std::move(name), std::move(caption), Changed);
    Changed.Notify();
    return item;
}

MenuItem& PopupMenu::Item(std::string_view name) {
    return const_cast<MenuItem&>(std::as_const(*this).Item(name));
}

const MenuItem& PopupMenu::Item(std::string_view name) const {
    const MenuItem* item = Find(name);
    CheckArgument(item != nullptr);
    return *item;
}

void PopupMenu::Show() {
    ++showCount_;
    Shown.Notify();
}

void PopupMenu::SetItemChosenHandler(std::function<void(const std::string&)> handler) {
    itemChosen_ = std::move(handler);
}

bool PopupMenu::Choose(std::string_view name) {
    const MenuItem* item = Find(name);
    if (item == nullptr || !item->Visible() || !item->Enabled() || item->IsSeparator()) {
        return false;
    }
    // A copy: the handler may replace itself while it runs. Items are never removed, so the
    // name it receives stays valid throughout.
    const auto handler = itemChosen_;
    if (handler) {
        handler(item->Name());
    }
    return true;
}

const MenuItem* PopupMenu::Find(std::string_view name) const {
    for (const MenuItem& item : items_) {
        if (item.Name() == name) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace tessaro
