#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <tessaro/components/observable.hpp>
#include <tessaro/export.hpp>

namespace tessaro {

// A row of captioned buttons, numbered from 1 in the order they were added.
class TESSARO_EXPORT Toolbar {
public:
    // Notified after every write that changes what a view paints.
    Observable<> Changed;

    // Raises overflow (6) past 32767 buttons.
    void AddButton(std::string caption);
    // Zero for a new toolbar.
    int16_t ButtonCount() const { return static_cast<int16_t>(captions_.size()); }
    // Raises invalid procedure call (5) when no button has the position.
    const std::string& ButtonCaption(int16_t position) const;

    // Replaces any earlier handler; an empty function silences presses.
    void SetButtonClickedHandler(std::function<void(int16_t position)> handler);
    // Raises invalid procedure call (5) when no button has the position.
    void PressButton(int16_t position);

private:
    std::vector<std::string> captions_;
    std::function<void(int16_t)> buttonClicked_;
};

}  // namespace tessaro
