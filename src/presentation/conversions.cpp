#include <tessaro/qt/conversions.hpp>

#include <cmath>

#include <QStringList>

namespace tessaro {
namespace {

// Families of the same width class, most faithful first; the last entry is always installed with
// the control's packages.
QStringList FallbackFamilies(const QString& family) {
    const QString lower = family.toLower();
    if (lower == "verdana" || lower == "tahoma") {
        // Verdana's metrics are those of Bitstream Vera, which DejaVu Sans continues.
        return {"Bitstream Vera Sans", "DejaVu Sans"};
    }
    if (lower == "ms sans serif" || lower == "microsoft sans serif" || lower == "arial" ||
        lower == "helvetica") {
        return {"Arial", "Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans Condensed"};
    }
    if (lower == "times new roman" || lower == "ms serif") {
        return {"Liberation Serif", "Tinos", "DejaVu Serif"};
    }
    if (lower == "courier new" || lower == "courier") {
        return {"Liberation Mono", "Cousine", "DejaVu Sans Mono"};
    }
    return {"DejaVu Sans"};
}

}  // namespace

QColor toQColor(int32_t rgb) {
    const auto bits = static_cast<uint32_t>(rgb);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

int32_t toRgbNumber(const QColor& colour) {
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

QFont toQFont(const Font& font) {
    const QString family = toQString(font.Name);
    QStringList families{family};
    families.append(FallbackFamilies(family));
    QFont result;
    result.setFamilies(families);
    result.setStyleHint(QFont::SansSerif);
    result.setPointSizeF(font.Size > 0 ? font.Size : 8.25);
    result.setBold(font.Bold);
    return result;
}

int twipsToPixels(double twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

}  // namespace tessaro
