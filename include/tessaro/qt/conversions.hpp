#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QString>

#include <tessaro/components/font.hpp>
#include <tessaro/qt/export.hpp>

namespace tessaro {

// Twips per inch: the unit of the design-time surface and of the containers' heights.
inline constexpr int kTwipsPerInch = 1440;

// The control's colours are RGB numbers, red + 256 * green + 65536 * blue; bits above the 24
// colour bits are ignored.
TESSARO_QT_EXPORT QColor toQColor(int32_t rgb);

// The inverse of toQColor for opaque colours.
TESSARO_QT_EXPORT int32_t toRgbNumber(const QColor& colour);

// A font of the control as Qt draws it: the named family when the system has it, otherwise the
// closest installed family of the same width (the surface's fonts come from another platform).
TESSARO_QT_EXPORT QFont toQFont(const Font& font);

// UTF-8 model text as Qt text.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Twips to device-independent pixels at the given logical dots per inch (15 twips to a pixel at
// 96 dpi), rounded to the nearest pixel.
TESSARO_QT_EXPORT int twipsToPixels(double twips, double logicalDpi);

}  // namespace tessaro
