// The find field over the resource list: typed text brings the first matching resource into
// sight, Enter the next one.

#include <algorithm>

#include <tessaro/qt/tessaro_widget.hpp>

#include "resource_finder.hpp"
#include "tessaro_widget_private.hpp"

namespace tessaro {

void TessaroWidget::Private::installResourceFinder() {
    resourceFinder_ = new qt_detail::ResourceFinder(*chartView_, q);
    resourceFinder_->setObjectName(QStringLiteral("resourceFinder"));
}

void TessaroWidget::Private::placeResourceFinder(const QRect& slot) {
    // The slot the one-line conflict box had, next to the toolbar: the conflicts have a panel of
    // their own beside the chart now.
    const int height = std::min(slot.height(), resourceFinder_->sizeHint().height());
    resourceFinder_->setGeometry(slot.left() + 4, slot.top() + (slot.height() - height) / 2,
                                 std::max(0, slot.width() - 8), height);
    resourceFinder_->raise();
}

}  // namespace tessaro
