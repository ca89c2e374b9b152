#pragma once

// The changed activities of a control as the chart outlines them: where each was loaded and
// where its bars are now.

#include <vector>

#include <tessaro/control/tessaro_ctrl.hpp>

#include "chart_painter.hpp"

namespace tessaro::qt_detail {

// One outline per pending change whose activity has a loaded placement.
std::vector<ChangeOutline> ChangeOutlinesOf(const Tessaro_Ctrl& control);

}  // namespace tessaro::qt_detail
