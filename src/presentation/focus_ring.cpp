#include "focus_ring.hpp"

#include <QPainter>
#include <QPen>

namespace tessaro::qt_detail {

void PaintFocusRing(QPainter& painter, const QRect& bar, const QColor& ring) {
    if (bar.isEmpty()) {
        return;
    }
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(Qt::white), 1));
    painter.drawRect(bar.adjusted(-1, -1, 0, 0));
    QPen pen(ring, 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(bar).adjusted(-2.5, -2.5, 1.5, 1.5));
    painter.restore();
}

}  // namespace tessaro::qt_detail
