#pragma once

#include <string>

#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// One entry of a popup menu; the caption "-" makes it a separator. Items stay where their menu
// put them, so they can be neither copied nor moved.
class TESSARO_EXPORT MenuItem {
public:
    // Writes to the item notify `menuChanged`, which must outlive the item.
    MenuItem(std::string name, std::string caption, Observable<>& menuChanged);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // Unique within its menu; fixed for the item's life.
    const std::string& Name() const { return name_; }
    // "-" for a separator.
    const std::string& Caption() const { return caption_; }
    // Setting "-" turns the item into a separator.
    void SetCaption(std::string caption);
    // True at start.
    bool Visible() const { return visible_; }
    // A hidden item cannot be chosen.
    void SetVisible(bool visible);
    // True at start.
    bool Enabled() const { return enabled_; }
    // A disabled item is shown greyed and cannot be chosen.
    void SetEnabled(bool enabled);
    // True exactly when the caption is "-".
    bool IsSeparator() const { return caption_ == "-"; }

private:
    TESSARO_NO_EXPORT void SetFlag(bool& flag, bool value);

    std::string name_;
    std::string caption_;
    bool visible_ = true;
    bool enabled_ = true;
    Observable<>* menuChanged_;
};

}  // namespace tessaro
