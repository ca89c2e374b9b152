#include <tessaro/components/text_store.hpp>

#include <utility>

namespace tessaro {

void TextStore::SetText(std::string text) {
    if (text != text_) {
        text_ = std::move(text);
        Changed.Notify();
    }
}

}  // namespace tessaro
