#include <tessaro/components/combo_box.hpp>

#include <utility>

namespace tessaro {

void ComboBox::SetText(std::string text) {
    if (text != text_) {
        text_ = std::move(text);
        Changed.Notify();
    }
}

bool ComboBox::ListIndexSet() {
    // Clearing the selection keeps whatever the user typed.
    if (ListIndex() < 0 || List(ListIndex()) == text_) {
        return false;
    }
    text_ = List(ListIndex());
    return true;
}

}  // namespace tessaro
