#pragma once

// The measures a chart is painted with: fonts, row and header heights, the resource list's
// columns and the time axis. The front end fills them from its model and screen.

#include <vector>

#include <QFont>

#include <tessaro/qt/time_axis.hpp>

namespace tessaro::qt_detail {

struct ChartLayout {
    QFont listFont;
    QFont headerFont;
    QFont barFont;
    int rowHeight = 22;
    int headerRowHeight = 20;
    int headerRows = 2;
    int headerHeight = 40;
    int listWidth = 120;
    std::vector<int> columnWidths;
    TimeAxis axis;
};

}  // namespace tessaro::qt_detail
