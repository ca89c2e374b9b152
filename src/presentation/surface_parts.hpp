#pragma once

// Which design elements the parts a host hides are made of, and how the surface closes up
// without them: what lies below a hidden grid moves up to the chart. The detail frame never lies
// over the grid's rows.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <tessaro/control/design_surface.hpp>
#include <tessaro/qt/surface_part.hpp>

namespace tessaro::qt_detail {

// The design elements a part is made of.
std::vector<std::string> SurfacePartElements(SurfacePart part);

bool IsElementHidden(const std::set<SurfacePart>& hidden, const SurfaceElement& element);

// How far up the hidden parts move a top-level element, in twips; negative moves it down (with
// the grid shown, the detail frame and what lies below it go below the grid).
int32_t CollapsedTwips(const std::set<SurfacePart>& hidden, const SurfaceElement& element);

// The surface's design height with the hidden parts gone and what lay below them moved up.
int32_t SurfaceHeightTwips(const std::set<SurfacePart>& hidden);

}  // namespace tessaro::qt_detail
