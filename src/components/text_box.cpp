#include <tessaro/components/text_box.hpp>

#include <utility>

namespace tessaro {

void TextBox::SetText(std::string text) {
    if (text != text_) {
        text_ = std::move(text);
        Changed.Notify();
    }
}

void TextBox::SetLocked(bool locked) {
    if (locked != locked_) {
        locked_ = locked;
        Changed.Notify();
    }
}

}  // namespace tessaro
