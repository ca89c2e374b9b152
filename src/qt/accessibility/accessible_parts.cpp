#include "accessible_parts.hpp"

namespace tessaro::qt_detail {

QRect VisibleOnScreen(const QAbstractScrollArea& view, const QRect& local) {
    const QRect visible = local.intersected(view.viewport()->rect());
    return visible.isEmpty()
               ? QRect()
               : QRect(view.viewport()->mapToGlobal(visible.topLeft()), visible.size());
}

void* ReadOnlyTableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

}  // namespace tessaro::qt_detail
