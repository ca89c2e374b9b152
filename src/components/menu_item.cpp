#include <tessaro/components/menu_item.hpp>

#include <utility>

namespace tessaro {

MenuItem::MenuItem(std::string name, std::string caption, Observable<>& menuChanged)
    : name_(std::move(name)), caption_(std::move(caption)), menuChanged_(&menuChanged) {}

void MenuItem::SetCaption(std::string caption) {
    if (caption != caption_) {
        caption_ = std::move(caption);
        menuChanged_->Notify();
    }
}

void MenuItem::SetVisible(bool visible) {
    SetFlag(visible_, visible);
}

void MenuItem::SetEnabled(bool enabled) {
    SetFlag(enabled_, enabled);
}

void MenuItem::SetFlag(bool& flag, bool value) {
    if (flag != value) {
        flag = value;
        menuChanged_->Notify();
    }
}

}  // namespace tessaro
