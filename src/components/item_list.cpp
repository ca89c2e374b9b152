#include <tessaro/components/item_list.hpp>

#include <utility>

#include "components/argument_check.hpp"

namespace tessaro {

void ItemList::AddItem(std::string item) {
    items_.push_back(std::move(item));
    Changed.Notify();
}

void ItemList::RemoveItem(int32_t index) {
    CheckArgument(index >= 0 && index < ListCount());
    items_.erase(items_.begin() + index);
    if (index == listIndex_) {
        listIndex_ = -1;
    } else if (index < listIndex_) {
        // The selected item moved up one place; the selection follows it.
        --listIndex_;
    }
    Changed.Notify();
}

void ItemList::Clear() {
    if (items_.empty()) {
        return;
    }
    items_.clear();
    listIndex_ = -1;
    Changed.Notify();
}

const std::string& ItemList::List(int32_t index) const {
    CheckArgument(index >= 0 && index < ListCount());
    return items_[static_cast<size_t>(index)];
}

void ItemList::SetListIndex(int32_t index) {
    CheckArgument(index >= -1 && index < ListCount());
    bool changed = index != listIndex_;
    listIndex_ = index;
    changed = ListIndexSet() || changed;
    if (changed) {
        Changed.Notify();
    }
}

void ItemList::SetFont(tessaro::Font font) {
    if (font != font_) {
        font_ = std::move(font);
        Changed.Notify();
    }
}

}  // namespace tessaro
