#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <tessaro/components/font.hpp>
#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// The item list and selection that list boxes and combo boxes share; indices count from 0 and a
// list index of -1 means nothing is selected.
class TESSARO_EXPORT ItemList {
public:
    // Notified after every write that changes what a view paints.
    Observable<> Changed;

    // Virtual because boxes override the selection hook; safe to delete through ItemList*.
    virtual ~ItemList() = default;

    // Appends at the end; the selection stays on its item.
    void AddItem(std::string item);
    // Raises invalid procedure call (5) outside 0..count-1; removing the selection clears it.
    void RemoveItem(int32_t index);
    // Also clears the selection.
    void Clear();
    // Zero for a new box.
    int32_t ListCount() const { return static_cast<int32_t>(items_.size()); }
    // Raises invalid procedure call (5) outside 0..count-1.
    const std::string& List(int32_t index) const;
    // In display order.
    const std::vector<std::string>& Items() const { return items_; }
    // -1 when nothing is selected.
    int32_t ListIndex() const { return listIndex_; }
    // Raises invalid procedure call (5) outside -1..count-1; -1 clears the selection.
    void SetListIndex(int32_t index);

    // The default font until the control sets one.
    const tessaro::Font& Font() const { return font_; }
    // Notifies only when the font differs.
    void SetFont(tessaro::Font font);

protected:
    ItemList() = default;
    ItemList(const ItemList&) = default;
    ItemList& operator=(const ItemList&) = default;
    ItemList(ItemList&&) = default;
    ItemList& operator=(ItemList&&) = default;

    // Runs after every accepted SetListIndex; returns whether the box changed anything it paints.
    virtual bool ListIndexSet() { return false; }

private:
    std::vector<std::string> items_;
    int32_t listIndex_ = -1;
    tessaro::Font font_;
};

}  // namespace tessaro
