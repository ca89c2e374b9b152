#include <tessaro/components/text_store.hpp>

#include "runtime/large_block.hpp"

namespace tessaro {

void TextStore::SetText(std::string_view text) {
    // Refresh hands each loader its store's own text: with payloads of hundreds of megabytes,
    // comparing or copying it to itself would cost as much as reading it.
    if (text.data() == text_.data() && text.size() == text_.size()) {
        return;
    }
    // Compared before anything is copied, so an unchanged payload costs no copy; the copy is
    // made before the old text is released, since the view may point into it.
    if (text != text_) {
        text_ = LargeStringCopy(text);
        Changed.Notify();
    }
}

}  // namespace tessaro
