#pragma once

// The colours and spacings of the chart and grid views, in one place so they stay alike. Every
// colour that is not the control's own (status colours, the temporary bar's green) is derived
// from the widget's QPalette, so a dark palette gives a dark chart with readable text.

#include <QColor>
#include <QPalette>

namespace tessaro::chart_palette {

// Pixels between a cell's edge and its text.
inline constexpr int kTextPadding = 6;
// The widest a column of the chart's resource list grows (pixels at 96 dpi): wide enough for a
// resource's description, narrow enough to leave the chart its room.
inline constexpr int kListColumnCap = 300;

// The light-green fill of the temporary bar of a copy in progress, in every palette.
inline QColor TemporaryBar() {
    return QColor(144, 238, 144);
}

// The WCAG contrast ratio of two colours: 1 for equal ones, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// a moved towards b by share (0 gives a, 1 gives b).
QColor Blend(const QColor& a, const QColor& b, double share);

// Of the palette's dark and light text colours, the one that reads better on the fill.
QColor ReadableTextOn(const QColor& fill, const QColor& dark = QColor(20, 20, 20),
                      const QColor& light = QColor(Qt::white));

// Every colour the chart view paints that the control does not choose.
struct ChartColours {
    QColor base;  // rows and the resource list
    QColor text;  // resource texts
    QColor listStripe;
    QColor headerBackground;
    QColor headerText;
    QColor headerWeekend;
    QColor border;
    QColor dayLine;
    QColor hourLine;
    QColor rowLine;
    QColor weekendShade;
    // Days after the end of the planning window.
    QColor outOfRange;
    // Calendar bars: the resource is not available.
    QColor calendarBlock;
    QColor temporaryBar;
    QColor temporaryOutline;
    // Outline of a bar drawn in a selected style.
    QColor selectedOutline;
    QColor dropTarget;
    QColor markOutline;
    QColor markFill;
    // Work-order bars that overlap on their resource.
    QColor conflict;
    // Where a changed activity was loaded, and its marker.
    QColor changeOutline;
    QColor changeMarker;
    QColor nowLine;
    QColor labelBackground;
    QColor labelText;
    QColor focus;
    bool dark = false;

    // Light or dark after the palette's base colour.
    static ChartColours from(const QPalette& palette);

    // ReadableTextOn, remembered for the few fills a chart uses: painting asks for every bar.
    QColor inkOn(const QColor& fill) const;

private:
    mutable QRgb cachedFills_[8] = {};
    mutable QColor cachedInks_[8];
    mutable int cached_ = 0;
};

}  // namespace tessaro::chart_palette
