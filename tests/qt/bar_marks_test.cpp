// End marks copied from ready shapes land exactly where, and look as, marks drawn one by one.

#include <QImage>
#include <QPainter>
#include <QPen>

#include <gtest/gtest.h>

#include "bar_marks.hpp"

namespace tessaro::qt_detail {
namespace {

const QColor kOutline(40, 40, 40);
const QColor kFill(250, 250, 250);
const QColor kBar(94, 174, 255);

QImage Bar() {
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(kBar);
    return image;
}

// The mark as a view drew it before shapes were kept: antialiased, straight onto the bar.
QImage DrawnDirectly(int mark, int size, QPointF at) {
    QImage image = Bar();
    QPointF corners[4];
    const int count = MarkCorners(mark, size, at, corners);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const bool solid = mark >= kFirstSolidMark;
    painter.setPen(QPen(solid ? kFill : kOutline, 1));
    painter.setBrush(solid ? kOutline : kFill);
    painter.drawPolygon(corners, count);
    return image;
}

TEST(BarMarks, CopiedShapesMatchMarksDrawnOneByOne) {
    BarMarks marks;
    marks.useColours(kOutline, kFill);
    for (int mark = 0; mark <= kLastMark + 1; ++mark) {
        for (const int size : {3, 7, 10}) {
            // Bars start on whole pixels; their middle lies on a whole or a half pixel.
            for (const QPointF at : {QPointF(20, 20), QPointF(17, 20.5)}) {
                SCOPED_TRACE(testing::Message() << "mark " << mark << " size " << size << " at "
                                                << at.x() << "," << at.y());
                QImage copied = Bar();
                QPainter painter(&copied);
                marks.draw(painter, mark, size, at);
                painter.end();
                const QImage drawn = DrawnDirectly(mark, size, at);
                const bool isMark = mark >= kFirstMark && mark <= kLastMark;
                EXPECT_EQ(drawn != Bar(), isMark);
                int largest = 0;
                for (int y = 0; y < copied.height(); ++y) {
                    for (int x = 0; x < copied.width(); ++x) {
                        const QRgb a = copied.pixel(x, y);
                        const QRgb b = drawn.pixel(x, y);
                        largest = std::max({largest, std::abs(qRed(a) - qRed(b)),
                                            std::abs(qGreen(a) - qGreen(b)),
                                            std::abs(qBlue(a) - qBlue(b))});
                    }
                }
                // Blending a finished shape rounds once more than drawing it in place.
                EXPECT_LE(largest, 1);
            }
        }
    }
}

}  // namespace
}  // namespace tessaro::qt_detail
