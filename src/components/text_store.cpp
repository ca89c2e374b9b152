#include <tessaro/components/text_store.hpp>

namespace tessaro {

void TextStore::SetText(std::string_view text) {
    // Refresh hands each loader its store's own text: with payloads of hundreds of megabytes,
    // comparing or copying it to itself would cost as much as reading it.
    if (text.data() == text_.data() && text.size() == text_.size()) {
        return;
    }
    // Compared before anything is copied, so an unchanged payload costs no copy; assign reads a
    // view into the old text before it releases it.
    if (text != text_) {
        text_.assign(text);
        Changed.Notify();
    }
}

}  // namespace tessaro
