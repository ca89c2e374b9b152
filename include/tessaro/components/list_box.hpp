#pragma once

#include <cstdint>
#include <functional>

#include <tessaro/components/item_list.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A list of strings the user picks from and double-clicks to confirm.
class TESSARO_EXPORT ListBox : public ItemList {
public:
    // Replaces any earlier handler; an empty function silences double clicks.
    void SetDoubleClickHandler(std::function<void()> handler);
    // Raises invalid procedure call (5) outside -1..count-1, like SetListIndex.
    void SelectItem(int32_t index) { SetListIndex(index); }
    // Runs the handler even when nothing is selected.
    void DoubleClick();

private:
    std::function<void()> doubleClick_;
};

}  // namespace tessaro
