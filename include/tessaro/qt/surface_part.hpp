#pragma once

namespace tessaro {

// The parts of the surface a host may hide: the work-order grid, the detail frame over it, the
// toolbar, the conflict list beside it, and the colour legend (its strip and the details below).
enum class SurfacePart { Grid, DetailPanel, Toolbar, ConflictList, Legend };

}  // namespace tessaro
