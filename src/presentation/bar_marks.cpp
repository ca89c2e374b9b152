#include "bar_marks.hpp"

#include <cmath>

#include <QPaintEngine>
#include <QPainter>
#include <QPen>

namespace tessaro::qt_detail {
namespace {

// A centre's position within its pixel, in halves: bars start on whole pixels and their middle
// lies on a whole or half pixel, so two fractions a side cover every mark a view draws.
constexpr int kFractions = 2;

bool OnHalfPixels(double value) {
    return value * kFractions == std::floor(value * kFractions);
}

bool Copyable(const QPainter& painter, QPointF at) {
    const QPaintEngine* engine = painter.paintEngine();
    const QTransform& transform = painter.deviceTransform();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster ||
        transform.type() > QTransform::TxTranslate || painter.device()->devicePixelRatio() != 1.0) {
        return false;
    }
    // The copy lands on whole pixels: a shape is made for the centre's place within its pixel.
    return transform.dx() == std::floor(transform.dx()) &&
           transform.dy() == std::floor(transform.dy()) && OnHalfPixels(at.x()) &&
           OnHalfPixels(at.y());
}

}  // namespace

int MarkCorners(int mark, int size, QPointF at, QPointF (&corners)[4]) {
    if (mark < kFirstMark || mark > kLastMark) {
        return 0;
    }
    const double h = size / 2.0;
    const double x = at.x();
    const double y = at.y();
    switch ((mark - 1) % 3) {
        case 0:
            corners[0] = {x - h, y - h};
            corners[1] = {x + h, y};
            corners[2] = {x - h, y + h};
            return 3;
        case 1:
            corners[0] = {x, y - h};
            corners[1] = {x + h, y};
            corners[2] = {x, y + h};
            corners[3] = {x - h, y};
            return 4;
        default:
            corners[0] = {x - h, y - h};
            corners[1] = {x + h, y - h};
            corners[2] = {x, y + h};
            return 3;
    }
}

void BarMarks::useColours(const QColor& outline, const QColor& fill) {
    if (outline != outline_ || fill != fill_) {
        outline_ = outline;
        fill_ = fill;
        shapes_.clear();
    }
}

void BarMarks::drawShape(QPainter& painter, int mark, int size, QPointF at) const {
    QPointF corners[4];
    const int count = MarkCorners(mark, size, at, corners);
    if (count == 0) {
        return;
    }
    const bool solid = mark >= kFirstSolidMark;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(solid ? fill_ : outline_, 1));
    painter.setBrush(solid ? outline_ : fill_);
    painter.drawPolygon(corners, count);
    painter.restore();
}

const BarMarks::Shape& BarMarks::shape(int mark, int size, QPointF fraction) {
    const auto fx = static_cast<uint32_t>(fraction.x() * kFractions);
    const auto fy = static_cast<uint32_t>(fraction.y() * kFractions);
    const uint32_t key =
        static_cast<uint32_t>(mark) | (static_cast<uint32_t>(size) << 4) | (fx << 24) | (fy << 26);
    auto found = shapes_.find(key);
    if (found == shapes_.end()) {
        // Room for the shape and its outline's half pixel beyond the corners, on every side.
        const int reach = size / 2 + 2;
        Shape made;
        made.originX = reach;
        made.originY = reach;
        made.image = QImage(2 * reach + 2, 2 * reach + 2, QImage::Format_ARGB32_Premultiplied);
        made.image.fill(Qt::transparent);
        QPainter painter(&made.image);
        drawShape(painter, mark, size, QPointF(reach, reach) + fraction);
        painter.end();
        found = shapes_.emplace(key, std::move(made)).first;
    }
    return found->second;
}

void BarMarks::draw(QPainter& painter, int mark, int size, QPointF at) {
    if (mark < kFirstMark || mark > kLastMark) {
        return;
    }
    if (!Copyable(painter, at)) {
        drawShape(painter, mark, size, at);
        return;
    }
    const double wholeX = std::floor(at.x());
    const double wholeY = std::floor(at.y());
    const Shape& made = shape(mark, size, QPointF(at.x() - wholeX, at.y() - wholeY));
    painter.drawImage(
        QPoint(static_cast<int>(wholeX) - made.originX, static_cast<int>(wholeY) - made.originY),
        made.image);
}

}  // namespace tessaro::qt_detail
