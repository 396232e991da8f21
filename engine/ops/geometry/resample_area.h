#pragma once

#include "engine/image/image.h"
#include "engine/ops/geometry/resample.h"

namespace vask {

// The part `window` of the picture that results from scaling the source area to
// scaledWidth x scaledHeight, as a new picture of the window's size. This is the one scaling
// kernel behind resampleImage and assignImage: it lets a caller ask only for the part of a
// large scaled picture that is visible.
//
// The area is given in source pixels and may reach outside the source: that part reads as
// black, so a zoom whose area starts left of the picture shows the edge where it belongs.
// Filter taps beyond the area's own edges are left out and the rest renormalised.
// Depth: High gives 24 bits; Fast keeps a palette source's depth and palette (outside
// pixels take the entry nearest to black) and gives 24 bits for a 24-bit source.
// Callers guarantee a non-empty area and window, sides of at most 65535 pixels for the area
// and the scaled size, and a window inside [0, scaledWidth) x [0, scaledHeight).
// Runs on all cores in bands of output rows.
Image resampleArea(const Image& source, const Rect& area, int scaledWidth, int scaledHeight,
                   const Rect& window, ResampleQuality quality);

} // namespace vask
