#include <tessaro/components/list_box.hpp>

#include <utility>

namespace tessaro {

void ListBox::SetDoubleClickHandler(std::function<void()> handler) {
    doubleClick_ = std::move(handler);
}

void ListBox::DoubleClick() {
    // A copy: the handler may replace itself while it runs.
    const auto handler = doubleClick_;
    if (handler) {
        handler();
    }
}

}  // namespace tessaro
