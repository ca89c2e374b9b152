#include "surface_parts.hpp"

#include <algorithm>

namespace tessaro::qt_detail {
namespace {

// The space kept between the chart and a part moved up to it, in twips.
constexpr int32_t kCollapsedGapTwips = 60;

int32_t BottomOf(const char* name) {
    const TwipRect& b = FindSurfaceElement(name)->Bounds;
    return b.Top + b.Height;
}

}  // namespace

std::vector<std::string> SurfacePartElements(SurfacePart part) {
    switch (part) {
        case SurfacePart::Grid:
            return {"vaSpread"};
        case SurfacePart::DetailPanel:
            return {"frameWO"};
        case SurfacePart::Toolbar:
            return {"ctToolBar1"};
        case SurfacePart::ConflictList:
            return {"lstConflictWorkOrders"};
        case SurfacePart::Legend:
            return {"Frame2"};
    }
    return {};
}

bool IsElementHidden(const std::set<SurfacePart>& hidden, const SurfaceElement& element) {
    return std::ranges::any_of(hidden, [&](SurfacePart part) {
        const std::vector<std::string> names = SurfacePartElements(part);
        return std::ranges::find(names, element.Name) != names.end();
    });
}

int32_t CollapsedTwips(const std::set<SurfacePart>& hidden, const SurfaceElement& element) {
    if (!element.Parent.empty()) {
        return 0;
    }
    const int32_t chartBottom = BottomOf("ctResSched");
    const TwipRect& frame = FindSurfaceElement("frameWO")->Bounds;
    if (!hidden.contains(SurfacePart::Grid)) {
        // The design lays the detail frame over the grid's rows; it goes below the grid
        // instead, and what lies below the grid moves down past it.
        if (hidden.contains(SurfacePart::DetailPanel)) {
            return 0;
        }
        const int32_t gridBottom = BottomOf("vaSpread");
        if (element.Name == "frameWO") {
            return frame.Top - (gridBottom + kCollapsedGapTwips);
        }
        if (element.Bounds.Top < gridBottom - kCollapsedGapTwips) {
            return 0;
        }
        return std::min(0, element.Bounds.Top - (gridBottom + kCollapsedGapTwips + frame.Height +
                                                 kCollapsedGapTwips));
    }
    // Without the grid the detail frame moves up to the chart, and what lies below the grid
    // follows it (or comes up to the chart when the frame is hidden too).
    if (element.Name == "frameWO") {
        return frame.Top - (chartBottom + kCollapsedGapTwips);
    }
    if (element.Bounds.Top < BottomOf("vaSpread") - kCollapsedGapTwips) {
        return 0;
    }
    const int32_t newTop =
        !hidden.contains(SurfacePart::DetailPanel)
            ? chartBottom + kCollapsedGapTwips + frame.Height + kCollapsedGapTwips
            : chartBottom;
    return std::max(0, element.Bounds.Top - newTop);
}

int32_t SurfaceHeightTwips(const std::set<SurfacePart>& hidden) {
    int32_t height = 0;
    for (const SurfaceElement& element : DesignSurface()) {
        if (element.Visible && element.Parent.empty() && !IsElementHidden(hidden, element)) {
            height = std::max(height, element.Bounds.Top + element.Bounds.Height -
                                          CollapsedTwips(hidden, element));
        }
    }
    return height;
}

}  // namespace tessaro::qt_detail
