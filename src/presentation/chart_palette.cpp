#include "chart_palette.hpp"

#include <algorithm>
#include <cmath>

namespace tessaro::chart_palette {
namespace {

double Channel(int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Channel(c.red()) + 0.7152 * Channel(c.green()) + 0.0722 * Channel(c.blue());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Blend(const QColor& a, const QColor& b, double share) {
    const double s = std::clamp(share, 0.0, 1.0);
    auto mix = [s](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * s)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

QColor ReadableTextOn(const QColor& fill, const QColor& dark, const QColor& light) {
    return ContrastRatio(dark, fill) >= ContrastRatio(light, fill) ? dark : light;
}

QColor ChartColours::inkOn(const QColor& fill) const {
    const QRgb rgb = fill.rgb();
    const int known = std::min(cached_, 8);
    for (int i = 0; i < known; ++i) {
        if (cachedFills_[i] == rgb) {
            return cachedInks_[i];
        }
    }
    const QColor ink = ReadableTextOn(fill);
    cachedFills_[cached_ % 8] = rgb;
    cachedInks_[cached_ % 8] = ink;
    ++cached_;
    return ink;
}

ChartColours ChartColours::from(const QPalette& palette) {
    ChartColours c;
    c.base = palette.color(QPalette::Base);
    c.dark = c.base.lightness() < 128;
    // Text must read on the base whatever the palette's author chose.
    c.text = ReadableTextOn(c.base, QColor(20, 20, 20), QColor(235, 235, 235));
    if (ContrastRatio(palette.color(QPalette::Text), c.base) >= 4.5) {
        c.text = palette.color(QPalette::Text);
    }
    c.listStripe = Blend(c.base, c.text, 0.035);
    c.headerBackground = palette.color(QPalette::Button);
    if (ContrastRatio(c.headerBackground, c.base) > 4.0 || c.headerBackground.lightness() < 128) {
        // A header far from the rows' tone: keep it close to them instead.
        c.headerBackground = Blend(c.base, c.text, 0.07);
    }
    c.headerText = palette.color(QPalette::ButtonText);
    if (ContrastRatio(c.headerText, c.headerBackground) < 4.5) {
        c.headerText =
            ReadableTextOn(c.headerBackground, QColor(20, 20, 20), QColor(235, 235, 235));
    }
    c.headerWeekend = Blend(c.headerBackground, c.headerText, 0.07);
    c.border = Blend(c.headerBackground, c.headerText, 0.28);
    c.dayLine = Blend(c.base, c.text, 0.15);
    c.hourLine = Blend(c.base, c.text, 0.065);
    c.rowLine = Blend(c.base, c.text, 0.10);
    c.weekendShade = Blend(c.base, c.text, 0.035);
    c.outOfRange = Blend(c.base, c.text, 0.09);
    c.calendarBlock = c.dark ? Blend(c.base, QColor(230, 70, 70), 0.38) : QColor(255, 214, 214);
    c.temporaryBar = TemporaryBar();
    c.temporaryOutline = QColor(0, 110, 0);
    c.selectedOutline = c.dark ? QColor(245, 245, 245) : QColor(20, 20, 20);
    c.dropTarget = Blend(c.base, palette.color(QPalette::Highlight), 0.28);
    c.markOutline = QColor(40, 40, 40);
    c.markFill = QColor(Qt::white);
    c.conflict = c.dark ? QColor(255, 96, 96) : QColor(200, 0, 0);
    c.changeOutline = c.dark ? QColor(120, 190, 255) : QColor(0, 90, 200);
    c.changeMarker = c.changeOutline;
    c.nowLine = c.dark ? QColor(255, 170, 60) : QColor(230, 100, 0);
    c.labelBackground = c.dark ? QColor(60, 60, 48) : QColor(255, 255, 225);
    c.labelText = ReadableTextOn(c.labelBackground);
    c.focus = palette.color(QPalette::Highlight);
    return c;
}

}  // namespace tessaro::chart_palette
