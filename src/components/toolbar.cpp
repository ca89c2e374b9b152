#include <tessaro/components/toolbar.hpp>

#include <utility>

#include "components/argument_check.hpp"
#include "runtime/checked_arithmetic.hpp"

namespace tessaro {

void Toolbar::AddButton(std::string caption) {
    // Positions are 16-bit, so the button after 32767 would have no number.
    CheckedInt16(static_cast<int64_t>(captions_.size()) + 1);
    captions_.push_back(std::move(caption));
    Changed.Notify();
}

const std::string& Toolbar::ButtonCaption(int16_t position) const {
    CheckArgument(position >= 1 && position <= ButtonCount());
    return captions_[static_cast<size_t>(position - 1)];
}

void Toolbar::SetButtonClickedHandler(std::function<void(int16_t)> handler) {
    buttonClicked_ = std::move(handler);
}

void Toolbar::PressButton(int16_t position) {
    CheckArgument(position >= 1 && position <= ButtonCount());
    // A copy: the handler may replace itself while it runs.
    const auto handler = buttonClicked_;
    if (handler) {
        handler(position);
    }
}

}  // namespace tessaro
