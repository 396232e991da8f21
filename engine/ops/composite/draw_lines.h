#pragma once

#include "engine/image/image.h"

#include <span>

namespace vask {

enum class ArrowHeads { None = 0, AtEnd = 2, AtBothEnds = 3 };

// Draws a polyline through points (image pixels) of the given width in one colour, with
// filled arrow heads at the last point or at both ends; the heads grow with the width.
// Parts outside the picture are clipped. Palette pictures draw with the nearest entry.
void drawLines(Image& image, std::span<const Point> points, int width, Rgb colour, ArrowHeads arrows);

} // namespace vask
