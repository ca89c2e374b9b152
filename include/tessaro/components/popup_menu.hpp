#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include <tessaro/components/menu_item.hpp>
#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A named context menu of items the control pops up at the cursor. Its items report to it, so a
// menu can be neither copied nor moved.
class TESSARO_EXPORT PopupMenu {
public:
    // Notified after every write to the menu or one of its items.
    Observable<> Changed;
    // Notified by Show: the view pops the menu up at the cursor.
    Observable<> Shown;

    // The menu starts without items.
    PopupMenu(std::string name, std::string caption);
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Fixed for the menu's life.
    const std::string& Name() const { return name_; }
    // Fixed for the menu's life.
    const std::string& Caption() const { return caption_; }

    // Raises invalid procedure call (5) for a name already in the menu; the reference stays valid.
    MenuItem& AddItem(std::string name, std::string caption);
    // Raises invalid procedure call (5) when no item has the name.
    MenuItem& Item(std::string_view name);
    // Raises invalid procedure call (5) when no item has the name.
    const MenuItem& Item(std::string_view name) const;
    // In the order they were added, separators included.
    const std::deque<MenuItem>& Items() const { return items_; }

    // Counts and announces every request, even for a menu without items.
    void Show();
    // Zero until the first Show.
    int32_t ShowCount() const { return showCount_; }

    // Replaces any earlier handler; an empty function silences choices.
    void SetItemChosenHandler(std::function<void(const std::string& name)> handler);
    // Returns false, and runs nothing, for an unknown, hidden, disabled or separator item.
    bool Choose(std::string_view name);

private:
    TESSARO_NO_EXPORT const MenuItem* Find(std::string_view name) const;

    std::string name_;
    std::string caption_;
    // A deque keeps references to its elements valid across push_back.
    std::deque<MenuItem> items_;
    int32_t showCount_ = 0;
    std::function<void(const std::string&)> itemChosen_;
};

}  // namespace tessaro
