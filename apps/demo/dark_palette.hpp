#pragma once

// The demo's dark palette, in a header of its own so that the widget tests check the chart
// against the very colours the demo shows (without linking the demo).

#include <QColor>
#include <QPalette>

namespace tessaro::demo {

// Dark window, base and buttons with light text; tooltips dark too.
inline QPalette DarkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(45, 45, 48));
    palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::Button, QColor(53, 53, 56));
    palette.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, QColor(Qt::white));
    palette.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    palette.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    return palette;
}

}  // namespace tessaro::demo
