#pragma once

// The ring around the bar the keyboard's focus is on.

#include <QColor>
#include <QRect>

class QPainter;

namespace tessaro::qt_detail {

// Two pixels of the ring's colour just outside the bar, with a light line between them and the
// bar so the ring stands out on a bar of the ring's own colour too.
void PaintFocusRing(QPainter& painter, const QRect& bar, const QColor& ring);

}  // namespace tessaro::qt_detail
