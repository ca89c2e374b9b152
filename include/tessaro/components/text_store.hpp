#pragma once

#include <string>
#include <string_view>

#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A rich-text box the control uses only to hold a text; it is never shown to the user.
class TESSARO_EXPORT TextStore {
public:
    // Notified after every write that changes the text.
    Observable<> Changed;

    // Empty at start.
    const std::string& Text() const { return text_; }
    // Notifies only when the text differs; a view of the store's own text (or of part of it) is
    // read before the text is replaced.
    void SetText(std::string_view text);

private:
    std::string text_;
};

}  // namespace tessaro
