#pragma once

// The marks at a bar's ends (arrows, diamonds, triangles), drawn antialiased. A frame of a
// zoomed-out plant carries thousands of them, so on the screen and in raster images each shape is
// rasterised once and then copied; other devices (PDF, printers) get the shape itself.

#include <cstdint>
#include <unordered_map>

#include <QColor>
#include <QImage>
#include <QPointF>

class QPainter;

namespace tessaro::qt_detail {

// Marks 1 and 4 point right, 2 and 5 are diamonds, 3 and 6 point down; 4..6 are solid.
inline constexpr int kFirstMark = 1;
inline constexpr int kFirstSolidMark = 4;
inline constexpr int kLastMark = 6;

// The corners of a mark of that size centred at `at`; 0 for a number that is no mark.
int MarkCorners(int mark, int size, QPointF at, QPointF (&corners)[4]);

class BarMarks {
public:
    // Forgets the shapes when the colours change: outline and fill of the hollow marks, swapped
    // for the solid ones.
    void useColours(const QColor& outline, const QColor& fill);

    // A number that is no mark draws nothing.
    void draw(QPainter& painter, int mark, int size, QPointF at);

private:
    struct Shape {
        QImage image;
        // Where the mark's centre lies in the image, in whole pixels.
        int originX = 0;
        int originY = 0;
    };

    void drawShape(QPainter& painter, int mark, int size, QPointF at) const;
    const Shape& shape(int mark, int size, QPointF fraction);

    QColor outline_;
    QColor fill_;
    std::unordered_map<uint32_t, Shape> shapes_;
};

}  // namespace tessaro::qt_detail
