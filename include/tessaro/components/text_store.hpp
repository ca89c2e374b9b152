#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A rich-text box the control uses only to hold a text; it is never shown to the user.
class TESSARO_EXPORT TextStore {
public:
    TextStore();
    ~TextStore();
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    // Notified after every write that changes the text.
    Observable<> Changed;

    // Empty at start. The store keeps a payload of many megabytes in memory of its own; the
    // first call after a change copies it into a string, which the store then keeps too.
    const std::string& Text() const;
    // The text without a copy, valid until the next SetText.
    std::string_view View() const { return {text_.get(), size_}; }
    // Notifies only when the text differs; a view of the store's own text (or of part of it) is
    // read before the text is replaced.
    void SetText(std::string_view text);

private:
    // No member initialiser: the deleter must be default-constructible inside this class.
    struct Release {
        std::size_t bytes;
        void operator()(char* block) const noexcept;
    };

    std::unique_ptr<char[], Release> text_;
    std::size_t size_ = 0;
    mutable std::optional<std::string> copy_;
};

}  // namespace tessaro
