#include <tessaro/components/text_store.hpp>

#include <cstring>

#include "runtime/large_block.hpp"

namespace tessaro {

void TextStore::Release::operator()(char* block) const noexcept {
    FreeLargeBlock(block, bytes);
}

TextStore::TextStore() = default;
TextStore::~TextStore() = default;

const std::string& TextStore::Text() const {
    if (!copy_) {
        copy_.emplace(View());
    }
    return *copy_;
}

void TextStore::SetText(std::string_view text) {
    // Refresh hands each loader its store's own text: with payloads of hundreds of megabytes,
    // comparing or copying it to itself would cost as much as reading it.
    const std::string_view held = View();
    if (text.data() == held.data() && text.size() == held.size()) {
        return;
    }
    // Compared before anything is copied, so an unchanged payload costs no copy; the copy is
    // made before the old text is released, since the view may point into it.
    if (text == held) {
        return;
    }
    std::unique_ptr<char[], Release> copy;
    if (!text.empty()) {
        // Kept for as long as the payload: only the huge pages the text fills are taken whole.
        copy = std::unique_ptr<char[], Release>(
            static_cast<char*>(AllocateLargeBlock(text.size(), HugePages::Filled)),
            Release{text.size()});
        std::memcpy(copy.get(), text.data(), text.size());
    }
    text_ = std::move(copy);
    size_ = text.size();
    copy_.reset();
    Changed.Notify();
}

}  // namespace tessaro
