#pragma once

#include <string>

#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A single text field; a locked box shows its text but the user cannot edit it.
class TESSARO_EXPORT TextBox {
public:
    // Notified after every write that changes what a view paints.
    Observable<> Changed;

    // Empty at start.
    const std::string& Text() const { return text_; }
    // The program may write even a locked box; the view keeps the user from editing it.
    void SetText(std::string text);
    // Unlocked at start.
    bool Locked() const { return locked_; }
    // Locking keeps the text; it only stops user edits.
    void SetLocked(bool locked);

private:
    std::string text_;
    bool locked_ = false;
};

}  // namespace tessaro
